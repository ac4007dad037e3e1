// The notification-area icon: the shared window, the shell calls, balloons,
// clicks told from double clicks, the pointer entering and leaving, image
// cycling, and the main form's trip to the tray and back. The shell's
// callbacks are sent to the shared window as the shell sends them; the
// pointer is kept away from the notification area's window at the top left.
#include <gtest/gtest.h>
#include <widgets/tray/TrayIcon.h>

#include <functional>
#include <string>
#include <vector>

#include "ControlProbes.h"
#include "KitFixture.h"
#include "WindowFixture.h"

namespace {

// Whether the shell holds an icon of this window and identifier: a change of
// nothing succeeds only for an icon that is there.
bool InTray(HWND window, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool InTray(const TTrayIcon* icon) { return InTray(icon->TrayIconData().hWnd, icon->IconId()); }

// The callback the shell sends for a mouse or balloon notification.
void ShellNotifies(const TTrayIcon* icon, UINT notification) {
    SendMessageA(TTrayIconHandler::Instance()->TrayWindow(), TrayCallbackMessage, icon->IconId(),
                 notification);
}

void Double(const TTrayIcon* icon) {
    for (UINT notification : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        ShellNotifies(icon, notification);
}

// The colour an icon shows in its middle.
COLORREF IconColour(TIcon* icon) {
    TPaintTarget target(16, 16);
    target.Canvas()->Draw(0, 0, icon);
    return target.At(8, 8);
}

std::unique_ptr<TIcon> ApplicationIcon() {
    auto icon = std::make_unique<TIcon>();
    icon->SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
    return icon;
}

std::string Mouse(const char* what, TMouseButton button, TShiftState shift) {
    return std::string(what) + " " + std::to_string(button) + " shift " +
           std::to_string(shift.Bits());
}

// Writes every event of an icon into a log.
void LogEvents(TTrayIcon* icon, TLog* log) {
    icon->OnClick = [log](TObject*) { log->push_back("click"); };
    icon->OnMouseDown = [log](TObject*, TMouseButton button, TShiftState shift, int, int) {
        log->push_back(Mouse("down", button, shift));
    };
    icon->OnMouseUp = [log](TObject*, TMouseButton button, TShiftState shift, int, int) {
        log->push_back(Mouse("up", button, shift));
    };
    icon->OnMouseEnter = [log](TObject*) { log->push_back("enter"); };
    icon->OnMouseExit = [log](TObject*) { log->push_back("exit"); };
    icon->OnMouseMove = [log](TObject*, TShiftState, int x, int y) {
        log->push_back("move " + std::to_string(x) + "," + std::to_string(y));
    };
    icon->OnBalloonHintShow = [log](TObject*) { log->push_back("balloon show"); };
    icon->OnBalloonHintHide = [log](TObject*) { log->push_back("balloon hide"); };
    icon->OnBalloonHintTimeout = [log](TObject*) { log->push_back("balloon timeout"); };
    icon->OnBalloonHintClick = [log](TObject*) { log->push_back("balloon click"); };
}

size_t Count(const TLog& log, const std::string& line) {
    return static_cast<size_t>(std::count(log.begin(), log.end(), line));
}

class TrayIconTest : public WindowTest {
protected:
    void TearDown() override {
        WindowTest::TearDown();
        EXPECT_EQ(TTrayIconHandler::Instance(), nullptr) << "an icon was left alive";
    }
};

// The main form of an application of the test's own, with the icon on it.
class TrayMainFormTest : public TrayIconTest {
protected:
    void SetUp() override {
        TrayIconTest::SetUp();
        App = std::make_unique<TScopedApplication>();
        Form = (*App)->CreateForm<TForm>();
        Form->SetBounds(300, 250, 300, 200);
        Tray = new TTrayIcon(Form);
        Form->Show();
    }
    void TearDown() override {
        App.reset();
        TrayIconTest::TearDown();
    }

    std::unique_ptr<TScopedApplication> App;
    TForm* Form = nullptr;
    TTrayIcon* Tray = nullptr;
};

}  // namespace

TEST_F(TrayIconTest, AllIconsShareOneWindowThatGoesWithTheLast) {
    auto first = std::make_unique<TTrayIcon>(nullptr);
    TTrayIconHandler* handler = TTrayIconHandler::Instance();
    ASSERT_NE(handler, nullptr);
    const HWND window = handler->TrayWindow();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(first->IconId(), static_cast<UINT>(reinterpret_cast<uintptr_t>(first.get())));

    auto second = std::make_unique<TTrayIcon>(nullptr);
    EXPECT_EQ(TTrayIconHandler::Instance(), handler);
    EXPECT_EQ(handler->UserCount(), 2u);
    EXPECT_NE(second->IconId(), first->IconId());
    EXPECT_EQ(second->TrayIconData().hWnd, window);

    // Closing or destroying messages do not take the window away.
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_TRUE(IsWindow(window));

    first.reset();
    EXPECT_EQ(handler->UserCount(), 1u);
    second.reset();
    EXPECT_EQ(TTrayIconHandler::Instance(), nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(TrayIconTest, TheRecordAsTheShellGetsIt) {
    TTrayIcon icon(nullptr);
    const NOTIFYICONDATAA& data = icon.TrayIconData();
    EXPECT_EQ(data.cbSize, NOTIFYICONDATAA_V2_SIZE);
    EXPECT_EQ(data.uID, icon.IconId());
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, TrayCallbackMessage);
    EXPECT_TRUE(icon.Enabled());
    EXPECT_TRUE(icon.ShowHint());
    EXPECT_FALSE(icon.IconVisible());
    EXPECT_TRUE(icon.Icon()->Empty());

    // The tip: the hint cut to 127 characters, or nothing.
    icon.SetHint(std::string(200, 'h'));
    EXPECT_EQ(std::string(data.szTip), std::string(127, 'h'));
    icon.SetShowHint(false);
    EXPECT_EQ(std::string(data.szTip), "");
    icon.SetShowHint(true);
    icon.SetHint("Holvane");
    EXPECT_EQ(std::string(data.szTip), "Holvane");
    EXPECT_EQ(data.szTip[8], '\0');

    auto image = ApplicationIcon();
    icon.SetIcon(image.get());
    EXPECT_EQ(data.hIcon, icon.Icon()->Handle());
    EXPECT_NE(data.hIcon, image->Handle());  // a copy
    // A change of the icon itself reaches the record (and the shell).
    icon.Icon()->SetHandle(CopyIcon(LoadIconA(nullptr, IDI_WARNING)));
    EXPECT_EQ(data.hIcon, icon.Icon()->Handle());
    icon.Icon()->SetHandle(nullptr);
    EXPECT_EQ(data.hIcon, nullptr);
}

TEST_F(TrayIconTest, ShowingAddsTheIconAndHidingRemovesIt) {
    auto icon = std::make_unique<TTrayIcon>(nullptr);
    auto image = ApplicationIcon();
    icon->SetIcon(image.get());
    icon->SetHint("Holvane");
    EXPECT_FALSE(InTray(icon.get()));

    icon->SetIconVisible(true);
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_TRUE(InTray(icon.get()));
    // Asking again is no harm (and repeats a failed attempt).
    icon->SetIconVisible(true);
    EXPECT_TRUE(InTray(icon.get()));

    icon->SetIconVisible(false);
    EXPECT_FALSE(icon->IconVisible());
    EXPECT_FALSE(InTray(icon.get()));

    // An icon that goes takes its entry with it.
    icon->SetIconVisible(true);
    const HWND window = icon->TrayIconData().hWnd;
    const UINT id = icon->IconId();
    auto keeper = std::make_unique<TTrayIcon>(nullptr);  // keeps the window alive
    icon.reset();
    EXPECT_FALSE(InTray(window, id));
}

TEST_F(TrayIconTest, TheShellIsNotAskedToChangeOrRemoveAnIconItWasNotGiven) {
    // An entry of the icon's window and identifier that the icon never added
    // (the shell would find none for the icon): the icon's changes and its
    // hiding leave it as it was.
    auto icon = std::make_unique<TTrayIcon>(nullptr);
    NOTIFYICONDATAA planted = icon->TrayIconData();
    lstrcpynA(planted.szTip, "planted", sizeof planted.szTip);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &planted));
    auto image = ApplicationIcon();
    icon->SetIcon(image.get());
    icon->SetHint("Holvane");
    icon->SetIconVisible(false);
    EXPECT_TRUE(InTray(icon.get()));
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &planted));

    // Once the shell has it, it is changed and removed there.
    icon->SetIconVisible(true);
    EXPECT_TRUE(InTray(icon.get()));
    icon->SetIconVisible(false);
    EXPECT_FALSE(InTray(icon.get()));
}

