// Controls: windows made on demand, the child lists, the window procedure and
// its handlers, reflected notifications, ownership by parents, layout, and
// the properties that children take from their parent.
#include <classlib/ComCtrls.h>
#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "ControlProbes.h"
#include "WindowFixture.h"

namespace {

constexpr UINT Ping = WM_USER + 11;
constexpr UINT Fail = WM_USER + 12;

// A control over the platform's push button that writes down the
// notifications its parent hands back to it.
class TPlatformButton : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<UINT> Commands;
    std::vector<UINT> Notifies;
    std::vector<std::string> Messages;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        CreateSubClass(params, "BUTTON");
        params.Style |= BS_AUTOCHECKBOX;
    }
    void Dispatch(TMessage& message) override {
        if (message.Msg == CN_COMMAND) Commands.push_back(HIWORD(message.WParam));
        if (message.Msg == CN_NOTIFY)
            Notifies.push_back(reinterpret_cast<NMHDR*>(message.LParam)->code);
        TWinControl::Dispatch(message);
    }
};

// A control with a message of its own and one whose handler fails.
class TPinged : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Pings = 0;

    void WndProc(TMessage& message) override {
        if (message.Msg == Ping) {
            ++Pings;
            message.Result = static_cast<LRESULT>(message.WParam * 2);
            return;
        }
        if (message.Msg == Fail) throw EInvalidOperation("handler failed");
        TCustomControl::WndProc(message);
    }
};

// Counts the changes of Showing that a page control's sheets act on.
class TShowingProbe : public TBox {
public:
    using TBox::TBox;
    int Shown = 0;
    int Hidden = 0;

protected:
    void ShowingChanged() override { ++(Showing() ? Shown : Hidden); }
};

