// The kit's check box driven as a user drives it: the three states and the
// click on every change of state, mouse, Space and accelerator, read-only and
// disabled boxes, hot tracking, the four ways of drawing the glyph, the
// caption's place and size, custom glyphs and the frame controller.
#include <classlib/ActnList.h>
#include <classlib/ImgList.h>
#include <classlib/Themes.h>
#include <gtest/gtest.h>
#include <uxtheme.h>
#include <vssym32.h>
#include <widgets/buttons/CheckBox.h>

#include <string>

#include "ControlFixture.h"

namespace {

// The glyph cell of a box with the default alignment: left, two pixels down.
constexpr int GlyphTop = 2;
constexpr int GlyphSize = 13;

std::unique_ptr<TBitmap> ClassicGlyph(UINT flags) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(GlyphSize, GlyphSize);
    TRect cell = Rect(0, 0, GlyphSize, GlyphSize);
    DrawFrameControl(bitmap->Canvas()->Handle(), &cell, DFC_BUTTON, DFCS_BUTTONCHECK | flags);
    return bitmap;
}

std::unique_ptr<TBitmap> ThemedGlyph(int state, TColor color) {
    auto bitmap = FilledBitmap(GlyphSize, GlyphSize, color, pf32bit);
    TRect cell = Rect(0, 0, GlyphSize, GlyphSize);
    HTHEME theme = OpenThemeData(nullptr, L"BUTTON");
    DrawThemeBackground(theme, bitmap->Canvas()->Handle(), BP_CHECKBOX, state, &cell, nullptr);
    CloseThemeData(theme);
    return bitmap;
}

}  // namespace

class CheckBoxTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        Box = NewBox("&Fonts", 20, 20);
        ShowForm();
    }
    TKitCheckBox* NewBox(const std::string& caption, int left, int top) {
        auto box = new TKitCheckBox(Form.get());
        box->SetParent(Form.get());
        box->SetBounds(left, top, 115, 17);
        box->SetParentColor(false);
        box->SetColor(clWhite);
        box->SetCaption(caption);
        box->OnClick = [this, box](TObject* sender) {
            EXPECT_EQ(sender, box);
            Clicks.push_back(box->State());
        };
        return box;
    }
    // The glyph cell as the box paints it.
    std::unique_ptr<TBitmap> Glyph() {
        auto printed = PrintClient(Box);
        auto cell = std::make_unique<TBitmap>();
        cell->SetPixelFormat(pf32bit);
        cell->SetSize(GlyphSize, GlyphSize);
        cell->Canvas()->CopyRect(Rect(0, 0, GlyphSize, GlyphSize), printed->Canvas(),
                                 Bounds(0, GlyphTop, GlyphSize, GlyphSize));
        return cell;
    }
    bool GlyphIs(TBitmap* expected) {
        auto glyph = Glyph();
        return SameArea(glyph.get(), 0, 0, expected, 0, 0, GlyphSize, GlyphSize);
    }
    TKitCheckBox* Box = nullptr;
    std::vector<TCheckBoxState> Clicks;
};

TEST_F(CheckBoxTest, StartsUncheckedWithItsDefaults) {
    TKitCheckBox fresh(nullptr);
    EXPECT_EQ(fresh.State(), cbUnchecked);
    EXPECT_FALSE(fresh.Checked());
    EXPECT_FALSE(fresh.AllowGrayed());
    EXPECT_EQ(fresh.Alignment(), taRightJustify);
    EXPECT_EQ(fresh.AlignmentVertical(), avTop);
    EXPECT_EQ(fresh.GlyphCount(), 9);
    EXPECT_TRUE(fresh.AutoSize());
    EXPECT_TRUE(fresh.TabStop());
    EXPECT_TRUE(fresh.ThemeAware());
    EXPECT_FALSE(fresh.Transparent());
    EXPECT_EQ(fresh.HotTrackColor(), 1350640);
    EXPECT_EQ(fresh.HotTrackColorType(), htctActual);
    EXPECT_EQ(fresh.TransparentColor(), clOlive);
    EXPECT_EQ(fresh.WinMaskColor(), clLime);
    EXPECT_EQ(fresh.Width(), 115);
    EXPECT_EQ(fresh.Height(), 17);
    EXPECT_EQ(fresh.FrameControllerNotifications(), AllFrameControllerNotifications);
}