TEST_F(TrayIconTest, BalloonTextsAreCutAndTheRecordIsRestored) {
    TTrayIcon icon(nullptr);
    auto image = ApplicationIcon();
    icon.SetIcon(image.get());
    icon.SetIconVisible(true);
    const NOTIFYICONDATAA& data = icon.TrayIconData();

    EXPECT_TRUE(icon.ShowBalloonHint(std::string(70, 't'), std::string(300, 'x'), bitInfo, 10));
    EXPECT_EQ(std::string(data.szInfoTitle), std::string(63, 't'));
    EXPECT_EQ(std::string(data.szInfo), std::string(255, 'x'));
    EXPECT_EQ(data.uTimeout, 10000u);
    EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    // Later updates leave the balloon alone.
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));

    const std::pair<uint8_t, DWORD> kinds[] = {
        {bitNone, NIIF_NONE}, {bitWarning, NIIF_WARNING}, {bitError, NIIF_ERROR}, {9, NIIF_NONE}};
    for (auto [kind, flag] : kinds) {
        EXPECT_TRUE(icon.ShowBalloonHint("Holvane", "minimized", kind, 1));
        EXPECT_EQ(data.dwInfoFlags, flag) << int{kind};
        EXPECT_EQ(data.uTimeout, 1000u);
    }

    // A hidden icon has nothing to show a balloon from.
    icon.SetIconVisible(false);
    EXPECT_FALSE(icon.ShowBalloonHint("Holvane", "minimized", bitInfo, 10));
}

