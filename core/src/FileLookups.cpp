// FileLookups.cpp - existence questions put to the file system, and the
// answers kept for the length of a scan (FileLookupScope).
//
// Inside a scope, a question asked before gets the answer given before. And
// a question about a file name in a folder named by its full path is
// answered from one listing of that folder: the search of a command line
// tries some twenty names per entry, nearly all missing, and each missing
// name costs a search of its whole folder. The listing answers only names
// the lookup can match by equal spelling alone, ignoring case (see
// IsListable); every other question goes to the file system.
#include "FileLookups.h"

#include <io.h>

#include <cstring>
#include <string>
#include <unordered_map>

namespace {

uint64_t g_probes = 0;

std::optional<DWORD> ProbeFind(const char* path) {
    ++g_probes;
    WIN32_FIND_DATAA found;
    HANDLE handle = FindFirstFileA(path, &found);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(handle);
    return found.dwFileAttributes;
}

bool ProbeAccess(const char* path) {
    ++g_probes;
    return _access(path, 0) == 0;
}

// A folder's entries by lower-cased long and short name. Not usable when
// the listing can't stand in for single lookups: it failed for another
// reason than a missing folder, or holds a name that isn't plain ASCII or
// two names that differ only in case.
struct FolderListing {
    bool usable = true;
    std::unordered_map<std::string, DWORD> entries;
};

struct KeptAnswers {
    bool active = false;
    std::unordered_map<std::string, std::optional<DWORD>> finds;
    std::unordered_map<std::string, bool> accesses;
    std::unordered_map<std::string, FolderListing> folders;
};
KeptAnswers g_kept;

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool IsPlainChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           (c != '\0' && strchr(" ._-+$#@!(){}[]'&^=,;`%", c) != nullptr);
}

// "X:\folder\name", shorter than MAX_PATH, of plain ASCII characters only:
// no wildcard, no short-name tilde, no stream colon or forward slash. The
// name doesn't end with a dot or blank (which the platform strips) and
// doesn't start like a device name (NUL, CON, COM1.dll ... are found
// anywhere).
bool IsListable(const std::string& path, size_t nameAt) {
    if (path.size() >= MAX_PATH || nameAt >= path.size()) return false;
    char drive = path[0];
    if (!((drive >= 'a' && drive <= 'z') || (drive >= 'A' && drive <= 'Z')) || path[1] != ':' ||
        path[2] != '\\')
        return false;
    for (size_t at = 3; at < path.size(); ++at)
        if (path[at] != '\\' && !IsPlainChar(path[at])) return false;
    if (path.back() == '.' || path.back() == ' ') return false;
    std::string stem = LowerAscii(path.substr(nameAt, 3));
    for (const char* device : {"aux", "con", "nul", "prn", "com", "lpt"})
        if (stem == device) return false;
    return true;
}

bool IsPlainAsciiName(const char* name) {
    for (; *name; ++name)
        if (*name == '?' || static_cast<unsigned char>(*name) >= 0x80) return false;
    return true;
}

void AddEntry(FolderListing& listing, const char* name, DWORD attributes) {
    if (!*name) return;
    if (!IsPlainAsciiName(name)) listing.usable = false;
    auto [at, added] = listing.entries.emplace(LowerAscii(name), attributes);
    if (!added && at->second != attributes) listing.usable = false;
}

FolderListing ListFolder(const std::string& folder) {
    FolderListing listing;
    ++g_probes;
    WIN32_FIND_DATAA found;
    HANDLE handle = FindFirstFileA((folder + "*").c_str(), &found);
    if (handle == INVALID_HANDLE_VALUE) {
        // A folder that isn't there holds no file at all.
        DWORD error = GetLastError();
        listing.usable = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return listing;
    }
    do {
        AddEntry(listing, found.cFileName, found.dwFileAttributes);
        AddEntry(listing, found.cAlternateFileName, found.dwFileAttributes);
    } while (listing.usable && FindNextFileA(handle, &found));
    if (listing.usable && GetLastError() != ERROR_NO_MORE_FILES) listing.usable = false;
    FindClose(handle);
    return listing;
}

std::optional<DWORD> ListedOrProbed(const std::string& path) {
    size_t slash = path.rfind('\\');
    if (slash == std::string::npos || !IsListable(path, slash + 1)) return ProbeFind(path.c_str());
    auto [folder, added] = g_kept.folders.try_emplace(path.substr(0, slash + 1));
    if (added) folder->second = ListFolder(folder->first);
    const FolderListing& listing = folder->second;
    if (!listing.usable) return ProbeFind(path.c_str());
    auto entry = listing.entries.find(LowerAscii(path.substr(slash + 1)));
    if (entry == listing.entries.end()) return std::nullopt;
    return entry->second;
}

}  // namespace

std::optional<DWORD> FindAttributes(const char* path) {
    if (!g_kept.active) return ProbeFind(path);
    auto [kept, added] = g_kept.finds.try_emplace(path);
    if (added) kept->second = ListedOrProbed(kept->first);
    return kept->second;
}

bool PathAccessible(const char* path) {
    if (!g_kept.active) return ProbeAccess(path);
    auto [kept, added] = g_kept.accesses.try_emplace(path);
    if (added) kept->second = ProbeAccess(path);
    return kept->second;
}

FileLookupScope::FileLookupScope() {
    g_kept = KeptAnswers{};
    g_kept.active = true;
}

FileLookupScope::~FileLookupScope() { g_kept = KeptAnswers{}; }

uint64_t FileProbeCount() { return g_probes; }
