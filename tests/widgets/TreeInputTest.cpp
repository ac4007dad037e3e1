// The results tree under the user's hands on the test display: clicks on
// rows and check boxes, keys that move the focus and toggle the check box,
// the scroll bar and the wheel, the focus rectangle and the row cursor.
#include <gtest/gtest.h>
#include <widgets/tree/VirtualTrees.h>

#include "TreeFixture.h"

namespace {

// The middle of the check box of a row, and a point on its caption.
constexpr int CheckX = 4 + 8;
constexpr int CaptionX = 100;

// The wheel turned by delta (WHEEL_DELTA a notch away from the user).
void TurnWheel(TWinControl* control, int delta) {
    SendMessageA(control->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
}

}  // namespace

class TreeInputTest : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        MoveMouse(Point(1000, 900));
        Tree->OnChecked = [this](TBaseVirtualTree*, PVirtualNode node) {
            Checked.push_back(IndexOf(node));
        };
    }
    void Show(unsigned rows) {
        Tree->SetRootNodeCount(rows);
        Form->Show();
        Pump(50);
    }
    TPoint RowPoint(unsigned index, int x) {
        TRect row = Tree->GetDisplayRect(NodeAt(index));
        return ScreenPoint(Tree, x, (row.top + row.bottom) / 2);
    }

    std::vector<int> Checked;
};

TEST_F(TreeInputTest, AClickOnTheCheckBoxTogglesItAndAClickOnTheRowFocusesIt) {
    Show(5);
    ClickAt(RowPoint(2, CheckX));
    EXPECT_EQ(Tree->CheckState(NodeAt(2)), csUncheckedNormal);
    ClickAt(RowPoint(2, CheckX));
    EXPECT_EQ(Tree->CheckState(NodeAt(2)), csCheckedNormal);
    EXPECT_EQ(Checked, (std::vector<int>{2, 2}));
    // The check box does not move the focus.
    EXPECT_TRUE(Changes.empty());

    ClickAt(RowPoint(3, CaptionX));
    EXPECT_EQ(Changes, (std::vector<TFocusChange>{{-1, 3}}));
    EXPECT_EQ(Tree->FocusedNode(), NodeAt(3));
    EXPECT_TRUE(Tree->Selected(NodeAt(3)));
    EXPECT_TRUE(Tree->Focused());
    EXPECT_EQ(Tree->CheckState(NodeAt(3)), csCheckedNormal);
    ClickAt(RowPoint(1, CaptionX));
    EXPECT_EQ(Changes.back(), (TFocusChange{3, 1}));
    EXPECT_FALSE(Tree->Selected(NodeAt(3)));

    // Pressed on a box and released elsewhere: no change.
    MoveMouse(RowPoint(0, CheckX));
    PressMouse(mbLeft, true);
    MoveMouse(RowPoint(0, CaptionX));
    PressMouse(mbLeft, false);
    EXPECT_EQ(Tree->CheckState(NodeAt(0)), csCheckedNormal);
    EXPECT_EQ(Checked.size(), 2u);

    // Set by the program: no event.
    Tree->SetCheckState(NodeAt(4), csUncheckedNormal);
    EXPECT_EQ(Checked.size(), 2u);

    // Refused by OnChecking, which is told the state the row would get.
    std::vector<TCheckState> asked;
    Tree->OnChecking = [&](TBaseVirtualTree*, PVirtualNode, TCheckState newState, bool& allowed) {
        asked.push_back(newState);
        allowed = false;
    };
    ClickAt(RowPoint(1, CheckX));
    EXPECT_EQ(asked, std::vector<TCheckState>{csUncheckedNormal});
    EXPECT_EQ(Tree->CheckState(NodeAt(1)), csCheckedNormal);
    EXPECT_EQ(Checked.size(), 2u);
}