TEST_F(TrayIconTest, WithoutADoubleClickHandlerTheReleaseClicks) {
    TTrayIcon icon(nullptr);
    TLog log;
    LogEvents(&icon, &log);
    ShellNotifies(&icon, WM_LBUTTONDOWN);
    ShellNotifies(&icon, WM_LBUTTONUP);
    EXPECT_EQ(log, (TLog{Mouse("down", mbLeft, {ssLeft}), "click", Mouse("up", mbLeft, {ssLeft})}));

    // A double click is a click and a double click, with no second click.
    log.clear();
    Double(&icon);
    Pump(GetDoubleClickTime() + 100);
    EXPECT_EQ(Count(log, "click"), 1u);

    // A release without a press on the icon is no click.
    log.clear();
    ShellNotifies(&icon, WM_LBUTTONUP);
    EXPECT_EQ(Count(log, "click"), 0u);
}

TEST_F(TrayIconTest, WithADoubleClickHandlerASingleClickWaitsForTheDoubleClickTime) {
    TTrayIcon icon(nullptr);
    TLog log;
    LogEvents(&icon, &log);
    int doubles = 0;
    icon.OnDblClick = [&](TObject*) { ++doubles; };
    const DWORD doubleClickTime = GetDoubleClickTime();

    const ULONGLONG pressed = GetTickCount64();
    ShellNotifies(&icon, WM_LBUTTONDOWN);
    ShellNotifies(&icon, WM_LBUTTONUP);
    EXPECT_EQ(Count(log, "click"), 0u);
    ASSERT_TRUE(WaitUntil([&] { return Count(log, "click") == 1; }, doubleClickTime + 2000));
    EXPECT_GE(GetTickCount64() - pressed, doubleClickTime - 20);
    Pump(doubleClickTime + 100);
    EXPECT_EQ(Count(log, "click"), 1u);
    EXPECT_EQ(doubles, 0);

    log.clear();
    Double(&icon);
    EXPECT_EQ(doubles, 1);
    Pump(doubleClickTime + 200);
    EXPECT_EQ(Count(log, "click"), 0u);
    EXPECT_EQ(doubles, 1);

    // A press held past the delay after a click fires no click of its own.
    log.clear();
    ShellNotifies(&icon, WM_LBUTTONDOWN);
    ShellNotifies(&icon, WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil([&] { return Count(log, "click") == 1; }, doubleClickTime + 2000));
    ShellNotifies(&icon, WM_LBUTTONDOWN);
    Pump(doubleClickTime + 200);
    EXPECT_EQ(Count(log, "click"), 1u);
    ShellNotifies(&icon, WM_LBUTTONUP);
    Pump(doubleClickTime + 200);
    EXPECT_EQ(Count(log, "click"), 2u);
}

