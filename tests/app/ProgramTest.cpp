// Holvane.exe started as a process from a scratch copy of the program folder:
// the first start, the close, the next start reading what the first left,
// and the defragmentation tool started from the window.
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>
#include <support/Files.h>

#include "ProgramProcess.h"
#include "RegFixture.h"
#include "SettingsLines.h"
#include "WindowFixture.h"

namespace {

// The splash window's size.
constexpr int SplashWidth = 482;
constexpr int SplashHeight = 243;

// Places on the main window, from its top-left corner, where the shipped
// skin puts them: the page buttons, the overview's Defrag Registry tile and
// the defragmentation page's button.
const TPoint ScanPageButton = Point(95, 130);
const TPoint ScanPageButtonFace = Point(162, 116);  // inside the button, clear of its caption
const TPoint DefragTile = Point(547, 498);
const TPoint DefragButton = Point(786, 539);
// A point of the defragmentation button's face, and the same point of its
// picture.
const TPoint DefragButtonFace = Point(720, 539);
const TPoint PrimaryPictureFace = Point(8, 18);

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// A window's place on the screen as "left,top widthxheight".
std::string Place(HWND window) {
    const RECT rect = WindowRect(window);
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
           std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

bool IsSplash(HWND window) {
    const RECT rect = WindowRect(window);
    return IsWindowVisible(window) && rect.right - rect.left == SplashWidth &&
           rect.bottom - rect.top == SplashHeight;
}

TPoint OnWindow(HWND window, TPoint place) {
    const RECT rect = WindowRect(window);
    return Point(rect.left + place.x, rect.top + place.y);
}

// The process whose program file is path, found by one of its visible
// top-level windows; it is opened so that the test can end it.
HANDLE VisibleProcessOf(const std::string& path) {
    struct TSearch {
        const std::string& Path;
        HANDLE Process;
    } search{path, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<TSearch*>(data);
            DWORD id = 0;
            GetWindowThreadProcessId(window, &id);
            if (!IsWindowVisible(window)) return TRUE;
            HANDLE process = OpenProcess(
                PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
            if (!process) return TRUE;
            char name[MAX_PATH] = "";
            DWORD size = MAX_PATH;
            if (QueryFullProcessImageNameA(process, 0, name, &size) &&
                lstrcmpiA(name, search->Path.c_str()) == 0) {
                search->Process = process;
                return FALSE;
            }
            CloseHandle(process);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Process;
}

class HolvaneProgram : public ::testing::Test {
protected:
    // The copy is the folder as installed: the settings and the language file
    // that a start from build/dist itself (scripts/run.sh) wrote there are
    // left out.
    void SetUp() override {
        ASSERT_TRUE(CopyFolder(InstalledProgramFolder(), Folder.Path()));
        DeleteFileA(SettingsFile().c_str());
        DeleteFileA((Folder.Path() + "Langs\\English.ini").c_str());
    }

    std::string SettingsFile() const { return Folder.Path() + "config.ini"; }

    // The main window once it is shown, or nullptr after the time-out.
    static HWND MainWindow(const TProgramProcess& program) {
        HWND window = nullptr;
        WaitUntil([&] { return (window = program.VisibleWindow("Holvane")) != nullptr; }, 20000);
        return window;
    }
    // Asks the program to close as the system would, and waits for its end.
    static DWORD Close(const TProgramProcess& program, HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return program.WaitForEnd(15000);
    }

    ScratchFolder Folder;
};

}  // namespace

TEST_F(HolvaneProgram, FirstStartShowsTheSplashThenTheMainWindowAndWritesItsFiles) {
    ASSERT_FALSE(FileExists(SettingsFile()));
    ASSERT_FALSE(FileExists(Folder.Path() + "Langs\\English.ini"));
    TProgramProcess program(Folder.Path(), "Holvane.exe");
    ASSERT_TRUE(program.Started());
    bool splashSeen = false;
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND shown : program.Windows()) splashSeen = splashSeen || IsSplash(shown);
            return (window = program.VisibleWindow("Holvane")) != nullptr;
        },
        20000));
    EXPECT_TRUE(splashSeen);
    // The splash is gone once the main window is up.
    Pump(100);
    for (HWND shown : program.Windows()) EXPECT_FALSE(IsSplash(shown));
    EXPECT_EQ(Place(window), "55,71 914x625");
    EXPECT_EQ(FileLines(SettingsFile()), FirstStartSystemLines());
    const std::vector<std::string> language = FileLines(Folder.Path() + "Langs\\English.ini");
    ASSERT_FALSE(language.empty());
    EXPECT_EQ(language[0], "[FORMMAIN]");

    EXPECT_EQ(Close(program, window), 0u);
    std::vector<std::string> expected = FirstStartSystemLines();
    expected.insert(expected.end(), {"[Form]", "x=55", "y=71", "maximized=0"});
    EXPECT_EQ(FileLines(SettingsFile()), expected);
}

