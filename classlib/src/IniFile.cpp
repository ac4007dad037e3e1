// IniFile.cpp - ini files over the private-profile functions, with buffers
// that grow until the whole text fits.
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>

#include "Consts.h"

namespace {

// Two defaults that no stored value can equal both of: a key that reads as
// each of them in turn is absent.
constexpr const char* AbsentA = "\x01";
constexpr const char* AbsentB = "\x02";

std::vector<std::string> SplitNames(const std::string& list) {
    std::vector<std::string> names;
    size_t at = 0;
    while (at < list.size()) {
        size_t end = list.find('\0', at);
        if (end == std::string::npos) end = list.size();
        if (end > at) names.emplace_back(list, at, end - at);
        at = end + 1;
    }
    return names;
}

}  // namespace

std::string TIniFile::ReadProfile(const char* section, const char* ident,
                                  const char* defaultValue) const {
    // A full buffer comes back as size - 1 characters (size - 2 for a list
    // of names, whose last zero is then missing): try again with twice the room.
    const DWORD full = section && ident ? 1 : 2;
    std::string buffer;
    DWORD size = 256;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = section ? GetPrivateProfileStringA(section, ident, defaultValue, buffer.data(),
                                                    size, FFileName.c_str())
                         : GetPrivateProfileSectionNamesA(buffer.data(), size, FFileName.c_str());
        if (length < size - full) break;
        size *= 2;
    }
    buffer.resize(length);
    return buffer;
}

void TIniFile::Write(const char* section, const char* ident, const char* value) const {
    if (!WritePrivateProfileStringA(section, ident, value, FFileName.c_str()))
        throw EIniFileException(Format(SIniFileWriteError, {FFileName}));
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
    return ReadProfile(section.c_str(), ident.c_str(), defaultValue.c_str());
}

int TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                int defaultValue) const {
    return StrToIntDef(ReadString(section, ident, ""), defaultValue);
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident,
                              bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) const {
    Write(section.c_str(), ident.c_str(), value.c_str());
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) const {
    WriteString(section, ident, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) const {
    WriteString(section, ident, value ? "1" : "0");
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
    return SplitNames(ReadProfile(section.c_str(), nullptr, ""));
}

std::vector<std::string> TIniFile::ReadSections() const {
    return SplitNames(ReadProfile(nullptr, nullptr, nullptr));
}

bool TIniFile::SectionExists(const std::string& section) const {
    return !ReadSection(section).empty();
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
    return ReadString(section, ident, AbsentA) != AbsentA ||
           ReadString(section, ident, AbsentB) != AbsentB;
}

void TIniFile::EraseSection(const std::string& section) const {
    Write(section.c_str(), nullptr, nullptr);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) const {
    WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, FFileName.c_str());
}