TEST_F(CheckBoxTest, EveryChangeOfStateByCodeClicksOnce) {
    Box->SetChecked(true);
    Box->SetChecked(true);
    Box->SetState(cbGrayed);
    Box->SetState(cbGrayed);
    Box->SetChecked(true);  // grayed to checked
    Box->SetChecked(false);
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbChecked, cbGrayed, cbChecked, cbUnchecked}));
}

TEST_F(CheckBoxTest, ALinkedActionChangesTheStateSilently) {
    auto action = new TAction(Form.get());
    action->SetChecked(true);
    Box->SetAction(action);
    EXPECT_TRUE(Box->Checked());
    action->SetChecked(false);
    EXPECT_FALSE(Box->Checked());
    action->SetChecked(true);
    EXPECT_TRUE(Box->Checked());
    EXPECT_TRUE(Clicks.empty());
    // The user's change still clicks.
    TUser(Box).Click(5, 5);
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbUnchecked}));
}

TEST_F(CheckBoxTest, TheUsersCycleGoesThroughGrayedOnlyWhenAllowed) {
    TUser user(Box);
    user.Click(5, 5);
    user.Click(5, 5);
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));

    Clicks.clear();
    Box->SetAllowGrayed(true);
    for (int i = 0; i < 3; ++i) user.Click(8, 8);
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));

    // Written grayed by code, a box that allows no grayed state goes on to checked.
    Box->SetAllowGrayed(false);
    Box->SetState(cbGrayed);
    Clicks.clear();
    user.Click(5, 5);
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbChecked}));
    EXPECT_EQ(user.Send(BM_GETCHECK), BST_CHECKED);
}

TEST_F(CheckBoxTest, BmGetCheckAnswersTheState) {
    TUser user(Box);
    for (auto [state, answer] :
         {std::pair{cbUnchecked, BST_UNCHECKED}, std::pair{cbChecked, BST_CHECKED},
          std::pair{cbGrayed, BST_INDETERMINATE}}) {
        Box->SetState(state);
        EXPECT_EQ(user.Send(BM_GETCHECK), answer);
    }
}

TEST_F(CheckBoxTest, APressCountsWhereItIsReleased) {
    TUser user(Box);
    user.Press(5, 5);
    EXPECT_TRUE(Box->Focused());
    EXPECT_TRUE(Box->ShowPressed());
    // The right and bottom edges lie outside.
    user.Move(Box->ClientWidth(), 5);
    EXPECT_FALSE(Box->ShowPressed());
    user.Move(5, Box->ClientHeight() - 1);
    EXPECT_TRUE(Box->ShowPressed());
    user.Move(5, Box->ClientHeight());
    user.Release(5, Box->ClientHeight());
    EXPECT_FALSE(Box->PressTracking());
    EXPECT_TRUE(Clicks.empty());

    // Dragged back inside before the release, the press counts.
    user.Press(5, 5);
    user.Move(-3, 5);
    user.Move(6, 6);
    user.Release(6, 6);
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbChecked}));
}

