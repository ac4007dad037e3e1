// TreskBinding.h - the main program's side of the core library (tresk.dll,
// imported by name at load time): the records it hands over and a string
// helper for copying what the library reports.
//
//   TScanMonitor, ScanMonitor   the three callbacks given to TrkSetMonitor
//   AppEngineConfig             the rescue paths given to TrkSetConfig
//   SafeStrLen                  length of a text the library may leave absent
#pragma once

#include <tresk.h>

#include <cstddef>

// The callbacks in the order TrkSetMonitor takes them; each may be absent.
struct TScanMonitor {
    ScanEntryCallback onEntry = nullptr;
    ScanStartCallback onStart = nullptr;
    ScanEndCallback onEnd = nullptr;
};

extern TScanMonitor ScanMonitor;
// The program's EngineConfig record, filled by InitEnginePaths (globals.h).
extern EngineConfig AppEngineConfig;

// The length in bytes of a zero-terminated text, 0 for an absent one.
size_t WINAPI SafeStrLen(const char* text);
