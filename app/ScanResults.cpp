// ScanResults.cpp - the current scan's entries with their rows, and the
// registry test of what a repair removed.
#include <app/ScanResults.h>
#include <classlib/Handles.h>

#include <cstring>
#include <string_view>

namespace {

// The copy's field for a text: absent when the report's is absent or empty.
char* FieldOf(std::string& text) { return text.empty() ? nullptr : text.data(); }

std::string TextOf(const char* text) { return text ? text : ""; }

struct TRootName {
    const char* Name;
    HKEY Key;
};

// The root keys by the names the core library begins its key paths with.
const TRootName RootNames[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},     {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},     {"HKEY_USERS", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
};

// The root of a key path and the path below it; a null root for a path that
// begins with no root name or has nothing below it.
HKEY SplitRoot(std::string_view path, std::string& below) {
    const size_t slash = path.find('\\');
    if (slash == std::string_view::npos || slash + 1 == path.size()) return nullptr;
    const std::string_view first = path.substr(0, slash);
    for (const TRootName& root : RootNames) {
        if (first.size() == std::strlen(root.Name) &&
            _strnicmp(first.data(), root.Name, first.size()) == 0) {
            below.assign(path.substr(slash + 1));
            return root.Key;
        }
    }
    return nullptr;
}

}  // namespace

TFoundEntry::TFoundEntry(const ScanEntry& reported, int32_t id, TScanItem row, std::string text)
    : FTitle(TextOf(reported.title)),
      FTarget(TextOf(reported.target)),
      FKeyPath(TextOf(reported.keyPath)),
      FEntryName(TextOf(reported.entryName)),
      FRow(std::move(row)),
      FText(std::move(text)) {
    FEntry.id = id;
    FEntry.code = reported.code;
    FEntry.title = FieldOf(FTitle);
    FEntry.target = FieldOf(FTarget);
    FEntry.keyPath = FieldOf(FKeyPath);
    FEntry.entryName = FieldOf(FEntryName);
}

// The vector grows geometrically; when it cannot grow, the copy made for it
// is freed and the results stay as they were.
TFoundEntry& TScanResults::Add(const ScanEntry& reported, TScanItem row, std::string text) {
    FEntries.push_back(
        std::make_unique<TFoundEntry>(reported, FNextId, std::move(row), std::move(text)));
    ++FNextId;
    return *FEntries.back();
}

bool RegistryStillHolds(const ScanEntry& entry) {
    std::string below;
    const HKEY root = SplitRoot(TextOf(entry.keyPath), below);
    if (!root) return true;
    const uint32_t kind = entry.code & EntryKindMask;
    if (kind != EntryKindValue && kind != EntryKindKey) return true;
    HKEY opened = nullptr;
    const LONG open = RegOpenKeyExA(root, below.c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (open == ERROR_FILE_NOT_FOUND) return false;
    if (open != ERROR_SUCCESS) return true;
    TOwnedKey key(opened);
    if (kind == EntryKindKey) return true;
    const LONG query = RegQueryValueExA(key.Get(), entry.entryName ? entry.entryName : "", nullptr,
                                        nullptr, nullptr, nullptr);
    return query != ERROR_FILE_NOT_FOUND;
}
