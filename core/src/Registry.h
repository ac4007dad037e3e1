// Registry.h - the engine's layer over the registry: an owning key handle, a
// key named by its full path, key information, value reads, existence tests,
// root-key paths, case-free comparison, and deletes that prune the keys they
// leave empty.
//
// Every key is opened for full access, so only keys the user may change are
// reached. Results are Win32 error numbers.
#pragma once

#include <windows.h>

#include <string>

// Owns one open registry key; closes it when it goes.
class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : FKey(key) {}
    RegKey(RegKey&& other) noexcept : FKey(other.Release()) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Reset(nullptr); }

    // Opens parent\subkey (null: the parent itself) for full access.
    LONG Open(HKEY parent, const char* subkey) {
        HKEY key = nullptr;
        LONG error = RegOpenKeyExA(parent, subkey, 0, KEY_ALL_ACCESS, &key);
        Reset(error == ERROR_SUCCESS ? key : nullptr);
        return error;
    }
    LONG Create(HKEY parent, const char* subkey) {
        HKEY key = nullptr;
        LONG error =
            RegCreateKeyExA(parent, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        Reset(error == ERROR_SUCCESS ? key : nullptr);
        return error;
    }

    HKEY Get() const { return FKey; }
    explicit operator bool() const { return FKey != nullptr; }
    HKEY Release() {
        HKEY key = FKey;
        FKey = nullptr;
        return key;
    }
    void Reset(HKEY key) {
        if (FKey) RegCloseKey(FKey);
        FKey = key;
    }

private:
    HKEY FKey = nullptr;
};

// A key named by a full path, opened for full access. A path with nothing
// after the root name stands for the root key itself, used as it is and never
// closed; any other path names its own key, however short its name.
class NamedKey {
public:
    // create: a missing key is created, with its missing parents.
    LONG Open(const char* path, bool create);
    HKEY Get() const { return FRoot ? FRoot : FOwned.Get(); }

private:
    HKEY FRoot = nullptr;
    RegKey FOwned;
};

struct KeyInfo {
    DWORD subkeyCount;
    DWORD subkeyNameSize;          // longest subkey name + 1
    DWORD valueCount;              // the default value counts when it is set
    DWORD valueNameSize;           // longest value name + 1
    DWORD valueDataSize;           // largest value data in bytes
    DWORD securityDescriptorSize;  // + 1
    FILETIME lastWriteTime;
};

// Names and values are read into buffers of this size: 519 characters and the
// zero. A longer name fails to enumerate and its entry is passed over.
constexpr DWORD RegNameSize = 520;

// Opens key\subkey (null: the key itself again) for full access and reads
// its information.
LONG QueryKeyInfo(HKEY key, const char* subkey, KeyInfo* info);
// The information of a key the caller holds open, read without opening it
// again.
LONG QueryOpenKeyInfo(HKEY key, KeyInfo* info);
LONG QueryValue(HKEY key, const char* subkey, const char* valueName, DWORD* type, BYTE* data,
                DWORD* size);
bool KeyExists(HKEY key, const char* sub1, const char* sub2);

// The predefined key named by the path's first part, or 0. With a backslash
// in the path and rest given, rest receives the text after it.
HKEY SplitRootKey(const char* path, std::string* rest);
// The name SplitRootKey understands for a predefined key, or null.
const char* RootKeyName(HKEY root);

int CompareNoCase(const char* a, const char* b);
int CompareNoCaseN(const char* a, const char* b, size_t n);

LONG DeleteKeyPruned(const char* keyPath, bool noPrune);
LONG DeleteValuePruned(const char* keyPath, const char* valueName, bool noPrune);