TEST_F(TrayIconTest, OtherButtonsReportThemselves) {
    TTrayIcon icon(nullptr);
    TLog log;
    LogEvents(&icon, &log);
    for (UINT notification : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP})
        ShellNotifies(&icon, notification);
    EXPECT_EQ(log, (TLog{Mouse("down", mbRight, {ssRight}), Mouse("up", mbRight, {ssRight}),
                         Mouse("down", mbMiddle, {ssMiddle}), Mouse("up", mbMiddle, {ssMiddle})}));
}

TEST_F(TrayIconTest, TheMouseEntersOnTheFirstMoveAndLeavesWhenThePointerMovesOff) {
    TTrayIcon icon(nullptr);
    TLog log;
    LogEvents(&icon, &log);
    SetCursorPos(700, 600);
    ShellNotifies(&icon, WM_MOUSEMOVE);
    EXPECT_EQ(log, (TLog{"move 700,600"}));  // no enter events asked for

    icon.SetWantEnterExitEvents(true);
    log.clear();
    ShellNotifies(&icon, WM_MOUSEMOVE);
    ShellNotifies(&icon, WM_MOUSEMOVE);
    EXPECT_EQ(log, (TLog{"enter", "move 700,600", "move 700,600"}));
    // While the pointer stays, it stays over the icon.
    Pump(100);
    EXPECT_EQ(Count(log, "exit"), 0u);

    SetCursorPos(720, 610);
    const ULONGLONG moved = GetTickCount64();
    ASSERT_TRUE(WaitUntil([&] { return Count(log, "exit") == 1; }, 1000));
    EXPECT_LT(GetTickCount64() - moved, 500u);
    Pump(60);
    EXPECT_EQ(Count(log, "exit"), 1u);

    ShellNotifies(&icon, WM_MOUSEMOVE);
    EXPECT_EQ(Count(log, "enter"), 2u);
    EXPECT_EQ(log.back(), "move 720,610");
}

TEST_F(TrayIconTest, ADisabledIconIgnoresTheMouseButNotItsBalloons) {
    TTrayIcon icon(nullptr);
    TLog log;
    LogEvents(&icon, &log);
    icon.SetEnabled(false);
    for (UINT notification : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN})
        ShellNotifies(&icon, notification);
    EXPECT_TRUE(log.empty());
    for (UINT notification :
         {NIN_BALLOONSHOW, NIN_BALLOONHIDE, NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK})
        ShellNotifies(&icon, notification);
    EXPECT_EQ(log, (TLog{"balloon show", "balloon hide", "balloon timeout", "balloon click"}));
}

