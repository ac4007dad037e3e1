// RescueBench.cpp - times the backup and the restore of a large key tree
// against Wine's own reg.exe doing the same work in the same run: TrkBackup
// of the tree against "reg export" of it, and TrkRestoreRescue of it (the
// tree deleted first) against "reg import" of the exported file. The time
// reg.exe takes to start and end with nothing to do is subtracted from its
// figures; the engine runs inside this process. Beside them stand the
// registry calls alone that both sides make, the floor under either. After
// the last restore the tree is exported again and must equal the first
// export byte for byte.
//
//   rescue_bench.exe [--keys N] [--runs N]
#include <support/Files.h>
#include <support/RescueBytes.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "Engine.h"

namespace {

const char kTreeSubkey[] = "Software\\HolvaneBench-Rescue";
const char kTreePath[] = "HKEY_CURRENT_USER\\Software\\HolvaneBench-Rescue";

// One value of leaf number i, slot s: every registry type in turn.
struct Value {
    std::string name;  // empty: the default value
    DWORD type;
    std::string data;
};

Value LeafValue(unsigned i, unsigned s) {
    unsigned n = i * 5 + s;
    std::string tag = std::to_string(n);
    switch (n % 11) {
        case 0:
            return {"", REG_SZ, "default of " + tag + '\0'};
        case 1:
            return {"Text" + tag, REG_SZ,
                    "C:\\Program Files\\Holvane Bench\\file" + tag + ".dll" + '\0'};
        case 2:
            return {"Expand" + tag, REG_EXPAND_SZ,
                    "%SystemRoot%\\system32\\x" + tag + ".exe" + '\0'};
        case 3:
            return {"Multi" + tag, REG_MULTI_SZ, std::string("one\0two ", 8) + tag + '\0' + '\0'};
        case 4:
            return {"Dword" + tag, REG_DWORD, Le32(n)};
        case 5:
            return {"Qword" + tag, REG_QWORD, Le32(n) + Le32(~n)};
        case 6:
            return {"BigEndian" + tag, REG_DWORD_BIG_ENDIAN, Le32(n * 7)};
        case 7: {
            std::string bytes;
            for (unsigned b = 0; b < 40 + n % 60; ++b) bytes += static_cast<char>((n + b) & 0xFF);
            return {"Binary" + tag, REG_BINARY, bytes};
        }
        case 8:
            return {"None" + tag, REG_NONE, "\x01\x02\x03"};
        case 9:
            return {"EmptyBinary" + tag, REG_BINARY, ""};
        default:
            return {"EmptyText" + tag, REG_SZ, std::string(1, '\0')};
    }
}

class Key {
public:
    explicit Key(const std::string& subkey) {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &FKey, nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create HKEY_CURRENT_USER\\" + subkey);
    }
    ~Key() { RegCloseKey(FKey); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY Get() const { return FKey; }
    void Set(const Value& value) {
        RegSetValueExA(FKey, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type,
                       reinterpret_cast<const BYTE*>(value.data.data()),
                       static_cast<DWORD>(value.data.size()));
    }

private:
    HKEY FKey = nullptr;
};

struct TreeSize {
    unsigned keys = 0;
    unsigned values = 0;
};

// Branches of 100 leaves each; a leaf holds 3 or 4 values, every 25th none.
TreeSize BuildTree(unsigned leaves) {
    TreeSize size;
    RegDeleteTreeA(HKEY_CURRENT_USER, kTreeSubkey);
    Key root(kTreeSubkey);
    root.Set({"Description", REG_SZ, std::string("Holvane rescue benchmark\0", 25)});
    size = {1, 1};
    for (unsigned i = 0; i < leaves; ++i) {
        std::string branch = std::string(kTreeSubkey) + "\\Branch" + std::to_string(i / 100);
        if (i % 100 == 0) {
            Key made(branch);
            ++size.keys;
        }
        Key leaf(branch + "\\Leaf" + std::to_string(i));
        ++size.keys;
        if (i % 25 == 24) continue;
        for (unsigned s = 0; s < 3 + i % 2; ++s) {
            leaf.Set(LeafValue(i, s));
            ++size.values;
        }
    }
    return size;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

// Runs a reg.exe command line to its end, its output to nowhere.
void RunReg(const std::string& arguments) {
    std::string command = "reg.exe " + arguments;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul =
        CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                  nullptr, nullptr, &startup, &process);
    CloseHandle(nul);
    if (!started) throw std::runtime_error("reg.exe did not start: " + command);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::string Folder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "holvane-rescue-bench\\";
}

// The engine's rescue folder and index in the benchmark's folder.
void PointEngineAtFolder() {
    EngineConfig config{};
    std::string folder = Folder();
    std::string index = folder + "Rescue.dat";
    folder.copy(config.rescueFolder, EnginePathSize - 1);
    index.copy(config.rescueIndexPath, EnginePathSize - 1);
    TrkSetConfig(&config);
}

// The one item of the index, backed up by the last TrkBackup, deleted with
// its file by the next call.
struct Rescue {
    RescueNode* list = nullptr;
    void Forget() {
        if (list) TrkDeleteRescue(list->item, (Folder() + "Rescue.dat").c_str());
        TrkFreeRescueItems();
        list = nullptr;
    }
};

// ---- The registry calls alone: the fewest that a backup or a restore of
// the tree makes through the registry functions, with nothing written to a
// file. Reading: per key its information, its name from its parent, its
// open and close, one call per value; writing: per key a create and a
// close, one call per value. The floor under the engine and reg.exe alike.
struct BareKey {
    std::string path;  // below HKEY_CURRENT_USER
    std::vector<Value> values;
};

void ReadBare(HKEY key, const std::string& path, std::vector<BareKey>* keys) {
    DWORD subkeys = 0, values = 0, largest = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                     &largest, nullptr, nullptr);
    keys->push_back({path, {}});
    std::vector<BYTE> data(largest ? largest : 1);
    for (DWORD index = 0; index < values; ++index) {
        char name[520];
        DWORD length = sizeof name, type = 0, size = static_cast<DWORD>(data.size());
        if (RegEnumValueA(key, index, name, &length, nullptr, &type, data.data(), &size) == 0)
            keys->back().values.push_back(
                {name, type, std::string(reinterpret_cast<char*>(data.data()), size)});
    }
    for (DWORD index = 0; index < subkeys; ++index) {
        char name[520];
        DWORD length = sizeof name;
        HKEY subkey;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) ||
            RegOpenKeyExA(key, name, 0, KEY_ALL_ACCESS, &subkey))
            continue;
        ReadBare(subkey, path + "\\" + name, keys);
        RegCloseKey(subkey);
    }
}

