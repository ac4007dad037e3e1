// Paths.cpp - file name parts and folder tests. The scans step over
// double-byte characters, whose trail byte may equal "\" in the ANSI code page.
#include <classlib/SysUtils.h>

namespace {

constexpr size_t None = std::string_view::npos;

// Offset of the last single-byte character of text found in chars, or None.
size_t LastDelimiter(std::string_view chars, std::string_view text) {
    size_t found = None;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (chars.find(text[i]) != None) found = i;
    }
    return found;
}

bool EndsWithBackslash(std::string_view path) {
    size_t last = LastDelimiter("\\", path);
    return last != None && last + 1 == path.size();
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

}  // namespace

std::string ExtractFilePath(std::string_view path) {
    size_t last = LastDelimiter("\\:", path);
    return std::string(last == None ? std::string_view() : path.substr(0, last + 1));
}

std::string ExtractFileName(std::string_view path) {
    size_t last = LastDelimiter("\\:", path);
    return std::string(last == None ? path : path.substr(last + 1));
}

std::string ExtractFileExt(std::string_view path) {
    size_t last = LastDelimiter(".\\:", path);
    return last != None && path[last] == '.' ? std::string(path.substr(last)) : std::string();
}

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (!EndsWithBackslash(path)) result += '\\';
    return result;
}

bool FileExists(const std::string& path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& path) {
    std::string folder = path;
    while (EndsWithBackslash(folder)) folder.pop_back();
    if (folder.empty()) return false;
    if (DirectoryExists(folder)) return true;
    // The parent is always shorter, so the climb ends at the root or the drive.
    std::string parent = ExtractFilePath(folder);
    if (!parent.empty() && parent != folder && !ForceDirectories(parent)) return false;
    return CreateDirectoryA(folder.c_str(), nullptr) || DirectoryExists(folder);
}
