// ScanBench.cpp - times TrkScan of the COM and file-type categories over a
// synthetic registry, once with every file question put to the file system
// and once with the answers kept for the scan, against the registry reads
// alone; prints the ratios and the file-system probes per tested entry.
//
//   scan_bench.exe [--classes N] [--servers N] [--file-types N]
//                  [--type-libs N] [--interfaces N] [--runs N]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <string>

#include "BenchTiming.h"
#include "Engine.h"
#include "FileLookups.h"
#include "RegistryBaseline.h"
#include "Scanners.h"
#include "SyntheticRegistry.h"

namespace {

uint64_t g_entries = 0;
uint64_t g_invalid = 0;

int WINAPI CountEntry(ScanEntry* entry, double) {
    ++g_entries;
    if (entry->code & EntryReasonMask) ++g_invalid;
    return 0;
}

struct Run {
    double seconds = 0;
    uint64_t entries = 0;
    uint64_t invalid = 0;
    uint64_t probes = 0;
};

// The fastest of runs rounds; entries and probes are the same in each.
Run Measure(int runs, const std::function<void()>& work) {
    Run best;
    for (int round = 0; round < runs; ++round) {
        uint64_t entries = g_entries;
        uint64_t invalid = g_invalid;
        uint64_t probes = FileProbeCount();
        double seconds = Seconds(work);
        if (round == 0 || seconds < best.seconds) best.seconds = seconds;
        best.entries = g_entries - entries;
        best.invalid = g_invalid - invalid;
        best.probes = FileProbeCount() - probes;
    }
    return best;
}

struct Category {
    const char* name;
    uint32_t flag;
    DWORD (*scanner)();
    void (*baseline)();
    Run reads, asking, kept;
};

void MeasureCategory(Category& category, int runs) {
    category.reads = Measure(runs, category.baseline);
    // Outside TrkScan no answer is kept: every question goes to the file system.
    category.asking = Measure(1, [&] { category.scanner(); });
    TrkScan(0);  // frees what the bare scanner left in the result list
    category.kept = Measure(runs, [&] { TrkScan(category.flag); });
}

double PerEntry(const Run& run) {
    return run.entries ? static_cast<double>(run.probes) / static_cast<double>(run.entries) : 0;
}

void PrintRow(const char* name, const Run& reads, const Run& asking, const Run& kept) {
    printf("%-18s %8llu %8llu %9.2f s %9.2f s %7.2f %8.3f %9.2f s %7.2f %8.3f\n", name,
           static_cast<unsigned long long>(kept.entries),
           static_cast<unsigned long long>(kept.invalid), reads.seconds, asking.seconds,
           asking.seconds / reads.seconds, PerEntry(asking), kept.seconds,
           kept.seconds / reads.seconds, PerEntry(kept));
}

Run Sum(const Run& a, const Run& b) {
    return {a.seconds + b.seconds, a.entries + b.entries, a.invalid + b.invalid,
            a.probes + b.probes};
}

bool ReadArguments(int argc, char** argv, SyntheticShape* shape, unsigned* runs) {
    for (int at = 1; at < argc; ++at) {
        if (!ReadShapeOption(argc, argv, &at, shape) &&
            !ReadUnsignedOption(argc, argv, &at, "--runs", runs)) {
            fprintf(stderr, "unknown argument %s\n", argv[at]);
            return false;
        }
    }
    return shape->serverNames > 0 && *runs > 0;
}

int Bench(const SyntheticShape& shape, int runs) {
    printf("Synthetic registry: %s\n", DescribeShape(shape).c_str());
    double built = Seconds([&] { BuildSyntheticRegistry(shape); });
    printf("Built in %.1f s. Times are the fastest of %d runs (the scan that asks: 1 run).\n\n",
           built, runs);
    PutSyntheticBinFirstOnPath();
    ReadComRegistrations();  // warms the registry and the file-system caches
    ReadFileTypeRegistrations();

    Category categories[] = {
        {"COM", ScanCOM, ScanComGroup, ReadComRegistrations, {}, {}, {}},
        {"File types", ScanFileTypes, ScanFileTypeKeys, ReadFileTypeRegistrations, {}, {}, {}},
    };
    for (Category& category : categories) MeasureCategory(category, runs);

    printf("%-18s %8s %8s %11s %11s %7s %8s %11s %7s %8s\n", "", "", "", "registry", "scan,", "",
           "probes/", "scan, kept", "", "probes/");
    printf("%-18s %8s %8s %11s %11s %7s %8s %11s %7s %8s\n", "category", "entries", "invalid",
           "reads only", "asking", "ratio", "entry", "answers", "ratio", "entry");
    bool same = true;
    for (const Category& c : categories) {
        PrintRow(c.name, c.reads, c.asking, c.kept);
        same = same && c.asking.entries == c.kept.entries && c.asking.invalid == c.kept.invalid;
    }
    Run reads = Sum(categories[0].reads, categories[1].reads);
    Run asking = Sum(categories[0].asking, categories[1].asking);
    Run kept = Sum(categories[0].kept, categories[1].kept);
    PrintRow("COM + file types", reads, asking, kept);
    if (!same) printf("\nMISMATCH: the scans with and without kept answers found differently.\n");
    double ratio = kept.seconds / reads.seconds;
    printf("\nTarget: COM + file types at most 1.3 x the registry reads: %.2f x, %s.\n", ratio,
           ratio <= 1.3 ? "met" : "NOT met");
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    SyntheticShape shape;
    unsigned runs = 3;
    if (!ReadArguments(argc, argv, &shape, &runs)) return 2;
    InitEngine();
    TrkSetMonitor(CountEntry, nullptr, nullptr);
    int result = 1;
    try {
        result = Bench(shape, static_cast<int>(runs));
    } catch (const std::exception& error) {
        fprintf(stderr, "scan_bench: %s\n", error.what());
    }
    RemoveSyntheticRegistry();
    TrkSetMonitor(nullptr, nullptr, nullptr);
    ShutdownEngine();
    return result;
}
