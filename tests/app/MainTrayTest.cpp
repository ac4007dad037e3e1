// The main window's trip to the notification area and back, the help
// button's menu with its two help pages, and the product's links. The icon
// and its balloon are those the shell shows, double-clicked with the mouse;
// the help control is the stand-in that records its calls, and the shell's
// execute is a recorder.
#include <app/HTMLHelp_Decl.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeHtmlHelp.h"
#include "MainWindowFixture.h"
#include "MenuFixture.h"

namespace {

constexpr const char* BalloonText =
    "Holvane has been minimized. Double click this icon to restore.";

// The icons the notification area shows: one window each, in the shell's process.
std::vector<HWND> ShellTrayIcons() {
    std::vector<HWND> icons;
    EnumWindows(
        [](HWND window, LPARAM list) {
            EnumChildWindows(
                window,
                [](HWND child, LPARAM list) {
                    char name[64] = {};
                    GetClassNameA(child, name, sizeof name);
                    if (std::string(name) == "__winex11_tray_icon" && IsWindowVisible(child))
                        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
                    return TRUE;
                },
                list);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&icons));
    return icons;
}

// Whether the shell shows a balloon with this text (its tip window of another
// process answers WM_GETTEXT with the balloon's text).
bool BalloonShown(const std::string& text) {
    for (HWND tip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); tip;
         tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(tip, &process);
        if (process == GetCurrentProcessId() || !IsWindowVisible(tip)) continue;
        char shown[300] = {};
        SendMessageA(tip, WM_GETTEXT, sizeof shown, reinterpret_cast<LPARAM>(shown));
        if (text == shown) return true;
    }
    return false;
}

void DoubleClickAt(TPoint screen) {
    MoveMouse(screen);
    for (int i = 0; i < 2; ++i) {
        PressMouse(mbLeft, true);
        PressMouse(mbLeft, false);
    }
}

TPoint CentreOf(HWND window) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    return Point((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
}

struct TOpenedLink {
    std::string File;
    std::string Verb;
    ULONG Mask;
    int Show;
    bool Plain;  // no owner window, parameters or folder
    int BusyDepth;
};

class MainTray : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        FSavedShellExecute = ShellExecuteLink;
        ShellExecuteLink = [this](SHELLEXECUTEINFOA& info) {
            Links.push_back({info.lpFile ? info.lpFile : "", info.lpVerb ? info.lpVerb : "",
                             info.fMask, info.nShow,
                             !info.hwnd && !info.lpParameters && !info.lpDirectory,
                             BusyCursorDepth});
            return TRUE;
        };
        // The binding is made once per process: the stand-in from the first request on.
        HelpLibraryPath = ProgramFolder() + "fake_hhctrl.dll";
        Menu.Safety = 5000;
    }
    void TearDown() override {
        Menu.Stop();
        ShellExecuteLink = FSavedShellExecute;
        MainWindowTest::TearDown();
    }

    // Clicks the "?" caption button and presses keys in the menu that pops up.
    void ChooseFromHelpMenu(std::vector<WORD> keys) {
        Menu.PressWhenShown(std::move(keys));
        ClickAt(ScreenPoint(Form->btnHelp, 8, 8));
        Pump(30);
    }

    // The stand-in help control's calls from number first on, but its
    // initialisation; none before the control is first bound.
    static std::vector<TFakeHelpCall> HelpCallsSince(int first) {
        auto call = FakeHelpExport<TFakeHelpCallAt>("FakeHelpCall");
        std::vector<TFakeHelpCall> calls;
        for (int i = first; i < HelpCallCount() && call && call(i); ++i)
            if (call(i)->Command != HelpInitialize) calls.push_back(*call(i));
        return calls;
    }
    static int HelpCallCount() {
        auto count = FakeHelpExport<TFakeHelpCallCount>("FakeHelpCallCount");
        return count ? count() : 0;
    }
    template <class T>
    static T FakeHelpExport(const char* name) {
        HMODULE fake = GetModuleHandleA("fake_hhctrl.dll");
        return fake ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(fake, name)))
                    : nullptr;
    }

    static constexpr UINT HelpInitialize = 0x1C;
    TMenuWatch Menu;
    std::vector<TOpenedLink> Links;

