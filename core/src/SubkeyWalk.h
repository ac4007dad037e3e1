// SubkeyWalk.h - the loop frame of the scanners that walk registry trees:
// each subkey of an open key, by index, opened for full access.
#pragma once

#include "Engine.h"
#include "Registry.h"

#include <type_traits>

// Calls visit(index, name, key) for each subkey index from 0 while it is below
// count and no stop is requested. A subkey whose name doesn't fit the 520-byte
// buffer, or that doesn't open for full access, is passed over. The visitor
// may close the key early (key.Reset) to do work after the close; one that
// returns a flag ends the walk by returning false.
template <typename Visit>
void ForEachSubkey(HKEY parent, DWORD count, Visit visit) {
    for (DWORD index = 0; index < count && !StopRequested(); ++index) {
        char name[RegNameSize];
        DWORD nameSize = RegNameSize;
        if (RegEnumKeyExA(parent, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            continue;
        RegKey key;
        if (key.Open(parent, name) != ERROR_SUCCESS) continue;
        const char* keyName = name;
        if constexpr (std::is_same_v<decltype(visit(index, keyName, key)), bool>) {
            if (!visit(index, keyName, key)) return;
        } else {
            visit(index, keyName, key);
        }
    }
}

// The number of subkeys of an open key; 0 when its information can't be read.
inline DWORD SubkeyCount(HKEY key) {
    KeyInfo info;
    return QueryKeyInfo(key, nullptr, &info) == ERROR_SUCCESS ? info.subkeyCount : 0;
}
