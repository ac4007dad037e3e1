// WindowScanBench.cpp - times the COM and file-type scans through the main
// window, with the shipped skin, on the screen (the progress page's status
// line and bar set for every entry, the rows added, and the window painting
// what changed each time the core library pumps its messages), against the
// same two scans with a bare counting callback, over one synthetic registry;
// three rounds of both in turn after a warming one, the fastest of each
// counting. Prints the ratio. Needs a display.
//
//   window_scan_bench.exe [--classes N] [--servers N] [--file-types N]
//                         [--type-libs N] [--interfaces N]
// (by default 5000 classes, 500 servers, 2000 file types, 300 type libraries
// and 1000 interfaces; bench/run.sh window_scan_bench runs it)
#include <app/TBLanguager.h>
#include <app/globals.h>
#include <app/main.h>
#include <support/Files.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>

#include "SyntheticRegistry.h"

namespace {

// The scan through the window against the bare scan, the fastest of each.
constexpr double WindowScanTarget = 1.1;

// The window's program folder: the shipped skin, a language folder.
const char kProgramFolder[] = "C:\\holvane-window-bench\\";

uint64_t g_entries = 0;
constexpr int kRounds = 3;

int WINAPI CountEntry(ScanEntry*, double) {
    ++g_entries;
    return 0;
}

int WINAPI CountAndShowEntry(ScanEntry* entry, double percent) {
    ++g_entries;
    return TfrmMain::ScanEntryCallback(entry, percent);
}

struct TRun {
    double seconds = 0;
    uint64_t entries = 0;
};

TRun Time(ScanEntryCallback callback, const std::function<void()>& scan) {
    TrkSetMonitor(callback, nullptr, nullptr);
    const uint64_t entries = g_entries;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    scan();
    QueryPerformanceCounter(&end);
    return {static_cast<double>(end.QuadPart - start.QuadPart) /
                static_cast<double>(frequency.QuadPart),
            g_entries - entries};
}

void BareScans() {
    TrkScan(ScanCOM);
    TrkScan(ScanFileTypes);
}

void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        Application->ProcessMessages();
        Sleep(5);
    }
}

void MakeProgramFolder() {
    CreateDirectoryA(kProgramFolder, nullptr);
    CreateDirectoryA((std::string(kProgramFolder) + "Langs").c_str(), nullptr);
    const std::string skins = InstalledProgramFolder() + "Skins\\";
    if (!CopyFolder(skins, std::string(kProgramFolder) + "Skins\\"))
        throw std::runtime_error("cannot copy the skin from " + skins);
}

TfrmMain* ShowMainWindow() {
    MakeProgramFolder();
    LoadSettingsFrom(kProgramFolder);
    LoadLanguage();
    Application->OnMessageBox = [](const std::string&, const std::string&, UINT) { return IDOK; };
    TfrmMain* form = Application->CreateForm<TfrmMain>();
    Pump(500);  // the window shows itself once its posted message is handled
    for (const TScanCategory& category : form->ScanCategories())
        category.CheckBox->SetChecked(category.Flag == ScanCOM || category.Flag == ScanFileTypes);
    return form;
}

int Bench(const SyntheticShape& shape) {
    printf("Synthetic registry: %s\n", DescribeShape(shape).c_str());
    BuildSyntheticRegistry(shape);
    PutSyntheticBinFirstOnPath();
    TfrmMain* form = ShowMainWindow();
    Time(CountEntry, BareScans);  // warms the registry and the file-system caches
    // Rounds of both in turn; the fastest of each counts, as the machine's
    // other work only ever adds time.
    TRun bare, window;
    for (int round = 0; round < kRounds; ++round) {
        const TRun bareRound = Time(CountEntry, BareScans);
        const TRun windowRound =
            Time(CountAndShowEntry, [form] { form->ActionStartScanNowExecute(form); });
        if (round == 0 || bareRound.seconds < bare.seconds) bare = bareRound;
        if (round == 0 || windowRound.seconds < window.seconds) window = windowRound;
    }
    const int rows = form->Results().Count();
    delete form;

    printf("%-34s %9s %9s %10s\n", "COM + file types", "entries", "rows", "seconds");
    printf("%-34s %9llu %9s %10.2f\n", "bare counting callback",
           static_cast<unsigned long long>(bare.entries), "", bare.seconds);
    printf("%-34s %9llu %9d %10.2f\n", "through the window",
           static_cast<unsigned long long>(window.entries), rows, window.seconds);
    const double ratio = window.seconds / bare.seconds;
    printf("\nTarget: the scan through the window at most %.2g x the bare scan: %.2f x, %s.\n",
           WindowScanTarget, ratio, ratio <= WindowScanTarget ? "met" : "NOT met");
    if (bare.entries != window.entries) {
        printf("MISMATCH: the two scans reported different numbers of entries.\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SyntheticShape shape{5000, 500, 2000, 300, 1000};
    for (int at = 1; at < argc; ++at) {
        if (!ReadShapeOption(argc, argv, &at, &shape)) {
            fprintf(stderr, "unknown argument %s\n", argv[at]);
            return 2;
        }
    }
    int result = 1;
    try {
        result = Bench(shape);
    } catch (const std::exception& error) {
        fprintf(stderr, "window_scan_bench: %s\n", error.what());
    }
    TrkSetMonitor(nullptr, nullptr, nullptr);
    RemoveSyntheticRegistry();
    RemoveFolder(kProgramFolder);
    return result;
}
