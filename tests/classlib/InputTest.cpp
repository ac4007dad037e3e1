// The user's mouse and keyboard on controls: the pointer arriving and
// leaving, presses, clicks and capture for windowless controls, focus and tab
// order, dialog keys, accelerators, shortcuts and the cursor.
#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <classlib/SysUtils.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "ControlProbes.h"
#include "WindowFixture.h"

namespace {

// Lets go of the mouse when pressed, as a control that starts a window drag does.
class TLetGo : public TSwatch {
public:
    using TSwatch::TSwatch;
    bool CapturedWhilePressed = false;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        TSwatch::MouseDown(button, shift, x, y);
        CapturedWhilePressed = MouseCapture();
        ReleaseCapture();
    }
};

// A windowed control that asks for every dialog key itself.
class TWantsKeys : public TBox {
public:
    using TBox::TBox;
    std::vector<WORD> Keys;

    void WndProc(TMessage& message) override {
        if (message.Msg == WM_GETDLGCODE) {
            message.Result = DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTARROWS;
            return;
        }
        TBox::WndProc(message);
    }

protected:
    void KeyDown(WORD& key, TShiftState shift) override {
        Keys.push_back(key);
        TBox::KeyDown(key, shift);
    }
};

}  // namespace

class InputTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Form = NewForm();
        Form->SetBorderStyle(bsNone);
        MoveMouse(Point(900, 900));
    }
    void TearDown() override {
        Form.reset();
        WindowTest::TearDown();
    }
    void ShowForm() {
        Form->Show();
        Pump(50);
    }
    std::unique_ptr<TForm> Form;
    TLog Log;
};

TEST_F(InputTest, ThePointerArrivingAndLeavingIsToldToEachControlUnderIt) {
    auto swatch = new TSwatch(Form.get(), Form.get(), Bounds(20, 20, 60, 40), clRed, "g", &Log);
    auto box = new TBox(Form.get(), Form.get(), Bounds(120, 20, 80, 60), clBlue, "w", &Log);
    auto inner = new TSwatch(Form.get(), box, Bounds(10, 10, 20, 20), clLime, "inner", &Log);
    auto disabled =
        new TSwatch(Form.get(), Form.get(), Bounds(20, 100, 40, 40), clRed, "off", &Log);
    disabled->SetEnabled(false);
    ShowForm();
    Log.clear();

    MoveMouse(ScreenPoint(swatch, 5, 5));
    MoveMouse(ScreenPoint(swatch, 30, 20));  // moving within: nothing new
    MoveMouse(ScreenPoint(box, 50, 50));
    MoveMouse(ScreenPoint(inner, 5, 5));
    MoveMouse(ScreenPoint(disabled, 5, 5));  // disabled controls hear it too
    MoveMouse(Point(900, 900));
    WaitUntil([&] { return Log.size() >= 9; });
    const TLog expected{"g enter",     "g leave",     "w enter",   "w leave",
                        "inner enter", "inner leave", "off enter", "off leave"};
    EXPECT_EQ(Log, expected);

    // A control hidden under the pointer is told that it was left.
    MoveMouse(ScreenPoint(swatch, 5, 5));
    Log.clear();
    swatch->Hide();
    EXPECT_EQ(Log, TLog{"g leave"});
    EXPECT_EQ(MouseControl(), nullptr);
}

TEST_F(InputTest, AWindowlessControlGetsItsPressesAndClicksInItsOwnCoordinates) {
    auto swatch = new TSwatch(Form.get(), Form.get(), Bounds(20, 30, 60, 40), clRed, "g", &Log);
    ShowForm();
    ClickAt(ScreenPoint(swatch, 7, 9));
    EXPECT_TRUE(Contains(Log, "g down 0 at 7,9"));
    EXPECT_TRUE(Contains(Log, "g click"));
    EXPECT_TRUE(Contains(Log, "g up 0 at 7,9"));

    // Pressed inside, released outside: the release still comes to it, in
    // its coordinates, and it is no click.
    Log.clear();
    MoveMouse(ScreenPoint(swatch, 5, 5));
    PressMouse(mbLeft, true);
    EXPECT_TRUE(swatch->MouseCapture());
    MoveMouse(ScreenPoint(swatch, 100, 5));
    PressMouse(mbLeft, false);
    EXPECT_FALSE(swatch->MouseCapture());
    EXPECT_TRUE(Contains(Log, "g up 0 at 100,5"));
    EXPECT_FALSE(Contains(Log, "g click"));

    // Without click events a press and release make no click.
    Log.clear();
    swatch->SetControlStyle(swatch->ControlStyle() - TControlStyle{csClickEvents});
    ClickAt(ScreenPoint(swatch, 5, 5));
    EXPECT_FALSE(Contains(Log, "g click"));
    EXPECT_TRUE(Contains(Log, "g up 0 at 5,5"));
}

