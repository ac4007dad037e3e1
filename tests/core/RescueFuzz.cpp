// rescue_fuzz - feeds mutated rescue files to the reader. The files start
// as real backups of a scratch tree; every mutated file is written back with
// that tree's key as the prefix, so nothing may appear outside it. A crash
// or a hang fails the run; so does any key found outside the scratch tree.
//
//   rescue_fuzz [iterations [seed]]
//
// Without arguments the environment variable HOLVANE_FUZZ_ITERATIONS (or 300)
// gives the number of files. A failing file is kept as rescue-fuzz-failed.rrs
// in the temp folder, and the seed is printed to repeat the run.
#include <support/Files.h>
#include <support/RescueBytes.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "Registry.h"
#include "RescueFile.h"

namespace {

std::vector<std::string> SubkeyNames(HKEY root, const std::string& subkey) {
    std::vector<std::string> names;
    RegKey key;
    if (key.Open(root, subkey.empty() ? nullptr : subkey.c_str())) return names;
    char name[RegNameSize];
    for (DWORD index = 0;; ++index) {
        DWORD length = RegNameSize;
        LONG error =
            RegEnumKeyExA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_NO_MORE_ITEMS) break;
        if (error == ERROR_SUCCESS) names.emplace_back(name, length);
    }
    return names;
}

DWORD ValueCountOf(HKEY root, const std::string& subkey) {
    RegKey key;
    DWORD count = 0;
    if (key.Open(root, subkey.c_str()) == ERROR_SUCCESS)
        RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         nullptr, nullptr, nullptr, nullptr);
    return count;
}

