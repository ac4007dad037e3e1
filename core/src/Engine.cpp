// Engine.cpp - load and unload, the monitor and configuration exports, the
// reporter and the result list.
#include "Engine.h"

#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "FileUtil.h"

EngineState g_engine;

namespace {

// The path of a shell folder with a trailing backslash; empty when the shell
// can't find it.
std::string ShellFolderPath(int csidl) {
    LPITEMIDLIST idList = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &idList)) || !idList) return {};
    char path[MAX_PATH] = {};
    std::string result;
    if (SHGetPathFromIDListA(idList, path)) result = path;
    CoTaskMemFree(idList);
    AppendBackslash(result);
    return result;
}

std::string WindowsFolder() {
    char buffer[EnginePathSize] = {};
    UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    return buffer;
}

// Copies a text field of the boundary record, never past its 520 bytes.
void CopyConfigText(char (&to)[EnginePathSize], const char (&from)[EnginePathSize]) {
    size_t length = strnlen(from, EnginePathSize - 1);
    memcpy(to, from, length);
    to[length] = '\0';
}

void SetConfigText(char (&to)[EnginePathSize], const std::string& from) {
    size_t length = from.size() < EnginePathSize ? from.size() : EnginePathSize - 1;
    memcpy(to, from.data(), length);
    to[length] = '\0';
}

char* CopyText(const char* text, bool* failed) {
    if (!text) return nullptr;
    char* copy = _strdup(text);
    if (!copy) *failed = true;
    return copy;
}

}  // namespace

void InitEngine() {
    g_engine.monitor = ScanMonitor{};
    g_engine.fontsFolder = ShellFolderPath(CSIDL_FONTS);
    g_engine.recentFolder = ShellFolderPath(CSIDL_RECENT);
    g_engine.mediaFolder = WindowsFolder();
    AppendBackslash(g_engine.mediaFolder);
    g_engine.mediaFolder += "Media\\";
    std::string host = HostFolder();
    g_engine.historyConfigPath = host + "HistoryConfig.ini";
    SetConfigText(g_engine.config.rescueFolder, host + "Rescue\\");
    SetConfigText(g_engine.config.rescueIndexPath, host + "Rescue\\Rescue.dat");
    g_engine.status = StatusLoaded;
    g_engine.stopRequested = 0;
    g_engine.results = ScanResultList{};
}

void ShutdownEngine() {
    g_engine.fontsFolder.clear();
    g_engine.recentFolder.clear();
    g_engine.mediaFolder.clear();
    g_engine.historyConfigPath.clear();
    FreeScanEntries(&g_engine.results.head, true);
    g_engine.results.tail = nullptr;
}

void FreeScanEntries(ScanEntry** holder, bool followNext) {
    if (!holder) return;
    ScanEntry* entry = *holder;
    *holder = nullptr;
    while (entry) {
        ScanEntry* next = entry->next;
        free(entry->title);
        free(entry->target);
        free(entry->keyPath);
        free(entry->entryName);
        free(entry);
        if (!followNext) break;
        entry = next;
    }
}

DWORD ReportEntry(const char* title, const char* keyPath, const char* entryName, const char* target,
                  ScanEntryCode code, double percent, int invalid) {
    auto* entry = static_cast<ScanEntry*>(calloc(1, sizeof(ScanEntry)));
    if (!entry) return ERROR_OUTOFMEMORY;
    bool failed = false;
    entry->title = CopyText(title, &failed);
    entry->keyPath = CopyText(keyPath, &failed);
    entry->entryName = CopyText(entryName, &failed);
    entry->target = CopyText(target, &failed);
    if (failed) {
        FreeScanEntries(&entry, false);
        return ERROR_OUTOFMEMORY;
    }
    entry->code = code;
    ScanEntryCallback onEntry = g_engine.monitor.onEntry;
    if (invalid) {
        ScanResultList& results = g_engine.results;
        if (results.tail)
            results.tail->next = entry;
        else
            results.head = entry;
        results.tail = entry;
        if (onEntry) onEntry(entry, percent);
    } else {
        entry->code = code & ~EntryReasonMask;
        if (onEntry) onEntry(entry, percent);
        FreeScanEntries(&entry, false);
    }
    return 0;
}

static double PercentWithDivisor(uint32_t index, double divisor) {
    if (divisor <= 0) return 100.0;
    double percent = static_cast<double>(index) * 100.0 / divisor;
    return percent > 100.0 ? 100.0 : percent;
}

double ProgressPercent(uint32_t index, uint32_t count) {
    return PercentWithDivisor(index, static_cast<double>(count) - 1.0);
}

double ProgressPercentFileTypes(uint32_t index, uint32_t count) {
    return PercentWithDivisor(index, static_cast<double>(count) - 8.0);
}

extern "C" {

void WINAPI TrkSetMonitor(ScanEntryCallback onEntry, ScanStartCallback onStart,
                          ScanEndCallback onEnd) {
    g_engine.monitor = ScanMonitor{onEntry, onStart, onEnd};
}

uint32_t WINAPI TrkGetStatus() { return g_engine.status; }

int32_t WINAPI TrkGetConfig(EngineConfig* config) {
    if (config) {
        CopyConfigText(config->rescueFolder, g_engine.config.rescueFolder);
        CopyConfigText(config->rescueIndexPath, g_engine.config.rescueIndexPath);
    }
    return static_cast<int32_t>(GetLastError());
}

int32_t WINAPI TrkSetConfig(const EngineConfig* config) {
    if (config) {
        CopyConfigText(g_engine.config.rescueFolder, config->rescueFolder);
        CopyConfigText(g_engine.config.rescueIndexPath, config->rescueIndexPath);
    }
    return static_cast<int32_t>(GetLastError());
}

void WINAPI TrkStopScan() { InterlockedExchange(&g_engine.stopRequested, 1); }

}  // extern "C"
