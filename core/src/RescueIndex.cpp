// RescueIndex.cpp - the rescue index changed through a checked copy that
// takes the index's place in one rename.
#include "RescueIndex.h"

#include <functional>
#include <utility>
#include <vector>

#include "FileUtil.h"
#include "Registry.h"

namespace {

// A section's "key=value" lines, each with its zero, as the profile
// functions give them; empty for a section that is not there.
std::string ReadSectionText(const std::string& section, const char* iniPath) {
    std::string buffer;
    DWORD size = 1024;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, iniPath);
        if (length != size - 2) break;
        size *= 2;
    }
    buffer.resize(length);
    return buffer;
}

// The keys and values of a section's text, in file order.
std::vector<std::pair<std::string, std::string>> SectionKeys(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> keys;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\0', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            keys.emplace_back(line, std::string());
        else
            keys.emplace_back(line.substr(0, equals), line.substr(equals + 1));
        at = end + 1;
    }
    return keys;
}

const std::string* FindKey(const std::vector<std::pair<std::string, std::string>>& keys,
                           const char* name) {
    for (const auto& [key, value] : keys)
        if (CompareNoCase(key.c_str(), name) == 0) return &value;
    return nullptr;
}

// The index's sections before the change, each with its text.
struct IndexContent {
    std::vector<std::string> names;
    std::vector<std::string> texts;

    explicit IndexContent(const char* iniPath) : names(ReadSectionNames(iniPath)) {
        for (const std::string& name : names) texts.push_back(ReadSectionText(name, iniPath));
    }
    // The position of the first section of that name (the one the profile
    // functions change), or the number of sections.
    size_t Find(const std::string& section) const {
        size_t at = 0;
        while (at < names.size() && CompareNoCase(names[at].c_str(), section.c_str()) != 0) ++at;
        return at;
    }
};

// One change: the profile calls that make it on the copy, the section names
// the copy must then hold, and whether the changed section came out right.
struct IndexChange {
    std::string section;
    std::function<bool(const char* iniPath)> apply;
    std::function<std::vector<std::string>(const IndexContent& before)> expectedNames;
    std::function<bool(const IndexContent& before, const char* iniPath)> sectionIsRight;
};

// The copy as it stands on disk holds the expected sections in their order,
// every section of another name as it was, and the changed section as it
// should be.
bool CopyHoldsTheChange(const IndexContent& before, const IndexChange& change,
                        const char* iniPath) {
    if (ReadSectionNames(iniPath) != change.expectedNames(before)) return false;
    for (size_t at = 0; at < before.names.size(); ++at) {
        const std::string& name = before.names[at];
        if (CompareNoCase(name.c_str(), change.section.c_str()) != 0 &&
            ReadSectionText(name, iniPath) != before.texts[at])
            return false;
    }
    return change.sectionIsRight(before, iniPath);
}