TEST_F(TrayIconTest, ACallbackForAnIconThatWentIsDropped) {
    TTrayIcon keeper(nullptr);
    auto gone = std::make_unique<TTrayIcon>(nullptr);
    const UINT id = gone->IconId();
    gone.reset();
    for (UINT notification : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_BALLOONSHOW})
        SendMessageA(TTrayIconHandler::Instance()->TrayWindow(), TrayCallbackMessage, id,
                     notification);
    SUCCEED();
}

TEST_F(TrayIconTest, CyclesThroughTheImageList) {
    const TColor colours[] = {clRed, clLime, clBlue};
    TImageList list(nullptr);
    for (TColor colour : colours) {
        auto image = FilledBitmap(16, 16, colour);
        list.AddMasked(image.get(), clFuchsia);
    }
    TTrayIcon icon(nullptr);
    icon.SetIconList(&list);
    EXPECT_EQ(icon.IconIndex(), 0);
    EXPECT_EQ(IconColour(icon.Icon()), Rgb(clRed));

    std::vector<int> next;
    std::vector<COLORREF> shown;
    icon.OnCycle = [&](TObject*, int index) {
        next.push_back(index);
        shown.push_back(IconColour(icon.Icon()));
    };
    icon.SetCycleInterval(30);
    icon.SetCycleIcons(true);
    ASSERT_TRUE(WaitUntil([&] { return next.size() >= 5; }, 3000));
    icon.SetCycleIcons(false);
    next.resize(5);
    shown.resize(5);
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1, 2}));
    EXPECT_EQ(shown, (std::vector<COLORREF>{Rgb(clRed), Rgb(clLime), Rgb(clBlue), Rgb(clRed),
                                            Rgb(clLime)}));
    const size_t stopped = next.size();
    Pump(100);
    EXPECT_EQ(next.size(), stopped);
}

TEST_F(TrayIconTest, TheIndexStaysInsideTheList) {
    TImageList list(nullptr);
    for (TColor colour : {clRed, clLime, clBlue, clYellow, clAqua}) {
        auto image = FilledBitmap(16, 16, colour);
        list.AddMasked(image.get(), clFuchsia);
    }
    TTrayIcon icon(nullptr);
    icon.SetIconIndex(3);
    EXPECT_EQ(icon.IconIndex(), 0);  // no list
    icon.SetIconList(&list);
    icon.SetIconIndex(10);
    EXPECT_EQ(icon.IconIndex(), 4);
    EXPECT_EQ(IconColour(icon.Icon()), Rgb(clAqua));
    icon.SetIconIndex(-3);
    EXPECT_EQ(icon.IconIndex(), 0);
    EXPECT_EQ(IconColour(icon.Icon()), Rgb(clRed));
}

TEST_F(TrayIconTest, AnIconListThatGoesIsForgotten) {
    TTrayIcon icon(nullptr);
    auto list = std::make_unique<TImageList>(nullptr);
    auto image = FilledBitmap(16, 16, clRed);
    list->AddMasked(image.get(), clFuchsia);
    icon.SetIconList(list.get());
    icon.SetCycleInterval(20);
    icon.SetCycleIcons(true);
    list.reset();
    EXPECT_EQ(icon.IconList(), nullptr);
    EXPECT_EQ(icon.IconIndex(), 0);
    Pump(80);  // cycling on without a list does nothing
}

TEST_F(TrayMainFormTest, HidesAndShowsTheMainForm) {
    Tray->HideMainForm();
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(IsWindowVisible(Form->Handle()));

    Form->SetVisible(true);
    Form->SetWindowState(wsMinimized);
    Tray->HideMainForm();
    Tray->ShowMainForm();
    EXPECT_TRUE(Form->Visible());
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_EQ(Form->WindowState(), wsNormal);
    EXPECT_FALSE(IsIconic(Form->Handle()));
    // In front and active, not behind the hidden application window.
    EXPECT_EQ(GetForegroundWindow(), Form->Handle());
    EXPECT_EQ(GetActiveWindow(), Form->Handle());
}

TEST_F(TrayMainFormTest, WithoutAWindowedOwnerTheMainFormIsLeftAlone) {
    TTrayIcon loose(nullptr);
    loose.HideMainForm();
    EXPECT_TRUE(Form->Visible());
    Form->Hide();
    loose.ShowMainForm();
    EXPECT_FALSE(Form->Visible());
}

