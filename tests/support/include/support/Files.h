// Files.h - the file system as the tests and the benchmarks use it.
//
//   InstalledProgramFolder          the build's program folder (build/dist)
//   CopyFolder, RemoveFolder        a folder copied or removed with all it holds
//   ReadWholeFile, WriteWholeFile   a file's bytes read or written at once
//   FileExistsAt                    anything at a path
//
// Paths are ANSI; a folder given to these ends with a backslash unless said
// otherwise. Failures are results, never exceptions: a test asserts them, a
// benchmark throws its own.
#pragma once

#include <string>

// The build's program folder with a trailing backslash, the folder a user
// copies to Windows: "dist" beside the folder of the running program (tests
// run from build/tests, benchmarks from build/bench).
std::string InstalledProgramFolder();

// Copies every file of from into to, subfolders included, making to and the
// subfolders as needed; files already in to are overwritten. False when from
// cannot be listed or a file could not be copied (the others still are).
bool CopyFolder(const std::string& from, const std::string& to);

// Removes the folder (with or without its trailing backslash) and everything
// in it. True when nothing is left at its path.
bool RemoveFolder(const std::string& folder);

// The whole content of a file, as bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Replaces the file's content with bytes; false when that failed.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

bool FileExistsAt(const std::string& path);
