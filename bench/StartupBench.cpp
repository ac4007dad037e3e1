// StartupBench - the main program's start-up against a bare window.
//
// Both programs are started the same way from one scratch copy of the
// program folder: CreateProcess with the folder as working folder, then the
// time until the program has a visible top-level window of the main window's
// size with its title and two probe pixels of that window show what the
// program paints there. For Holvane.exe the probes are a point of the skin's
// window face and a point of the overview's Start Scan tile, read from the
// installed skin's pictures, so the time includes reading the settings and
// language files, the splash, building the window, applying the skin and
// painting it. The baseline is bare_window.exe, which registers a class and
// shows one window of the same size and place painted in one colour. Each
// program is closed (WM_CLOSE) and waited for between rounds; that is not
// timed. One untimed round of each comes first (Holvane's first start writes
// its settings and language files). Prints the fastest and the median of
// each and their ratios.
//
//   startup_bench.exe [--runs N]
#include <support/Files.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Holvane's start against the bare window's, the fastest of each.
constexpr double StartupTarget = 3;

constexpr int WindowWidth = 914;
constexpr int WindowHeight = 625;
constexpr DWORD TimeoutMs = 30000;

// A point of the window, from its top-left corner, and the colour expected there.
struct TProbe {
    POINT Place;
    COLORREF Colour;
};

struct TProgram {
    const char* Label;
    std::string File;
    const char* Title;
    std::vector<TProbe> Probes;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1e3 / double(frequency.QuadPart);
}

std::string FolderOf(const std::string& file) {
    return file.substr(0, file.find_last_of('\\') + 1);
}

std::string OwnFolder() {
    char name[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, name, MAX_PATH);
    return FolderOf(std::string(name, length));
}

// The colour of a pixel of a bitmap file.
COLORREF PictureColour(const std::string& file, int x, int y) {
    auto bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) throw std::runtime_error("cannot read " + file);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return colour;
}

struct TWindowSearch {
    DWORD Process;
    const char* Title;
    HWND Found;
};

// The visible top-level window of the process with the title and the main
// window's size, or nullptr.
HWND ShownWindow(DWORD process, const char* title) {
    TWindowSearch search{process, title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<TWindowSearch*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char text[64] = "";
            GetWindowTextA(window, text, sizeof text);
            RECT rect{};
            GetWindowRect(window, &rect);
            if (owner == search->Process && IsWindowVisible(window) &&
                std::strcmp(text, search->Title) == 0 && rect.right - rect.left == WindowWidth &&
                rect.bottom - rect.top == WindowHeight) {
                search->Found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool ProbesShow(const std::vector<TProbe>& probes, POINT origin) {
    HDC screen = GetDC(nullptr);
    bool shown = true;
    for (const TProbe& probe : probes)
        shown = shown && GetPixel(screen, origin.x + probe.Place.x, origin.y + probe.Place.y) ==
                             probe.Colour;
    ReleaseDC(nullptr, screen);
    return shown;
}

// Milliseconds from the process's start to its window shown and painted.
double TimeStart(const TProgram& program, const std::string& folder) {
    // The screen must not show the probes' colours before the program does.
    DWORD waited = GetTickCount();
    while (ProbesShow(program.Probes, POINT{55, 71})) {
        if (GetTickCount() - waited > 3000)
            throw std::runtime_error("the screen shows the probes before the start");
        Sleep(10);
    }
    std::string commandLine = "\"" + program.File + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.File.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.c_str(), &startup, &info))
        throw std::runtime_error("cannot start " + program.File);
    HWND window = nullptr;
    const DWORD began = GetTickCount();
    for (;;) {
        window = ShownWindow(info.dwProcessId, program.Title);
        RECT rect{};
        if (window && GetWindowRect(window, &rect) &&
            ProbesShow(program.Probes, POINT{rect.left, rect.top}))
            break;
        if (GetTickCount() - began > TimeoutMs) {
            TerminateProcess(info.hProcess, 1);
            throw std::runtime_error(std::string(program.Label) + " showed no painted window");
        }
        Sleep(1);
    }
    QueryPerformanceCounter(&shown);
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, TimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        throw std::runtime_error(std::string(program.Label) + " did not end when closed");
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return Milliseconds(start, shown);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

int RunsFromArguments(int argc, char** argv) {
    int runs = 10;
    for (int at = 1; at < argc; ++at) {
        if (std::strcmp(argv[at], "--runs") == 0 && at + 1 < argc)
            runs = std::max(1, std::atoi(argv[++at]));
        else
            throw std::runtime_error(std::string("unknown argument ") + argv[at]);
    }
    return runs;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const int runs = RunsFromArguments(argc, argv);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string folder = std::string(temp) + "holvane-startup-bench\\";
        RemoveFolder(folder);
        if (!CopyFolder(InstalledProgramFolder(), folder))
            throw std::runtime_error("cannot copy " + InstalledProgramFolder() + " to " + folder);
        // As installed: without the settings and language file of a start
        // from build/dist itself.
        DeleteFileA((folder + "config.ini").c_str());
        DeleteFileA((folder + "Langs\\English.ini").c_str());
        if (!CopyFileA((OwnFolder() + "bare_window.exe").c_str(),
                       (folder + "bare_window.exe").c_str(), FALSE))
            throw std::runtime_error("no bare_window.exe beside the benchmark");
        // The pointer stays off both windows, so no button shows its hover picture.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);

        const std::string skin = folder + "Skins\\";
        const TProgram holvane{
            "Holvane.exe (skinned main window)",
            folder + "Holvane.exe",
            "Holvane",
            {{{600, 24}, PictureColour(skin + "Window.bmp", 600, 24)},
             {{232, 499}, PictureColour(skin + "TileStartScanNormal.bmp", 22, 32)}}};
        const COLORREF bareColour = RGB(0x1C, 0x3A, 0x4A);
        const TProgram bare{"bare Win32 window",
                            folder + "bare_window.exe",
                            "Bare window",
                            {{{600, 24}, bareColour}, {{232, 499}, bareColour}}};

        TimeStart(holvane, folder);
        TimeStart(bare, folder);
        std::vector<double> holvaneTimes, bareTimes;
        for (int i = 0; i < runs; ++i) {
            holvaneTimes.push_back(TimeStart(holvane, folder));
            bareTimes.push_back(TimeStart(bare, folder));
        }
        RemoveFolder(folder);

        const double holvaneFastest = *std::min_element(holvaneTimes.begin(), holvaneTimes.end());
        const double bareFastest = *std::min_element(bareTimes.begin(), bareTimes.end());
        std::printf(
            "Start-up: process start to the main window shown and painted; "
            "the fastest of %d runs (median).\n\n",
            runs);
        std::printf("  %-36s %8.1f ms  (%8.1f ms)\n", holvane.Label, holvaneFastest,
                    Median(holvaneTimes));
        std::printf("  %-36s %8.1f ms  (%8.1f ms)\n", bare.Label, bareFastest, Median(bareTimes));
        const double ratio = holvaneFastest / bareFastest;
        std::printf("  %-36s %8.2f     (%8.2f)\n", "ratio", ratio,
                    Median(holvaneTimes) / Median(bareTimes));
        std::printf("\nTarget: Holvane's start at most %.0f x the bare window's: %.2f x, %s.\n",
                    StartupTarget, ratio, ratio <= StartupTarget ? "met" : "NOT met");
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
}
