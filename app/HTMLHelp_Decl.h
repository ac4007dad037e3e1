// HTMLHelp_Decl.h - the binding to the platform's HTML help control, made on
// the first help request so that the program starts where the control is
// missing. The library stays loaded until the process ends.
#pragma once

#include <windows.h>

#include <string>

// The file the help control is loaded from; empty (the default) means
// "HHCTRL.OCX" in the system folder. Tests point it at a file of their own.
extern std::string HelpLibraryPath;

// Binds HtmlHelpA on first use (HH_INITIALIZE sent once), then calls it with
// the arguments and returns its result. Raises Exception when the library or
// its entry point cannot be had; the next call tries again.
HWND CallHtmlHelp(HWND caller, const std::string& file, UINT command, DWORD_PTR data);
