// globals.cpp - the settings store, the engine paths and the small shared
// helpers.
#include <app/ScanCategories.h>
#include <app/globals.h>
#include <classlib/SysUtils.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <variant>
#include <vector>

TAppSettings AppSettings;
int32_t BusyCursorDepth = 0;

TMessageBoxEvent OwnerlessMessageBox = [](const std::string& text, const std::string& caption,
                                          UINT flags) {
    return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
};

TShellExecuteEvent ShellExecuteLink = [](SHELLEXECUTEINFOA& info) {
    return ::ShellExecuteExA(&info);
};

namespace {

constexpr const char* SCannotSaveConfig = "Cann't save config to file %s !";
constexpr const char* CopyrightKey = "Copyright";
constexpr const char* VersionKey = "Version";
constexpr const char* BackupFolderName = "backup";
constexpr const char* RescueIndexName = "Rescue.ini";

// --- Section "system" ------------------------------------------------------------------------

using TStateField =
    std::variant<bool TGlobalVars::*, int32_t TGlobalVars::*, std::string TGlobalVars::*>;

struct TStateKey {
    std::string Name;
    TStateField Field;
};

// The state keys in the order they are read and written: the options, dates
// and counters, then the category boxes.
std::vector<TStateKey> MakeStateKeys() {
    std::vector<TStateKey> keys = {
        {"StartWhenSystemBoots", &TGlobalVars::StartWhenSystemBoots},
        {"StartScanWhenStarts", &TGlobalVars::StartScanWhenStarts},
        {"StartMin", &TGlobalVars::StartMin},
        {"ConfirmBackups", &TGlobalVars::ConfirmBackups},
        {"LastScanDateTime", &TGlobalVars::LastScanDateTime},
        {"LastScanResult", &TGlobalVars::LastScanResult},
        {"LastRegistryDefragDateTime", &TGlobalVars::LastRegistryDefragDateTime},
        {"LastRegistryBackupDateTime", &TGlobalVars::LastRegistryBackupDateTime},
        {"InvalidRegistryEntriesFoundToDate", &TGlobalVars::InvalidRegistryEntriesFoundToDate},
        {"RegistryErrorsFixedToDate", &TGlobalVars::RegistryErrorsFixedToDate},
    };
    for (const TScanCategoryInfo& category : ScanCategoryInfo)
        keys.push_back({category.SettingsKey(), category.Setting});
    return keys;
}

const std::vector<TStateKey> StateKeys = MakeStateKeys();

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

// Each key read with its field's current value as the default.
void ReadStateSettings(const TCustomIniFile& ini, TGlobalVars& vars) {
    for (const TStateKey& key : StateKeys) {
        std::visit(Overloaded{
                       [&](bool TGlobalVars::*field) {
                           vars.*field = ini.ReadBool(SystemSection, key.Name, vars.*field);
                       },
                       [&](int32_t TGlobalVars::*field) {
                           vars.*field = ini.ReadInteger(SystemSection, key.Name, vars.*field);
                       },
                       [&](std::string TGlobalVars::*field) {
                           vars.*field = ini.ReadString(SystemSection, key.Name, vars.*field);
                       },
                   },
                   key.Field);
    }
}

void ReadSettings(const TCustomIniFile& ini, TAppSettings& settings) {
    settings.Copyright = ini.ReadString(SystemSection, CopyrightKey, DefaultCopyright);
    settings.Version = ini.ReadString(SystemSection, VersionKey, DefaultVersion);
    ReadStateSettings(ini, settings);
    ReadSettingsFolders(ini, settings);
}

// --- Section "Form" --------------------------------------------------------------------------

constexpr const char* LeftKey = "x";
constexpr const char* TopKey = "y";
constexpr const char* MaximizedKey = "maximized";

std::string FormPositionFileName(const std::string& fileName) {
    return Trim(fileName).empty() ? AppSettings.ConfigFilePath : fileName;
}

// --- Engine paths ----------------------------------------------------------------------------

// Copies path with its zero into field when both fit; the field stays as it is otherwise.
void CopyEnginePath(char (&field)[EnginePathSize], const std::string& path) {
    if (path.size() < EnginePathSize) std::memcpy(field, path.c_str(), path.size() + 1);
}

}  // namespace

// --- Settings --------------------------------------------------------------------------------

bool LoadSettings() { return LoadSettingsFrom(ProgramFolder()); }