// Edit distance without case, to spot a key whose name is a mutation of ours.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t above = row[j];
            bool same = toupper(static_cast<unsigned char>(a[i - 1])) ==
                        toupper(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

class Fuzzer {
public:
    Fuzzer(uint32_t seed) : FRandom(seed) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        FToken = "HolvaneFuzz-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount());
        FArea = "Software\\" + FToken + "\\Area";
        FTarget = FArea + "\\Target";
        FPrefix = "HKEY_CURRENT_USER\\" + FTarget;
        FFile = std::string(temp) + FToken + ".rrs";
        FRootNames = SubkeyNames(HKEY_CURRENT_USER, "");
    }
    ~Fuzzer() {
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + FToken).c_str());
        DeleteFileA(FFile.c_str());
    }

    bool MakeSeeds() {
        ClearTarget();
        SetValue("", nullptr, REG_SZ, std::string("default\0", 8));
        SetValue("", "Text", REG_SZ, std::string("some text\0", 10));
        SetValue("", "Multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6));
        SetValue("", "Bin", REG_BINARY, std::string(300, '\x5A'));
        SetValue("", "Empty", REG_BINARY, "");
        SetValue("A", "Dword", REG_DWORD, Le32(7));
        SetValue("A\\B", "Qword", REG_QWORD, Le32(1) + Le32(2));
        SetValue("A\\B\\C", nullptr, REG_EXPAND_SZ, std::string("%TEMP%\0", 7));
        SetValue("D", "None", REG_NONE, "\x01");
        CreateKey("E\\Empty");
        if (BackupKeyTree(FPrefix.c_str(), FFile.c_str(), RescueCreateNew, true)) return false;
        if (BackupValue((FPrefix + "\\A\\B").c_str(), "Qword", FFile.c_str(), RescueAppend))
            return false;
        FSeeds.push_back(ReadWholeFile(FFile));
        FSeeds.push_back(FileBytes({RecordBytes(FPrefix + "\\X", {EntryBytes("v", REG_SZ, "1")}),
                                    RecordBytes(FPrefix, {EmptyKeyEntryBytes()}, 0)}));
        for (const std::string& seed : FSeeds)
            if (RecordPaths(seed).empty()) return false;
        return true;
    }

    // One mutated file through the reader; false when something escaped.
    bool RunOne() {
        std::string bytes = FSeeds[Pick(FSeeds.size())];
        std::vector<size_t> fields = LengthFields(bytes);
        size_t mutations = 1 + Pick(6);
        for (size_t i = 0; i < mutations; ++i) Mutate(bytes, fields);
        if (!WriteWholeFile(FFile, bytes)) return false;
        ClearTarget();
        // Keys below the prefix, or the prefix key itself.
        DWORD result = RestoreRescueFile(FPrefix.c_str(), FFile.c_str(), Pick(4) == 0 ? 0 : 1);
        ++(result == ERROR_SUCCESS ? FReadWhole : FDamaged);
        return Contained();
    }

    unsigned long ReadWhole() const { return FReadWhole; }
    unsigned long Damaged() const { return FDamaged; }

    void KeepFailingFile() const {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        CopyFileA(FFile.c_str(), (std::string(temp) + "rescue-fuzz-failed.rrs").c_str(), FALSE);
    }

private:
    size_t Pick(size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(FRandom);
    }

    void SetValue(const std::string& below, const char* name, DWORD type, const std::string& data) {
        std::string subkey = below.empty() ? FTarget : FTarget + "\\" + below;
        RegSetKeyValueA(HKEY_CURRENT_USER, subkey.c_str(), name, type, data.data(),
                        static_cast<DWORD>(data.size()));
    }
    void CreateKey(const std::string& below) {
        RegKey key;
        key.Create(HKEY_CURRENT_USER, (FTarget + "\\" + below).c_str());
    }
    void ClearTarget() {
        RegDeleteTreeA(HKEY_CURRENT_USER, FTarget.c_str());
        CreateKey("");
    }

    // Offsets of every length and count field of a well-formed file.
    static std::vector<size_t> LengthFields(const std::string& bytes) {
        std::vector<size_t> fields = {4};
        for (const ParsedRecord& record : ParseRecords(bytes)) {
            fields.insert(fields.end(), {record.offset, record.offset + 4, record.offset + 8});
            size_t entry = record.offset + 13 + record.path.size();
            for (const ParsedEntry& parsed : record.entries) {
                fields.insert(fields.end(), {entry, entry + 4, entry + 8, entry + 12});
                entry +=
                    16 + (parsed.name.empty() ? 0 : parsed.name.size() + 1) + parsed.data.size();
            }
        }
        return fields;
    }

    void Mutate(std::string& bytes, const std::vector<size_t>& fields) {
        static const uint32_t kInteresting[] = {
            0,   1,   4,          8,          9,          12,         16,        519,
            520, 521, 0x7FFFFFFF, 0x80000000, 0xFFFFFFF0, 0xFFFFFFFF, 0xFFFFFFFC};
        switch (Pick(7)) {
            case 0:  // a length or count field set to a value near a limit
            case 1: {
                size_t at = fields[Pick(fields.size())];
                if (at + 4 > bytes.size()) break;
                uint32_t value = Pick(3) == 0
                                     ? ReadLe32(bytes, at) + static_cast<uint32_t>(Pick(9)) - 4
                                     : kInteresting[Pick(std::size(kInteresting))];
                bytes.replace(at, 4, Le32(value));
                break;
            }
            case 2:  // one bit flipped
                if (!bytes.empty()) bytes[Pick(bytes.size())] ^= static_cast<char>(1 << Pick(8));
                break;
            case 3:  // one byte replaced
                if (!bytes.empty()) bytes[Pick(bytes.size())] = static_cast<char>(Pick(256));
                break;
            case 4:  // cut short
                bytes.resize(Pick(bytes.size() + 1));
                break;
            case 5: {  // a piece repeated somewhere else
                if (bytes.empty()) break;
                size_t from = Pick(bytes.size());
                std::string piece = bytes.substr(from, 1 + Pick(64));
                bytes.insert(Pick(bytes.size() + 1), piece);
                break;
            }
            default: {  // a piece taken out
                if (bytes.empty()) break;
                size_t from = Pick(bytes.size());
                bytes.erase(from, 1 + Pick(64));
                break;
            }
        }
    }

    // Nothing outside the target key: the levels above it hold only the way
    // down and no values, and no key beside our own looks like a mutation of
    // a name on the way.
    bool Contained() {
        const std::string top = "Software\\" + FToken;
        if (SubkeyNames(HKEY_CURRENT_USER, top) != std::vector<std::string>{"Area"} ||
            SubkeyNames(HKEY_CURRENT_USER, FArea) != std::vector<std::string>{"Target"} ||
            ValueCountOf(HKEY_CURRENT_USER, top) != 0 || ValueCountOf(HKEY_CURRENT_USER, FArea))
            return Report("a key or value beside the target");
        for (const std::string& name : SubkeyNames(HKEY_CURRENT_USER, "Software"))
            if (name != FToken && Distance(name, FToken) <= 3)
                return Report("HKEY_CURRENT_USER\\Software\\" + name);
        std::set<std::string> before(FRootNames.begin(), FRootNames.end());
        for (const std::string& name : SubkeyNames(HKEY_CURRENT_USER, ""))
            if (!before.count(name) && Distance(name, "Software") <= 3)
                return Report("HKEY_CURRENT_USER\\" + name);
        return true;
    }

    bool Report(const std::string& what) {
        fprintf(stderr, "rescue_fuzz: written outside %s: %s\n", FPrefix.c_str(), what.c_str());
        return false;
    }

    std::mt19937 FRandom;
    std::string FToken, FArea, FTarget, FPrefix, FFile;
    std::vector<std::string> FRootNames;
    std::vector<std::string> FSeeds;
    unsigned long FReadWhole = 0;
    unsigned long FDamaged = 0;
};

unsigned long Argument(int argc, char** argv, int at, const char* variable,
                       unsigned long fallback) {
    if (argc > at) return strtoul(argv[at], nullptr, 0);
    const char* value = getenv(variable);
    return value && *value ? strtoul(value, nullptr, 0) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long iterations = Argument(argc, argv, 1, "HOLVANE_FUZZ_ITERATIONS", 300);
    auto seed = static_cast<uint32_t>(Argument(argc, argv, 2, "HOLVANE_FUZZ_SEED", GetTickCount()));
    Fuzzer fuzzer(seed);
    if (!fuzzer.MakeSeeds()) {
        fprintf(stderr, "rescue_fuzz: could not make the seed files\n");
        return 1;
    }
    for (unsigned long i = 0; i < iterations; ++i) {
        if (!fuzzer.RunOne()) {
            fuzzer.KeepFailingFile();
            fprintf(stderr, "rescue_fuzz: file %lu of seed %u failed; repeat with: %lu %u\n", i,
                    seed, i + 1, seed);
            return 1;
        }
    }
    printf("rescue_fuzz: %lu mutated files, %lu read whole, %lu found damaged, seed %u\n",
           iterations, fuzzer.ReadWhole(), fuzzer.Damaged(), seed);
    return 0;
}
