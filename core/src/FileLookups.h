// FileLookups.h - the two questions the file helpers put to the file system,
// answered from what it said before while a FileLookupScope is alive.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

// The attributes of what the find-first-file lookup finds at path (for a
// pattern: the first match), or nothing.
std::optional<DWORD> FindAttributes(const char* path);
// The run-time library's existence test (files and folders alike).
bool PathAccessible(const char* path);

// While one is alive, what the file system answered to the two questions
// above (and so to the existence tests of FileUtil.h) is kept: a path asked
// about again gets the same answer, and a plain file name in a folder given
// by its full path is answered from one listing of that folder. The answers
// don't change during one scan, and the command-line search asks about some
// twenty mostly missing names per entry. TrkScan holds one for its length;
// the answers are dropped when it starts and when it ends.
class FileLookupScope {
public:
    FileLookupScope();
    ~FileLookupScope();
    FileLookupScope(const FileLookupScope&) = delete;
    FileLookupScope& operator=(const FileLookupScope&) = delete;
};

// The number of questions put to the file system so far (find-first-file
// lookups, folder listings and access tests), kept answers not counted.
uint64_t FileProbeCount();