void WriteBare(const std::vector<BareKey>& keys) {
    for (const BareKey& saved : keys) {
        Key key(saved.path);
        for (const Value& value : saved.values) key.Set(value);
    }
}

struct Figures {
    std::vector<double> backup, exported, restore, imported, start, bareRead, bareWrite;
};

void OneRound(Rescue& rescue, Figures& figures, const std::string& regFile) {
    std::string exportLine = "export " + std::string(kTreePath) + " \"" + regFile + "\" /y";
    figures.start.push_back(Seconds([] { RunReg("/?"); }));
    figures.exported.push_back(Seconds([&] { RunReg(exportLine); }));

    rescue.Forget();
    char* path = const_cast<char*>(kTreePath);
    ScanEntry entry{0,       uint32_t{ScanFileTypes} | EntryKindKey | ReasonEmptyKey,
                    nullptr, nullptr,
                    path,    nullptr,
                    nullptr};
    SelectedEntry selected{0, &entry, nullptr};
    uint32_t result = 0;
    figures.backup.push_back(Seconds([&] { result = TrkBackup(&selected, 1); }));
    if (result) throw std::runtime_error("TrkBackup failed: " + std::to_string(result));
    rescue.list = TrkAllocRescueItems((Folder() + "Rescue.dat").c_str());
    if (!rescue.list) throw std::runtime_error("the rescue item is not listed");
    std::vector<BareKey> keys;
    figures.bareRead.push_back(Seconds([&] {
        Key tree(kTreeSubkey);
        ReadBare(tree.Get(), kTreeSubkey, &keys);
    }));

    RegDeleteTreeA(HKEY_CURRENT_USER, kTreeSubkey);
    figures.imported.push_back(Seconds([&] { RunReg("import \"" + regFile + "\""); }));
    RegDeleteTreeA(HKEY_CURRENT_USER, kTreeSubkey);
    figures.bareWrite.push_back(Seconds([&] { WriteBare(keys); }));
    RegDeleteTreeA(HKEY_CURRENT_USER, kTreeSubkey);
    int32_t restored = 0;
    figures.restore.push_back(Seconds([&] { restored = TrkRestoreRescue(rescue.list->item); }));
    if (restored != 1) throw std::runtime_error("TrkRestoreRescue did not read the file whole");
}

