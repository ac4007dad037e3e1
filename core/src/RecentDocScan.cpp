// RecentDocScan.cpp - the shortcuts category: every document the shell lists
// as recently used must still have its shortcut file in the Recent folder.
//
// This scan doesn't pump the caller's messages: only a stop asked for from
// the caller's entry callback ends it early.
#include "RecentDocScan.h"

#include <cstring>
#include <memory>
#include <new>

#include "Engine.h"
#include "FileUtil.h"
#include "Registry.h"
#include "Scanners.h"
#include "SubkeyWalk.h"

namespace {

const char kRecentDocsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
const char kRecentDocsPath[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";

const BYTE kAnsiShortcutType = 0x32;
const size_t kShortcutOffset = 14;  // from the end of the document name's zero

// Names come out in 520-byte buffers: 519 characters and the zero.
const int kMaxNameLength = RegNameSize - 1;

// Length in characters of the UTF-16 text at offset, up to its zero; false
// when the data ends first.
bool WideTextLength(const BYTE* data, size_t size, size_t offset, size_t* length) {
    for (size_t at = offset; at + 2 <= size; at += 2) {
        if (data[at] == 0 && data[at + 1] == 0) {
            *length = (at - offset) / 2;
            return true;
        }
    }
    return false;
}

bool WideToAnsi(const BYTE* data, size_t offset, size_t length, std::string* text) {
    text->clear();
    if (length == 0) return true;
    // Copied out: the data carries no alignment promise.
    std::wstring wide(length, L'\0');
    memcpy(wide.data(), data + offset, length * 2);
    char buffer[kMaxNameLength];
    int written =
        WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK | WC_SEPCHARS, wide.data(),
                            static_cast<int>(length), buffer, kMaxNameLength, nullptr, nullptr);
    if (written <= 0) return false;
    text->assign(buffer, static_cast<size_t>(written));
    return true;
}

bool ReadWideText(const BYTE* data, size_t size, size_t offset, std::string* text, size_t* length) {
    return WideTextLength(data, size, offset, length) && WideToAnsi(data, offset, *length, text);
}

bool ReadAnsiText(const BYTE* data, size_t size, size_t offset, std::string* text) {
    if (offset >= size) return false;
    const char* start = reinterpret_cast<const char*>(data + offset);
    size_t length = strnlen(start, size - offset);
    if (length == size - offset || length > static_cast<size_t>(kMaxNameLength)) return false;
    text->assign(start, length);
    return true;
}

// Reads, decodes and reports value index of key; values that don't read or
// decode, and the shell's own order list "MRUListEx", are passed over.
void CheckRecentDocValue(HKEY key, DWORD index, const std::string& keyPath, double percent) {
    char name[RegNameSize];
    DWORD nameSize = RegNameSize;
    DWORD dataSize = 0;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, nullptr, nullptr, &dataSize) !=
            ERROR_SUCCESS ||
        CompareNoCase(name, "MRUListEx") == 0)
        return;
    // Read into a buffer of exactly the value's size, freed before the next.
    std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[dataSize ? dataSize : 1]);
    if (!data ||
        RegQueryValueExA(key, name, nullptr, nullptr, data.get(), &dataSize) != ERROR_SUCCESS)
        return;
    std::string document;
    std::string shortcut;
    if (!DecodeRecentDocEntry(data.get(), dataSize, &document, &shortcut)) return;
    bool present = FileExists((g_engine.recentFolder + shortcut).c_str(), false);
    ReportEntry(document.c_str(), keyPath.c_str(), name, shortcut.c_str(),
                ScanEntryCode{ScanShortcuts} | EntryKindValue | ReasonShortcutMissing, percent,
                !present);
}

void CheckRecentDocValues(HKEY key, DWORD valueCount, const std::string& keyPath, double percent) {
    for (DWORD index = 0; index < valueCount && !StopRequested(); ++index)
        CheckRecentDocValue(key, index, keyPath, percent);
}

}  // namespace

bool DecodeRecentDocEntry(const BYTE* data, size_t size, std::string* documentName,
                          std::string* shortcutName) {
    if (!data) return false;
    size_t nameLength = 0;
    if (!ReadWideText(data, size, 0, documentName, &nameLength)) return false;
    size_t typeOffset = nameLength * 2 + 4;
    size_t shortcutOffset = nameLength * 2 + 2 + kShortcutOffset;
    if (typeOffset >= size) return false;
    if (data[typeOffset] == kAnsiShortcutType)
        return ReadAnsiText(data, size, shortcutOffset, shortcutName);
    size_t shortcutLength = 0;
    return ReadWideText(data, size, shortcutOffset, shortcutName, &shortcutLength);
}

DWORD ScanRecentDocValues() {
    RegKey recentDocs;
    if (LONG error = recentDocs.Open(HKEY_CURRENT_USER, kRecentDocsKey)) return error;
    KeyInfo info;
    if (LONG error = QueryKeyInfo(recentDocs.Get(), nullptr, &info)) return error;
    // Progress goes by the per-extension subkeys; the documents directly
    // under RecentDocs count as the second of them.
    const std::string keyPath = kRecentDocsPath;
    CheckRecentDocValues(recentDocs.Get(), info.valueCount, keyPath,
                         ProgressPercent(1, info.subkeyCount));
    ForEachSubkey(recentDocs.Get(), info.subkeyCount,
                  [&](RegKey& subkey, const char* name, DWORD index) {
                      KeyInfo subInfo;
                      if (QueryKeyInfo(subkey.Get(), nullptr, &subInfo) != ERROR_SUCCESS) return;
                      std::string subPath = keyPath + "\\" + name;
                      double percent = ProgressPercent(index + 1, info.subkeyCount);
                      if (subInfo.valueCount == 0 && subInfo.subkeyCount == 0)
                          ReportEntry(name, subPath.c_str(), nullptr, nullptr,
                                      ScanEntryCode{ScanShortcuts} | EntryKindKey | ReasonEmptyKey,
                                      percent, 1);
                      else
                          CheckRecentDocValues(subkey.Get(), subInfo.valueCount, subPath, percent);
                  });
    return ERROR_SUCCESS;
}

DWORD ScanRecentDocs() { return ScanRecentDocValues(); }
