// RescueTestSupport.h - registry values of any type for the rescue tests:
// written, read back, and keys made unwritable.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>
#include <support/Profiles.h>

#include <deque>
#include <string>
#include <vector>

#include "RegFixture.h"
#include "tresk.h"

inline void SetValue(const ScratchKey& key, const std::string& below, const char* name, DWORD type,
                     const std::string& data) {
    ASSERT_EQ(RegSetKeyValueA(key.Root(), key.Subkey(below).c_str(), name, type, data.data(),
                              static_cast<DWORD>(data.size())),
              ERROR_SUCCESS)
        << below << " " << (name ? name : "(default)");
}

// Type and bytes of a value as the ANSI registry functions give them; false
// when it can't be read.
inline bool ReadValue(const ScratchKey& key, const std::string& below, const char* name,
                      DWORD* type, std::string* data) {
    HKEY opened;
    if (RegOpenKeyExA(key.Root(), key.Subkey(below).c_str(), 0, KEY_READ, &opened)) return false;
    DWORD size = 0;
    LONG error = RegQueryValueExA(opened, name, nullptr, type, nullptr, &size);
    if (error == ERROR_SUCCESS) {
        data->assign(size, '\0');
        error = RegQueryValueExA(opened, name, nullptr, type, reinterpret_cast<BYTE*>(data->data()),
                                 &size);
        data->resize(size);
    }
    RegCloseKey(opened);
    return error == ERROR_SUCCESS;
}

inline std::string ValueText(const ScratchKey& key, const std::string& below, const char* name) {
    DWORD type = 0;
    std::string data;
    if (!ReadValue(key, below, name, &type, &data)) return "(missing)";
    return data;
}

inline DWORD ValueCount(const ScratchKey& key, const std::string& below) {
    DWORD count = 0;
    HKEY opened;
    if (RegOpenKeyExA(key.Root(), key.Subkey(below).c_str(), 0, KEY_READ, &opened)) return 0;
    RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(opened);
    return count;
}

// Makes a key readable but neither writable nor openable for full access,
// and gives it back its rights when it goes (so the fixture can remove it).
class DeniedKey {
public:
    DeniedKey(const ScratchKey& key, const std::string& below)
        : FRoot(key.Root()), FSubkey(key.Subkey(below)) {
        key.CreateKey(below);
        SetDacl("D:(D;;KA;;;WD)(A;;KR;;;WD)");
    }
    ~DeniedKey() { SetDacl("D:(A;;KA;;;WD)"); }
    DeniedKey(const DeniedKey&) = delete;
    DeniedKey& operator=(const DeniedKey&) = delete;

private:
    void SetDacl(const char* sddl) {
        HKEY key;
        // The owner may always change the access list.
        if (RegOpenKeyExA(FRoot, FSubkey.c_str(), 0, WRITE_DAC, &key)) return;
        PSECURITY_DESCRIPTOR sd = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd,
                                                                 nullptr)) {
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
            LocalFree(sd);
        }
        RegCloseKey(key);
    }
    HKEY FRoot;
    std::string FSubkey;
};

// A caller's selection for TrkBackup and TrkClean: the ScanEntry records and
// the SelectedEntry nodes, owned by the test as the main program owns its own.
class Selection {
public:
    Selection() = default;
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    // kind: EntryKindValue, EntryKindKey or anything else; a null name is the
    // default value.
    void Add(uint32_t kind, const std::string& keyPath, const char* entryName = nullptr) {
        FTexts.push_back(keyPath);
        char* path = FTexts.back().data();
        char* name = nullptr;
        if (entryName) {
            FTexts.push_back(entryName);
            name = FTexts.back().data();
        }
        FEntries.push_back(ScanEntry{0, ScanFonts | kind | ReasonFileMissing, nullptr, nullptr,
                                     path, name, nullptr});
        FNodes.push_back(
            SelectedEntry{static_cast<int32_t>(FNodes.size()), &FEntries.back(), nullptr});
        if (FNodes.size() > 1) FNodes[FNodes.size() - 2].next = &FNodes.back();
    }
    SelectedEntry* First() { return FNodes.empty() ? nullptr : &FNodes.front(); }
    uint32_t Count() const { return static_cast<uint32_t>(FNodes.size()); }

private:
    std::deque<std::string> FTexts;
    std::deque<ScanEntry> FEntries;
    std::deque<SelectedEntry> FNodes;
};

// Points the engine's rescue folder and index at the given places for the
// lifetime of the object.
class RescuePaths {
public:
    RescuePaths(const std::string& rescueFolder, const std::string& indexPath) {
        TrkGetConfig(&FSaved);
        Set(rescueFolder, indexPath);
    }
    ~RescuePaths() { TrkSetConfig(&FSaved); }
    RescuePaths(const RescuePaths&) = delete;
    RescuePaths& operator=(const RescuePaths&) = delete;

    void Set(const std::string& rescueFolder, const std::string& indexPath) {
        EngineConfig config{};
        rescueFolder.copy(config.rescueFolder, EnginePathSize - 1);
        indexPath.copy(config.rescueIndexPath, EnginePathSize - 1);
        TrkSetConfig(&config);
    }

private:
    EngineConfig FSaved{};
};

// A scratch key for the registry side, and a scratch folder that holds the
// engine's rescue files and index while the test runs.
struct RescueScratch {
    ScratchKey key{HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software"};
    ScratchFolder folder;
    std::string index = folder.Path() + "Rescue.ini";
    RescuePaths paths{folder.Path(), index};
};

class RescueFixture : public testing::Test, protected RescueScratch {};

inline std::string IniValue(const std::string& ini, const std::string& section, const char* key) {
    char value[2048];
    GetPrivateProfileStringA(section.c_str(), key, "(absent)", value, sizeof value, ini.c_str());
    return value;
}

// The rescue files in a folder, by full path.
inline std::vector<std::string> RescueFilesIn(const std::string& folder) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*.rrs").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return files;
    do files.push_back(folder + found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    return files;
}
