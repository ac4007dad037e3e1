// PendingScanners.cpp - categories whose scanner is not written yet report
// nothing and succeed.
#include "Scanners.h"

DWORD ScanFontValues() { return 0; }
DWORD ScanSharedDllValues() { return 0; }
DWORD ScanHelpFileKeys() { return 0; }
DWORD ScanRunValues() { return 0; }
DWORD ScanRecentDocs() { return 0; }
DWORD ScanUninstallKeys() { return 0; }
DWORD ScanSoundKeys() { return 0; }
DWORD ScanHistoryListKeys() { return 0; }
