// HistoryListScan.h - the inner step of the history-list scan.
#pragma once

#include <windows.h>

// Deletes every value of root\subkey, from the last index to the first; the
// key and its subkeys stay. Returns 6 for a root of 0, the error of opening
// the key or of reading its information, else the result of the last value
// enumeration (0 when the key had no values).
LONG ClearHistoryKey(HKEY root, const char* subkey);
