// RegistryBaseline.cpp - opens, enumerations and queries of the COM and
// file-type scans. Key information is read as the engine reads it (open the
// key again, query, close), a key's existence as it tests it (open the middle
// key, then the last), a subkey's value by opening the subkey.
#include "RegistryBaseline.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <string>

namespace {

class Key {
public:
    Key() = default;
    ~Key() {
        if (FKey) RegCloseKey(FKey);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    // True when opened; error (when given) receives the open's result.
    bool Open(HKEY parent, const char* subkey, LONG* error = nullptr) {
        LONG result = RegOpenKeyExA(parent, subkey, 0, KEY_ALL_ACCESS, &FKey);
        if (error) *error = result;
        return result == ERROR_SUCCESS;
    }
    HKEY Get() const { return FKey; }

private:
    HKEY FKey = nullptr;
};

struct Counts {
    DWORD subkeys = 0;
    DWORD values = 0;
    bool Empty() const { return subkeys == 0 && values == 0; }
};

bool Info(HKEY parent, const char* subkey, Counts* counts) {
    Key key;
    if (!key.Open(parent, subkey)) return false;
    return RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &counts->subkeys, nullptr,
                            nullptr, &counts->values, nullptr, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
}

LONG ReadDefault(HKEY parent, const char* subkey, std::string* text, DWORD* type) {
    char buffer[520];
    DWORD size = sizeof buffer;
    LONG error;
    if (subkey && *subkey) {
        Key key;
        if (!key.Open(parent, subkey)) return ERROR_FILE_NOT_FOUND;
        error = RegQueryValueExA(key.Get(), nullptr, nullptr, type, reinterpret_cast<BYTE*>(buffer),
                                 &size);
    } else {
        error = RegQueryValueExA(parent, nullptr, nullptr, type, reinterpret_cast<BYTE*>(buffer),
                                 &size);
    }
    text->assign(buffer, error == ERROR_SUCCESS ? strnlen(buffer, size) : 0);
    return error;
}

void Exists(HKEY root, const char* middle, const std::string& last) {
    if (last.empty()) return;
    Key outer, inner;
    if (outer.Open(root, middle)) inner.Open(outer.Get(), last.c_str());
}

template <class Visit>
void Walk(HKEY parent, DWORD count, Visit&& visit) {
    for (DWORD index = 0; index < count; ++index) {
        char name[520];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(parent, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            continue;
        Key key;
        if (key.Open(parent, name)) visit(key.Get(), static_cast<const char*>(name));
    }
}

template <class Visit>
void WalkRoot(const char* rootName, Visit&& visit) {
    Key root;
    Counts counts;
    if (!root.Open(HKEY_CLASSES_ROOT, rootName) || !Info(root.Get(), nullptr, &counts)) return;
    Walk(root.Get(), counts.subkeys, visit);
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

void ReadClass(HKEY cls, const char*) {
    std::string value;
    DWORD type = 0;
    ReadDefault(cls, nullptr, &value, &type);
    ReadDefault(cls, "InprocServer32", &value, &type);
    ReadDefault(cls, "LocalServer", &value, &type);
    if (ReadDefault(cls, "TypeLib", &value, &type) == ERROR_SUCCESS && type == REG_SZ)
        Exists(HKEY_CLASSES_ROOT, "TypeLib", value);
    if (ReadDefault(cls, "ProgID", &value, &type) == ERROR_SUCCESS && type == REG_SZ)
        Exists(HKEY_CLASSES_ROOT, nullptr, value);
    ReadDefault(cls, "DefaultIcon", &value, &type);
}

void ReadVersionEntry(HKEY entry, const char* name) {
    Counts counts;
    if (!Info(entry, nullptr, &counts) || counts.Empty()) return;
    std::string value;
    DWORD type = 0;
    bool digits = true;
    for (const char* c = name; *c; ++c) digits = digits && isdigit(static_cast<unsigned char>(*c));
    if (_stricmp(name, "HELPDIR") == 0) {
        ReadDefault(entry, nullptr, &value, &type);
    } else if (digits) {
        Key win32;
        if (win32.Open(entry, "win32") && Info(win32.Get(), nullptr, &counts) && !counts.Empty())
            ReadDefault(win32.Get(), nullptr, &value, &type);
    }
}

void ReadLibrary(HKEY library, const char*) {
    Counts counts;
    if (!Info(library, nullptr, &counts)) return;
    std::string title;
    DWORD type = 0;
    ReadDefault(library, nullptr, &title, &type);
    if (counts.Empty()) return;
    Walk(library, counts.subkeys, [](HKEY version, const char*) {
        Counts versionCounts;
        if (Info(version, nullptr, &versionCounts) && !versionCounts.Empty())
            Walk(version, versionCounts.subkeys, ReadVersionEntry);
    });
}

void ReadInterface(HKEY iface, const char*) {
    Counts counts;
    if (!Info(iface, nullptr, &counts)) return;
    std::string value;
    DWORD type = 0;
    ReadDefault(iface, nullptr, &value, &type);
    if (counts.Empty()) return;
    for (auto [subkey, under] : {std::pair{"TypeLib", "TypeLib"}, {"ProxyStubclsid32", "CLSID"}}) {
        Key reference;
        if (!reference.Open(iface, subkey)) continue;
        if (ReadDefault(reference.Get(), nullptr, &value, &type) == ERROR_SUCCESS && IsText(type))
            Exists(HKEY_CLASSES_ROOT, under, value);
    }
}

// One class subkey check: existence, title, value, and the key it names.
void ReadClassSubkey(const char* name, const char* subkey, const char* under, bool named) {
    Key outer, inner;
    if (!outer.Open(HKEY_CLASSES_ROOT, name)) return;
    LONG error = ERROR_SUCCESS;
    if (!inner.Open(outer.Get(), subkey, &error) && error == ERROR_FILE_NOT_FOUND) return;
    std::string value;
    DWORD type = 0;
    ReadDefault(HKEY_CLASSES_ROOT, name, &value, &type);
    std::string relative = std::string(name) + "\\" + subkey;
    if (ReadDefault(HKEY_CLASSES_ROOT, relative.c_str(), &value, &type) == ERROR_SUCCESS && named)
        Exists(HKEY_CLASSES_ROOT, under, value);
}

void ReadRootKey(const char* name) {
    std::string value;
    DWORD type = 0;
    if (name[0] == '.') {
        LONG read = ReadDefault(HKEY_CLASSES_ROOT, name, &value, &type);
        Counts counts;
        if (read == ERROR_FILE_NOT_FOUND) Info(HKEY_CLASSES_ROOT, name, &counts);
        if (read != ERROR_SUCCESS) return;
        Exists(HKEY_CLASSES_ROOT, nullptr, value);
        ReadClassSubkey(name, "PersistentHandler", "CLSID", true);
        return;
    }
    for (const char* skipped :
         {"CLSID", "TypeLib", "AppID", "Applications", "Installer", "Interface", "Software"})
        if (_stricmp(name, skipped) == 0) return;
    ReadClassSubkey(name, "CLSID", "CLSID", true);
    ReadClassSubkey(name, "DefaultIcon", nullptr, false);
    ReadClassSubkey(name, "CurVer", nullptr, true);
}

}  // namespace

void ReadComRegistrations() {
    WalkRoot("CLSID", ReadClass);
    WalkRoot("TypeLib", ReadLibrary);
    WalkRoot("Interface", ReadInterface);
}

void ReadFileTypeRegistrations() {
    Counts counts;
    if (!Info(HKEY_CLASSES_ROOT, nullptr, &counts)) return;
    for (DWORD index = 0; index < counts.subkeys; ++index) {
        char name[520];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(HKEY_CLASSES_ROOT, index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS)
            ReadRootKey(name);
    }
}
