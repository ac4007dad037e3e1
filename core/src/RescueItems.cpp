// RescueItems.cpp - the rescue exports: backup and clean of selected entries,
// and listing, restoring, deleting and releasing rescue items.
#include "RescueItems.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "Engine.h"
#include "FileUtil.h"
#include "Registry.h"
#include "RescueFile.h"
#include "RescueIndex.h"

namespace {

// Backup, clean and restore pump the caller's messages. One started from a
// handler meanwhile would write into the open rescue file of the running one
// or change keys under it, so it is refused.
bool g_rescueRunning = false;

class RescueRun {
public:
    RescueRun() : FStarted(!g_rescueRunning) { g_rescueRunning = true; }
    ~RescueRun() {
        if (FStarted) g_rescueRunning = false;
    }
    RescueRun(const RescueRun&) = delete;
    RescueRun& operator=(const RescueRun&) = delete;
    bool Started() const { return FStarted; }

private:
    bool FStarted;
};

// Every RescueNode handed out by TrkAllocRescueItems and not yet released.
std::vector<RescueNode*> g_handedOut;

template <typename Result, typename Work>
Result WithoutThrowing(Result onNoMemory, Work work) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return onNoMemory;
    }
}

FILETIME LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME time{};
    SystemTimeToFileTime(&now, &time);
    return time;
}

