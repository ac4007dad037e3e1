// FileUtil.h - the engine's file, path, text and ini helpers, the message
// pump, and the test of the file a command line names.
//
// Texts are ANSI in the system code page; searches for the backslash are
// double-byte aware.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Owns one open file; closes it when it goes.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE file) : FFile(file == INVALID_HANDLE_VALUE ? nullptr : file) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Reset(); }

    HANDLE Get() const { return FFile; }
    explicit operator bool() const { return FFile != nullptr; }
    void Reset(HANDLE file = nullptr) {
        if (FFile) CloseHandle(FFile);
        FFile = file == INVALID_HANDLE_VALUE ? nullptr : file;
    }

private:
    HANDLE FFile = nullptr;
};

// The calling thread's last error, or fallback when that is 0.
DWORD LastErrorOr(DWORD fallback);

// The folder of the host program's executable, with its trailing backslash.
std::string HostFolder();

// useAccess: the path exists at all (files and folders). Otherwise: the
// find-first-file lookup finds it and it is not a folder. Both ask through
// FileLookups.h, so a FileLookupScope keeps their answers.
bool FileExists(const char* path, bool useAccess);
bool FolderExists(const char* path);

// Keeps the part after the last backslash.
void FileNameOfPath(std::string& path);
// Appends a backslash to a non-empty text that doesn't end with one.
void AppendBackslash(std::string& path);
// Removes leading, then trailing occurrences of c; NUL stands for the blank.
void TrimChar(std::string& text, char c);
bool IsAllDigits(const char* text);

// Dispatches every waiting message of the calling thread. A quit message is
// posted again on the way out, so that it reaches the host's own loop.
void PumpMessages();

// PumpMessages for a loop over thousands of keys: at the loop's first step,
// then whenever a few milliseconds have passed since the last pump. The
// caller's window still answers within a few milliseconds (its Stop button
// too), and the loop does not pay a look into the queue for each key, which
// costs as much as a registry call.
class PacedPump {
public:
    void Step();

private:
    bool FStarted = false;
    ULONGLONG FLast = 0;
};

// Whether the program or file that a registry command line names exists,
// searched the way the shell would (quotes, "%1", variables, PATH, PATHEXT).
bool CommandTargetExists(const char* commandLine, bool expandEnvironment, bool usePathExt);

// A variable's value split at ";", empty pieces skipped.
std::vector<std::string> SplitEnvironmentList(const char* name);
// ExpandEnvironmentStringsA into a text of the size it needs.
std::string ExpandEnvironment(const char* text);

// "%4d-%02d-%02d %02d:%02d:%02d" of the calendar fields, no time-zone step;
// empty for a null pointer.
std::string FileTimeToText(const FILETIME* time);
// Reads that text back, fields that could not be read left 0; always 0 (a
// text that gives no valid date leaves the time zero).
int TextToFileTime(const char* text, FILETIME* time);

// The ini file's section names in file order, however many.
std::vector<std::string> ReadSectionNames(const char* iniPath);
// One ini string (or the list of names when section or key is null), whole.
std::string ReadProfileString(const char* section, const char* key, const char* defaultValue,
                              const char* iniPath);
