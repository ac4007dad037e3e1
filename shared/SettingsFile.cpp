// SettingsFile.cpp - the program folder, the folder keys of section
// "system" and the paths made from them.
#include <classlib/SysUtils.h>
#include <shared/PubFunctions.h>
#include <shared/SettingsFile.h>

std::string ProgramFileName() {
    std::string name(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

std::string ProgramFolder() { return EnsureTrailingBackslash(ExtractFilePath(ProgramFileName())); }

void ReadSettingsFolders(const TCustomIniFile& ini, TSettingsFolders& folders) {
    folders.SkinsDir = ini.ReadString(SystemSection, SkinsDirKey, folders.SkinsDir);
    folders.LanguagesDir = ini.ReadString(SystemSection, LanguagesDirKey, folders.LanguagesDir);
    folders.LanguageFile = ini.ReadString(SystemSection, LanguageFileKey, folders.LanguageFile);
}

TSettingsPaths SettingsPaths(const std::string& programFolder, const TSettingsFolders& folders) {
    TSettingsPaths paths;
    paths.SkinPath = EnsureTrailingBackslash(programFolder + folders.SkinsDir);
    paths.SkinFilePath = paths.SkinPath + SkinFileName;
    paths.LanguagePath = EnsureTrailingBackslash(programFolder + folders.LanguagesDir);
    paths.LanguageFilePath = paths.LanguagePath + folders.LanguageFile;
    return paths;
}
