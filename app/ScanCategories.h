// ScanCategories.h - the twelve scan categories of the main program, written
// once. Every place that deals with them walks this table: the check boxes of
// the scan page, the icons and labels of the progress page, the scan loop,
// the settings keys and the texts of the language file.
//
//   TScanCategoryInfo   one category: its flag and the names its controls,
//                       keys and settings field go by
//   ScanCategoryInfo    the twelve, in scan order (Startup before Start Menu),
//                       which is also the order of their settings keys
//
// The names are those the skin, language and settings files use:
//   check box     "CheckBox" + Name    language key "IDS_MAINWND_CHECKBOX_" + box name
//   result icon   "ResultIcon" + Name  on the progress page
//   label         LabelName            beside the icon; language key "IDS_MAINWND_LABEL_" + it
//   settings key  "ScanBox" + Name     of section "system", held in the field Setting
#pragma once

#include <app/globals.h>
#include <tresk.h>

#include <array>
#include <cstdint>
#include <string>

struct TScanCategoryInfo {
    uint32_t Flag;  // the core library's ScanCategory bit
    const char* Name;
    const char* LabelName;
    bool TGlobalVars::*Setting;

    std::string BoxName() const { return std::string("CheckBox") + Name; }
    std::string IconName() const { return std::string("ResultIcon") + Name; }
    std::string SettingsKey() const { return std::string("ScanBox") + Name; }
};

inline constexpr size_t ScanCategoryCount = 12;

// The core library does nothing for Application Paths and Start Menu; they
// are scanned all the same, and their boxes kept in the settings.
inline constexpr std::array<TScanCategoryInfo, ScanCategoryCount> ScanCategoryInfo = {{
    {ScanCOM, "COM", "LabelActiveX", &TGlobalVars::ScanBoxCOM},
    {ScanApplicationPaths, "ApplicationPaths", "LabelAppPaths",
     &TGlobalVars::ScanBoxApplicationPaths},
    {ScanFileTypes, "FileTypes", "LabelFileTypes", &TGlobalVars::ScanBoxFileTypes},
    {ScanFonts, "Fonts", "LableFonts", &TGlobalVars::ScanBoxFonts},
    {ScanHelpFiles, "HelpFiles", "LableHelpFiles", &TGlobalVars::ScanBoxHelpFiles},
    {ScanHistoryLists, "HistoryLists", "LabelHistoryLists", &TGlobalVars::ScanBoxHistoryLists},
    {ScanSharedFiles, "SharedFiles", "LabelSharedFiles", &TGlobalVars::ScanBoxSharedFiles},
    {ScanShortcuts, "Shortcuts", "LabelShortcuts", &TGlobalVars::ScanBoxShortcuts},
    {ScanSoftware, "Software", "LabelSoftware", &TGlobalVars::ScanBoxSoftware},
    {ScanSounds, "Sounds", "LabelSounds", &TGlobalVars::ScanBoxSounds},
    {ScanStartup, "Startup", "LabelStartup", &TGlobalVars::ScanBoxStartup},
    {ScanStartMenu, "StartMenu", "LabelStartMenu", &TGlobalVars::ScanBoxStartMenu},
}};
