// trkcall - scans the registry through tresk.dll and prints each reported
// entry: code, percent, title, key path, value name, target.
//
//   trkcall [invalid] category ...   categories by name (COM, FileTypes, Fonts,
//                                    HelpFiles, HistoryLists, SharedFiles,
//                                    Shortcuts, Software, Sounds, Startup, and
//                                    ApplicationPaths and StartMenu, which test
//                                    nothing), or "all"; "invalid" prints only
//                                    invalid entries
//
// Each category is scanned by a call of its own, in the main window's order,
// as the main program scans them: one call with several categories ends at
// the first of fonts, shared files and Run whose key cannot be read. After
// each call a line gives the category's counts and the call's result (2: its
// key is not there). Ends with 0 once every call was made, 2 for a wrong
// command line. The history-list category empties the lists named in the
// HistoryConfig.ini beside trkcall.exe, when there is one.
#include <cstdio>
#include <cstring>

#include "tresk.h"

namespace {

struct CategoryName {
    const char* name;
    uint32_t flag;
};

const CategoryName kCategories[] = {
    {"COM", ScanCOM},
    {"ApplicationPaths", ScanApplicationPaths},
    {"FileTypes", ScanFileTypes},
    {"Fonts", ScanFonts},
    {"HelpFiles", ScanHelpFiles},
    {"HistoryLists", ScanHistoryLists},
    {"SharedFiles", ScanSharedFiles},
    {"Shortcuts", ScanShortcuts},
    {"Software", ScanSoftware},
    {"Sounds", ScanSounds},
    {"StartMenu", ScanStartMenu},
    {"Startup", ScanStartup},
};

bool g_invalidOnly = false;
unsigned g_reported = 0;
unsigned g_invalid = 0;

const char* Text(const char* text) { return text ? text : "-"; }

int WINAPI PrintEntry(ScanEntry* entry, double percent) {
    ++g_reported;
    bool invalid = (entry->code & EntryReasonMask) != 0;
    if (invalid) ++g_invalid;
    if (invalid || !g_invalidOnly)
        printf("%08X %6.2f%% %s | %s | %s | %s\n", entry->code, percent, Text(entry->title),
               Text(entry->keyPath), Text(entry->entryName), Text(entry->target));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    uint32_t flags = 0;
    for (int i = 1; i < argc; ++i) {
        if (_stricmp(argv[i], "invalid") == 0) {
            g_invalidOnly = true;
            continue;
        }
        bool known = false;
        for (const CategoryName& category : kCategories) {
            if (_stricmp(argv[i], "all") == 0 || _stricmp(argv[i], category.name) == 0) {
                flags |= category.flag;
                known = true;
            }
        }
        if (!known) {
            fprintf(stderr, "trkcall: unknown category '%s'\n", argv[i]);
            return 2;
        }
    }
    if (flags == 0) {
        fprintf(stderr, "usage: trkcall [invalid] all | category ...\n");
        return 2;
    }
    TrkSetMonitor(PrintEntry, nullptr, nullptr);
    for (const CategoryName& category : kCategories) {
        if (!(flags & category.flag)) continue;
        g_reported = g_invalid = 0;
        uint32_t result = TrkScan(category.flag);
        printf("%s: %u entries tested, %u invalid, result %u\n", category.name, g_reported,
               g_invalid, result);
    }
    return 0;
}
