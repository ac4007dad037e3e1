// IniFiles.h - ini files, read and written key by key through the platform's
// private-profile functions.
//
//   TIniFile   strings, integers (decimal, "0x" or "$" hexadecimal), Booleans
//              as "1"/"0"; section and key lists, existence tests, erasing
//
// Section and key names are matched without regard to case, by the platform.
// Values are read whole, however long (the buffers grow). A file name without
// a folder names a file in the Windows folder, as the platform has it. A
// missing file or key reads as the default; the first write creates the file.
#pragma once

#include <classlib/Classes.h>

#include <string>
#include <vector>

class TIniFile : public TObject {
public:
    explicit TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

    const std::string& FileName() const { return FFileName; }

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const;
    // Any text that is no integer reads as the default.
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
    // An integer: 0 is false, any other true.
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
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

    std::string FFileName;
};
