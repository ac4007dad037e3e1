// The help binding against a stand-in help control: the two error texts
// while the library or its entry point is missing, each request trying
// again, then the binding made once with one initialisation call.
#include <app/HTMLHelp_Decl.h>
#include <app/globals.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include <string>

#include "FakeHtmlHelp.h"

namespace {

constexpr UINT HH_DISPLAY_TOPIC_COMMAND = 0;
constexpr UINT HH_INITIALIZE_COMMAND = 0x1C;

std::string ErrorOf(const std::string& file) {
    try {
        CallHtmlHelp(nullptr, file, HH_DISPLAY_TOPIC_COMMAND, 0);
    } catch (const Exception& error) {
        return error.what();
    }
    return "no error";
}

// The binding lasts for the whole process, so the whole road is one test.
TEST(HtmlHelpBinding, ReportsAMissingControlOrEntryUntilBoundThenInitialisesOnce) {
    const std::string notInstalled = "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!";
    HelpLibraryPath = ProgramFolder() + "no_such_hhctrl.ocx";
    EXPECT_EQ(ErrorOf("help.chm::/Introduction.htm"), notInstalled);
    EXPECT_EQ(ErrorOf("help.chm::/Introduction.htm"), notInstalled);

    // A library without the entry point.
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    HelpLibraryPath = std::string(system) + "\\kernel32.dll";
    EXPECT_EQ(ErrorOf("help.chm::/Introduction.htm"), "Function HTMLHELP cannot loaded!");

    HelpLibraryPath = ProgramFolder() + "fake_hhctrl.dll";
    HWND caller = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    HWND first =
        CallHtmlHelp(caller, "C:\\Holvane\\help.chm::/Scanning.htm", HH_DISPLAY_TOPIC_COMMAND, 0);
    // Another library named now is not loaded: the binding is kept.
    HelpLibraryPath = ProgramFolder() + "no_such_hhctrl.ocx";
    HWND second = CallHtmlHelp(nullptr, "other.chm", 7, 99);

    HMODULE fake = GetModuleHandleA("fake_hhctrl.dll");
    ASSERT_NE(fake, nullptr);
    auto count = reinterpret_cast<TFakeHelpCallCount>(
        reinterpret_cast<void*>(GetProcAddress(fake, "FakeHelpCallCount")));
    auto call = reinterpret_cast<TFakeHelpCallAt>(
        reinterpret_cast<void*>(GetProcAddress(fake, "FakeHelpCall")));
    ASSERT_EQ(count(), 3);
    EXPECT_EQ(call(0)->Caller, nullptr);
    EXPECT_STREQ(call(0)->File, "");
    EXPECT_EQ(call(0)->Command, HH_INITIALIZE_COMMAND);
    EXPECT_NE(call(0)->Data, 0u);  // the address of the cookie
    EXPECT_EQ(call(1)->Caller, caller);
    EXPECT_STREQ(call(1)->File, "C:\\Holvane\\help.chm::/Scanning.htm");
    EXPECT_EQ(call(1)->Command, HH_DISPLAY_TOPIC_COMMAND);
    EXPECT_EQ(call(1)->Data, 0u);
    EXPECT_EQ(call(2)->Caller, nullptr);
    EXPECT_STREQ(call(2)->File, "other.chm");
    EXPECT_EQ(call(2)->Command, 7u);
    EXPECT_EQ(call(2)->Data, 99u);
    // The control's answers are handed back.
    EXPECT_EQ(first, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4242)));
    EXPECT_EQ(second, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4243)));
}

}  // namespace