private:
    TShellExecuteEvent FSavedShellExecute;
};

}  // namespace

TEST_F(MainTray, MinimisingShowsIconAndBalloonAndADoubleClickOnTheIconBringsTheWindowBack) {
    const std::vector<HWND> before = ShellTrayIcons();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ClickAt(ScreenPoint(Form->btnMin, 8, 8));
        EXPECT_FALSE(Form->Visible());
        EXPECT_FALSE(IsWindowVisible(Form->Handle()));
        ASSERT_TRUE(Form->TrayIcon->IconVisible());
        const NOTIFYICONDATAA& data = Form->TrayIcon->TrayIconData();
        EXPECT_NE(data.hIcon, nullptr);  // the program's icon
        EXPECT_STREQ(data.szInfoTitle, "Holvane");
        EXPECT_STREQ(data.szInfo, BalloonText);
        EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
        EXPECT_EQ(data.uTimeout, 10000u);

        // The shell shows the icon, and its balloon a moment later.
        std::vector<HWND> icons = ShellTrayIcons();
        std::erase_if(icons,
                      [&](HWND icon) { return std::count(before.begin(), before.end(), icon); });
        ASSERT_EQ(icons.size(), 1u);
        EXPECT_TRUE(WaitUntil([] { return BalloonShown(BalloonText); }, 8000));

        DoubleClickAt(CentreOf(icons[0]));
        ASSERT_TRUE(WaitUntil([&] { return Form->Visible(); }));
        EXPECT_TRUE(IsWindowVisible(Form->Handle()));
        EXPECT_FALSE(IsIconic(Form->Handle()));
        EXPECT_EQ(Form->WindowState(), wsNormal);
        EXPECT_EQ(GetForegroundWindow(), Form->Handle());
        EXPECT_FALSE(Form->TrayIcon->IconVisible());
        EXPECT_TRUE(WaitUntil([&] { return ShellTrayIcons() == before; }));
        EXPECT_TRUE(WaitUntil([] { return !BalloonShown(BalloonText); }));
    }
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainTray, TheHelpMenuHoldsItsItemsInOrderAndPopsUpAtThePointer) {
    struct TItem {
        TMenuItem* Item;
        const char* Name;
        const char* Caption;
    };
    TMenuItem* items = Form->PopupMenuHelp->Items();
    ASSERT_EQ(items->Count(), 9);
    const TItem expected[] = {
        {Form->MenuHelpContent, "MenuHelpContent", "Help Content"},
        {Form->MenuQuickStart, "MenuQuickStart", "Quick Start..."},
        {nullptr, nullptr, "-"},
        {Form->LanguagesMI, "LanguagesMI", "Languages"},
        {nullptr, nullptr, "-"},
        {Form->MenuOnlineResources, "MenuOnlineResources", "Online Resources..."},
        {Form->MenuContactTechnicalSupport, "MenuContactTechnicalSupport",
         "Contact Technical Support..."},
        {nullptr, nullptr, "-"},
        {Form->MenuAbout, "MenuAbout", "About..."},
    };
    for (int i = 0; i < items->Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items->Items(i)->Caption(), expected[i].Caption);
        if (!expected[i].Item) continue;
        EXPECT_EQ(items->Items(i), expected[i].Item);
        EXPECT_EQ(items->Items(i)->Name(), expected[i].Name);
    }
    EXPECT_EQ(Form->MenuHelpContent->Action(), Form->ActionHelpContent);
    EXPECT_EQ(Form->MenuQuickStart->Action(), Form->ActionQuickStart);
    EXPECT_EQ(Form->MenuOnlineResources->Action(), Form->ActionOnlineResources);
    EXPECT_EQ(Form->MenuContactTechnicalSupport->Action(), Form->ActionContactTechnicalSupport);
    EXPECT_EQ(Form->MenuAbout->Action(), Form->ActionAbout);

    // The help action pops it up where the pointer is, as the platform shows it.
    MoveMouse(Point(520, 430));
    Menu.PressWhenShown({VK_ESCAPE});
    Form->ActionHelp->Execute();
    ASSERT_EQ(Menu.Shown.size(), 9u);
    EXPECT_EQ(Menu.ShownAt.x, 520);
    EXPECT_EQ(Menu.ShownAt.y, 430);
    const char* shown[] = {"&Help Content\tF1",
                           "&Quick Start...",
                           "",
                           "&Languages",
                           "",
                           "&Online Resources...",
                           "&Contact Technical Support...",
                           "",
                           "&About..."};
    for (size_t i = 0; i < Menu.Shown.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Menu.Shown[i].text, shown[i]);
        EXPECT_EQ((Menu.Shown[i].type & MFT_SEPARATOR) != 0, *shown[i] == '\0');
    }
    ASSERT_EQ(Menu.ShownSubmenu.size(), 1u);
    EXPECT_EQ(Menu.ShownSubmenu[0].text, "&ENGLISH");
    EXPECT_TRUE(Menu.ShownSubmenu[0].state & MFS_CHECKED);
    EXPECT_TRUE(Menu.ShownSubmenu[0].type & MFT_RADIOCHECK);
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 0);  // nothing was chosen

    // The "?" button does the same at its own place; About shows the About page.
    ChooseFromHelpMenu({'A'});
    const TPoint button = ScreenPoint(Form->btnHelp, 8, 8);
    EXPECT_EQ(Menu.ShownAt.x, button.x);
    EXPECT_EQ(Menu.ShownAt.y, button.y);
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 4);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainTray, TheHelpPagesOpenInTheHelpControlWithTheWindowAsCaller) {
    const int first = HelpCallCount();
    ChooseFromHelpMenu({'H'});
    ChooseFromHelpMenu({'Q'});
    // F1 is the shortcut of the first page.
    PressKey(VK_F1);
    const std::vector<TFakeHelpCall> calls = HelpCallsSince(first);
    const std::string file = Folder.Path() + "help.chm::/";
    const std::string pages[] = {"Introduction.htm", "The user interface (Overview).htm",
                                 "Introduction.htm"};
    ASSERT_EQ(calls.size(), std::size(pages));
    for (size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(calls[i].Caller, Form->Handle());
        EXPECT_EQ(calls[i].File, file + pages[i]);
        EXPECT_EQ(calls[i].Command, 0u);  // display a topic
        EXPECT_EQ(calls[i].Data, 0u);
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainTray, TheLinksOpenTheMakersPagesAndAddressesAndTheAboutPagesCaptions) {
    ChooseFromHelpMenu({'O'});
    ChooseFromHelpMenu({'C'});
    Form->SwitchPage(mpAbout);
    Pump(30);
    EXPECT_EQ(Form->labHomePage->Caption(), "http://www.holvane-software.com");
    EXPECT_EQ(Form->labSupportMail->Caption(), "support@holvane-software.com");
    EXPECT_EQ(Form->labOstrel->Caption(), "www.ostrel-design.com");
    for (TLabel* label : {Form->labHomePage, Form->labSupportMail, Form->labOstrel})
        ClickAt(ScreenPoint(label, 4, 6));
    // The two captions are what the labels open.
    Form->labHomePage->SetCaption("http://www.holvane-software.com/en/");
    Form->labOstrel->SetCaption("designers.example");
    ClickAt(ScreenPoint(Form->labHomePage, 4, 6));
    ClickAt(ScreenPoint(Form->labOstrel, 4, 6));

    const std::string opened[] = {
        "http://www.holvane-software.com", "mailto:support@holvane-software.com",
        "http://www.holvane-software.com", "mailto:support@holvane-software.com",
        "http://www.ostrel-design.com",    "http://www.holvane-software.com/en/",
        "http://designers.example",
    };
    ASSERT_EQ(Links.size(), std::size(opened));
    for (size_t i = 0; i < Links.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Links[i].File, opened[i]);
        EXPECT_EQ(Links[i].Verb, "Open");
        EXPECT_EQ(Links[i].Mask, 0x540u);
        EXPECT_EQ(Links[i].Show, SW_SHOWNORMAL);
        EXPECT_TRUE(Links[i].Plain);
        EXPECT_EQ(Links[i].BusyDepth, 1);  // under the busy cursor
    }
    EXPECT_EQ(BusyCursorDepth, 0);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}
