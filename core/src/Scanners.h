// Scanners.h - one scanner per category, run by TrkScan in its fixed order.
// Each returns 0 or the Win32 error of the registry call that failed on its
// root key.
#pragma once

#include <windows.h>

DWORD ScanFontValues();
DWORD ScanSharedDllValues();
DWORD ScanHelpFileKeys();
DWORD ScanRunValues();
DWORD ScanFileTypeKeys();
DWORD ScanRecentDocs();
DWORD ScanUninstallKeys();
DWORD ScanSoundKeys();
DWORD ScanComGroup();
DWORD ScanHistoryListKeys();
