// SettingsLines.h - the lines of section "system" of the settings file as
// the program writes them, for the tests that read the file back.
#pragma once

#include <app/globals.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The section's header and the 22 state keys with their defaults, in the
// order they are written, with the values of the named keys changed.
inline std::vector<std::string> StateKeyLines(
    std::initializer_list<std::pair<std::string, std::string>> changed = {}) {
    std::vector<std::string> lines = {
        "[system]",
        "StartWhenSystemBoots=0",
        "StartScanWhenStarts=0",
        "StartMin=0",
        "ConfirmBackups=1",
        "LastScanDateTime=...",
        "LastScanResult=0",
        "LastRegistryDefragDateTime=...",
        "LastRegistryBackupDateTime=...",
        "InvalidRegistryEntriesFoundToDate=0",
        "RegistryErrorsFixedToDate=0",
        "ScanBoxCOM=1",
        "ScanBoxApplicationPaths=1",
        "ScanBoxFileTypes=1",
        "ScanBoxFonts=1",
        "ScanBoxHelpFiles=1",
        "ScanBoxHistoryLists=1",
        "ScanBoxSharedFiles=1",
        "ScanBoxShortcuts=1",
        "ScanBoxSoftware=1",
        "ScanBoxSounds=1",
        "ScanBoxStartup=1",
        "ScanBoxStartMenu=1",
    };
    for (const auto& [key, value] : changed) {
        bool found = false;
        for (std::string& line : lines) {
            if (line.compare(0, key.size() + 1, key + "=") != 0) continue;
            line = key + "=" + value;
            found = true;
        }
        EXPECT_TRUE(found) << "no state key " << key;
    }
    return lines;
}

// The section as the first start writes it: the state keys with their
// defaults, then the five keys written with fixed values.
inline std::vector<std::string> FirstStartSystemLines() {
    std::vector<std::string> lines = StateKeyLines();
    lines.insert(lines.end(), {"SkinsDir=Skins", "LanguagesDir=Langs", "LanguageFile=English.ini",
                               std::string("Copyright=") + DefaultCopyright, "Version=v6.2.4.4"});
    return lines;
}
