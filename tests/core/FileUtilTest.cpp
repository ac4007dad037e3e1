// File, path, text, time and ini helpers against the prefix's file system.
#include "FileUtil.h"
#include "RegFixture.h"

// After the C++ library's headers: it defines _M1 and _M2 as numbers, names
// that the C++ headers use for their own.
#include <mbctype.h>

TEST(FileChecks, FindFirstFileSemanticsAndTheAccessTest) {
    ScratchFolder folder;
    std::string file = folder.File("present.txt");
    std::string sub = folder.Folder("sub");
    EXPECT_TRUE(FileExists(file.c_str(), false));
    EXPECT_FALSE(FileExists(sub.c_str(), false));
    EXPECT_TRUE(FileExists(sub.c_str(), true));
    EXPECT_TRUE(FolderExists(sub.c_str()));
    EXPECT_FALSE(FolderExists(file.c_str()));
    EXPECT_FALSE(FileExists((folder.Path() + "absent.txt").c_str(), false));
    EXPECT_FALSE(FileExists(nullptr, true));
    // A trailing backslash or a drive root is not found by the lookup...
    EXPECT_FALSE(FolderExists((sub + "\\").c_str()));
    EXPECT_FALSE(FolderExists("C:\\"));
    EXPECT_TRUE(FileExists("C:\\", true));
    // ...and wildcards count as found when anything matches.
    EXPECT_TRUE(FileExists((folder.Path() + "pres*.txt").c_str(), false));
}

TEST(PathText, FileNameBackslashTrimDigits) {
    std::string path = "C:\\a\\b.txt";
    FileNameOfPath(path);
    EXPECT_EQ(path, "b.txt");
    path = "plain";
    FileNameOfPath(path);
    EXPECT_EQ(path, "plain");

    struct Case {
        const char* in;
        const char* out;
    };
    for (Case c : {Case{"C:\\x", "C:\\x\\"}, Case{"C:\\x\\", "C:\\x\\"}, Case{"", ""}}) {
        std::string text = c.in;
        AppendBackslash(text);
        EXPECT_EQ(text, c.out);
    }

    std::string text = "  both ends  ";
    TrimChar(text, '\0');
    EXPECT_EQ(text, "both ends");
    text = "    ";
    TrimChar(text, ' ');
    EXPECT_EQ(text, "");
    text = "\"\"quoted\"";
    TrimChar(text, '"');
    EXPECT_EQ(text, "quoted");

    EXPECT_TRUE(IsAllDigits("0123456789"));
    EXPECT_TRUE(IsAllDigits(""));
    EXPECT_TRUE(IsAllDigits(nullptr));
    EXPECT_FALSE(IsAllDigits("12a"));
}

TEST(PathText, DoubleByteTrailBackslashIsNotAPathSeparator) {
    // In code page 932 the second byte of 0x95 0x5C is a backslash.
    ASSERT_EQ(_setmbcp(932), 0);
    std::string text = "C:\\dir\\\x95\x5C";
    AppendBackslash(text);
    EXPECT_EQ(text, "C:\\dir\\\x95\x5C\\");
    std::string name =
        "C:\\dir\\\x95\x5C"
        "a";
    FileNameOfPath(name);
    EXPECT_EQ(name,
              "\x95\x5C"
              "a");
    std::string trimmed = "\\\x95\x5C";
    TrimChar(trimmed, '\\');
    EXPECT_EQ(trimmed, "\x95\x5C");
    trimmed = "\x95\x5C\\\\";
    TrimChar(trimmed, '\\');
    EXPECT_EQ(trimmed, "\x95\x5C");
    _setmbcp(_MB_CP_ANSI);
}

TEST(EnvironmentList, SplitsAndSkipsEmptyPieces) {
    SetEnvironmentVariableA("HOLVANE_LIST", ";a;;b c;");
    EXPECT_EQ(SplitEnvironmentList("HOLVANE_LIST"), (std::vector<std::string>{"a", "b c"}));
    SetEnvironmentVariableA("HOLVANE_LIST", ";;");
    EXPECT_TRUE(SplitEnvironmentList("HOLVANE_LIST").empty());
    SetEnvironmentVariableA("HOLVANE_LIST", nullptr);
    EXPECT_TRUE(SplitEnvironmentList("HOLVANE_LIST").empty());
}

TEST(TimeText, RoundTripsToTheSecond) {
    SYSTEMTIME fields{};
    fields.wYear = 2007;
    fields.wMonth = 3;
    fields.wDay = 1;
    fields.wHour = 9;
    fields.wMinute = 5;
    fields.wSecond = 3;
    FILETIME time;
    ASSERT_TRUE(SystemTimeToFileTime(&fields, &time));
    std::string text = FileTimeToText(&time);
    EXPECT_EQ(text, "2007-03-01 09:05:03");
    FILETIME back;
    EXPECT_EQ(TextToFileTime(text.c_str(), &back), 0);
    EXPECT_EQ(back.dwLowDateTime, time.dwLowDateTime);
    EXPECT_EQ(back.dwHighDateTime, time.dwHighDateTime);
    EXPECT_EQ(FileTimeToText(nullptr), "");
    EXPECT_EQ(TextToFileTime("not a date", &back), 0);
}

TEST(IniReaders, GrowTheirBuffersToReadEverything) {
    ScratchFolder folder;
    std::string ini = folder.Path() + "many.ini";
    std::vector<std::string> expected;
    for (int i = 0; i < 60; ++i) {
        std::string section = "Section number " + std::to_string(i);
        WritePrivateProfileStringA(section.c_str(), "k", "v", ini.c_str());
        expected.push_back(section);
    }
    std::string longValue(5000, 'x');
    WritePrivateProfileStringA("Section number 0", "long", longValue.c_str(), ini.c_str());

    EXPECT_EQ(ReadSectionNames(ini.c_str()), expected);
    EXPECT_EQ(ReadProfileString("Section number 0", "long", "", ini.c_str()), longValue);
    EXPECT_EQ(ReadProfileString("Section number 0", "absent", "dflt", ini.c_str()), "dflt");
    // A null key lists the key names, each closed by a zero.
    EXPECT_EQ(ReadProfileString("Section number 0", nullptr, "", ini.c_str()),
              std::string("k\0long\0", 7));
    EXPECT_TRUE(ReadSectionNames((folder.Path() + "absent.ini").c_str()).empty());
}

TEST(PumpMessages, DispatchesWaitingMessagesAndHandsTheQuitBack) {
    static int dispatched = 0;
    dispatched = 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_APP) ++dispatched;
        return DefWindowProcA(hwnd, msg, wp, lp);
    };
    wc.lpszClassName = "HolvanePumpTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("HolvanePumpTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_APP, 0, 0);
    PostMessageA(window, WM_APP, 0, 0);
    PostQuitMessage(7);
    PumpMessages();
    EXPECT_EQ(dispatched, 2);
    PumpMessages();  // the quit waits again, and the pump still returns
    // The host's loop still gets its quit, with its exit code.
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    DestroyWindow(window);
}
