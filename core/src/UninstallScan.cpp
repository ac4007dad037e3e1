// UninstallScan.cpp - the software category: each installed product's
// uninstall commands must start a program that exists, and a product entry
// with no uninstall information at all is reported as a key.
//
// This scan doesn't pump the caller's messages: only a stop asked for from
// the caller's entry callback ends it early.
#include "UninstallScan.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "Engine.h"
#include "FileUtil.h"
#include "Registry.h"
#include "Scanners.h"
#include "SubkeyWalk.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kTitle[] = "Uninstall";

enum class CommandValue { Absent, Checked, NoMemory };

bool ValueExists(HKEY key, const char* name) {
    return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// Reads one command value into a buffer of its size and reports it: valid
// when it is a string whose program exists. The target is the data as text,
// up to its first zero and never past its end, whatever its type.
CommandValue CheckCommandValue(HKEY product, const char* valueName, const std::string& keyPath,
                               double percent) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(product, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return CommandValue::Absent;
    std::unique_ptr<char[]> data(new (std::nothrow) char[size ? size : 1]);
    if (!data) return CommandValue::NoMemory;
    if (RegQueryValueExA(product, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.get()),
                         &size) != ERROR_SUCCESS)
        return CommandValue::Checked;
    std::string command(data.get(), strnlen(data.get(), size));
    bool valid = (type == REG_SZ || type == REG_EXPAND_SZ) &&
                 CommandTargetExists(command.c_str(), true, true);
    ReportEntry(kTitle, keyPath.c_str(), valueName, command.c_str(),
                ScanEntryCode{ScanSoftware} | EntryKindValue | ReasonFileMissing, percent, !valid);
    return CommandValue::Checked;
}

}  // namespace

DWORD CheckUninstallKeys() {
    RegKey uninstallKey;
    if (LONG error = uninstallKey.Open(HKEY_LOCAL_MACHINE, kUninstallKey)) return error;
    DWORD count = SubkeyCount(uninstallKey.Get());
    ForEachSubkey(
        uninstallKey.Get(), count, [&](RegKey& product, const char* name, DWORD index) -> LONG {
            std::string keyPath = std::string("HKEY_LOCAL_MACHINE\\") + kUninstallKey + "\\" + name;
            double percent = ProgressPercent(index, count);
            CommandValue uninstall =
                CheckCommandValue(product.Get(), "UninstallString", keyPath, percent);
            if (uninstall == CommandValue::NoMemory) return ERROR_SUCCESS;
            CommandValue quiet =
                CheckCommandValue(product.Get(), "QuietUninstallString", keyPath, percent);
            // No memory for the quiet command ends the whole scan.
            if (quiet == CommandValue::NoMemory) return ERROR_OUTOFMEMORY;
            bool used = ValueExists(product.Get(), "SystemComponent") ||
                        uninstall != CommandValue::Absent || quiet != CommandValue::Absent;
            if (!used)
                ReportEntry(kTitle, keyPath.c_str(), nullptr, name,
                            ScanEntryCode{ScanSoftware} | EntryKindKey | ReasonFileMissing, percent,
                            1);
            return ERROR_SUCCESS;
        });
    return ERROR_SUCCESS;
}

DWORD ScanUninstallKeys() { return CheckUninstallKeys(); }
