// LanguageDefaults.h - the built-in English texts of the main program, by
// section and key, in the order of the language file: section "FORMMAIN"
// (captions of the main window) and section "Message" (messages, rows and the
// splash notice). "#13" in a text is a line break; "%s" and "%d" are filled
// by the text's user.
#pragma once

#include <cstddef>
#include <iterator>

// The main window's section: of the language file for its texts, and of the
// skin file for its look (the splash window's picture is named there too).
inline constexpr const char* FormMainSection = "FORMMAIN";
inline constexpr const char* MessageSection = "Message";

struct TLanguageDefault {
    const char* Section;
    const char* Key;
    const char* Text;
    // Written into a new language file. The texts added after the file's
    // layout was fixed are read from a translator's file that has them, but
    // not written into a new one, so that file keeps its layout.
    bool Written = true;
};

inline constexpr TLanguageDefault LanguageDefaults[] = {
    {FormMainSection, "IDS_MAINWND_BUTTON_TopOverview", "Overview"},
    {FormMainSection, "IDS_MAINWND_BUTTON_TopRegistryScan", "Scan"},
    {FormMainSection, "IDS_MAINWND_BUTTON_TopSettings", "Settings"},
    {FormMainSection, "IDS_MAINWND_BUTTON_TopRestore", "Restore"},
    {FormMainSection, "IDS_MAINWND_LABEL_labSystemOverview", "System Overview"},
    {FormMainSection, "IDS_MAINWND_LABEL_labInRed",
     "The items marked in red require your attention"},
    {FormMainSection, "IDS_MAINWND_LABEL_labLastScan", "Last Scan"},
    {FormMainSection, "IDS_MAINWND_LABEL_labScanResults", "Last Scan Results"},
    {FormMainSection, "IDS_MAINWND_LABEL_labLastRegistryDefrag", "Last Registry Defrag"},
    {FormMainSection, "IDS_MAINWND_LABEL_labRegistryBackup", "Last Registry Backup"},
    {FormMainSection, "IDS_MAINWND_BUTTON_RegistryScanScan", "Registry Scan"},
    {FormMainSection, "IDS_MAINWND_BUTTON_RegistryScanResults", "Scan Results"},
    {FormMainSection, "IDS_MAINWND_BUTTON_RegistryDefrag", "Registry Defrag"},
    {FormMainSection, "IDS_MAINWND_LABEL_labRegistryScan", "Registry Scan"},
    {FormMainSection, "IDS_MAINWND_LABEL_labScanLastScan", "Last Scan:"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelPleaseSelect",
     "Please Select Items You Want to Scan:"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxComplete", "Complete Registry Scan"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxCOM", "ActiveX and COM"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxApplicationPaths", "Application Paths"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxFileTypes", "File Types"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxFonts", "Fonts"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxHelpFiles", "Help Files"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxHistoryLists", "History lists"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxSharedFiles", "Shared files"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxShortcuts", "Shortcuts"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxSoftware", "SoftWare"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxSounds", "Sounds"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxStartup", "Startup"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_CheckBoxStartMenu", "Start Menu"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelCheckAll", "Check All"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelUncheckAll", "UnCheck All"},
    {FormMainSection, "IDS_MAINWND_BUTTON_CreateBackup", "Create Backup"},
    {FormMainSection, "IDS_MAINWND_BUTTON_RepairRegistry", "Repair Registry"},
    {FormMainSection, "IDS_MAINWND_LABEL_labRegistryDefrag", "Registry Defrag"},
    {FormMainSection, "IDS_MAINWND_LABEL_labRegistryDefragDetail",
     "To improve system performance and achieve a faster start up, you must defrag the registry "
     "regularly. To start de-fragmenting the registry, click on the button Defrag Registry. This "
     "process will take some time and may show down other processes for a while. You need to "
     "reboot the system for the changes to take effect."},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelLastDefrag", "Last Defrag:"},
    {FormMainSection, "IDS_MAINWND_LABEL_labRegistryDefragLastTimeDetail", "..."},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelActiveX", "ActiveX and COM"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelAppPaths", "Application Paths"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelFileTypes", "File Types"},
    {FormMainSection, "IDS_MAINWND_LABEL_LableFonts", "Fonts"},
    {FormMainSection, "IDS_MAINWND_LABEL_LableHelpFiles", "Help Files"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelHistoryLists", "History lists"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelSharedFiles", "Shared files"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelShortcuts", "Shortcuts"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelSoftware", "Software"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelSounds", "Sounds"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelStartup", "Startup"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelStartMenu", "Start Menu"},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelScanning", "Scanning..."},
    {FormMainSection, "IDS_MAINWND_LABEL_LabelFenwarpStatus", "..."},
    {FormMainSection, "IDS_MAINWND_BUTTON_StopScan", "Stop"},
    {FormMainSection, "IDS_MAINWND_BUTTON_SettingsGeneral", "General Settings"},
    {FormMainSection, "IDS_MAINWND_LABEL_labSettingsGeneralSettings", "General Settings"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_chkSettingsStartWhenSystemBoos",
     "Start When System Boots up"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_chkSettingsStartScanWhenStarts",
     "Start Scan when %s Starts"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_chkSettingsStartMin", "Start Minimized in System Tray"},
    {FormMainSection, "IDS_MAINWND_CHECKBOX_chkSettingsConfirmBackup",
     "Confirm for Creating Backups before Repairing System Errors"},
    {FormMainSection, "IDS_MAINWND_BUTTON_Default", "Default"},
    {FormMainSection, "IDS_MAINWND_BUTTON_Apply", "Apply"},
    {FormMainSection, "IDS_MAINWND_BUTTON_TabSheetRestoreRegistry", "Restore Registry"},
    {FormMainSection, "IDS_MAINWND_LABEL_labTabSheetRestoreRegistry", "Restore Registry"},
    {FormMainSection, "IDS_MAINWND_LABEL_labTabSheetRestoreRegistryDetail",
     "%s provides complete undo support. Whenever it makes any changes to the registry, it "
     "automatically creates  an undo file which can be used to go back to the previous "
     "configuration.  If you are not satisfied with the changes made by %s,  just select an item "
     "from the list given below which you were comfortable with and press \"Restore\"."},
    {FormMainSection, "IDS_MAINWND_LISTVIEW_RescueItem_Columns",
     "Date and Time of changes made to registry"},
    {FormMainSection, "IDS_MAINWND_BUTTON_DeleteRestore", "Delete"},
    {FormMainSection, "IDS_MAINWND_BUTTON_RestoreBackup", "Restore"},
    {FormMainSection, "IDS_MAINWND_LABEL_labGUIBy", "GUI Designed By"},
    {FormMainSection, "IDS_MAINWND_LABEL_labOstrel", "www.ostrel-design.com"},
    {FormMainSection, "IDS_MAINWND_LABEL_labCopyRightWarning",
     "Warning: this program is protected by copyright law. Unauthorised copying or distribution of "
     "this program, or of any part of it, will be prosecuted."},
    {FormMainSection, "IDS_MAINWND_HELP_HelpContent", "Help Content"},
    {FormMainSection, "IDS_MAINWND_HELP_QuickStart", "Quick Start..."},
    {FormMainSection, "IDS_MAINWND_HELP_Languages", "Languages"},
    {FormMainSection, "IDS_MAINWND_HELP_OnlineResources", "Online Resources..."},
    {FormMainSection, "IDS_MAINWND_HELP_ContactTechnicalSupport", "Contact Technical Support..."},
    {FormMainSection, "IDS_MAINWND_HELP_About", "About..."},
    {FormMainSection, "IDS_MAINWND_BUTTON_HINT_DefragRegistry", "Defrag Registry"},
    {FormMainSection, "IDS_MAINWND_BUTTON_HINT_StartScan", "Start Scan"},
    {FormMainSection, "IDS_MAINWND_BUTTON_HINT_Settings", "Settings"},
    {FormMainSection, "IDS_MAINWND_BUTTON_HINT_StartScanNow", "Scan Now"},
    {MessageSection, "IDS_SPLASH_LABEL_Copyright",
     " All rights reserved.#13#13This program is protected by copyright law and international "
     "treaties."},
    {MessageSection, "AttentionErrorFound", "Attention: %d Problems/Errors Found"},
    {MessageSection, "ScanResultsErrorFound", "Scan Results (%d Problems/Errors Found)"},
    {MessageSection, "NoIncalidEntries", "No invalid entries were found on your system!"},
    {MessageSection, "NoIncalidEntriesTitle", "Holvane"},
    {MessageSection, "InvalidRegistryEntries",
     "A total of %d invalid Registry entries were found on your system.  #13 Click on \"Repair "
     "Registry\" to fix all entries."},
    {MessageSection, "InvalidRegistryEntriesTitle", "Holvane"},
    {MessageSection, "StopScan", "Are you sure want to stop scanning?"},
    {MessageSection, "StopScanTitle", "Holvane"},
    {MessageSection, "ScanItemPath", "Path: %s"},
    {MessageSection, "ScanItemTitle", "Title: %s"},
    {MessageSection, "ScanItemEntryName", "EntryName: %s"},
    {MessageSection, "ScanItemTarget", "Target: %s"},
    {MessageSection, "ScanItemCaption", ""},
    {MessageSection, "ParseErrorEmptyKey", "Found an empty key %s to be deleted."},
    {MessageSection, "ParseErrorPathNotFound",
     "Found an Item in %s point to a missing file %s that should be deleted."},
    {MessageSection, "ParseErrorMissingRootItem",
     "Found a Item in %s point to a missing filetype that should be deleted."},
    {MessageSection, "ParseErrorMissingCLSID",
     "Found a Item in %s point to a missing ClassID that should be deleted;"},
    {MessageSection, "ParseErrorMissingTypeLibItem",
     "Found a Item in %s point to a missing TypeLib that should be deleted"},
    {MessageSection, "ParseErrorTitle", "Title: %s #13 Path: %s #13 EntryName: %s #13 Target: %s"},
    {MessageSection, "ConfirmBackup",
     "A total of %d entries were found, out of which %d were selected for removal. #13 As a safety "
     "precaution, a complete backup of the Registry should be made before any cleaning. #13 This "
     "allows you to undo any changes made to your PC. #13 Do you want to take a backup? "},
    {MessageSection, "RepairingComplete", "Repairing Complete!"},
    {MessageSection, "RepairingCompleteTitle", "Holvane"},
    {MessageSection, "ShowBalloonsHint", "Holvane"},
    {MessageSection, "ShowBalloonsText",
     "%s has been minimized. Double click this icon to restore."},
    {MessageSection, "OptionInvalidEntries", "Invalid Registry Entries Found To Date: %d"},
    {MessageSection, "OptionErrorFixed", "Registry Errors Fixed To Date: %d"},
    {MessageSection, "OptionFoundDetail", "%d Entries Found, %d Entries Repaired"},
    {MessageSection, "OptionErrorFound", "Attention: %d Problems/Errors Found"},
    {MessageSection, "OptionScanResult", "Scan Results (%d Problems/Errors Found)"},
    {MessageSection, "BackupComplete", "Restoring Complete!"},
    {MessageSection, "BackupCompleteTitle", "Holvane"},
    {MessageSection, "RescueItem", "%s - %d Items"},
    {MessageSection, "CreateBackUp", "Taking Registry Backup Complete!"},
    {MessageSection, "CreateBackUpTitle", "Holvane"},
    {MessageSection, "BackupFailed",
     "The backup could not be written completely (error %u). The registry was not changed.", false},
    {MessageSection, "RepairFailed",
     "The selected entries could not be backed up (error %u), so none of them was deleted. "
     "Nothing was changed.",
     false},
    {MessageSection, "RestoreFailed",
     "The backup could not be restored completely. It has been kept, so that you can try "
     "again.",
     false},
    {MessageSection, "RescueFailedTitle", "Holvane", false},
    {MessageSection, "RepairBackupFailed",
     "The backup could not be written completely (error %u), so the repair was not started. "
     "Nothing was deleted.",
     false},
    {MessageSection, "RepairNotRemoved",
     "%d of the selected entries could not be removed and are still in the registry.", false},
    {MessageSection, "ScanStoppedResult",
     "The scan was stopped. %d invalid Registry entries were found before it stopped.", false},
    {MessageSection, "EndSessionBusy",
     "Holvane closes as soon as the registry task under way has ended.", false},
};

inline constexpr size_t LanguageTextCount = std::size(LanguageDefaults);
