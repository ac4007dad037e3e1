// tresk.dll as a caller loads it: the state set up at load, the configuration
// exports, stdcall callbacks, and names and ordinals resolving alike.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tresk.h"

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1);
}

int g_calls = 0;
void WINAPI OnStart() { ++g_calls; }
void WINAPI OnEnd() { g_calls += 10; }

}  // namespace

TEST(Library, LoadSetsStatusAndDefaultRescuePaths) {
    EXPECT_EQ(TrkGetStatus(), static_cast<uint32_t>(StatusLoaded));
    EngineConfig config;
    memset(&config, 'z', sizeof config);
    TrkGetConfig(&config);
    EXPECT_EQ(std::string(config.rescueFolder), ProgramFolder() + "Rescue\\");
    EXPECT_EQ(std::string(config.rescueIndexPath), ProgramFolder() + "Rescue\\Rescue.dat");
    TrkGetConfig(nullptr);
    TrkSetConfig(nullptr);
}

TEST(Library, ConfigRoundTripsAndNeverReadsPastAField) {
    EngineConfig saved;
    TrkGetConfig(&saved);
    EngineConfig config{};
    strcpy(config.rescueFolder, "C:\\elsewhere\\");
    memset(config.rescueIndexPath, 'q', sizeof config.rescueIndexPath);  // no terminator
    TrkSetConfig(&config);
    EngineConfig back;
    TrkGetConfig(&back);
    EXPECT_STREQ(back.rescueFolder, "C:\\elsewhere\\");
    EXPECT_EQ(strlen(back.rescueIndexPath), EnginePathSize - 1);
    TrkSetConfig(&saved);
}

TEST(Library, CallbacksUseTheStandardCallingConvention) {
    g_calls = 0;
    TrkSetMonitor(nullptr, OnStart, OnEnd);
    EXPECT_EQ(TrkScan(ScanStartMenu | ScanApplicationPaths), 0u);
    TrkSetMonitor(nullptr, nullptr, nullptr);
    EXPECT_EQ(g_calls, 11);
}

TEST(Library, OrdinalsAndNamesResolveToTheSameFunctions) {
    HMODULE library = GetModuleHandleA("tresk.dll");
    ASSERT_NE(library, nullptr);
    const struct {
        const char* name;
        WORD ordinal;
    } exports[] = {{"TrkSetMonitor", 1},
                   {"TrkGetStatus", 2},
                   {"TrkGetConfig", 3},
                   {"TrkSetConfig", 4},
                   {"TrkScan", 5},
                   {"TrkStopScan", 6},
                   {"TrkAllocRescueItems", 7},
                   {"TrkFreeRescueItems", 8},
                   {"TrkDeleteRescue", 9},
                   {"TrkRestoreRescue", 10},
                   {"TrkClean", 20},
                   {"TrkBackup", 21}};
    for (const auto& e : exports) {
        FARPROC byName = GetProcAddress(library, e.name);
        EXPECT_NE(byName, nullptr) << e.name;
        EXPECT_EQ(byName, GetProcAddress(library, MAKEINTRESOURCEA(e.ordinal))) << e.name;
    }
    for (WORD empty = 11; empty <= 19; ++empty)
        EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(empty)), nullptr) << empty;
}
