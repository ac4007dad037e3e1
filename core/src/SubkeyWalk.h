// SubkeyWalk.h - the loop frame of the scanners that walk a key's subkeys by
// index: from 0 while the index is below the count read before the loop and
// no stop is asked for; a subkey that fails to enumerate (its name doesn't
// fit the 520-byte buffer) or to open for full access is passed over.
#pragma once

#include <type_traits>

#include "Engine.h"
#include "Registry.h"

// Calls visit(name, index) for each subkey name of parent. A non-zero result
// of visit ends the walk with it.
template <class Visit>
LONG ForEachSubkeyName(HKEY parent, DWORD count, Visit&& visit) {
    for (DWORD index = 0; index < count && !StopRequested(); ++index) {
        char name[RegNameSize];
        DWORD length = RegNameSize;
        if (RegEnumKeyExA(parent, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            continue;
        if (LONG error = visit(static_cast<const char*>(name), index)) return error;
    }
    return ERROR_SUCCESS;
}

// The same, with each subkey opened for full access: visit(key, name, index).
// The key is closed when visit returns; a visitor may close it earlier
// (key.Reset) to do work after the close. A visitor that returns a result
// ends the walk with a non-zero one.
template <class Visit>
LONG ForEachSubkey(HKEY parent, DWORD count, Visit&& visit) {
    return ForEachSubkeyName(parent, count, [&](const char* name, DWORD index) -> LONG {
        RegKey subkey;
        if (subkey.Open(parent, name) != ERROR_SUCCESS) return ERROR_SUCCESS;
        if constexpr (std::is_void_v<decltype(visit(subkey, name, index))>) {
            visit(subkey, name, index);
            return ERROR_SUCCESS;
        } else {
            return visit(subkey, name, index);
        }
    });
}

// The number of subkeys of an open key; 0 when its information can't be read.
inline DWORD SubkeyCount(HKEY key) {
    KeyInfo info;
    return QueryKeyInfo(key, nullptr, &info) == ERROR_SUCCESS ? info.subkeyCount : 0;
}
