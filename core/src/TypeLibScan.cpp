// TypeLibScan.cpp - type-library registrations below
// HKEY_CLASSES_ROOT\TypeLib: empty keys at every level, help folders, and
// the library files of each locale.
#include "ComScan.h"
#include "FileUtil.h"
#include "ValueText.h"

namespace {

// Every report of a library carries its title and percent, at every level.
struct Library {
    std::string title;
    double percent;
};

// Reports the key as an empty key, invalid when it holds neither values nor
// subkeys; true when it holds something and so is looked into further.
bool ReportHoldsSomething(const Library& library, const std::string& path, const KeyInfo& info) {
    bool empty = info.valueCount == 0 && info.subkeyCount == 0;
    ReportComKey(library.title, path, nullptr, ReasonEmptyKey, library.percent, empty);
    return !empty;
}

// The key's default value when it is a text.
bool ReadDefaultText(HKEY key, std::string* value) {
    DWORD type = REG_NONE;
    return ReadValueText(key, nullptr, nullptr, value, &type) == ERROR_SUCCESS &&
           IsStringType(type);
}

void TestHelpFolder(const Library& library, HKEY key, const std::string& path) {
    std::string folder;
    if (!ReadDefaultText(key, &folder)) return;
    ReportComKey(library.title, path, folder.c_str(), ReasonFolderMissing, library.percent,
                 !FolderExists(folder.c_str()));
}

// A locale key (0, 409 ...) holds the library file in its "win32" subkey.
void TestLocaleFile(const Library& library, HKEY key, const std::string& path) {
    RegKey win32;
    if (win32.Open(key, "win32") != ERROR_SUCCESS) return;
    KeyInfo info;
    if (QueryKeyInfo(win32.Get(), nullptr, &info) != ERROR_SUCCESS) return;
    std::string win32Path = path + "\\win32";
    if (!ReportHoldsSomething(library, win32Path, info)) return;
    std::string file;
    if (!ReadDefaultText(win32.Get(), &file)) return;
    ReportComKey(library.title, win32Path, file.c_str(), ReasonFileMissing, library.percent,
                 !CommandTargetExists(file.c_str(), true, true));
}

// One subkey of a version key: HELPDIR, a locale, or anything else (FLAGS).
void ScanVersionEntry(const Library& library, HKEY key, const char* name, const std::string& path) {
    KeyInfo info;
    if (QueryKeyInfo(key, nullptr, &info) != ERROR_SUCCESS) return;
    if (!ReportHoldsSomething(library, path, info)) return;
    if (CompareNoCase(name, "HELPDIR") == 0)
        TestHelpFolder(library, key, path);
    else if (IsAllDigits(name))
        TestLocaleFile(library, key, path);
    else
        g_engine.walkPump.Step();
}

void ScanVersion(const Library& library, HKEY key, const std::string& path) {
    KeyInfo info;
    if (QueryKeyInfo(key, nullptr, &info) != ERROR_SUCCESS) return;
    if (!ReportHoldsSomething(library, path, info)) return;
    ForEachSubkey(key, info.subkeyCount, [&](RegKey& entry, const char* name, DWORD) -> LONG {
        ScanVersionEntry(library, entry.Get(), name, path + "\\" + name);
        return ERROR_SUCCESS;
    });
    g_engine.walkPump.Step();
}

LONG ScanLibrary(HKEY key, const char* name, double percent) {
    KeyInfo info;
    if (QueryKeyInfo(key, nullptr, &info) != ERROR_SUCCESS) return ERROR_SUCCESS;
    Library library{DefaultValueText(key, nullptr), percent};
    std::string path = std::string("HKEY_CLASSES_ROOT\\TypeLib\\") + name;
    if (!ReportHoldsSomething(library, path, info)) return ERROR_SUCCESS;
    ForEachSubkey(key, info.subkeyCount, [&](RegKey& version, const char* versionName, DWORD) {
        ScanVersion(library, version.Get(), path + "\\" + versionName);
        return ERROR_SUCCESS;
    });
    g_engine.walkPump.Step();
    return ERROR_SUCCESS;
}

}  // namespace

DWORD ScanTypeLibKeys() { return ForEachComKey("TypeLib", ScanLibrary); }
