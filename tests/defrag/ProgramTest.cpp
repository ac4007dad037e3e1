// Sundrel.exe itself, started from a scratch copy of the program folder on
// the test display: it greys the desktop, runs its bar, asks the reboot
// question, which the test answers No, and ends without a reboot, having
// written its section into the language file.
#include <classlib/Colors.h>
#include <gtest/gtest.h>

#include <memory>

#include "ProgramProcess.h"
#include "ToolFixture.h"
#include "WindowFixture.h"

namespace {

// A visible window of the tool covering the whole screen.
bool CoversScreen(const TProgramProcess& tool) {
    for (HWND window : tool.Windows()) {
        RECT rect{};
        GetWindowRect(window, &rect);
        if (IsWindowVisible(window) && rect.left == 0 && rect.top == 0 &&
            rect.right == GetSystemMetrics(SM_CXSCREEN) &&
            rect.bottom == GetSystemMetrics(SM_CYSCREEN))
            return true;
    }
    return false;
}

class SundrelProgram : public ToolTest {
protected:
    // The program folder as the main program leaves it: its settings without
    // the language folder key, a language file of the main program's own,
    // and the installed skin.
    void SetUp() override {
        ToolTest::SetUp();
        const std::string installed = InstalledProgramFolder();
        ASSERT_TRUE(CopyFileA((installed + "Sundrel.exe").c_str(),
                              (Folder.Path() + "Sundrel.exe").c_str(), FALSE));
        Folder.Folder("Skins");
        for (const char* file : {"Skins\\Default.ini", "Skins\\imgProgress.bmp"})
            ASSERT_TRUE(
                CopyFileA((installed + file).c_str(), (Folder.Path() + file).c_str(), FALSE));
        WriteConfig("SkinsDir=Skins\r\nLanguageFile=English.ini\r\n");
        Folder.Folder("Langs");
        LanguageFile = Folder.File("Langs\\English.ini",
                                   "[FORMMAIN]\r\nIDS_MAINWND_BUTTON_TopOverview=Overview\r\n");
    }

    std::string LanguageFile;
};

}  // namespace

TEST_F(SundrelProgram, GreysTheDesktopAsksOnceAndEndsWithoutRebootOnNo) {
    // Something coloured on the desktop for the tool to grey, where the
    // windows of other tests running meanwhile do not go.
    TForm marker(nullptr);
    marker.SetBorderStyle(bsNone);
    marker.SetBounds(1000, 800, 120, 80);
    marker.SetColor(clRed);
    marker.Show();
    Pump(150);
    ASSERT_EQ(ScreenPixel(Point(1060, 840)), RGB(255, 0, 0));

    TProgramProcess tool(Folder.Path(), "Sundrel.exe");
    ASSERT_TRUE(tool.Started());
    EXPECT_TRUE(WaitUntil([&] { return CoversScreen(tool); }, 10000));
    // The red of the marker shows grey. (What the tool captured depends on the
    // display at its start; the exact grey of a known picture is the
    // full-screen window's own test.)
    auto grey = [](COLORREF colour) {
        return GetRValue(colour) == GetGValue(colour) && GetGValue(colour) == GetBValue(colour);
    };
    EXPECT_TRUE(WaitUntil([&] { return grey(ScreenPixel(Point(1060, 840))); }, 5000))
        << std::hex << ScreenPixel(Point(1060, 840));

    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            box = FindWindowA("#32770", "Sundrel");
            return box && tool.Owns(box);
        },
        30000));
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_EQ(std::string(text), TToolTexts{}.Reboot);
    PostMessageA(box, WM_COMMAND, IDNO, 0);

    // Had the tool asked for a reboot, this process would have ended with it.
    EXPECT_EQ(tool.WaitForEnd(15000), 0u);
    std::vector<std::string> lines = FileLines(LanguageFile);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[1], "IDS_MAINWND_BUTTON_TopOverview=Overview");
    EXPECT_EQ(lines[2], "[Sundrel]");
    EXPECT_EQ(lines[3], "Flag=1");
    EXPECT_EQ(lines[8], "IDS_MESSAGEBOX_WARNING_Reboot=" + TToolTexts{}.Reboot);
    EXPECT_EQ(ReadFileText(Folder.Path() + "config.ini"),
              "[system]\r\nSkinsDir=Skins\r\nLanguageFile=English.ini\r\n");
    EXPECT_FALSE(FindWindowA("#32770", "Sundrel"));
}
