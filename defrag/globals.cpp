// globals.cpp - the tool's paths from the settings file, the common road of
// its two ini sections, text splitting, messages and the power actions.
#include <classlib/Handles.h>
#include <classlib/SysUtils.h>
#include <defrag/globals.h>
#include <shared/PubFunctions.h>

#include <exception>

TToolPaths ToolPaths;

TMessageBoxEvent ToolOwnerlessMessageBox = [](const std::string& text, const std::string& caption,
                                              UINT flags) {
    return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
};

TPowerCalls PowerCalls{
    [](UINT flags, DWORD reason) { return ::ExitWindowsEx(flags, reason); },
    [](BOOL suspend, BOOL force) { return ::SetSystemPowerState(suspend, force); },
};

namespace {

constexpr const char* SConfigMissing = "%s is not exist !";
constexpr const char* SConfigFileError = "Config File Error!";

constexpr const char* ShutdownPrivilege = "SeShutdownPrivilege";

// The tool reads the main program's settings file, never writes it.
void ReadFolders(const TIniFile& ini, TToolPaths& paths) {
    TSettingsFolders folders;
    ReadSettingsFolders(ini, folders);
    static_cast<TSettingsPaths&>(paths) = SettingsPaths(paths.ExePath, folders);
}

using TPowerAction = void (*)();

void EndApplication() { Application->Terminate(); }
void ShutDownAndPowerOff() { PowerCalls.ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, 0); }
void PowerOff() { PowerCalls.ExitWindowsEx(EWX_POWEROFF, 0); }
void Reboot() { PowerCalls.ExitWindowsEx(EWX_REBOOT, 0); }
void PowerDown() { PowerCalls.SetSystemPowerState(FALSE, FALSE); }
void Suspend() { PowerCalls.SetSystemPowerState(TRUE, FALSE); }

// Indexed by the kind of DoPowerAction.
constexpr TPowerAction PowerActions[] = {EndApplication, ShutDownAndPowerOff, PowerOff,
                                         Reboot,         PowerDown,           Suspend};

}  // namespace

bool LoadToolSettings() { return LoadToolSettingsFrom(ProgramFolder()); }

bool LoadToolSettingsFrom(const std::string& programFolder) {
    ToolPaths = TToolPaths{};
    ToolPaths.ExePath = EnsureTrailingBackslash(programFolder);
    ToolPaths.ConfigFilePath = ToolPaths.ExePath + SettingsFileName;
    if (!FileExists(ToolPaths.ConfigFilePath)) {
        ToolOwnerlessMessageBox(Format(SConfigMissing, {ToolPaths.ConfigFilePath}),
                                SConfigFileError, MB_ICONERROR);
        return false;
    }
    try {
        ReadFolders(TIniFile(ToolPaths.ConfigFilePath), ToolPaths);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool LoadToolSection(const std::string& fileName, const std::function<bool()>& writeDefaults,
                     const std::function<void(const TIniFile&)>& readKeys,
                     TWriteFailureText failureText) {
    if (!FileExists(fileName)) {
        writeDefaults();
        if (!FileExists(fileName)) {
            ToolOwnerlessMessageBox(failureText(fileName), ToolCaption, MB_ICONERROR);
            return false;
        }
    }
    TIniFile ini(fileName);
    try {
        if (!ini.ReadBool(ToolSection, ToolFlagKey, false) && !writeDefaults()) {
            ToolOwnerlessMessageBox(failureText(fileName), SWriteFileError, MB_ICONERROR);
            return false;
        }
        readKeys(ini);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool WriteToolSection(const std::string& fileName,
                      const std::function<void(const TIniFile&)>& writeKeys) {
    TIniFile ini(fileName);
    try {
        ini.WriteInteger(ToolSection, ToolFlagKey, 1);
        writeKeys(ini);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator, bool trim) {
    std::vector<std::string> parts;
    if (!separator.empty()) {
        for (size_t found = text.find(separator); found != std::string_view::npos;
             found = text.find(separator)) {
            std::string_view part = text.substr(0, found);
            parts.push_back(trim ? Trim(part) : std::string(part));
            text.remove_prefix(found + separator.size());
        }
    }
    parts.emplace_back(text);
    return parts;
}

int ShowToolMessage(const std::string& text, const std::string& caption, UINT flags) {
    return Application->MessageBox(text, caption, flags);
}

bool SetProcessPrivilege(const char* name, bool enable) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
        return false;
    TOwnedHandle<HANDLE, CloseHandle> token(raw);
    TOKEN_PRIVILEGES privileges{};
    if (!LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid)) return false;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    return AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
}

void DoPowerAction(int kind) {
    SetProcessPrivilege(ShutdownPrivilege, true);
    if (kind >= 0 && kind < static_cast<int>(std::size(PowerActions))) PowerActions[kind]();
    SetProcessPrivilege(ShutdownPrivilege, false);
}
