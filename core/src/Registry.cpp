// Registry.cpp - key information, value reads, root-key paths and the
// pruning deletes.
#include "Registry.h"

#include <mbstring.h>

#include <cstring>

namespace {

struct RootName {
    const char* name;
    HKEY key;
};

const RootName kRootNames[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},     {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},     {"HKEY_USERS", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
};

const unsigned char* AsMb(const char* text) { return reinterpret_cast<const unsigned char*>(text); }

// A path that the deletes may act on: a known root and a non-empty rest.
bool SplitDeletablePath(const char* keyPath, HKEY* root, std::string* rest) {
    if (!keyPath || !*keyPath) return false;
    if (!_mbschr(AsMb(keyPath), '\\')) return false;  // a root key alone
    *root = SplitRootKey(keyPath, rest);
    return *root != nullptr && !rest->empty();
}

}  // namespace

LONG QueryKeyInfo(HKEY key, const char* subkey, KeyInfo* info) {
    if (!info) return ERROR_WRITE_FAULT;  // 29
    RegKey opened;
    if (LONG error = opened.Open(key, subkey)) return error;
    return QueryOpenKeyInfo(opened.Get(), info);
}

LONG QueryOpenKeyInfo(HKEY key, KeyInfo* info) {
    *info = KeyInfo{};
    LONG error =
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &info->subkeyCount, &info->subkeyNameSize,
                         nullptr, &info->valueCount, &info->valueNameSize, &info->valueDataSize,
                         &info->securityDescriptorSize, &info->lastWriteTime);
    info->subkeyNameSize += 1;
    info->valueNameSize += 1;
    info->securityDescriptorSize += 1;
    return error;
}

LONG QueryValue(HKEY key, const char* subkey, const char* valueName, DWORD* type, BYTE* data,
                DWORD* size) {
    if (subkey && *subkey) {
        RegKey opened;
        if (LONG error = opened.Open(key, subkey)) return error;
        return RegQueryValueExA(opened.Get(), valueName, nullptr, type, data, size);
    }
    return RegQueryValueExA(key, valueName, nullptr, type, data, size);
}

bool KeyExists(HKEY key, const char* sub1, const char* sub2) {
    if (!key || !sub2 || !*sub2) return false;
    RegKey outer;
    if (outer.Open(key, sub1) != ERROR_SUCCESS) return false;
    RegKey inner;
    return inner.Open(outer.Get(), sub2) != ERROR_FILE_NOT_FOUND;
}

HKEY SplitRootKey(const char* path, std::string* rest) {
    if (!path || !*path) return nullptr;
    const unsigned char* slash = _mbschr(AsMb(path), '\\');
    size_t firstLength = slash ? static_cast<size_t>(slash - AsMb(path)) : strlen(path);
    std::string first(path, firstLength);
    for (const RootName& root : kRootNames) {
        if (CompareNoCase(first.c_str(), root.name) != 0) continue;
        if (slash && rest) rest->assign(reinterpret_cast<const char*>(slash) + 1);
        return root.key;
    }
    return nullptr;
}

LONG NamedKey::Open(const char* path, bool create) {
    std::string rest;
    HKEY root = SplitRootKey(path, &rest);
    if (!root) return ERROR_INVALID_PARAMETER;
    if (rest.empty()) {
        FRoot = root;
        return ERROR_SUCCESS;
    }
    return create ? FOwned.Create(root, rest.c_str()) : FOwned.Open(root, rest.c_str());
}

const char* RootKeyName(HKEY root) {
    for (const RootName& name : kRootNames)
        if (name.key == root) return name.name;
    return nullptr;
}

int CompareNoCase(const char* a, const char* b) { return _mbsicmp(AsMb(a), AsMb(b)); }

int CompareNoCaseN(const char* a, const char* b, size_t n) {
    return _mbsnbicmp(AsMb(a), AsMb(b), n);
}

LONG DeleteKeyPruned(const char* keyPath, bool noPrune) {
    HKEY root = nullptr;
    std::string rest;
    if (!SplitDeletablePath(keyPath, &root, &rest)) return ERROR_INVALID_PARAMETER;
    // The platform deletes only a key without subkeys.
    LONG deleted = RegDeleteKeyA(root, rest.c_str());
    if (noPrune) return deleted;

    std::string parentPath(keyPath);
    const unsigned char* lastSlash = _mbsrchr(AsMb(parentPath.c_str()), '\\');
    parentPath.resize(static_cast<size_t>(lastSlash - AsMb(parentPath.c_str())));
    // Root keys are never opened for pruning, let alone deleted.
    if (!_mbschr(AsMb(parentPath.c_str()), '\\')) return deleted;

    std::string parentRest;
    SplitRootKey(parentPath.c_str(), &parentRest);
    RegKey parent;
    if (LONG error = parent.Open(root, parentRest.c_str())) return error;
    KeyInfo info;
    LONG result = QueryKeyInfo(parent.Get(), nullptr, &info);
    if (result == ERROR_SUCCESS && info.valueCount == 0 && info.subkeyCount == 0) {
        parent.Reset(nullptr);
        result = DeleteKeyPruned(parentPath.c_str(), false);
    }
    // A key that could not be deleted is reported as such, whatever pruning found.
    return deleted != ERROR_SUCCESS && result == ERROR_SUCCESS ? deleted : result;
}

LONG DeleteValuePruned(const char* keyPath, const char* valueName, bool noPrune) {
    HKEY root = nullptr;
    std::string rest;
    if (!SplitDeletablePath(keyPath, &root, &rest)) return ERROR_INVALID_PARAMETER;
    RegKey key;
    if (LONG error = key.Open(root, rest.c_str())) return error;
    LONG deleted = RegDeleteValueA(key.Get(), valueName);
    key.Reset(nullptr);
    if (noPrune) return deleted;

    if (LONG error = key.Open(root, rest.c_str())) return error;
    KeyInfo info;
    LONG result = QueryKeyInfo(key.Get(), nullptr, &info);
    if (result != ERROR_SUCCESS) return result;
    key.Reset(nullptr);
    // Subkeys are not counted here: DeleteKeyPruned then fails and keeps the key.
    if (info.valueCount == 0) return DeleteKeyPruned(keyPath, false);
    return deleted;
}
