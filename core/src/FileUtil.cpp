// FileUtil.cpp - host folder, existence tests, path and text helpers, the
// message pump, environment lists, time texts and the ini readers.
#include "FileUtil.h"

#include <mbstring.h>

#include <cstdio>
#include <cstring>

#include "FileLookups.h"

namespace {

const unsigned char* AsMb(const char* text) { return reinterpret_cast<const unsigned char*>(text); }

// Offset of the last character of a non-empty text (a double-byte character
// starts at its lead byte).
size_t LastCharOffset(const std::string& text) {
    size_t last = 0;
    for (size_t at = 0; at < text.size();) {
        last = at;
        at += (_ismbblead(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1;
    }
    return last;
}

}  // namespace

std::string HostFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const unsigned char* slash = _mbsrchr(AsMb(path.c_str()), '\\');
    path.resize(slash ? static_cast<size_t>(slash - AsMb(path.c_str())) + 1 : 0);
    return path;
}

bool FileExists(const char* path, bool useAccess) {
    if (!path) return false;
    if (useAccess) return PathAccessible(path);
    std::optional<DWORD> attributes = FindAttributes(path);
    return attributes && !(*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const char* path) {
    if (!path) return false;
    std::optional<DWORD> attributes = FindAttributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void FileNameOfPath(std::string& path) {
    const unsigned char* slash = _mbsrchr(AsMb(path.c_str()), '\\');
    if (slash) path.erase(0, static_cast<size_t>(slash - AsMb(path.c_str())) + 1);
}

void AppendBackslash(std::string& path) {
    if (path.empty()) return;
    size_t last = LastCharOffset(path);
    if (last + 1 == path.size() && path[last] == '\\') return;
    path += '\\';
}

void TrimChar(std::string& text, char c) {
    if (c == '\0') c = ' ';
    size_t start = 0;
    while (start < text.size() && text[start] == c) ++start;
    text.erase(0, start);
    // Trailing bytes are taken off only where they are whole characters: one
    // walk over the characters finds where the closing run of them begins.
    size_t runStart = 0;
    for (size_t at = 0; at < text.size();) {
        const bool lead = _ismbblead(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
        if (lead || text[at] != c) runStart = at + (lead ? 2 : 1);
        at += lead ? 2 : 1;
    }
    text.resize(runStart);
}

bool IsAllDigits(const char* text) {
    if (!text) return true;
    for (; *text; ++text)
        if (*text < '0' || *text > '9') return false;
    return true;
}

DWORD LastErrorOr(DWORD fallback) {
    DWORD error = GetLastError();
    return error ? error : fallback;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The host's own loop must see the quit; hand it back and stop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1) return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PacedPump::Step() {
    // Well under the time between two frames of a window.
    constexpr ULONGLONG kInterval = 10;
    ULONGLONG now = GetTickCount64();
    if (FStarted && now - FLast < kInterval) return;
    FStarted = true;
    FLast = now;
    PumpMessages();
}

std::vector<std::string> SplitEnvironmentList(const char* name) {
    std::vector<std::string> pieces;
    if (!name) return pieces;
    DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    if (needed == 0) return pieces;
    std::string value(needed, '\0');
    DWORD length = GetEnvironmentVariableA(name, value.data(), needed);
    if (length == 0 || length >= needed) return pieces;
    value.resize(length);
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find(';', start);
        if (end == std::string::npos) end = value.size();
        if (end > start) pieces.emplace_back(value, start, end - start);
        start = end + 1;
    }
    return pieces;
}

std::string ExpandEnvironment(const char* text) {
    if (!text) return {};
    DWORD size = 256;
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string expanded(size, '\0');
        DWORD needed = ExpandEnvironmentStringsA(text, expanded.data(), size);
        if (needed == 0) return text;
        if (needed <= size) {
            expanded.resize(strnlen(expanded.c_str(), size));
            return expanded;
        }
        size = needed;
    }
    return text;
}

std::string FileTimeToText(const FILETIME* time) {
    if (!time) return {};
    SYSTEMTIME fields{};
    if (!FileTimeToSystemTime(time, &fields)) return {};
    char text[64];
    snprintf(text, sizeof text, "%4d-%02d-%02d %02d:%02d:%02d", fields.wYear, fields.wMonth,
             fields.wDay, fields.wHour, fields.wMinute, fields.wSecond);
    return text;
}

int TextToFileTime(const char* text, FILETIME* time) {
    if (!text || !time) return 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    *time = FILETIME{};
    // Fields that could not be read stay 0; a text that is no date at all
    // then gives no valid time, and the FILETIME stays zero.
    sscanf(text, "%d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second);
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(year);
    fields.wMonth = static_cast<WORD>(month);
    fields.wDay = static_cast<WORD>(day);
    fields.wHour = static_cast<WORD>(hour);
    fields.wMinute = static_cast<WORD>(minute);
    fields.wSecond = static_cast<WORD>(second);
    if (!SystemTimeToFileTime(&fields, time)) *time = FILETIME{};
    return 0;
}

std::vector<std::string> ReadSectionNames(const char* iniPath) {
    std::vector<std::string> names;
    std::string buffer;
    DWORD size = 128;
    DWORD length = 0;
    for (;;) {
        // Zeroed first: a full buffer is not given its closing double zero.
        buffer.assign(size, '\0');
        length = GetPrivateProfileSectionNamesA(buffer.data(), size, iniPath);
        if (length != size - 2) break;
        size *= 2;
    }
    for (size_t at = 0; at < length && at < buffer.size() && buffer[at];) {
        size_t end = strnlen(buffer.c_str() + at, buffer.size() - at);
        names.emplace_back(buffer, at, end);
        at += end + 1;
    }
    return names;
}

std::string ReadProfileString(const char* section, const char* key, const char* defaultValue,
                              const char* iniPath) {
    DWORD full = (section && key) ? 1 : 2;
    std::string buffer;
    DWORD size = 128;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileStringA(section, key, defaultValue ? defaultValue : "",
                                          buffer.data(), size, iniPath);
        if (length != size - full) break;
        size *= 2;
    }
    // A list of names keeps its zero separators.
    buffer.resize(length < size ? length : size);
    return buffer;
}
