// ScanDriver.cpp - TrkScan: runs the category scanners in their fixed order.
#include "Engine.h"
#include "FileLookups.h"
#include "FileUtil.h"
#include "Scanners.h"

namespace {

// Clears the scanning bit and tells the caller the scan ended, however the
// call leaves after it started.
struct ScanSession {
    ScanSession() {
        g_engine.status |= StatusScanning;
        if (g_engine.monitor.onStart) g_engine.monitor.onStart();
        FreeScanEntries(&g_engine.results.head, true);
        g_engine.results.tail = nullptr;
        g_engine.stopRequested = 0;
        g_engine.walkPump = PacedPump();
    }
    ~ScanSession() {
        g_engine.status &= ~StatusScanning;
        if (g_engine.monitor.onEnd) g_engine.monitor.onEnd();
    }
    ScanSession(const ScanSession&) = delete;
    ScanSession& operator=(const ScanSession&) = delete;
};

uint32_t RunScanners(uint32_t flags) {
    uint32_t result = 0;
    if (flags & ScanFonts) {
        if (uint32_t error = ScanFontValues()) return error;
    }
    if (flags & ScanSharedFiles) {
        if (uint32_t error = ScanSharedDllValues()) return error;
    }
    if (flags & ScanHelpFiles) result = ScanHelpFileKeys();
    if (flags & ScanStartup) {
        result = ScanRunValues();
        if (result) return result;
    }
    // The results of the remaining scanners are not used.
    if (flags & ScanFileTypes) ScanFileTypeKeys();
    if (flags & ScanShortcuts) ScanRecentDocs();
    if (flags & ScanSoftware) ScanUninstallKeys();
    if (flags & ScanSounds) ScanSoundKeys();
    if (flags & ScanCOM) ScanComGroup();
    if (flags & ScanHistoryLists) ScanHistoryListKeys();
    return result;
}

}  // namespace

extern "C" uint32_t WINAPI TrkScan(uint32_t flags) {
    // A call made from a handler pumped by a running scan is refused.
    if (g_engine.status & StatusScanning) return 0;
    ScanSession session;
    FileLookupScope lookups;
    return RunScanners(flags);
}