TEST_F(CheckBoxTest, OnlyTheLeftButtonOfAnEnabledBoxPresses) {
    TUser user(Box);
    user.Press(5, 5, WM_RBUTTONDOWN);
    EXPECT_FALSE(Box->PressTracking());
    user.Release(5, 5, WM_RBUTTONUP);
    user.Press(5, 5, WM_MBUTTONDOWN);
    user.Release(5, 5, WM_MBUTTONUP);
    Box->SetEnabled(false);
    user.Click(5, 5);
    EXPECT_FALSE(Box->PressTracking());
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(CheckBoxTest, ADoubleClickChangesTheStateTwice) {
    TUser user(Box);
    user.Press(5, 5);
    user.Release(5, 5);
    user.Press(5, 5, WM_LBUTTONDBLCLK);
    user.Release(5, 5);
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
}

TEST_F(CheckBoxTest, SpaceTogglesOnItsReleaseAndEscapeCancels) {
    Box->SetFocus();
    TUser user(Box);
    user.KeyDown(VK_SPACE);
    EXPECT_TRUE(Box->ShowPressed());
    user.KeyUp(VK_SPACE);
    EXPECT_FALSE(Box->ShowPressed());
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbChecked}));

    user.KeyDown(VK_SPACE);
    user.KeyDown(VK_ESCAPE);
    EXPECT_FALSE(Box->ShowPressed());
    user.KeyUp(VK_SPACE);
    EXPECT_EQ(Box->State(), cbChecked);
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(CheckBoxTest, TheAcceleratorFocusesAndToggles) {
    auto other = NewBox("&Sounds", 20, 60);
    other->SetFocus();
    TUser(other).Send(WM_SYSCHAR, 'f', 0);
    EXPECT_TRUE(Box->Focused());
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbChecked}));
    TUser(other).Send(WM_SYSCHAR, 'x', 0);
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(CheckBoxTest, AReadOnlyBoxShowsThePressButKeepsItsState) {
    Box->SetReadOnly(true);
    TUser user(Box);
    user.Press(5, 5);
    EXPECT_TRUE(Box->ShowPressed());
    user.Release(5, 5);
    user.Key(VK_SPACE);
    TUser(Box).Send(WM_SYSCHAR, 'f', 0);
    EXPECT_TRUE(Clicks.empty());
    Box->SetState(cbChecked);
    EXPECT_EQ(Clicks, (std::vector<TCheckBoxState>{cbChecked}));
}

TEST_F(CheckBoxTest, EnterMovesOnWithTabOnEnter) {
    auto next = NewBox("&Sounds", 20, 60);
    std::string pressed;
    Box->OnKeyPress = [&](TObject*, char& key) { pressed += key; };
    Box->SetTabOnEnter(true);
    Box->SetFocus();
    TUser(Box).Send(WM_CHAR, '\r', 0);
    EXPECT_TRUE(WaitUntil([&] { return next->Focused(); }, 1000));
    EXPECT_EQ(pressed.find('\r'), std::string::npos);
}

TEST_F(CheckBoxTest, HotTrackingFollowsThePointer) {
    Box->SetThemeAware(false);
    Box->SetHotTrack(true);
    std::string events;
    Box->OnMouseEnter = [&](TObject*) { events += "enter "; };
    Box->OnMouseLeave = [&](TObject*) { events += "leave "; };
    auto cold = Glyph();
    TUser user(Box);
    user.Move(5, 5, 0);
    EXPECT_TRUE(Box->MouseOver());
    auto hot = Glyph();
    user.Send(WM_MOUSELEAVE);
    EXPECT_FALSE(Box->MouseOver());
    EXPECT_EQ(events, "enter leave ");
    EXPECT_FALSE(SameArea(cold.get(), 0, 0, hot.get(), 0, 0, GlyphSize, GlyphSize));
    EXPECT_TRUE(GlyphIs(cold.get()));
}

TEST_F(CheckBoxTest, TheClassicGlyphIsThePlatformsFrameControl) {
    Box->SetThemeAware(false);
    struct TCase {
        TCheckBoxState state;
        bool enabled;
        UINT flags;
    };
    for (const TCase& c : {TCase{cbUnchecked, true, 0}, TCase{cbChecked, true, DFCS_CHECKED},
                           TCase{cbGrayed, true, DFCS_CHECKED | DFCS_BUTTON3STATE},
                           TCase{cbChecked, false, DFCS_CHECKED | DFCS_INACTIVE}}) {
        Box->SetState(c.state);
        Box->SetEnabled(c.enabled);
        EXPECT_TRUE(GlyphIs(ClassicGlyph(c.flags).get())) << c.state << " " << c.enabled;
    }
}