TEST_F(HolvaneProgram, TheNextStartTakesThePlaceAndTheSettingsTheLastOneLeft) {
    {
        TProgramProcess first(Folder.Path(), "Holvane.exe");
        HWND window = MainWindow(first);
        ASSERT_TRUE(window);
        ASSERT_EQ(Close(first, window), 0u);
    }
    const std::string settings = SettingsFile();
    const char* file = settings.c_str();
    WritePrivateProfileStringA("Form", "x", "200", file);
    WritePrivateProfileStringA("Form", "y", "150", file);
    WritePrivateProfileStringA("system", "ScanBoxFonts", "0", file);

    TProgramProcess second(Folder.Path(), "Holvane.exe");
    HWND window = MainWindow(second);
    ASSERT_TRUE(window);
    EXPECT_EQ(Place(window), "200,150 914x625");
    // The window answers where it now is: its Scan page button, clicked,
    // shows as the chosen page (the white face of its disabled picture).
    const TPoint face = OnWindow(window, ScanPageButtonFace);
    const COLORREF before = ScreenPixel(face);
    ClickAt(OnWindow(window, ScanPageButton));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(face) == RGB(255, 255, 255); }))
        << std::hex << before << " " << ScreenPixel(face);
    EXPECT_NE(before, RGB(255, 255, 255));
    ASSERT_EQ(Close(second, window), 0u);
    // The category box took its state from the file and gave it back at close.
    EXPECT_EQ(GetPrivateProfileIntA("system", "ScanBoxFonts", -1, file), 0);
    EXPECT_EQ(GetPrivateProfileIntA("system", "ScanBoxCOM", -1, file), 1);
    EXPECT_EQ(GetPrivateProfileIntA("Form", "x", -1, file), 200);
    EXPECT_EQ(GetPrivateProfileIntA("Form", "y", -1, file), 150);
}

TEST_F(HolvaneProgram, TheDefragButtonStartsTheToolFromTheProgramFolderWithoutWaitingForIt) {
    TProgramProcess program(Folder.Path(), "Holvane.exe");
    HWND window = MainWindow(program);
    ASSERT_TRUE(window);
    TBitmap primary;
    primary.LoadFromFile(Folder.Path() + "Skins\\PrimaryNormal.bmp");
    const auto face =
        static_cast<COLORREF>(primary.Canvas()->Pixels(PrimaryPictureFace.x, PrimaryPictureFace.y));
    ClickAt(OnWindow(window, DefragTile));
    // The click on the page's button waits for the page.
    ASSERT_TRUE(
        WaitUntil([&] { return ScreenPixel(OnWindow(window, DefragButtonFace)) == face; }, 5000));
    ClickAt(OnWindow(window, DefragButton));
    HANDLE tool = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] { return (tool = VisibleProcessOf(Folder.Path() + "Sundrel.exe")) != nullptr; },
        10000));
    // The program goes on while the tool runs; the tool is ended before it
    // could ask to reboot.
    EXPECT_EQ(Close(program, window), 0u);
    if (tool) {
        TerminateProcess(tool, 1);
        WaitForSingleObject(tool, 5000);
        CloseHandle(tool);
    }
    char stamp[256] = "";
    GetPrivateProfileStringA("system", "LastRegistryDefragDateTime", "", stamp, sizeof stamp,
                             SettingsFile().c_str());
    EXPECT_NE(std::string(stamp), "...");
    EXPECT_NE(std::string(stamp), "");
}
