// IniFiles.h - ini files, read and written key by key through the platform's
// private-profile functions.
//
//   TCustomIniFile  what both have: the file's name, and integers and Booleans
//                read through the string read
//   TIniFile     strings, integers (decimal, "0x" or "$" hexadecimal), Booleans
//                as "1"/"0"; section and key lists, existence tests, erasing
//   TMemIniFile  the same reads, a section read from the file once and
//                answered from memory afterwards
//
// Section and key names are matched without regard to case, by the platform.
// Values are read whole, however long (the buffers grow). A file name without
// a folder names a file in the Windows folder, as the platform has it. A
// missing file or key reads as the default; the first write creates the file.
#pragma once

#include <classlib/Classes.h>

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

    const std::string& FileName() const { return FFileName; }

    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue) const = 0;
    // Any text that is no integer reads as the default.
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
    // An integer: 0 is false, any other true.
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;

protected:
    std::string FFileName;
};

class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const override;
    // Each raises EIniFileException "Unable to write to %s" when the platform
    // refuses the write.
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) const;
    void WriteInteger(const std::string& section, const std::string& ident, int value) const;
    void WriteBool(const std::string& section, const std::string& ident, bool value) const;

    // The section's key names in file order.
    std::vector<std::string> ReadSection(const std::string& section) const;
    std::vector<std::string> ReadSections() const;
    // A section counts as existing when it has at least one key.
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& ident) const;
    // EIniFileException when the platform refuses.
    void EraseSection(const std::string& section) const;
    void DeleteKey(const std::string& section, const std::string& ident) const;

private:
    std::string ReadProfile(const char* section, const char* ident, const char* defaultValue) const;
    void Write(const char* section, const char* ident, const char* value) const;
};

// Reads as TIniFile reads, with the platform's rules (names without regard to
// the case of ASCII letters, the first of equal names, blanks trimmed,
// surrounding quotes dropped), but each section is read from the file once,
// at its first key, and every later key of it is answered from memory: a
// walk over a thousand keys costs one file read instead of a thousand. A
// change of the file after a section was read is not seen.
class TMemIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const override;

private:
    // The keys of a section by their names in lower case: the value of the
    // first line of that name, or nullopt for a line without "=".
    using TSectionKeys = std::unordered_map<std::string, std::optional<std::string>>;
    const TSectionKeys& Section(const std::string& section) const;

    mutable std::map<std::string, TSectionKeys> FSections;
};
