// Registry.cpp - registry keys and string values.
#include <classlib/Registry.h>
#include <classlib/SysUtils.h>

#include "Consts.h"

namespace {

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The value's data and type; false when it cannot be read.
bool QueryValue(HKEY key, const std::string& name, std::string& data, DWORD& type) {
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    // The value may grow between the two calls: ask again until it fits.
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        data.assign(size, '\0');
        DWORD got = size;
        result = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &got);
        if (result == ERROR_SUCCESS) {
            data.resize(got);
            return true;
        }
        size = got > size ? got : size * 2 + 16;
    }
    return false;
}

}  // namespace

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    FRootKey = root;
}

bool TRegistry::Open(const std::string& key, bool canCreate, REGSAM access) {
    bool fromRoot = !key.empty() && key[0] == '\\';
    bool relative = !fromRoot && FCurrentKey;
    std::string path = fromRoot ? key.substr(1) : key;
    HKEY base = relative ? FCurrentKey.Get() : FRootKey;
    HKEY opened = nullptr;
    LONG result = canCreate ? RegCreateKeyExA(base, path.c_str(), 0, nullptr, 0, access, nullptr,
                                              &opened, nullptr)
                            : RegOpenKeyExA(base, path.c_str(), 0, access, &opened);
    if (result != ERROR_SUCCESS) return false;
    if (relative && !FCurrentPath.empty())
        path = path.empty() ? FCurrentPath : FCurrentPath + "\\" + path;
    FCurrentKey.Reset(opened);
    FCurrentPath = path;
    return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    return Open(key, canCreate, FAccess);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return Open(key, false, KEY_READ); }

void TRegistry::CloseKey() {
    FCurrentKey.Reset();
    FCurrentPath.clear();
}

std::string TRegistry::ReadString(const std::string& name) const {
    if (!ValueExists(name)) return {};
    std::string data;
    DWORD type = REG_NONE;
    if (!QueryValue(FCurrentKey.Get(), name, data, type))
        throw ERegistryException(Format(SRegGetDataFailed, {name}));
    if (!IsStringType(type)) throw ERegistryException(Format(SInvalidRegType, {name}));
    // Up to the first zero: stored strings may carry none, one or several.
    return data.substr(0, data.find('\0'));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) const {
    LONG result = FCurrentKey ? RegSetValueExA(FCurrentKey.Get(), name.c_str(), 0, REG_SZ,
                                               reinterpret_cast<const BYTE*>(value.c_str()),
                                               static_cast<DWORD>(value.size() + 1))
                              : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS) throw ERegistryException(Format(SRegSetDataFailed, {name}));
}

bool TRegistry::DeleteValue(const std::string& name) const {
    return FCurrentKey && RegDeleteValueA(FCurrentKey.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
    return FCurrentKey && RegQueryValueExA(FCurrentKey.Get(), name.c_str(), nullptr, nullptr,
                                           nullptr, nullptr) == ERROR_SUCCESS;
}

TRegIniFile::TRegIniFile(const std::string& fileName) : TRegistry(KEY_READ), FFileName(fileName) {
    OpenKey(fileName, false);
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
    if (!CurrentKey()) return defaultValue;
    HKEY opened = nullptr;
    if (!section.empty() &&
        RegOpenKeyExA(CurrentKey(), section.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return defaultValue;
    TOwnedKey subkey(opened);
    std::string data;
    DWORD type = REG_NONE;
    if (!QueryValue(subkey ? subkey.Get() : CurrentKey(), ident, data, type) || !IsStringType(type))
        return defaultValue;
    return data.substr(0, data.find('\0'));
}