TRect WindowBoundsInParent(HWND window) {
    TRect bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

bool SameRect(const TRect& a, const TRect& b) { return EqualRect(&a, &b) != FALSE; }

std::string Text(const TRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

}  // namespace

class ControlTest : public WindowTest {};

TEST_F(ControlTest, WindowsAreMadeOnDemandParentsFirstWithTheirProperties) {
    auto form = NewForm();
    auto box = new TBox(form.get(), form.get(), Bounds(10, 20, 200, 150), clRed);
    auto inner = new TBox(form.get(), box, Bounds(5, 6, 50, 40), clBlue);
    inner->SetCaption("inner text");
    inner->SetEnabled(false);
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_FALSE(box->HandleAllocated());

    HWND innerWindow = inner->Handle();
    ASSERT_TRUE(form->HandleAllocated());
    ASSERT_TRUE(box->HandleAllocated());
    EXPECT_EQ(GetParent(innerWindow), box->Handle());
    EXPECT_EQ(GetParent(box->Handle()), form->Handle());
    EXPECT_EQ(FindControl(innerWindow), inner);
    EXPECT_TRUE(SameRect(WindowBoundsInParent(innerWindow), Bounds(5, 6, 50, 40)));
    EXPECT_FALSE(IsWindowEnabled(innerWindow));
    char text[64] = {};
    GetWindowTextA(innerWindow, text, sizeof text);
    EXPECT_STREQ(text, "inner text");

    // Object and window stay in step both ways.
    inner->SetBounds(7, 8, 60, 30);
    EXPECT_TRUE(SameRect(WindowBoundsInParent(innerWindow), Bounds(7, 8, 60, 30)));
    SetWindowPos(innerWindow, nullptr, 1, 2, 33, 22, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(SameRect(inner->BoundsRect(), Bounds(1, 2, 33, 22)));
    SetWindowTextA(innerWindow, "from the platform");
    EXPECT_EQ(inner->Caption(), "from the platform");
    inner->SetCaption("from the object");
    GetWindowTextA(innerWindow, text, sizeof text);
    EXPECT_STREQ(text, "from the object");
}

TEST_F(ControlTest, AHiddenChildsWindowIsMadeWhenItIsFirstShownInItsPlaceInTheStack) {
    auto form = NewForm();
    auto below = new TBox(form.get(), form.get(), Bounds(0, 0, 100, 100), clRed, "below");
    auto late = new TBox(form.get(), form.get(), Bounds(0, 0, 10, 10), clRed, "late");
    auto above = new TBox(form.get(), form.get(), Bounds(0, 0, 100, 100), clRed, "above");
    auto inner = new TBox(form.get(), late, Bounds(2, 3, 20, 10), clBlue, "inner");
    auto button = new TPlatformButton(form.get());
    button->SetParent(late);
    late->SetVisible(false);
    // Set while there is no window: all of it must reach the window made later.
    late->SetBounds(12, 14, 80, 60);
    late->SetCaption("late text");
    late->SetEnabled(false);
    button->SetCaption("check");

    form->HandleNeeded();
    EXPECT_TRUE(below->HandleAllocated());
    EXPECT_TRUE(above->HandleAllocated());
    EXPECT_FALSE(late->HandleAllocated());
    EXPECT_FALSE(inner->HandleAllocated());
    EXPECT_FALSE(button->HandleAllocated());

    late->Show();
    ASSERT_TRUE(late->HandleAllocated());
    ASSERT_TRUE(inner->HandleAllocated());
    ASSERT_TRUE(button->HandleAllocated());
    HWND window = late->Handle();
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_TRUE(SameRect(WindowBoundsInParent(window), Bounds(12, 14, 80, 60)));
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "late text");
    GetWindowTextA(button->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "check");
    // Between the siblings before and after it in the list.
    EXPECT_EQ(GetWindow(above->Handle(), GW_HWNDNEXT), window);
    EXPECT_EQ(GetWindow(window, GW_HWNDNEXT), below->Handle());
    EXPECT_EQ(GetParent(inner->Handle()), window);
    EXPECT_EQ(FindControl(window), late);
    EXPECT_EQ(FindControl(button->Handle()), button);

    // Asked for, a hidden control's window is made hidden.
    auto asked = new TBox(form.get(), nullptr, Bounds(0, 0, 10, 10), clRed, "asked");
    asked->SetVisible(false);
    asked->SetParent(form.get());
    EXPECT_FALSE(asked->HandleAllocated());
    EXPECT_FALSE(GetWindowLongPtrA(asked->Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(GetWindow(asked->Handle(), GW_HWNDPREV), nullptr);
}

TEST_F(ControlTest, ChildrenListWindowlessOnesFirstEachInTheOrderTheyCame) {
    auto form = NewForm();
    auto w1 = new TBox(form.get(), form.get(), Bounds(0, 0, 10, 10), clRed, "w1");
    auto g1 = new TSwatch(form.get(), form.get(), Bounds(0, 0, 10, 10), clRed, "g1");
    auto w2 = new TBox(form.get(), form.get(), Bounds(0, 0, 10, 10), clRed, "w2");
    auto g2 = new TSwatch(form.get(), form.get(), Bounds(0, 0, 10, 10), clRed, "g2");
    std::vector<TControl*> expected{g1, g2, w1, w2};
    ASSERT_EQ(form->ControlCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(form->Controls(i), expected[i]) << i;

    // Windows: the later one above the earlier one.
    form->HandleNeeded();
    EXPECT_EQ(GetWindow(w2->Handle(), GW_HWNDNEXT), w1->Handle());
    w1->BringToFront();
    EXPECT_EQ(form->Controls(3), w1);
    EXPECT_EQ(GetWindow(w1->Handle(), GW_HWNDNEXT), w2->Handle());
    g1->BringToFront();
    EXPECT_EQ(form->Controls(1), g1);
    EXPECT_EQ(form->ControlAtPos(Point(5, 5), false), g1);
    EXPECT_EQ(form->ControlAtPos(Point(5, 5), false, true), w1);

    // A child that moves to another parent leaves the first one's list.
    w2->SetParent(w1);
    EXPECT_EQ(form->ControlCount(), 3);
    EXPECT_EQ(w1->Controls(0), w2);
    EXPECT_EQ(GetParent(w2->Handle()), w1->Handle());
}

TEST_F(ControlTest, MessagesReachTheWindowProcedureAndItsHandlers) {
    auto form = NewForm();
    auto pinged = new TPinged(form.get());
    pinged->SetParent(form.get());
    // Through the window, and through Perform without one yet.
    auto detached = std::make_unique<TPinged>(nullptr);
    EXPECT_EQ(detached->Perform(Ping, 21), 42);
    EXPECT_FALSE(detached->HandleAllocated());
    EXPECT_EQ(SendMessageA(pinged->Handle(), Ping, 5, 0), 10);
    EXPECT_EQ(pinged->Perform(Ping, 7), 14);
    EXPECT_EQ(pinged->Pings, 2);

    // An exception stops at the window's edge and reaches the application.
    std::string reported;
    Application->OnException = [&](TObject*, const std::exception& error) {
        reported = error.what();
    };
    EXPECT_EQ(SendMessageA(pinged->Handle(), Fail, 0, 0), 0);
    EXPECT_EQ(reported, "handler failed");
}

TEST_F(ControlTest, ChildNotificationsAreHandedBackToTheChild) {
    auto form = NewForm();
    auto button = new TPlatformButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 120, 24);
    button->SetCaption("check");
    HWND window = button->Handle();

    // The platform's own procedure still does its work behind the object.
    SendMessageA(window, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(window, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(button->Commands, std::vector<UINT>{BN_CLICKED});

    NMHDR header{window, 7, 0xFFFFFFF0u};
    SendMessageA(form->Handle(), WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(button->Notifies, std::vector<UINT>{0xFFFFFFF0u});

    // Colours: the child answers with its own brush and font colour.
    button->SetColor(clYellow);
    button->Font()->SetColor(clNavy);
    HDC dc = GetDC(window);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(form->Handle(), WM_CTLCOLORBTN,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(window)));
    EXPECT_EQ(brush, button->Brush()->Handle());
    EXPECT_EQ(GetTextColor(dc), ColorToRGB(clNavy));
    ReleaseDC(window, dc);
}

TEST_F(ControlTest, AParentDeletesItsChildrenAndAChildDeletedFirstLeavesIt) {
    TLog log;
    auto form = NewForm();
    auto panel = new TBox(form.get(), form.get(), Bounds(0, 0, 100, 100), clRed, "panel", &log);
    auto inner = new TBox(form.get(), panel, Bounds(0, 0, 50, 50), clRed, "inner", &log);
    new TSwatch(form.get(), panel, Bounds(0, 0, 10, 10), clRed, "swatch", &log);
    auto loose = new TSwatch(form.get(), panel, Bounds(0, 0, 10, 10), clRed, "loose", &log);
    HWND innerWindow = inner->Handle();
    int owned = form->ComponentCount();

    delete loose;
    EXPECT_EQ(panel->ControlCount(), 2);
    delete panel;
    EXPECT_TRUE(Contains(log, "inner deleted"));
    EXPECT_TRUE(Contains(log, "swatch deleted"));
    EXPECT_FALSE(IsWindow(innerWindow));
    EXPECT_EQ(form->ComponentCount(), owned - 4);
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(ControlTest, AlignedChildrenFillTheEdgesInTurn) {
    auto form = NewForm();
    auto box = new TBox(form.get(), form.get(), Bounds(0, 0, 300, 200), clRed);
    struct Case {
        TAlign align;
        TRect start;
        TRect expected;
    };
    const Case cases[] = {
        {alTop, Bounds(0, 0, 10, 20), Rect(0, 0, 300, 20)},
        {alTop, Bounds(0, 50, 10, 30), Rect(0, 20, 300, 50)},  // the lower one below
        {alBottom, Bounds(0, 0, 10, 25), Rect(0, 175, 300, 200)},
        {alLeft, Bounds(0, 0, 40, 10), Rect(0, 50, 40, 175)},
        {alRight, Bounds(0, 0, 60, 10), Rect(240, 50, 300, 175)},
        {alClient, Bounds(0, 0, 1, 1), Rect(40, 50, 240, 175)},
    };
    std::vector<TControl*> controls;
    for (const Case& c : cases) {
        auto swatch = new TSwatch(form.get(), box, c.start, clRed);
        swatch->SetAlign(c.align);
        controls.push_back(swatch);
    }
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(Text(controls[i]->BoundsRect()), Text(cases[i].expected)) << i;

    // Hiding one gives its room to the rest; resizing the parent lays out again.
    controls[2]->SetVisible(false);
    EXPECT_EQ(Text(controls[5]->BoundsRect()), Text(Rect(40, 50, 240, 200)));
    box->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(Text(controls[4]->BoundsRect()), Text(Rect(340, 50, 400, 300)));
}

TEST_F(ControlTest, AnchoredChildrenFollowTheEdgesTheyAreTiedTo) {
    auto form = NewForm();
    form->HandleNeeded();
    auto box = new TBox(form.get(), form.get(), Bounds(0, 0, 200, 100), clRed);
    struct Case {
        TAnchors anchors;
        TRect expected;  // after the box grows by 50 x 30
    };
    const Case cases[] = {
        {{akLeft, akTop}, Bounds(20, 10, 40, 20)},
        {{akRight, akTop}, Bounds(70, 10, 40, 20)},
        {{akLeft, akRight, akTop}, Bounds(20, 10, 90, 20)},
        {{akLeft, akTop, akBottom}, Bounds(20, 10, 40, 50)},
        {{akRight, akBottom}, Bounds(70, 40, 40, 20)},
        {{}, Bounds(45, 25, 40, 20)},
    };
    std::vector<TControl*> controls;
    for (const Case& c : cases) {
        auto child = new TBox(form.get(), box, Bounds(20, 10, 40, 20), clBlue);
        child->SetAnchors(c.anchors);
        controls.push_back(child);
    }
    box->SetBounds(0, 0, 250, 130);
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(Text(controls[i]->BoundsRect()), Text(cases[i].expected)) << i;
    // Back to the first size: back to the first place.
    box->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(Text(controls[4]->BoundsRect()), Text(Bounds(20, 10, 40, 20)));
}

TEST_F(ControlTest, ChildrenTakeTheirParentsColourAndFontUntilGivenTheirOwn) {
    TLog log;
    auto form = NewForm();
    auto box = new TBox(form.get(), form.get(), Bounds(0, 0, 100, 100), clRed);
    auto child = new TSwatch(form.get(), box, Bounds(0, 0, 10, 10), clRed, "child", &log);
    EXPECT_EQ(child->Color(), clRed);
    EXPECT_TRUE(child->ParentColor());
    box->SetColor(clGreen);
    EXPECT_EQ(child->Color(), clGreen);
    EXPECT_TRUE(Contains(log, "child color"));

    box->Font()->SetName("Arial");
    box->Font()->SetStyle({fsBold});
    EXPECT_EQ(child->Font()->Name(), "Arial");
    EXPECT_TRUE(child->Font()->Style().Contains(fsBold));
    EXPECT_TRUE(child->ParentFont());

    child->SetColor(clYellow);
    child->Font()->SetName("Courier New");
    EXPECT_FALSE(child->ParentColor());
    EXPECT_FALSE(child->ParentFont());
    box->SetColor(clBlue);
    box->Font()->SetName("Tahoma");
    EXPECT_EQ(child->Color(), clYellow);
    EXPECT_EQ(child->Font()->Name(), "Courier New");

    // Asking for the parent's again takes them at once.
    child->SetParentColor(true);
    child->SetParentFont(true);
    EXPECT_EQ(child->Color(), clBlue);
    EXPECT_EQ(child->Font()->Name(), "Tahoma");

    // ShowHint follows the parent's while ParentShowHint holds.
    box->SetShowHint(true);
    EXPECT_TRUE(child->ShowHint());
    child->SetShowHint(false);
    EXPECT_FALSE(child->ShowHint());
}

TEST_F(ControlTest, ShowingFollowsTheControlAndEveryAncestor) {
    auto form = NewForm();
    auto outer = new TShowingProbe(form.get(), form.get(), Bounds(0, 0, 100, 100), clRed);
    auto inner = new TShowingProbe(form.get(), outer, Bounds(0, 0, 50, 50), clRed);
    EXPECT_FALSE(inner->Showing());
    form->Show();
    EXPECT_TRUE(inner->Showing());
    EXPECT_TRUE(IsWindowVisible(inner->Handle()));
    outer->Hide();
    EXPECT_FALSE(inner->Showing());
    EXPECT_FALSE(IsWindowVisible(inner->Handle()));
    inner->Hide();
    outer->Show();
    EXPECT_FALSE(inner->Showing());
    inner->Show();
    EXPECT_TRUE(inner->Showing());
    EXPECT_EQ(inner->Shown, 2);
    EXPECT_EQ(inner->Hidden, 1);
}

TEST_F(ControlTest, AutoSizeContainerTakesTheExtentOfItsChildren) {
    auto form = NewForm();
    form->SetBorderStyle(bsSingle);
    form->SetAutoSize(true);
    new TSwatch(form.get(), form.get(), Bounds(10, 10, 100, 40), clRed);
    auto wide = new TBox(form.get(), form.get(), Bounds(50, 20, 200, 30), clBlue);
    EXPECT_EQ(form->ClientWidth(), 250);
    EXPECT_EQ(form->ClientHeight(), 50);
    form->HandleNeeded();
    TRect client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 50);
    wide->SetTop(100);
    EXPECT_EQ(form->ClientHeight(), 130);
}

TEST_F(ControlTest, ClientAreaIsTheSameBeforeAndAfterTheWindowExists) {
    for (TFormBorderStyle style : {bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow}) {
        auto form = NewForm();
        form->SetBorderStyle(style);
        form->SetClientWidth(333);
        form->SetClientHeight(222);
        TRect before = form->ClientRect();
        TPoint origin = form->ClientOrigin();
        form->HandleNeeded();
        TRect after{};
        GetClientRect(form->Handle(), &after);
        EXPECT_EQ(Text(before), Text(after)) << style;
        EXPECT_EQ(Text(after), Text(Rect(0, 0, 333, 222))) << style;
        EXPECT_EQ(origin.x, form->ClientOrigin().x) << style;
        EXPECT_EQ(origin.y, form->ClientOrigin().y) << style;
        if (style == bsNone) {
            EXPECT_EQ(form->Width(), 333);
        }
    }
    // Child windows without a frame, and with a border or an edge.
    auto form = NewForm();
    auto plain = new TBox(form.get(), form.get(), Bounds(5, 5, 120, 80), clRed, "plain");
    auto edged = new TListView(form.get());
    edged->SetParent(form.get());
    edged->SetBounds(5, 100, 150, 90);
    const TRect plainBefore = plain->ClientRect(), edgedBefore = edged->ClientRect();
    form->HandleNeeded();
    EXPECT_EQ(Text(plainBefore), Text(plain->ClientRect()));
    EXPECT_EQ(Text(plainBefore), Text(Rect(0, 0, 120, 80)));
    EXPECT_EQ(Text(edgedBefore), Text(edged->ClientRect()));
    EXPECT_LT(edgedBefore.right, 150);
}