TEST_F(CheckBoxTest, TheThemedGlyphShowsTheStateAndTheLook) {
    ASSERT_TRUE(ThemesEnabled());
    struct TCase {
        TCheckBoxState state;
        bool enabled;
        bool hot;
        int themed;
    };
    for (const TCase& c : {TCase{cbUnchecked, true, false, CBS_UNCHECKEDNORMAL},
                           TCase{cbChecked, true, false, CBS_CHECKEDNORMAL},
                           TCase{cbGrayed, true, false, CBS_MIXEDNORMAL},
                           TCase{cbChecked, true, true, CBS_CHECKEDHOT},
                           TCase{cbGrayed, false, true, CBS_MIXEDDISABLED}}) {
        Box->SetState(c.state);
        Box->SetEnabled(c.enabled);
        if (c.hot)
            TUser(Box).Move(5, 5, 0);
        else
            TUser(Box).Send(WM_MOUSELEAVE);
        EXPECT_TRUE(GlyphIs(ThemedGlyph(c.themed, clWhite).get()))
            << c.themed << " hot " << Box->MouseOver() << " width " << Box->Width();
    }
    // Held down, the glyph shows the pressed part.
    Box->SetEnabled(true);
    Box->SetState(cbUnchecked);
    TUser(Box).Press(5, 5);
    EXPECT_TRUE(GlyphIs(ThemedGlyph(CBS_UNCHECKEDPRESSED, clWhite).get()));
    TUser(Box).Release(50, 50);
}

TEST_F(CheckBoxTest, TheHotTrackGlyphIsTheKitsSquare) {
    Box->SetThemeAware(false);
    Box->SetHotTrack(true);
    Box->SetFillColor(clYellow);
    Box->SetDisabledColor(clAqua);
    auto unchecked = Glyph();
    EXPECT_EQ(PixelAt(unchecked.get(), 6, 6), Rgb(clYellow));
    Box->SetChecked(true);
    auto checked = Glyph();
    EXPECT_FALSE(SameArea(unchecked.get(), 0, 0, checked.get(), 0, 0, GlyphSize, GlyphSize));
    Box->SetEnabled(false);
    auto disabled = Glyph();
    int shadow = 0;
    int interior = 0;
    for (int y = 0; y < GlyphSize; ++y)
        for (int x = 0; x < GlyphSize; ++x) {
            shadow += PixelAt(disabled.get(), x, y) == Rgb(clBtnShadow);
            interior += PixelAt(disabled.get(), x, y) == Rgb(clAqua);
        }
    EXPECT_GT(shadow, 0);
    EXPECT_GT(interior, 0);
}

TEST_F(CheckBoxTest, TheCaptionStandsBesideTheGlyphAndSizesTheBox) {
    Box->SetThemeAware(false);
    Box->SetAutoSize(false);
    Box->SetCaption("Wide caption text");
    Box->SetWidth(300);
    Box->SetAutoSize(true);
    Box->Font()->SetColor(clBlack);
    const TSize text = TextSizeIn(Box->Font(), "Wide caption text");
    EXPECT_EQ(Box->Width(), text.cx + 19);
    EXPECT_EQ(Box->Height(), std::max<int>(15, text.cy + 2));

    auto printed = PrintClient(Box);
    int firstInk = -1;
    for (int x = 0; x < printed->Width() && firstInk < 0; ++x)
        for (int y = 0; y < printed->Height(); ++y)
            if (x > GlyphSize && PixelAt(printed.get(), x, y) == 0) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 18);
    EXPECT_LT(firstInk, 22);
}

// The order the program's windows set things in: the box fits its caption
// when its window is made, the skin then gives it a width, the language texts
// a longer caption.
TEST_F(CheckBoxTest, AWidthGivenLaterStaysAndALongerCaptionRefitsOnOneLine) {
    const int fitted = Box->Width();
    Box->SetBounds(20, 20, 300, 20);
    // Neither a resize of its own nor a layout pass of its form fits it again.
    EXPECT_EQ(Box->BoundsRect(), Bounds(20, 20, 300, 20));
    Form->SetWidth(Form->Width() + 10);
    Form->Realign();
    Box->Realign();
    Pump(20);
    EXPECT_EQ(Box->BoundsRect(), Bounds(20, 20, 300, 20));

    // Measured at the width it was given, the longer caption takes one line.
    const std::string caption = "Scan the history lists of the programs";
    Box->SetCaption(caption);
    const TSize text = TextSizeIn(Box->Font(), caption);
    EXPECT_GT(text.cx + 19, fitted);
    EXPECT_EQ(Box->BoundsRect(), Bounds(20, 20, text.cx + 19, std::max<int>(15, text.cy + 2)));
    // A width given after the refit stays too.
    Box->SetWidth(320);
    Box->Realign();
    EXPECT_EQ(Box->Width(), 320);
}

