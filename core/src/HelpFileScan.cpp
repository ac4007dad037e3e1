// HelpFileScan.cpp - the help-file category: each value of the Help and
// HelpHTML keys names a help file by its name and its folder.
#include <string>

#include "FileUtil.h"
#include "Registry.h"
#include "Scanners.h"
#include "ValueListScan.h"

namespace {

const char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows";

// The data is the folder, the value name the file in it; anything that
// exists there counts.
ValueVerdict TestHelpFileValue(const ListedValue& value) {
    std::string path = ExpandedData(value);
    AppendBackslash(path);
    path += value.name;
    bool valid = FileExists(path.c_str(), true);
    return {value.name, path, valid};
}

}  // namespace

DWORD ScanHelpFileValues(HKEY windowsKey, const char* subkey) {
    // Help entries are tagged with the fonts category, as the Run entries are.
    static const ValueListScan scan = {
        ScanEntryCode{ScanFonts} | EntryKindValue | ReasonFileMissing, true, false,
        TestHelpFileValue};
    std::string keyPath = std::string("HKEY_LOCAL_MACHINE\\") + kWindowsKey + "\\" + subkey;
    return ScanValueList(windowsKey, subkey, keyPath, scan);
}

DWORD ScanHelpFileKeys() {
    RegKey windows;
    if (LONG error = windows.Open(HKEY_LOCAL_MACHINE, kWindowsKey)) return error;
    // Only the second pass's result is the category's result.
    ScanHelpFileValues(windows.Get(), "Help");
    return ScanHelpFileValues(windows.Get(), "HelpHTML");
}
