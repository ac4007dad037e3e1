// The help binding with the platform's own help control and the built help
// file: the help window opens with the file's title.
#include <app/HTMLHelp_Decl.h>
#include <app/globals.h>
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HtmlHelpWindow, OpensThePageOfTheHelpFileInTheHelpControl) {
    const std::string page = ProgramFolder() + "..\\dist\\help.chm::/Introduction.htm";
    HWND window = CallHtmlHelp(nullptr, page, 0, 0);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(IsWindow(window));
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Holvane Help");
    // A second request goes to the bound control and finds the same window.
    EXPECT_EQ(CallHtmlHelp(nullptr, page, 0, 0), window);
    SendMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace
