// RecentDocScan.h - the inner steps of the recent-document scan.
#pragma once

#include <windows.h>

#include <string>

// Reads the document name and the shortcut file name out of a RecentDocs
// value's data:
//   offset 0        document name, n UTF-16 characters and a UTF-16 zero
//   2n + 2          size of the shell item (not read)
//   2n + 4          item type; 0x32: the shortcut name is ANSI, else UTF-16
//   2n + 16         shortcut file name up to its zero
// Both come out as ANSI texts of at most 519 characters. False, with nothing
// to report, when the data ends before a name's zero or a name doesn't fit.
bool DecodeRecentDocEntry(const BYTE* data, size_t size, std::string* documentName,
                          std::string* shortcutName);

// Reports every document of the RecentDocs key and its per-extension
// subkeys, and each empty subkey. Returns 0, or the error of opening
// RecentDocs or of reading its information.
DWORD ScanRecentDocValues();