bool ReadOption(int argc, char** argv, int* at, const char* name, unsigned* value) {
    if (strcmp(argv[*at], name) != 0 || *at + 1 >= argc) return false;
    *value = static_cast<unsigned>(strtoul(argv[++*at], nullptr, 10));
    return true;
}

void PrintRatio(const char* what, double engine, const char* tool, double platform, double target) {
    double ratio = engine / platform;
    printf("%-28s %8.3f s   %-22s %8.3f s   %5.2f x   target %.1f: %s\n", what, engine, tool,
           platform, ratio, target, ratio <= target ? "met" : "NOT met");
}

int Bench(unsigned leaves, unsigned runs) {
    RemoveFolder(Folder());
    CreateDirectoryA(Folder().c_str(), nullptr);
    PointEngineAtFolder();
    TreeSize size;
    double built = Seconds([&] { size = BuildTree(leaves); });
    printf("Tree HKEY_CURRENT_USER\\%s: %u keys, %u values of 11 kinds, built in %.1f s.\n",
           kTreeSubkey, size.keys, size.values, built);
    std::string regFile = Folder() + "tree.reg";
    std::string before = Folder() + "before.reg";
    RunReg("export " + std::string(kTreePath) + " \"" + before + "\" /y");

    Rescue rescue;
    Figures figures;
    for (unsigned round = 0; round < runs; ++round) OneRound(rescue, figures, regFile);
    std::string after = Folder() + "after.reg";
    RunReg("export " + std::string(kTreePath) + " \"" + after + "\" /y");
    bool same = ReadWholeFile(before) == ReadWholeFile(after) && !ReadWholeFile(before).empty();
    rescue.Forget();

    double start = Median(figures.start);
    printf("Medians of %u runs; reg.exe start and end with nothing to do: %.3f s, subtracted.\n\n",
           runs, start);
    PrintRatio("TrkBackup of the tree", Median(figures.backup), "reg export",
               Median(figures.exported) - start, 0.6);
    PrintRatio("TrkRestoreRescue of it", Median(figures.restore), "reg import",
               Median(figures.imported) - start, 0.8);
    printf(
        "The registry calls alone:    reading %.3f s, %.2f x reg export; "
        "writing %.3f s, %.2f x reg import\n",
        Median(figures.bareRead), Median(figures.bareRead) / (Median(figures.exported) - start),
        Median(figures.bareWrite), Median(figures.bareWrite) / (Median(figures.imported) - start));
    printf("\nThe tree written back %s the tree saved.\n", same ? "equals" : "DIFFERS FROM");
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned leaves = 10000;
    unsigned runs = 3;
    for (int at = 1; at < argc; ++at) {
        if (!ReadOption(argc, argv, &at, "--keys", &leaves) &&
            !ReadOption(argc, argv, &at, "--runs", &runs)) {
            fprintf(stderr, "unknown argument %s\n", argv[at]);
            return 2;
        }
    }
    if (runs == 0) return 2;
    InitEngine();
    int result = 1;
    try {
        result = Bench(leaves, runs);
    } catch (const std::exception& error) {
        fprintf(stderr, "rescue_bench: %s\n", error.what());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kTreeSubkey);
    RemoveFolder(Folder());
    ShutdownEngine();
    return result;
}