TEST_F(TreeInputTest, KeysMoveTheFocusAndSpaceTogglesTheCheckBox) {
    Show(40);
    Tree->SetFocus();
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_UP);
    EXPECT_EQ(Changes, (std::vector<TFocusChange>{{-1, 0}, {0, 1}, {1, 0}}));
    PressKey(VK_SPACE);
    EXPECT_EQ(Tree->CheckState(NodeAt(0)), csUncheckedNormal);
    EXPECT_EQ(Checked, std::vector<int>{0});
    PressKey(VK_SPACE);
    EXPECT_EQ(Tree->CheckState(NodeAt(0)), csCheckedNormal);

    // A page down goes to the row 300 pixels (the client height) below the
    // top of the 70-pixel focused row: 70 + 7 rows of 30 lie before it.
    PressKey(VK_NEXT);
    EXPECT_EQ(Tree->FocusedNode(), NodeAt(8));
    EXPECT_TRUE(Tree->Selected(NodeAt(8)));
    PressKey(VK_PRIOR);
    EXPECT_EQ(Tree->FocusedNode(), NodeAt(0));

    PressKey(VK_END);
    EXPECT_EQ(Tree->FocusedNode(), NodeAt(39));
    EXPECT_EQ(Tree->GetDisplayRect(NodeAt(39)).bottom, Tree->ClientHeight());
    PressKey(VK_HOME);
    EXPECT_EQ(Tree->FocusedNode(), NodeAt(0));
    EXPECT_EQ(Tree->OffsetY(), 0);

    // A refused change leaves the focus where it was.
    AllowFocus = false;
    PressKey(VK_DOWN);
    EXPECT_EQ(Tree->FocusedNode(), NodeAt(0));
}

TEST_F(TreeInputTest, TheScrollBarAndTheWheelScrollTheRows) {
    Show(20000);
    SCROLLINFO info = VerticalScroll(Tree->Handle());
    EXPECT_EQ(info.nMax, 20000 * 30 - 1);
    EXPECT_EQ(static_cast<int>(info.nPage), Tree->ClientHeight());

    SendMessageA(Tree->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Tree->OffsetY(), Tree->ClientHeight());
    SendMessageA(Tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Tree->OffsetY(), Tree->ClientHeight() + 30);
    SendMessageA(Tree->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(Tree->OffsetY(), 20000 * 30 - Tree->ClientHeight());
    EXPECT_EQ(VerticalScroll(Tree->Handle()).nPos, Tree->OffsetY());

    // The thumb's position beyond 16 bits.
    info.fMask = SIF_POS;
    info.nPos = 300000;
    SetScrollInfo(Tree->Handle(), SB_VERT, &info, FALSE);
    SendMessageA(Tree->Handle(), WM_VSCROLL, SB_THUMBPOSITION, 0);
    EXPECT_EQ(Tree->OffsetY(), 300000);
    EXPECT_EQ(Tree->GetNodeAt(5, 0), NodeAt(10000));

    // One notch up scrolls three rows.
    Tree->SetFocus();
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    TurnWheel(Tree, WHEEL_DELTA);
    EXPECT_EQ(Tree->OffsetY(), 300000 - static_cast<int>(lines) * 30);
    // Half notches add up.
    TurnWheel(Tree, -WHEEL_DELTA / 2);
    EXPECT_EQ(Tree->OffsetY(), 300000 - static_cast<int>(lines) * 30);
    TurnWheel(Tree, -WHEEL_DELTA / 2);
    EXPECT_EQ(Tree->OffsetY(), 300000);
}

TEST_F(TreeInputTest, TheFocusRectangleIsDrawnOnlyWithSelectedFocus) {
    Show(4);
    Tree->SetFocus();
    ASSERT_TRUE(Tree->Focused());
    Tree->SetSelected(NodeAt(1), true);
    Tree->SetFocusedNode(NodeAt(1));
    std::unique_ptr<TBitmap> without = Paint();
    Tree->SetSelectedFocus(true);
    std::unique_ptr<TBitmap> with = Paint();

    // The two differ only on the frame around the focused row's text.
    const TRect row = Tree->GetDisplayRect(NodeAt(1));
    TRect frame{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    int differences = 0;
    HDC a = without->Canvas()->Handle(), b = with->Canvas()->Handle();
    for (int y = 0; y < without->Height(); ++y)
        for (int x = 0; x < without->Width(); ++x) {
            if (GetPixel(a, x, y) == GetPixel(b, x, y)) continue;
            ++differences;
            frame = Rect(std::min<int>(frame.left, x), std::min<int>(frame.top, y),
                         std::max<int>(frame.right, x + 1), std::max<int>(frame.bottom, y + 1));
        }
    ASSERT_GT(differences, 0);
    EXPECT_EQ(frame.top, row.top);
    EXPECT_EQ(frame.bottom, row.bottom);
    EXPECT_EQ(frame.left, 4 + 18 + 18);
    // A dotted outline: every other pixel of its edges, nothing inside.
    const int perimeter = 2 * (frame.right - frame.left + frame.bottom - frame.top);
    EXPECT_LE(differences, perimeter / 2 + 2);
}

TEST_F(TreeInputTest, TheHotCursorShowsOverRows) {
    Tree->SetCursor(crIBeam);
    Tree->SetHotCursor(crHandPoint);
    Show(3);
    MoveMouse(RowPoint(1, CaptionX));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
    MoveMouse(ScreenPoint(Tree, CaptionX, 250));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crIBeam));
}