// Starts the copy from the index's bytes (none when there is no index yet).
DWORD CopyIndex(const char* indexPath, const std::string& scratch) {
    std::string bytes;
    FileHandle index(CreateFileA(indexPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!index) {
        DWORD error = LastErrorOr(ERROR_OPEN_FAILED);
        if (error != ERROR_FILE_NOT_FOUND) return error;
    } else {
        char buffer[65536];
        DWORD got = 0;
        do {
            if (!ReadFile(index.Get(), buffer, sizeof buffer, &got, nullptr))
                return LastErrorOr(ERROR_READ_FAULT);
            bytes.append(buffer, got);
        } while (got > 0);
    }
    FileHandle copy(CreateFileA(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!copy) return LastErrorOr(ERROR_OPEN_FAILED);
    DWORD written = 0;
    if (!bytes.empty() && (!WriteFile(copy.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                      &written, nullptr) ||
                           written != bytes.size()))
        return LastErrorOr(ERROR_HANDLE_DISK_FULL);
    return ERROR_SUCCESS;
}

// Puts the copy on disk for good. Its time stamp is moved on as well: the
// platform may answer profile reads of a file from what it last wrote while
// the file's time stamp is the one it saw then, and the check must read what
// actually reached the disk.
DWORD SettleCopy(const std::string& scratch) {
    FileHandle copy(CreateFileA(scratch.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!copy) return LastErrorOr(ERROR_OPEN_FAILED);
    FILETIME written;
    if (!GetFileTime(copy.Get(), nullptr, nullptr, &written)) return LastErrorOr(ERROR_READ_FAULT);
    ULARGE_INTEGER later;
    later.LowPart = written.dwLowDateTime;
    later.HighPart = written.dwHighDateTime;
    ++later.QuadPart;
    written.dwLowDateTime = later.LowPart;
    written.dwHighDateTime = later.HighPart;
    if (!SetFileTime(copy.Get(), nullptr, nullptr, &written) || !FlushFileBuffers(copy.Get()))
        return LastErrorOr(ERROR_WRITE_FAULT);
    return ERROR_SUCCESS;
}

DWORD MakeNewIndex(const char* indexPath, const std::string& scratch, const IndexChange& change) {
    IndexContent before(indexPath);
    if (DWORD error = CopyIndex(indexPath, scratch)) return error;
    if (!change.apply(scratch.c_str())) return LastErrorOr(ERROR_WRITE_FAULT);
    if (DWORD error = SettleCopy(scratch)) return error;
    if (!CopyHoldsTheChange(before, change, scratch.c_str())) return ERROR_WRITE_FAULT;
    if (!MoveFileExA(scratch.c_str(), indexPath,
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return LastErrorOr(ERROR_WRITE_FAULT);
    return ERROR_SUCCESS;
}

DWORD ChangeIndex(const char* indexPath, const IndexChange& change) {
    // Without a path the profile functions would change the system's win.ini.
    if (!indexPath || !*indexPath) return ERROR_INVALID_PARAMETER;
    std::string scratch = IndexScratchPath(indexPath);
    DWORD error = MakeNewIndex(indexPath, scratch, change);
    if (error) DeleteFileA(scratch.c_str());
    return error;
}

}  // namespace

std::string IndexScratchPath(const char* indexPath) { return std::string(indexPath) + ".new"; }

DWORD WriteIndexSection(const char* indexPath, const RescueIndexSection& section) {
    IndexChange change;
    change.section = section.name;
    change.apply = [&](const char* iniPath) {
        const char* name = section.name.c_str();
        bool written =
            WritePrivateProfileStringA(name, "Count", section.count.c_str(), iniPath) &&
            WritePrivateProfileStringA(name, "FileName", section.fileName.c_str(), iniPath);
        // A description already absent is no failure; the check sees to it.
        WritePrivateProfileStringA(name, "Description", section.description, iniPath);
        return written;
    };
    change.expectedNames = [&](const IndexContent& before) {
        std::vector<std::string> names = before.names;
        if (before.Find(section.name) == names.size()) names.push_back(section.name);
        return names;
    };
    change.sectionIsRight = [&](const IndexContent& before, const char* iniPath) {
        auto keys = SectionKeys(ReadSectionText(section.name, iniPath));
        const std::string* count = FindKey(keys, "Count");
        const std::string* fileName = FindKey(keys, "FileName");
        const std::string* description = FindKey(keys, "Description");
        if (!count || *count != section.count || !fileName || *fileName != section.fileName)
            return false;
        if (section.description ? !description || *description != section.description
                                : description != nullptr)
            return false;
        // Other keys that the section held stay.
        size_t at = before.Find(section.name);
        if (at == before.names.size()) return true;
        for (const auto& [key, value] : SectionKeys(before.texts[at]))
            if (!FindKey(keys, key.c_str()) && CompareNoCase(key.c_str(), "Description") != 0)
                return false;
        return true;
    };
    return ChangeIndex(indexPath, change);
}

DWORD RemoveIndexSection(const char* indexPath, const std::string& section) {
    IndexChange change;
    change.section = section;
    change.apply = [&](const char* iniPath) {
        // Removing a section that is not there changes nothing and is no failure.
        WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, iniPath);
        return true;
    };
    change.expectedNames = [&](const IndexContent& before) {
        std::vector<std::string> names = before.names;
        size_t at = before.Find(section);
        if (at < names.size()) names.erase(names.begin() + static_cast<ptrdiff_t>(at));
        return names;
    };
    change.sectionIsRight = [](const IndexContent&, const char*) { return true; };
    return ChangeIndex(indexPath, change);
}