bool LoadSettingsFrom(const std::string& programFolder) {
    AppSettings = TAppSettings{};
    AppSettings.ExePath = EnsureTrailingBackslash(programFolder);
    AppSettings.ConfigFilePath = AppSettings.ExePath + SettingsFileName;
    if (!FileExists(AppSettings.ConfigFilePath) && !WriteDefaultSettings()) {
        OwnerlessMessageBox(Format(SCannotSaveConfig, {AppSettings.ConfigFilePath}),
                            SWriteFileError, MB_ICONERROR);
        return false;
    }
    try {
        // Section "system" read from the file once, every key from memory.
        ReadSettings(TMemIniFile(AppSettings.ConfigFilePath), AppSettings);
        static_cast<TSettingsPaths&>(AppSettings) = SettingsPaths(AppSettings.ExePath, AppSettings);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool WriteDefaultSettings() {
    try {
        TIniFile ini(AppSettings.ConfigFilePath);
        WriteStateSettings(ini);
        ini.WriteString(SystemSection, SkinsDirKey, DefaultSkinsDir);
        ini.WriteString(SystemSection, LanguagesDirKey, DefaultLanguagesDir);
        ini.WriteString(SystemSection, LanguageFileKey, DefaultLanguageFile);
        ini.WriteString(SystemSection, CopyrightKey, DefaultCopyright);
        ini.WriteString(SystemSection, VersionKey, DefaultVersion);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void WriteStateSettings(const TIniFile& ini) {
    const TGlobalVars& vars = AppSettings;
    for (const TStateKey& key : StateKeys) {
        std::visit(Overloaded{
                       [&](bool TGlobalVars::*field) {
                           ini.WriteBool(SystemSection, key.Name, vars.*field);
                       },
                       [&](int32_t TGlobalVars::*field) {
                           ini.WriteInteger(SystemSection, key.Name, vars.*field);
                       },
                       [&](std::string TGlobalVars::*field) {
                           ini.WriteString(SystemSection, key.Name, vars.*field);
                       },
                   },
                   key.Field);
    }
}

// --- Window position -------------------------------------------------------------------------

void SaveFormPosition(const std::string& section, const TCustomForm& form,
                      const std::string& fileName) {
    TIniFile ini(FormPositionFileName(fileName));
    ini.WriteInteger(section, LeftKey, form.Left());
    ini.WriteInteger(section, TopKey, form.Top());
    ini.WriteBool(section, MaximizedKey, form.WindowState() == wsMaximized);
}

bool LoadFormPosition(const std::string& section, TCustomForm& form, const std::string& fileName) {
    TMemIniFile ini(FormPositionFileName(fileName));
    bool maximized = ini.ReadBool(section, MaximizedKey, false);
    int left = ini.ReadInteger(section, LeftKey, form.Left());
    int top = ini.ReadInteger(section, TopKey, form.Top());
    // A maximised window stands a few pixels off the screen's corner.
    form.SetLeft(std::max(left, 0));
    form.SetTop(std::max(top, 0));
    form.SetWindowState(maximized ? wsMaximized : wsNormal);
    return true;
}

// --- Engine paths ----------------------------------------------------------------------------

void InitEnginePaths() {
    ScanMonitor = TScanMonitor{};
    AppEngineConfig = EngineConfig{};
    std::string folder = EnsureTrailingBackslash(AppSettings.ExePath + BackupFolderName);
    CopyEnginePath(AppEngineConfig.rescueFolder, folder);
    CopyEnginePath(AppEngineConfig.rescueIndexPath, folder + RescueIndexName);
    if (!DirectoryExists(folder)) ForceDirectories(folder);
}

// --- Small helpers ---------------------------------------------------------------------------

std::string CurrentDateTimeText() { return FormatDateTime(DateTimeTextFormat, Now()); }

void OpenLink(const std::string& link) {
    TBusyCursor busy;
    if (Trim(link).empty()) return;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "Open";
    info.lpFile = link.c_str();
    info.nShow = SW_SHOWNORMAL;
    // The started program is not waited for; its process handle is let go at once.
    if (ShellExecuteLink(info) && info.hProcess) CloseHandle(info.hProcess);
}

int32_t ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
    return Application->MessageBox(text, caption, flags);
}

void BeginBusyCursor() {
    ++BusyCursorDepth;
    Screen->SetCursor(crHourGlass);
}

void EndBusyCursor() {
    if (BusyCursorDepth <= 0) return;
    if (--BusyCursorDepth == 0) Screen->SetCursor(crDefault);
}
