// Registry.h - registry keys opened under a root, and values read and written
// in them.
//
//   TRegistry    RootKey, OpenKey (creating when asked), OpenKeyReadOnly,
//                CloseKey, ReadString, WriteString, DeleteValue, ValueExists
//   TRegIniFile  a key read like an ini file: ReadString(subkey, value, default)
//
// Key paths starting with "\" are taken from the root, others from the key
// that is open (from the root when none is). The root keys belong to the
// platform and are never closed; an opened key belongs to its object.
#pragma once

#include <classlib/Classes.h>
#include <classlib/Handles.h>

#include <string>

class TRegistry : public TObject {
public:
    // Keys are opened with access (KEY_ALL_ACCESS by default) under
    // HKEY_CURRENT_USER until SetRootKey chooses another root.
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : FAccess(access) {}

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key.
    void SetRootKey(HKEY root);
    REGSAM Access() const { return FAccess; }
    void SetAccess(REGSAM access) { FAccess = access; }
    HKEY CurrentKey() const { return FCurrentKey.Get(); }
    // The open key's path below the root, without a leading "\".
    const std::string& CurrentPath() const { return FCurrentPath; }

    // Opens the key, creating it (and its parents) when canCreate is set;
    // false when that fails, and the key open before stays open.
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();

    // "" for a missing value; ERegistryException "Invalid data type for '%s'"
    // for a value that is no string, "Failed to get data for '%s'" when it
    // cannot be read.
    std::string ReadString(const std::string& name) const;
    // ERegistryException "Failed to set data for '%s'" when the write fails
    // (no key open, no right to write ...).
    void WriteString(const std::string& name, const std::string& value) const;
    bool DeleteValue(const std::string& name) const;
    bool ValueExists(const std::string& name) const;

private:
    bool Open(const std::string& key, bool canCreate, REGSAM access);

    HKEY FRootKey = HKEY_CURRENT_USER;
    REGSAM FAccess;
    TOwnedKey FCurrentKey;
    std::string FCurrentPath;
};

// A registry key read like an ini file: "sections" are its subkeys, "idents"
// their string values. The key is opened for reading only and never created.
class TRegIniFile : public TRegistry {
public:
    // fileName: the key's path under HKEY_CURRENT_USER.
    explicit TRegIniFile(const std::string& fileName);

    const std::string& FileName() const { return FFileName; }
    // The string value ident of the subkey section (of the key itself for an
    // empty section); defaultValue when the key, the subkey or the value is
    // missing or the value is not a string.
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const;

private:
    std::string FFileName;
};