TEST_F(TreeInputTest, TheSingleBorderTakesTheBorderColour) {
    Tree->SetBorderStyle(bsSingle);
    Tree->Colors()->SetBorderColor(clRed);
    Show(3);
    EXPECT_EQ(Tree->ClientWidth(), 398);
    EXPECT_EQ(ScreenPixel(ScreenPoint(Tree, -1, -1)), Rgb(clRed));
    EXPECT_EQ(ScreenPixel(ScreenPoint(Tree, 398, 150)), Rgb(clRed));
    // A new colour repaints the border too.
    Tree->Colors()->SetBorderColor(clBlue);
    Pump(50);
    EXPECT_EQ(ScreenPixel(ScreenPoint(Tree, -1, 150)), Rgb(clBlue));
}

// Rows that come while the tree is off the screen (the results page during a
// scan) are in its scroll bar and on its face once it is shown.
TEST_F(TreeInputTest, RowsAddedWhileHiddenAreThereWhenTheTreeIsShown) {
    Form->Show();
    Tree->HandleNeeded();
    Tree->SetVisible(false);
    for (unsigned count = 1; count <= 400; ++count) Tree->SetRootNodeCount(count);
    EXPECT_EQ(Tree->RootNodeCount(), 400u);
    Tree->SetVisible(true);
    Pump(30);
    EXPECT_EQ(VerticalScroll(Tree->Handle()).nMax, 400 * 30 - 1);
    SendMessageA(Tree->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(Tree->OffsetY(), 400 * 30 - Tree->ClientHeight());
    EXPECT_EQ(Tree->GetNodeAt(5, Tree->ClientHeight() - 1), NodeAt(399));
}

// The same for a tree whose window is not made until it is first shown: the
// rows added before it has one are all there once it is.
TEST_F(TreeInputTest, RowsAddedBeforeTheTreeHasAWindowAreThereWhenItIsShown) {
    Tree->SetVisible(false);
    Form->Show();
    EXPECT_FALSE(Tree->HandleAllocated());
    for (unsigned count = 1; count <= 400; ++count) Tree->SetRootNodeCount(count);
    EXPECT_FALSE(Tree->HandleAllocated());
    Tree->SetVisible(true);
    Pump(30);
    ASSERT_TRUE(Tree->HandleAllocated());
    EXPECT_EQ(VerticalScroll(Tree->Handle()).nMax, 400 * 30 - 1);
    SendMessageA(Tree->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(Tree->OffsetY(), 400 * 30 - Tree->ClientHeight());
    EXPECT_EQ(Tree->GetNodeAt(5, Tree->ClientHeight() - 1), NodeAt(399));
}
