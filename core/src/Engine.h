// Engine.h - the engine's process-wide state and the routines every scanner
// shares: the reporter, the result list, the progress rule, load and unload.
#pragma once

#include <string>

#include "FileUtil.h"
#include "tresk.h"

struct ScanMonitor {
    ScanEntryCallback onEntry = nullptr;
    ScanStartCallback onStart = nullptr;
    ScanEndCallback onEnd = nullptr;
};

struct ScanResultList {
    ScanEntry* head = nullptr;
    ScanEntry* tail = nullptr;
};

// One copy per loaded library; set up by InitEngine, torn down by ShutdownEngine.
struct EngineState {
    uint32_t status = 0;
    volatile LONG stopRequested = 0;
    ScanMonitor monitor;
    ScanResultList results;
    EngineConfig config{};
    // Folders the scanners look in; each ends with a backslash or is empty.
    std::string fontsFolder;
    std::string recentFolder;
    std::string mediaFolder;
    std::string historyConfigPath;
    // The pump of the COM and file-type walks, which visit tens of thousands
    // of keys; started anew by every scan.
    PacedPump walkPump;
};

extern EngineState g_engine;

void InitEngine();
void ShutdownEngine();

inline bool StopRequested() { return g_engine.stopRequested != 0; }

// Hands one tested entry to the caller. An invalid entry is kept in the
// result list; a valid one has its reason cleared and is freed after the
// callback. Returns 0, or 14 when the record could not be allocated.
DWORD ReportEntry(const char* title, const char* keyPath, const char* entryName, const char* target,
                  ScanEntryCode code, double percent, int invalid);

// Frees *holder (its texts and the record) and, with followNext, the list
// behind it; *holder becomes null.
void FreeScanEntries(ScanEntry** holder, bool followNext);

// index * 100 / (count - 1), at most 100, and 100 for a count of 0 or 1.
double ProgressPercent(uint32_t index, uint32_t count);
// The file-type rule: the same with count - 8 as the divisor.
double ProgressPercentFileTypes(uint32_t index, uint32_t count);