TEST_F(InputTest, ASecondPressIsADoubleClickOnlyForControlsThatTakeThem) {
    auto swatch = new TSwatch(Form.get(), Form.get(), Bounds(20, 30, 60, 40), clRed, "g", &Log);
    ShowForm();
    ClickAt(ScreenPoint(swatch, 5, 5));
    ClickAt(ScreenPoint(swatch, 5, 5));
    EXPECT_TRUE(Contains(Log, "g dblclick"));
    EXPECT_TRUE(Contains(Log, "g down 0 double at 5,5"));

    Pump(GetDoubleClickTime() + 50);
    Log.clear();
    swatch->SetControlStyle(swatch->ControlStyle() - TControlStyle{csDoubleClicks});
    ClickAt(ScreenPoint(swatch, 5, 5));
    ClickAt(ScreenPoint(swatch, 5, 5));
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "g click"), 2);
    EXPECT_FALSE(Contains(Log, "g dblclick"));
}

TEST_F(InputTest, AControlThatLetsGoOfTheMouseNoLongerHoldsIt) {
    auto letGo = new TLetGo(Form.get(), Form.get(), Bounds(20, 30, 60, 40), clRed, "g", &Log);
    ShowForm();
    MoveMouse(ScreenPoint(letGo, 5, 5));
    PressMouse(mbLeft, true);
    EXPECT_TRUE(letGo->CapturedWhilePressed);
    EXPECT_EQ(CaptureControl(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    PressMouse(mbLeft, false);
}

TEST_F(InputTest, FocusMovesInTabOrderAndEveryControlHearsOfIt) {
    auto a = new TBox(Form.get(), Form.get(), Bounds(10, 10, 50, 30), clRed, "a", &Log);
    auto panel = new TBox(Form.get(), Form.get(), Bounds(10, 50, 200, 100), clGray, "p", &Log);
    auto b = new TBox(Form.get(), panel, Bounds(10, 10, 50, 30), clRed, "b", &Log);
    auto c = new TBox(Form.get(), Form.get(), Bounds(100, 10, 50, 30), clRed, "c", &Log);
    auto hidden = new TBox(Form.get(), Form.get(), Bounds(160, 10, 20, 20), clRed, "h", &Log);
    auto swatch = new TSwatch(Form.get(), panel, Bounds(100, 10, 20, 20), clRed, "s", &Log);
    for (TBox* box : {a, b, c, hidden}) box->SetTabStop(true);
    hidden->Hide();
    c->SetTabOrder(0);  // c before a, then the panel's b
    int entered = 0;
    b->OnEnter = [&](TObject*) { ++entered; };
    ShowForm();

    a->SetFocus();
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(Form->ActiveControl(), a);
    EXPECT_EQ(Screen->ActiveControl(), a);
    EXPECT_EQ(swatch->LastFocused, a);  // windowless controls hear it too
    PressKey(VK_TAB);
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(entered, 1);
    PressKey(VK_TAB);
    EXPECT_TRUE(c->Focused());
    PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(c->LastFocused, b);

    // A focused control that is disabled or hidden hands the focus to the form.
    b->SetEnabled(false);
    EXPECT_FALSE(b->Focused());
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_EQ(GetFocus(), Form->Handle());
    a->SetFocus();
    a->Hide();
    EXPECT_EQ(GetFocus(), Form->Handle());
    EXPECT_THROW(a->SetFocus(), EInvalidOperation);
}

TEST_F(InputTest, DialogKeysGoToTheControlsUnlessTheFocusedOneTakesThemItself) {
    auto box = new TBox(Form.get(), Form.get(), Bounds(10, 10, 50, 30), clRed, "box", &Log);
    auto wants =
        new TWantsKeys(Form.get(), Form.get(), Bounds(70, 10, 50, 30), clRed, "wants", &Log);
    auto taker = new TSwatch(Form.get(), Form.get(), Bounds(10, 60, 50, 30), clRed, "taker", &Log);
    taker->TakeEnter = true;
    std::vector<WORD> boxKeys;
    box->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { boxKeys.push_back(key); };
    ShowForm();

    box->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_TRUE(Contains(Log, "taker dialog enter"));
    EXPECT_TRUE(boxKeys.empty());
    PressKey('A');
    EXPECT_EQ(boxKeys, std::vector<WORD>{'A'});

    Log.clear();
    wants->SetFocus();
    PressKey(VK_RETURN);
    PressKey(VK_TAB);
    EXPECT_FALSE(Contains(Log, "taker dialog enter"));
    EXPECT_EQ(wants->Keys, (std::vector<WORD>{VK_RETURN, VK_TAB}));
    EXPECT_TRUE(wants->Focused());
}

TEST_F(InputTest, AcceleratorsAndShortcutsReachTheirControls) {
    auto box = new TBox(Form.get(), Form.get(), Bounds(10, 10, 50, 30), clRed, "box", &Log);
    auto label = new TSwatch(Form.get(), Form.get(), Bounds(10, 60, 50, 30), clRed, "label", &Log);
    label->SetCaption("Open &Xyz");
    std::vector<WORD> boxKeys;
    box->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { boxKeys.push_back(key); };
    std::vector<std::string> shortcuts;
    Form->OnShortCut = [&](WORD key, TShiftState shift, bool& handled) {
        handled = key == VK_F1 || (key == 'S' && shift.Contains(ssCtrl));
        if (handled) shortcuts.push_back(key == VK_F1 ? "F1" : "Ctrl+S");
    };
    ShowForm();
    box->SetFocus();

    PressKey('X', {VK_MENU});
    EXPECT_TRUE(Contains(Log, "label accelerator x") || Contains(Log, "label accelerator X"));
    Log.clear();
    PressKey('X');  // a plain character the box does not take is offered too
    EXPECT_FALSE(Log.empty());

    boxKeys.clear();
    PressKey(VK_F1);
    PressKey('S', {VK_CONTROL});
    PressKey('S');
    EXPECT_EQ(shortcuts, (std::vector<std::string>{"F1", "Ctrl+S"}));
    // Shortcuts never reach KeyDown; the Ctrl key alone does.
    EXPECT_EQ(boxKeys, (std::vector<WORD>{VK_CONTROL, 'S'}));
}

TEST_F(InputTest, TheScreenCursorOverridesEachControlsOwn) {
    auto swatch = new TSwatch(Form.get(), Form.get(), Bounds(20, 30, 60, 40), clRed, "g", &Log);
    swatch->SetCursor(crHandPoint);
    ShowForm();
    MoveMouse(ScreenPoint(swatch, 5, 5));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    MoveMouse(ScreenPoint(swatch, 6, 6));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
    MoveMouse(ScreenPoint(Form.get(), 200, 200));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(InputTest, AHintShowsBelowThePointerAfterAPauseAndGoesWithIt) {
    auto hinted = new TSwatch(Form.get(), Form.get(), Bounds(20, 30, 60, 40), clRed, "g", &Log);
    hinted->SetShowHint(true);
    hinted->SetHint("Starts the scan|Scans every ticked category");
    auto plain = new TSwatch(Form.get(), Form.get(), Bounds(120, 30, 60, 40), clRed, "p", &Log);
    plain->SetHint("never shown");
    Application->SetHintPause(50);
    ShowForm();

    MoveMouse(ScreenPoint(hinted, 10, 10));
    ASSERT_TRUE(WaitUntil([] { return Application->HintWindow() != nullptr; }));
    HWND tip = Application->HintWindow();
    EXPECT_TRUE(IsWindowVisible(tip));
    char text[80] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Application->Handle();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Starts the scan");
    TRect bounds{};
    GetWindowRect(tip, &bounds);
    EXPECT_GT(bounds.top, ScreenPoint(hinted, 10, 10).y);

    MoveMouse(ScreenPoint(plain, 10, 10));
    EXPECT_EQ(Application->HintWindow(), nullptr);
    Pump(150);
    EXPECT_EQ(Application->HintWindow(), nullptr);

    MoveMouse(ScreenPoint(hinted, 12, 12));
    ASSERT_TRUE(WaitUntil([] { return Application->HintWindow() != nullptr; }));
    PressMouse(mbLeft, true);
    PressMouse(mbLeft, false);
    EXPECT_EQ(Application->HintWindow(), nullptr);
    Application->SetHintPause(500);
}