TEST_F(CheckBoxTest, ADisabledCaptionIsGreyed) {
    Box->SetThemeAware(false);
    Box->Font()->SetColor(clBlack);
    Box->SetEnabled(false);
    auto printed = PrintClient(Box);
    int grey = 0;
    int black = 0;
    for (int y = 0; y < printed->Height(); ++y)
        for (int x = 18; x < printed->Width(); ++x) {
            grey += PixelAt(printed.get(), x, y) == Rgb(clGrayText);
            black += PixelAt(printed.get(), x, y) == 0;
        }
    EXPECT_GT(grey, 0);
    EXPECT_EQ(black, 0);
}

TEST_F(CheckBoxTest, AFocusedBoxFramesItsCaption) {
    Box->SetThemeAware(false);
    auto unfocused = PrintClient(Box);
    Box->SetFocus();
    auto focused = PrintClient(Box);
    // The dotted frame runs along the top of the caption's rectangle (x 17 on, y 0).
    int dots = 0;
    for (int x = 17; x < Box->Width(); ++x)
        dots += PixelAt(focused.get(), x, 0) == 0 && PixelAt(unfocused.get(), x, 0) != 0;
    EXPECT_GT(dots, 5);
}

TEST_F(CheckBoxTest, ATransparentBoxShowsItsParentBehindIt) {
    Box->SetThemeAware(false);
    auto opaque = PrintClient(Box);
    EXPECT_EQ(PixelAt(opaque.get(), Box->Width() - 2, Box->Height() - 1), Rgb(clWhite));
    Box->SetTransparent(true);
    auto transparent = PrintClient(Box);
    EXPECT_EQ(PixelAt(transparent.get(), Box->Width() - 2, Box->Height() - 1), Rgb(clLime));
    EXPECT_TRUE(SameArea(transparent.get(), 0, GlyphTop, ClassicGlyph(0).get(), 0, 0, GlyphSize,
                         GlyphSize));
}

TEST_F(CheckBoxTest, CustomGlyphsComeFromTheStripOrTheImageList) {
    // Nine cells of 10 x 10, each its own colour; cell 1 holds the two special colours.
    const TColor cells[9] = {clRed,    clGreen, clBlue, clMaroon, clNavy,
                             clPurple, clTeal,  clGray, clYellow};
    TBitmap strip;
    strip.SetSize(90, 10);
    for (int i = 0; i < 9; ++i) {
        strip.Canvas()->Brush()->SetColor(cells[i]);
        strip.Canvas()->FillRect(Bounds(i * 10, 0, 10, 10));
    }
    strip.Canvas()->SetPixels(12, 2, clOlive);
    strip.Canvas()->SetPixels(13, 2, clLime);
    Box->SetCustomGlyphs(&strip);
    EXPECT_TRUE(Box->UseCustomGlyphs());
    EXPECT_EQ(Box->GlyphCellWidth(), 10);
    EXPECT_EQ(Box->GlyphCellHeight(), 10);
    auto sample = [&](int x = 5, int y = 5) {
        auto printed = PrintClient(Box);
        return PixelAt(printed.get(), x, GlyphTop + y);
    };
    EXPECT_EQ(sample(), Rgb(clRed));
    Box->SetChecked(true);
    EXPECT_EQ(sample(), Rgb(clGreen));
    EXPECT_EQ(sample(2, 2), Rgb(clWhite));   // the transparent colour shows the box's colour
    EXPECT_EQ(sample(3, 2), Rgb(clWindow));  // the mask colour shows the window colour
    Box->SetEnabled(false);
    EXPECT_EQ(sample(), Rgb(clGray));
    Box->SetEnabled(true);
    TUser(Box).Press(5, 5);
    EXPECT_EQ(sample(), Rgb(clNavy));
    TUser(Box).Release(50, 50);

    // Twelve images add hot glyphs, shown for a grayed box even without HotTrack.
    TImageList images(nullptr);
    images.SetSize(8, 8);
    for (int i = 0; i < 12; ++i) {
        auto image = FilledBitmap(8, 8, i < 9 ? cells[i] : (i == 11 ? clFuchsia : clSilver));
        images.Add(image.get(), nullptr);
    }
    Box->SetCustomGlyphImages(&images);
    EXPECT_EQ(Box->GlyphCellWidth(), 8);
    Box->SetState(cbGrayed);
    TUser(Box).Move(4, 4, 0);
    EXPECT_EQ(sample(4, 4), Rgb(clFuchsia));
    Box->SetCustomGlyphImages(nullptr);
    EXPECT_EQ(Box->GlyphCellWidth(), 10);
}

