// SubkeyWalk.h - the loop frame of the scanners that walk a key's subkeys by
// index: from 0 while the index is below the count read before the loop and
// no stop is asked for; a subkey that fails to enumerate or open is passed
// over.
#pragma once

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
// The key is closed when visit returns.
template <class Visit>
LONG ForEachSubkey(HKEY parent, DWORD count, Visit&& visit) {
    return ForEachSubkeyName(parent, count, [&](const char* name, DWORD index) -> LONG {
        RegKey subkey;
        if (subkey.Open(parent, name) != ERROR_SUCCESS) return ERROR_SUCCESS;
        return visit(subkey.Get(), name, index);
    });
}