// An item is known by its section, named after its creation time to the
// second, and by its file, named after the whole time. An item made in a
// second that already has a section, or at a time whose file is there, would
// take the other's place in the index or write into its file: its creation
// time moves on by whole seconds until both are free.
FILETIME FreeCreationTime(FILETIME created, const char* rescueFolder, const char* indexPath) {
    constexpr uint64_t OneSecond = 10'000'000;  // in FILETIME's 100 ns steps
    const std::vector<std::string> sections = ReadSectionNames(indexPath);
    auto taken = [&](const FILETIME& time) {
        const std::string section = FileTimeToText(&time);
        for (const std::string& name : sections)
            if (_stricmp(name.c_str(), section.c_str()) == 0) return true;
        return GetFileAttributesA(RescueFileName(rescueFolder, time).c_str()) !=
               INVALID_FILE_ATTRIBUTES;
    };
    // Every step passes a section or a file: the walk ends.
    while (taken(created)) {
        const uint64_t moved =
            ((uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime) + OneSecond;
        created.dwLowDateTime = static_cast<DWORD>(moved);
        created.dwHighDateTime = static_cast<DWORD>(moved >> 32);
    }
    return created;
}

uint32_t EntryKind(const ScanEntry* entry) { return entry ? entry->code & EntryKindMask : 0; }

void SaveEntry(const ScanEntry* entry, const char* fileName, BackupOutcome* outcome) {
    switch (EntryKind(entry)) {
        case EntryKindValue:
            BackupValue(entry->keyPath, entry->entryName, fileName, RescueAppend, outcome);
            break;
        case EntryKindKey:
            BackupKeyTree(entry->keyPath, fileName, RescueAppend, true, outcome);
            break;
        default:  // neither saved nor deleted
            break;
    }
}

void DeleteEntry(const ScanEntry* entry) {
    switch (EntryKind(entry)) {
        case EntryKindValue:
            DeleteValuePruned(entry->keyPath, entry->entryName, false);
            break;
        case EntryKindKey:
            DeleteKeyPruned(entry->keyPath, false);
            break;
        default:
            break;
    }
}

// Makes the rescue item of the first count entries of the list: its index
// section, then its rescue file. saved[i] tells whether entry i went into the
// file whole. Returns 0, the error of writing the index, or the error of the
// rescue file when it could not be created, written or flushed.
DWORD BackupSelection(const SelectedEntry* first, uint32_t count, std::vector<char>* saved) {
    const EngineConfig& config = g_engine.config;
    FILETIME created = FreeCreationTime(LocalNow(), config.rescueFolder, config.rescueIndexPath);
    std::string fileName = RescueFileName(config.rescueFolder, created);
    RescueItem item{created, count, fileName.data(), nullptr};
    if (DWORD error = WriteRescueIndexEntry(&item, config.rescueIndexPath)) return error;
    // One batch for the whole item: its records reach the disk when it
    // finishes, and only then may a clean delete what they hold.
    RescueFileBatch batch(fileName.c_str(), RescueAppend);
    uint32_t walked = 0;
    for (const SelectedEntry* node = first; node && walked < count; node = node->next, ++walked) {
        BackupOutcome outcome;
        SaveEntry(node->entry, fileName.c_str(), &outcome);
        if (outcome.fileError) return outcome.fileError;
        saved->push_back(outcome.saved);
    }
    return batch.Finish();
}

void FreeRescueNode(RescueNode* node) {
    if (node->item) {
        free(node->item->description);
        free(node->item->fileName);
        free(node->item);
    }
    free(node);
}

// One node with its item, read from the index section; null without memory.
RescueNode* NewRescueNode(const std::string& section, const char* indexPath, int32_t index) {
    std::string fileName, description;
    try {
        fileName = ReadProfileString(section.c_str(), "FileName", "", indexPath);
        description = ReadProfileString(section.c_str(), "Description", "", indexPath);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    auto* node = static_cast<RescueNode*>(calloc(1, sizeof(RescueNode)));
    if (!node) return nullptr;
    node->index = index;
    node->item = static_cast<RescueItem*>(calloc(1, sizeof(RescueItem)));
    if (node->item) {
        RescueItem& item = *node->item;
        item.fileName = _strdup(fileName.c_str());
        item.description = _strdup(description.c_str());
        item.count = GetPrivateProfileIntA(section.c_str(), "Count", 0, indexPath);
        TextToFileTime(section.c_str(), &item.created);
    }
    if (!node->item || !node->item->fileName || !node->item->description) {
        FreeRescueNode(node);
        return nullptr;
    }
    return node;
}

}  // namespace

std::string RescueFileName(const char* rescueFolder, const FILETIME& created) {
    char numbers[32];
    snprintf(numbers, sizeof numbers, "%u%u", static_cast<unsigned>(created.dwLowDateTime),
             static_cast<unsigned>(created.dwHighDateTime));
    return std::string(rescueFolder ? rescueFolder : "") + numbers + ".rrs";
}

DWORD WriteRescueIndexEntry(const RescueItem* item, const char* indexPath) {
    if (!item || !indexPath || !*indexPath) return ERROR_INVALID_PARAMETER;
    std::string section = FileTimeToText(&item->created);
    if (section.empty()) return ERROR_INVALID_PARAMETER;
    char count[16];
    snprintf(count, sizeof count, "%d", static_cast<int>(item->count));
    // An index that cannot be written would leave the item unlisted: its
    // entries could never be written back from the list.
    return WriteIndexSection(
        indexPath, {section, count, item->fileName ? item->fileName : "", item->description});
}

extern "C" {

uint32_t WINAPI TrkBackup(SelectedEntry* first, uint32_t count) {
    if (!first) return ERROR_INVALID_PARAMETER;
    RescueRun run;
    if (!run.Started()) return ERROR_BUSY;
    return WithoutThrowing<DWORD>(ERROR_NOT_ENOUGH_MEMORY, [&] {
        std::vector<char> saved;
        return BackupSelection(first, count, &saved);
    });
}

uint32_t WINAPI TrkClean(SelectedEntry* first, uint32_t count) {
    if (!first || count == 0) return ERROR_INVALID_PARAMETER;
    RescueRun run;
    if (!run.Started()) return ERROR_BUSY;
    return WithoutThrowing<DWORD>(ERROR_NOT_ENOUGH_MEMORY, [&] {
        std::vector<char> saved;
        if (DWORD error = BackupSelection(first, count, &saved)) return error;
        // Only what went into the rescue file whole is deleted.
        size_t walked = 0;
        for (const SelectedEntry* node = first; node && walked < saved.size();
             node = node->next, ++walked)
            if (saved[walked]) DeleteEntry(node->entry);
        return static_cast<DWORD>(ERROR_SUCCESS);
    });
}

RescueNode* WINAPI TrkAllocRescueItems(const char* indexPath) {
    if (!indexPath || !*indexPath) return nullptr;
    return WithoutThrowing<RescueNode*>(nullptr, [&] {
        std::vector<std::string> sections = ReadSectionNames(indexPath);
        g_handedOut.reserve(g_handedOut.size() + sections.size());
        RescueNode* first = nullptr;
        RescueNode** link = &first;
        int32_t index = 0;
        for (const std::string& section : sections) {
            RescueNode* node = NewRescueNode(section, indexPath, index++);
            if (!node) break;
            g_handedOut.push_back(node);
            *link = node;
            link = &node->next;
        }
        return first;
    });
}

// Releases every list handed out by TrkAllocRescueItems; a caller that
// calls it must hold none of their nodes any more.
void WINAPI TrkFreeRescueItems() {
    for (RescueNode* node : g_handedOut) FreeRescueNode(node);
    g_handedOut.clear();
}

int32_t WINAPI TrkDeleteRescue(RescueItem* item, const char* indexPath) {
    if (!item) return ERROR_INVALID_PARAMETER;
    return WithoutThrowing<int32_t>(ERROR_NOT_ENOUGH_MEMORY, [&] {
        std::string section = FileTimeToText(&item->created);
        // While the index still lists the item, its file must stay.
        if (!section.empty() && indexPath && *indexPath)
            if (DWORD error = RemoveIndexSection(indexPath, section))
                return static_cast<int32_t>(error);
        // The file name comes from the index, which anyone may have edited:
        // only a rescue file is deleted.
        if (!IsRescueFileOrEmpty(item->fileName)) return static_cast<int32_t>(ERROR_SUCCESS);
        return DeleteFileA(item->fileName) ? static_cast<int32_t>(ERROR_SUCCESS)
                                           : static_cast<int32_t>(GetLastError());
    });
}

int32_t WINAPI TrkRestoreRescue(RescueItem* item) {
    if (!item) return 0;
    RescueRun run;
    if (!run.Started()) return 0;
    return WithoutThrowing<int32_t>(
        0, [&] { return RestoreRescueFile(nullptr, item->fileName, 1) == ERROR_SUCCESS ? 1 : 0; });
}

}  // extern "C"
