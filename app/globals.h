// globals.h - the main program's settings store and the helpers that all its
// windows share.
//
//   TGlobalVars, TAppSettings, AppSettings   the settings of "config.ini" and
//                                            the folder and file paths made from them
//   LoadSettings, WriteDefaultSettings, WriteStateSettings
//   SaveFormPosition, LoadFormPosition       section "Form" of the settings file
//   InitEnginePaths                          the core library's rescue paths
//   CurrentDateTimeText, OpenLink, ShellExecuteLink, ShowMessageBox, OwnerlessMessageBox
//   BeginBusyCursor, EndBusyCursor, TBusyCursor, BusyCursorDepth
//
// Everything here runs on the GUI thread.
#pragma once

#include <app/TreskBinding.h>
#include <classlib/Classes.h>
#include <classlib/Forms.h>
#include <classlib/IniFiles.h>
#include <shared/PubFunctions.h>
#include <shared/SettingsFile.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>

inline constexpr const char* ProductName = "Holvane";
inline constexpr const char* DefaultVersion = "v6.2.4.4";
inline constexpr const char* DefaultCopyright = "Copyright (C) 2004-2009 Holvane Software";
// The maker's home page and support address, shown on the About page and
// opened by the help menu's links.
inline constexpr const char* ProductHomePage = "http://www.holvane-software.com";
inline constexpr const char* ProductSupportMail = "support@holvane-software.com";

// The settings file's second section, besides section "system" (whose
// names both programs read, SettingsFile.h).
inline constexpr const char* FormSection = "Form";

// The persisted values of section "system"; a key missing from the file
// leaves its field at the default given here. The folder keys (SkinsDir,
// LanguagesDir, LanguageFile) come with TSettingsFolders.
struct TGlobalVars : TSettingsFolders {
    bool StartWhenSystemBoots = false;
    bool StartScanWhenStarts = false;
    bool StartMin = false;
    bool ConfirmBackups = true;
    std::string LastScanDateTime = "...";
    int32_t LastScanResult = 0;
    std::string LastRegistryDefragDateTime = "...";
    std::string LastRegistryBackupDateTime = "...";
    int32_t InvalidRegistryEntriesFoundToDate = 0;
    int32_t RegistryErrorsFixedToDate = 0;
    bool ScanBoxCOM = true;
    bool ScanBoxApplicationPaths = true;
    bool ScanBoxFileTypes = true;
    bool ScanBoxFonts = true;
    bool ScanBoxHelpFiles = true;
    bool ScanBoxHistoryLists = true;
    bool ScanBoxSharedFiles = true;
    bool ScanBoxShortcuts = true;
    bool ScanBoxSoftware = true;
    bool ScanBoxSounds = true;
    bool ScanBoxStartup = true;
    bool ScanBoxStartMenu = true;
};

// The process-wide settings: the persisted values, the two texts of the
// About page, and the paths derived at start-up (the skin and language
// folders and files come with TSettingsPaths; the language menu changes
// LanguageFilePath). A path that LoadSettings could not derive stays empty.
struct TAppSettings : TGlobalVars, TSettingsPaths {
    std::string Copyright;
    std::string Version;
    std::string ExePath;         // the program folder, ending with "\"
    std::string ConfigFilePath;  // ExePath + "config.ini"
};

extern TAppSettings AppSettings;

// Fills AppSettings from "config.ini" in the running program's folder,
// writing the file with the defaults first when it is missing. False after
// the message that the file cannot be written (the defaults stay, the paths
// but ExePath and ConfigFilePath stay empty) or when reading failed. Section
// "system" is read from the file once and its keys answered from memory.
bool LoadSettings();
// LoadSettings for the settings file of the given program folder.
bool LoadSettingsFrom(const std::string& programFolder);
// Writes section "system" of ConfigFilePath: the 22 state keys from the
// current fields, then the folder and language file names, "Copyright" and
// "Version" with their fixed defaults. False at the first write that fails
// (what was written before it stays).
bool WriteDefaultSettings();
// The 22 state keys of section "system" from the current fields, in their
// fixed order (Booleans as "1"/"0", integers in decimal). Raises
// EIniFileException when a write fails.
void WriteStateSettings(const TIniFile& ini);

// Section "Form" of fileName (ConfigFilePath when it is blank): "x", "y" and
// "maximized". Saving raises EIniFileException when a write fails. Loading
// keeps the form's place for a missing "x" or "y", moves a negative edge to
// 0, and leaves the form maximised or normal; it always returns true.
void SaveFormPosition(const std::string& section, const TCustomForm& form,
                      const std::string& fileName);
bool LoadFormPosition(const std::string& section, TCustomForm& form, const std::string& fileName);

// Clears ScanMonitor and AppEngineConfig, sets the rescue
// folder ExePath + "backup\" and the rescue index in it
// ("Rescue.ini"), and creates that folder with its missing parents. A path
// too long for its field leaves the field empty; a folder that cannot be
// created is not reported.
void InitEnginePaths();

// How dates are shown and stored in the settings file, in the user's locale.
inline constexpr const char* DateTimeTextFormat = "dddd, mmmm dd, yyyy - tt";
// The local date and time as DateTimeTextFormat.
std::string CurrentDateTimeText();

// Hands a web address or mail link to the shell under a busy cursor; a blank
// link does nothing, a failure shows nothing.
void OpenLink(const std::string& link);

// The shell's extended execute that OpenLink hands its link to: the
// platform's own. Tests put a recorder in its place.
using TShellExecuteEvent = std::function<BOOL(SHELLEXECUTEINFOA& info)>;
extern TShellExecuteEvent ShellExecuteLink;

// The application's modal message box (MB_ flags); the id of the button pressed.
int32_t ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags);

// The message box of the settings and language loaders: the platform's own,
// without an owner window. Tests put a recorder in its place.
extern TMessageBoxEvent OwnerlessMessageBox;

// The nestable hourglass: each begin shows it, the end matching the first
// begin gives the default cursor back; an end without a begin does nothing.
extern int32_t BusyCursorDepth;
void BeginBusyCursor();
void EndBusyCursor();

// A busy cursor for the lifetime of the object, ended also on error.
class TBusyCursor {
public:
    TBusyCursor() { BeginBusyCursor(); }
    ~TBusyCursor() { EndBusyCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};
