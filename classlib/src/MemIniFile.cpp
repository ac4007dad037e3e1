// MemIniFile.cpp - an ini file read a section at a time, answering as the
// platform's profile reader answers.
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>

namespace {

// The characters the platform's profile reader trims from names.
constexpr const char* ProfileBlanks = " \t\r\n\v\f\x1a";

std::string TrimProfileName(const std::string& name) {
    const size_t first = name.find_first_not_of(ProfileBlanks);
    if (first == std::string::npos) return "";
    return name.substr(first, name.find_last_not_of(ProfileBlanks) - first + 1);
}

// Names compare without regard to the case of ASCII letters, as the
// platform's profile reader compares them.
std::string ProfileNameKey(const std::string& name) {
    std::string key = TrimProfileName(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
}

// A value in matching single or double quotes loses them.
std::string WithoutQuotes(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A default as the platform gives it back: its trailing blanks (not its
// first character) dropped, then its quotes.
std::string ProfileDefault(const std::string& def) {
    size_t end = def.size();
    while (end > 1 && def[end - 1] == ' ') --end;
    return WithoutQuotes(def.substr(0, end));
}

// Every line of the section as the platform parsed it ("name=value", or a
// name alone), zero-separated, in file order; comment lines are left out.
std::string ReadProfileSection(const std::string& file, const std::string& section) {
    std::string buffer;
    DWORD size = 64 * 1024;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, file.c_str());
        // A full buffer comes back as size - 2 characters.
        if (length < size - 2) break;
        size *= 2;
    }
    buffer.resize(length);
    return buffer;
}

}  // namespace

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
    const std::string name = ProfileNameKey(ident);
    // The section read leaves out comment lines, which the platform still
    // finds by name.
    if (!name.empty() && name.front() == ';')
        return TIniFile(FFileName).ReadString(section, ident, defaultValue);
    const TSectionKeys& keys = Section(section);
    const auto value = keys.find(name);
    if (value == keys.end() || !value->second) return ProfileDefault(defaultValue);
    return WithoutQuotes(*value->second);
}

const TMemIniFile::TSectionKeys& TMemIniFile::Section(const std::string& section) const {
    auto [found, added] = FSections.try_emplace(ProfileNameKey(section));
    if (!added) return found->second;
    const std::string lines = ReadProfileSection(FFileName, TrimProfileName(section));
    for (size_t at = 0; at < lines.size(); at = lines.find('\0', at) + 1) {
        const std::string line = lines.c_str() + at;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            found->second.try_emplace(ProfileNameKey(line), std::nullopt);
        else
            found->second.try_emplace(ProfileNameKey(line.substr(0, equals)),
                                      line.substr(equals + 1));
    }
    return found->second;
}
