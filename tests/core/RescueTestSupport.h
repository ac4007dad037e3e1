// RescueTestSupport.h - registry values of any type for the rescue tests:
// written, read back, and keys made unwritable.
#pragma once

#include "RegFixture.h"

#include <sddl.h>

#include <string>

inline void SetValue(const ScratchKey& key, const std::string& below, const char* name,
                     DWORD type, const std::string& data) {
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
        error = RegQueryValueExA(opened, name, nullptr, type,
                                 reinterpret_cast<BYTE*>(data->data()), &size);
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
    RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                     nullptr, nullptr, nullptr, nullptr);
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
