// tresk.h - the interface of the Tresk registry engine (tresk.dll).
//
// Holds: ScanCategory flags, ScanEntryCode kinds and reasons, ScanEntry,
// ScanMonitor callbacks, EngineConfig, SelectedEntry, RescueItem, RescueNode,
// the status bits, and the twelve exported functions.
//
// Every export and callback uses the standard Windows calling convention;
// names are undecorated. Texts are zero-terminated ANSI in the system code
// page. Results are Win32 error numbers unless said otherwise.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

extern "C" {

// ---- Scan categories: the argument of TrkScan and the category bit of a code.
enum : uint32_t {
    ScanCOM = 0x1000,
    ScanApplicationPaths = 0x2000,  // runs nothing
    ScanFileTypes = 0x4000,
    ScanFonts = 0x8000,  // also the tag of the help-file and Run entries
    ScanHelpFiles = 0x10000,
    ScanHistoryLists = 0x20000,
    ScanSharedFiles = 0x40000,
    ScanShortcuts = 0x80000,
    ScanSoftware = 0x100000,
    ScanSounds = 0x200000,
    ScanStartMenu = 0x400000,  // runs nothing
    ScanStartup = 0x800000,
};

// ---- ScanEntryCode = category bit | kind | reason.
enum : uint32_t {
    EntryKindValue = 0x100,  // the entry is the value entryName of keyPath
    EntryKindKey = 0x200,    // the entry is the key keyPath
    EntryKindMask = 0xF00,
    EntryReasonMask = 0xFF,
};

enum : uint32_t {
    ReasonEmptyKey = 0x04,
    ReasonFileMissing = 0x05,
    ReasonFolderMissing = 0x06,
    ReasonShortcutMissing = 0x07,
    ReasonClassMissing = 0x10,
    ReasonClsidMissing = 0x11,
    ReasonTypeLibMissing = 0x13,
};

typedef uint32_t ScanEntryCode;

// ---- Status word returned by TrkGetStatus.
enum : uint32_t {
    StatusLoaded = 1,
    StatusScanning = 2,  // set while TrkScan runs
};

// One tested registry entry, allocated by the engine. Texts may be null.
struct ScanEntry {
    int32_t id;  // 0 from the engine; a caller numbers its own copies
    ScanEntryCode code;
    char* title;
    char* target;     // the file, folder, class or name pointed at
    char* keyPath;    // full path beginning with the root key's name
    char* entryName;  // value name; null for keys and default values
    ScanEntry* next;
};

typedef int(WINAPI* ScanEntryCallback)(ScanEntry* entry, double percent);
typedef void(WINAPI* ScanStartCallback)();
typedef void(WINAPI* ScanEndCallback)();

// Rescue paths of the engine; both fields are zero-terminated within 520.
enum : uint32_t { EnginePathSize = 520 };
struct EngineConfig {
    char rescueFolder[EnginePathSize];  // ends with a backslash
    char rescueIndexPath[EnginePathSize];
};

// Caller-built list node for TrkClean and TrkBackup.
struct SelectedEntry {
    int32_t index;
    ScanEntry* entry;  // only code, keyPath and entryName are read
    SelectedEntry* next;
};

// One backup set as listed in the rescue index.
struct RescueItem {
    FILETIME created;  // local time
    uint32_t count;
    char* fileName;
    char* description;
};

// List node allocated by TrkAllocRescueItems.
struct RescueNode {
    int32_t index;  // 0-based position in the index file
    RescueItem* item;
    RescueNode* next;
};

// ---- Exports (ordinals 1-10, 20, 21).
void WINAPI TrkSetMonitor(ScanEntryCallback onEntry, ScanStartCallback onStart,
                          ScanEndCallback onEnd);
uint32_t WINAPI TrkGetStatus();
int32_t WINAPI TrkGetConfig(EngineConfig* config);
int32_t WINAPI TrkSetConfig(const EngineConfig* config);
uint32_t WINAPI TrkScan(uint32_t flags);
void WINAPI TrkStopScan();
// The items of a rescue index, in file order; null when it has none. The
// list is the caller's.
RescueNode* WINAPI TrkAllocRescueItems(const char* indexPath);
// Releases every list TrkAllocRescueItems has handed out so far; the caller
// must hold none of their nodes any more.
void WINAPI TrkFreeRescueItems();
// Removes the item's section from the index and deletes its rescue file (a
// file that is not a rescue file is left alone). When the index cannot be
// changed, the file is kept and the error returned. Callers ignore the result.
int32_t WINAPI TrkDeleteRescue(RescueItem* item, const char* indexPath);
// Writes the item's keys and values back: 1 when its file was read whole and
// the registry took every key and value of it, 0 otherwise (what the registry
// took is written all the same). The item stays in the index.
int32_t WINAPI TrkRestoreRescue(RescueItem* item);
// Saves the first count entries into a new rescue item, then deletes each
// entry that went into it whole, pruning the keys left empty. 87 for no list
// or a count of 0; TrkBackup's error, with nothing deleted.
uint32_t WINAPI TrkClean(SelectedEntry* first, uint32_t count);
// Saves the first count entries into a new rescue item, named by the local
// time it is made, moved on by whole seconds while an item of the index has
// that second or a file has that name. 87 for no list; the
// error of writing the index or of a rescue file that could not be created
// or written; 170 while another backup, clean or restore runs.
uint32_t WINAPI TrkBackup(SelectedEntry* first, uint32_t count);

}  // extern "C"

// The records cross the library boundary: their layout is fixed.
static_assert(sizeof(ScanEntry) == 8 + 5 * sizeof(void*));
static_assert(offsetof(ScanEntry, code) == 4);
static_assert(offsetof(ScanEntry, title) == 8);
static_assert(offsetof(ScanEntry, next) == 8 + 4 * sizeof(void*));
static_assert(sizeof(EngineConfig) == 1040);
static_assert(offsetof(EngineConfig, rescueIndexPath) == 520);
static_assert(offsetof(SelectedEntry, entry) == sizeof(void*));
static_assert(sizeof(SelectedEntry) == 3 * sizeof(void*));
static_assert(offsetof(RescueItem, count) == 8);
static_assert(offsetof(RescueItem, fileName) == (sizeof(void*) == 8 ? 16 : 12));
static_assert(sizeof(RescueItem) == (sizeof(void*) == 8 ? 32 : 20));
static_assert(offsetof(RescueNode, item) == sizeof(void*));
static_assert(sizeof(RescueNode) == 3 * sizeof(void*));
