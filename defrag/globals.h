// globals.h - the defragmentation tool's paths and the small helpers its
// units share.
//
//   TToolPaths, ToolPaths            the program folder and the files found from
//                                    the main program's "config.ini"
//   LoadToolSettings, LoadToolSettingsFrom
//   LoadToolSection, WriteToolSection, TWriteFailureText
//                                    the common road of the language and skin
//                                    sections: written when missing or unmarked
//   SplitText                        a text cut at a separator
//   ShowToolMessage, ToolOwnerlessMessageBox
//   SetProcessPrivilege, DoPowerAction, PowerCalls
//
// Everything here runs on the GUI thread.
#pragma once

#include <classlib/Forms.h>
#include <classlib/IniFiles.h>
#include <shared/SettingsFile.h>
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The section of the language and skin files that belongs to the tool, and
// the caption of its own messages.
inline constexpr const char* ToolSection = "Sundrel";
inline constexpr const char* ToolFlagKey = "Flag";
inline constexpr const char* ToolCaption = "Sundrel";
inline constexpr const char* ToolTitle = "Registry Defrag";

// Set once by LoadToolSettings; empty until then. The language and skin
// folders and files come with TSettingsPaths.
struct TToolPaths : TSettingsPaths {
    std::string ExePath;         // the tool's folder, ending with "\"
    std::string ConfigFilePath;  // ExePath + "config.ini"
};

extern TToolPaths ToolPaths;

// Finds the main program's settings file beside the tool and takes the
// language folder, language file and skin folder from its section "system".
// False, after the message "%s is not exist !", when the file is missing;
// false without a message when reading it failed.
bool LoadToolSettings();
// LoadToolSettings for the settings file of the given program folder.
bool LoadToolSettingsFrom(const std::string& programFolder);

// The message that tells a file could not be written, for the file's path:
// the language section gives it (WriteFailureText).
using TWriteFailureText = std::string (*)(const std::string& fileName);

// The tool's section of fileName, as the language and skin loaders read it:
// a missing file is written with the defaults first (a file still missing
// then is reported with the caption "Sundrel"); a section whose "Flag" is
// not true is written with the defaults (a failure is reported with the
// caption "Write File Error!"); then readKeys reads the section. Both
// messages are failureText of fileName, asked when the failure happens.
// False after either message or when reading raised an error.
bool LoadToolSection(const std::string& fileName, const std::function<bool()>& writeDefaults,
                     const std::function<void(const TIniFile&)>& readKeys,
                     TWriteFailureText failureText);

// Writes "Flag" = 1 into the tool's section of fileName (creating the file),
// then writeKeys the rest. False when a write failed; what was written before
// the failure stays.
bool WriteToolSection(const std::string& fileName,
                      const std::function<void(const TIniFile&)>& writeKeys);

// The parts of text between the occurrences of separator, in order; with
// trim, every part but the last loses its blanks at either end (the last
// part is kept as it stands). Separators count wherever they lie. An empty
// separator never occurs, so the text comes back whole.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator, bool trim);

// The application's message box (MB_ flags); the id of the button pressed.
int ShowToolMessage(const std::string& text, const std::string& caption, UINT flags);

// The message box of the start-up loaders: the platform's own, without an
// owner window. Tests put a recorder in its place.
extern TMessageBoxEvent ToolOwnerlessMessageBox;

// Enables or disables a privilege of the process's token; true when the
// adjustment call succeeded (false also for an unknown privilege name).
bool SetProcessPrivilege(const char* name, bool enable);

// The platform's power calls, one place for tests to replace them: a test
// must never let the real ones run.
struct TPowerCalls {
    std::function<BOOL(UINT flags, DWORD reason)> ExitWindowsEx;
    std::function<BOOL(BOOL suspend, BOOL force)> SetSystemPowerState;
};
extern TPowerCalls PowerCalls;

// With the shutdown privilege enabled around it: 0 ends the application;
// 1 shuts down and powers off, 2 powers off, 3 reboots (ExitWindowsEx with
// flags 9, 8, 2); 4 and 5 call SetSystemPowerState with suspend false and
// true. Failures are not reported. Any other kind does nothing.
void DoPowerAction(int kind);