TEST_F(CheckBoxTest, AnEmptyStripGivesAnEmptyCell) {
    Box->SetUseCustomGlyphs(true);
    EXPECT_EQ(Box->GlyphCellWidth(), 0);
    EXPECT_EQ(Box->GlyphCellHeight(), 0);
    EXPECT_NO_THROW(PrintClient(Box));
}

TEST_F(CheckBoxTest, AnImageListThatGoesIsForgotten) {
    auto images = new TImageList(Form.get());
    images->SetSize(8, 8);
    auto image = FilledBitmap(8, 8, clRed);
    for (int i = 0; i < 9; ++i) images->Add(image.get(), nullptr);
    Box->SetCustomGlyphImages(images);
    EXPECT_TRUE(Box->UseCustomGlyphs());
    delete images;
    EXPECT_EQ(Box->CustomGlyphImages(), nullptr);
    EXPECT_FALSE(Box->UseCustomGlyphs());
    EXPECT_EQ(Box->GlyphCellWidth(), 13);
    EXPECT_NO_THROW(PrintClient(Box));
}

TEST_F(CheckBoxTest, TheFrameControllerRestylesAVisibleFrame) {
    auto controller = new TKitFrameController(Form.get());
    controller->SetColor(clYellow);
    Box->SetFrameController(controller);
    EXPECT_TRUE(controller->IsRegistered(Box));
    EXPECT_FALSE(Box->HotTrack());  // the frame is not visible yet

    Box->SetFrameControllerNotifications(AllFrameControllerNotifications -
                                         TKitFrameControllerNotifications{fcpFocusColor});
    controller->SetFocusColor(clRed);
    controller->SetFrameHotColor(clMaroon);
    controller->SetFrameHotTrack(true);
    EXPECT_TRUE(Box->HotTrack());
    EXPECT_EQ(Box->FillColor(), clYellow);
    EXPECT_EQ(Box->FocusColor(), clWindow);
    EXPECT_EQ(Box->HotTrackStyle(), htsFrame);
    EXPECT_EQ(Box->HotTrackColor(), clMaroon);

    // A box leaves its controller when it goes, and forgets one that goes first.
    delete Box;
    EXPECT_EQ(controller->RegisteredCount(), 0);
    auto second = NewBox("Second", 20, 60);
    second->SetFrameController(controller);
    delete controller;
    EXPECT_EQ(second->FrameController(), nullptr);
}

TEST_F(CheckBoxTest, AThousandPaintsLeaveTheGdiObjectsAsTheyWere) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Box->Width(), Box->Height());
    HDC dc = bitmap->Canvas()->Handle();
    auto paint = [&](int round) {
        Box->SetThemeAware(round % 3 != 0);
        Box->SetHotTrack(round % 2 == 0);
        Box->SetTransparent(round % 5 == 0);
        Box->SetState(TCheckBoxState(round % 3));
        SendMessageA(Box->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
    };
    // One round of every combination first: the platform keeps what the
    // first themed and classic drawings make.
    for (int round = 0; round < 30; ++round) paint(round);
    const size_t before = GdiObjectCount();
    for (int round = 0; round < 1000; ++round) paint(round);
    EXPECT_EQ(GdiObjectCount(), before);
}
