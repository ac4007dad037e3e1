// FileLookups.h - the two questions the file helpers put to the file system,
// answered from what it said before while a FileLookupScope is alive.
#pragma once

#include <windows.h>

#include <optional>

// The attributes of what the find-first-file lookup finds at path (for a
// pattern: the first match), or nothing.
std::optional<DWORD> FindAttributes(const char* path);
// The run-time library's existence test (files and folders alike).
bool PathAccessible(const char* path);