TEST_F(TrayMainFormTest, MinimisingTheApplicationGoesToTheTray) {
    Tray->SetMinimizeToTray(true);
    (*App)->Minimize();
    EXPECT_FALSE(Form->Visible());
    EXPECT_TRUE(Tray->IconVisible());
    EXPECT_TRUE(InTray(Tray));

    // Back: shown, restored, and the program hides its icon again.
    Tray->ShowMainForm();
    Tray->SetIconVisible(false);
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(Form->WindowState(), wsNormal);
    EXPECT_FALSE(InTray(Tray));
}

TEST_F(TrayMainFormTest, TheMinimiseCommandGoesToTheTrayOnlyWithAHandler) {
    Tray->SetMinimizeToTray(true);
    int minimising = 0;
    Tray->OnMinimizeToTray = [&](TObject* sender) {
        EXPECT_EQ(sender, Tray);
        ++minimising;
    };
    EXPECT_EQ(SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
    EXPECT_EQ(minimising, 1);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Form->WindowState(), wsNormal);  // hidden, not minimised
    EXPECT_TRUE(InTray(Tray));
    Tray->ShowMainForm();
    Tray->SetIconVisible(false);

    // Without MinimizeToTray the command takes its normal course.
    Tray->SetMinimizeToTray(false);
    SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimising, 1);
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(Form->WindowState(), wsMinimized);
    EXPECT_FALSE(InTray(Tray));
}

TEST_F(TrayMainFormTest, TheOwnerHiddenByItsOwnerMinimisingGoesToTheTray) {
    Tray->SetMinimizeToTray(true);
    int minimising = 0;
    Tray->OnMinimizeToTray = [&](TObject*) { ++minimising; };
    EXPECT_EQ(SendMessageA(Form->Handle(), WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING), 1);
    EXPECT_EQ(minimising, 1);
    EXPECT_FALSE(Form->Visible());
    EXPECT_TRUE(InTray(Tray));
}

