// SettingsFile.h - the main program's settings file as both programs read
// it: its name, its section "system", the keys naming the skin and language
// folders, and the paths made from them.
//
//   SettingsFileName, SystemSection      "config.ini" in the program folder, section "system"
//   SkinsDirKey, LanguagesDirKey, LanguageFileKey and their defaults
//   SkinFileName                         the skin file in the skin folder
//   SWriteFileError                      the caption of a loader's message when a file
//                                        cannot be written
//   ProgramFileName, ProgramFolder       the running program's file and folder
//   TSettingsFolders, ReadSettingsFolders    the three folder keys of section "system"
//   TSettingsPaths, SettingsPaths        the skin and language folders and files they name
//
// The main program writes the file; the defragmentation tool, installed in
// the same folder, only reads it.
#pragma once

#include <classlib/IniFiles.h>

#include <string>

inline constexpr const char* SettingsFileName = "config.ini";
inline constexpr const char* SystemSection = "system";
inline constexpr const char* SkinsDirKey = "SkinsDir";
inline constexpr const char* LanguagesDirKey = "LanguagesDir";
inline constexpr const char* LanguageFileKey = "LanguageFile";
inline constexpr const char* DefaultSkinsDir = "Skins";
inline constexpr const char* DefaultLanguagesDir = "Langs";
inline constexpr const char* DefaultLanguageFile = "English.ini";
inline constexpr const char* SkinFileName = "Default.ini";

inline constexpr const char* SWriteFileError = "Write File Error!";

// The full path of the running program file.
std::string ProgramFileName();
// The folder of the running program, ending with "\".
std::string ProgramFolder();

// The values of the three folder keys of section "system".
struct TSettingsFolders {
    std::string SkinsDir = DefaultSkinsDir;
    std::string LanguagesDir = DefaultLanguagesDir;
    std::string LanguageFile = DefaultLanguageFile;
};

// Reads the three keys; a key missing from the file leaves its field as it
// was. Raises what the ini file's reads raise.
void ReadSettingsFolders(const TCustomIniFile& ini, TSettingsFolders& folders);

// The skin and language folders and files that the keys name below the
// program folder.
struct TSettingsPaths {
    std::string SkinPath;          // the program folder + SkinsDir, ending with "\"
    std::string SkinFilePath;      // SkinPath + "Default.ini"
    std::string LanguagePath;      // the program folder + LanguagesDir, ending with "\"
    std::string LanguageFilePath;  // LanguagePath + LanguageFile
};

// programFolder ends with "\".
TSettingsPaths SettingsPaths(const std::string& programFolder, const TSettingsFolders& folders);