TEST_F(TrayMainFormTest, TheTrayHookStillWorksAfterTheMainWindowWasMadeAgain) {
    Tray->SetMinimizeToTray(true);
    int minimising = 0;
    Tray->OnMinimizeToTray = [&](TObject*) { ++minimising; };
    int doubles = 0;
    Tray->OnDblClick = [&](TObject*) {
        ++doubles;
        Tray->ShowMainForm();
        Tray->SetIconVisible(false);
    };
    const std::function<void()> makeAgain[] = {[&] { Form->RecreateWnd(); },
                                               [&] { Form->SetBorderStyle(bsSingle); }};
    for (size_t round = 0; round < std::size(makeAgain); ++round) {
        const HWND old = Form->Handle();
        makeAgain[round]();
        ASSERT_FALSE(IsWindow(old)) << round;
        ASSERT_TRUE(IsWindowVisible(Form->Handle())) << round;

        // The minimise command of the new window goes to the tray.
        EXPECT_EQ(SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
        EXPECT_EQ(minimising, static_cast<int>(2 * round + 1));
        EXPECT_FALSE(Form->Visible());
        EXPECT_EQ(Form->WindowState(), wsNormal);
        EXPECT_TRUE(InTray(Tray));

        // The icon's double click brings it back.
        Double(Tray);
        EXPECT_EQ(doubles, static_cast<int>(round + 1));
        EXPECT_TRUE(Form->Visible());
        EXPECT_FALSE(InTray(Tray));

        // Hidden because its owner minimises: the tray again; restored from there.
        EXPECT_EQ(SendMessageA(Form->Handle(), WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING), 1);
        EXPECT_EQ(minimising, static_cast<int>(2 * round + 2));
        EXPECT_FALSE(Form->Visible());
        Tray->ShowMainForm();
        Tray->SetIconVisible(false);
        EXPECT_TRUE(Form->Visible());
        EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    }
}

TEST_F(TrayMainFormTest, TheMainProgramsTripToTheTrayAndBack) {
    // Minimise: the application minimises, the icon takes its image, the
    // main form goes, the icon comes with a balloon.
    int doubles = 0;
    Tray->OnDblClick = [&](TObject*) {
        ++doubles;
        Tray->ShowMainForm();
        Tray->SetIconVisible(false);
    };
    auto image = ApplicationIcon();
    for (int round = 0; round < 2; ++round) {
        (*App)->Minimize();
        Tray->SetIcon(image.get());
        Tray->HideMainForm();
        Tray->SetIconVisible(true);
        EXPECT_TRUE(Tray->ShowBalloonHint("Holvane", "Holvane has been minimized.", bitInfo, 10));
        EXPECT_FALSE(Form->Visible());
        EXPECT_TRUE(InTray(Tray));

        Double(Tray);
        EXPECT_EQ(doubles, round + 1);
        EXPECT_TRUE(Form->Visible());
        EXPECT_EQ(Form->WindowState(), wsNormal);
        EXPECT_FALSE(InTray(Tray));
    }
}

TEST_F(TrayMainFormTest, ANewTaskbarGetsTheVisibleIconAgain) {
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    auto image = ApplicationIcon();
    Tray->SetIcon(image.get());
    Tray->SetIconVisible(true);
    // The shell restarted and lost its icons.
    NOTIFYICONDATAA lost = Tray->TrayIconData();
    Shell_NotifyIconA(NIM_DELETE, &lost);
    ASSERT_FALSE(InTray(Tray));
    SendMessageA((*App)->Handle(), taskbarCreated, 0, 0);
    EXPECT_TRUE(InTray(Tray));

    // A hidden icon stays hidden.
    Tray->SetIconVisible(false);
    SendMessageA((*App)->Handle(), taskbarCreated, 0, 0);
    EXPECT_FALSE(InTray(Tray));
}

TEST_F(TrayMainFormTest, RestoringTheApplicationShowsTheMainForm) {
    Tray->HideMainForm();
    SendMessageA((*App)->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(Form->Visible());
}

TEST_F(TrayIconTest, AfterLoadingTheStartupAnswerAndIconVisibleTakeEffect) {
    TScopedApplication app;
    auto form = app->CreateForm<TForm>();
    form->SetBounds(300, 250, 300, 200);
    form->BeginLoading();
    auto tray = new TTrayIcon(form);
    auto image = ApplicationIcon();
    tray->SetIcon(image.get());
    tray->SetIconVisible(true);
    tray->SetWantEnterExitEvents(true);
    int asked = 0;
    tray->OnStartup = [&](TObject* sender, bool& showMainForm) {
        EXPECT_EQ(sender, tray);
        EXPECT_TRUE(showMainForm);
        showMainForm = false;
        ++asked;
    };
    form->EndLoading();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(app->ShowMainForm());
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(InTray(tray));
}

TEST_F(TrayIconTest, AnOwnerWindowMadeAgainWhileLoadingIsWatchedAfterLoading) {
    TScopedApplication app;
    auto form = app->CreateForm<TForm>();
    form->SetBounds(300, 250, 300, 200);
    form->BeginLoading();
    auto tray = new TTrayIcon(form);
    form->SetBorderStyle(bsNone);  // makes the window again
    form->EndLoading();
    form->Show();
    tray->SetMinimizeToTray(true);
    int minimising = 0;
    tray->OnMinimizeToTray = [&](TObject*) { ++minimising; };
    EXPECT_EQ(SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
    EXPECT_EQ(minimising, 1);
    EXPECT_FALSE(form->Visible());
}

TEST_F(TrayIconTest, LoadedHiddenTheIconStaysOutOfTheTray) {
    TScopedApplication app;
    auto form = app->CreateForm<TForm>();
    form->BeginLoading();
    auto tray = new TTrayIcon(form);
    form->EndLoading();
    EXPECT_TRUE(app->ShowMainForm());
    EXPECT_FALSE(tray->IconVisible());
    EXPECT_FALSE(InTray(tray));
}

namespace {

// A pop-up menu that records where it was asked to pop up instead of
// running the platform's menu loop.
class TProbeMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    std::vector<TPoint> Popups;
    std::vector<TComponent*> For;

    void Popup(int x, int y) override {
        Popups.push_back(Point(x, y));
        For.push_back(PopupComponent());
    }
};

// Items "Open" (default when openIsDefault), "Scan" (default), "Exit";
// clicks are logged by caption.
TProbeMenu* MenuWithItems(TComponent* owner, TLog* log, bool openIsDefault) {
    auto menu = new TProbeMenu(owner);
    for (const char* caption : {"Open", "Scan", "Exit"}) {
        auto item = new TMenuItem(menu);
        item->SetCaption(caption);
        item->SetAutoHotkeys(maManual);
        item->OnClick = [log, caption](TObject*) { log->push_back(caption); };
        menu->Items()->Add(item);
    }
    menu->Items()->Items(0)->SetDefault(openIsDefault);
    menu->Items()->Items(1)->SetDefault(true);
    return menu;
}

}  // namespace

TEST_F(TrayMainFormTest, TheRightButtonPopsTheMenuUpAtThePointer) {
    TLog log;
    TProbeMenu* menu = MenuWithItems(Form, &log, false);
    Tray->SetPopupMenu(menu);
    SetCursorPos(640, 480);
    ShellNotifies(Tray, WM_RBUTTONDOWN);
    ASSERT_EQ(menu->Popups.size(), 1u);
    EXPECT_EQ(menu->Popups[0].x, 640);
    EXPECT_EQ(menu->Popups[0].y, 480);
    EXPECT_EQ(menu->For[0], Tray);

    // The left button only with LeftPopup.
    ShellNotifies(Tray, WM_LBUTTONDOWN);
    ShellNotifies(Tray, WM_LBUTTONUP);
    EXPECT_EQ(menu->Popups.size(), 1u);
    Tray->SetLeftPopup(true);
    ShellNotifies(Tray, WM_LBUTTONDOWN);
    ShellNotifies(Tray, WM_LBUTTONUP);
    EXPECT_EQ(menu->Popups.size(), 2u);

    // Without automatic pop-up, nothing.
    menu->SetAutoPopup(false);
    ShellNotifies(Tray, WM_RBUTTONDOWN);
    EXPECT_EQ(menu->Popups.size(), 2u);
}

TEST_F(TrayMainFormTest, ADoubleClickChoosesTheFirstDefaultItem) {
    TLog log;
    TProbeMenu* menu = MenuWithItems(Form, &log, false);
    Tray->SetPopupMenu(menu);
    int doubles = 0;
    Tray->OnDblClick = [&](TObject*) { ++doubles; };
    Double(Tray);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(log, (TLog{"Scan"}));

    // The lowest of several defaults; a disabled one is not chosen.
    menu->Items()->Items(0)->SetDefault(true);
    log.clear();
    Double(Tray);
    EXPECT_EQ(log, (TLog{"Open"}));
    menu->Items()->Items(0)->SetEnabled(false);
    log.clear();
    Double(Tray);
    EXPECT_TRUE(log.empty());

    // With LeftPopup the double click chooses nothing.
    menu->Items()->Items(0)->SetEnabled(true);
    Tray->SetLeftPopup(true);
    log.clear();
    Double(Tray);
    EXPECT_TRUE(log.empty());
    Pump(GetDoubleClickTime() + 100);
}

TEST_F(TrayMainFormTest, AMenuThatGoesIsForgotten) {
    TLog log;
    TProbeMenu* menu = MenuWithItems(Form, &log, true);
    Tray->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(Tray->PopupMenu(), nullptr);
    ShellNotifies(Tray, WM_RBUTTONDOWN);
    Double(Tray);
    EXPECT_TRUE(log.empty());
}
