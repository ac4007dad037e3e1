// The picture button: the picture and caption of each state, their places,
// the background, the repeated press, clicks and modal results, the
// keyboard's default, cancel and accelerator keys, and actions.
#include <classlib/ActnList.h>
#include <classlib/ComCtrls.h>
#include <classlib/StdCtrls.h>
#include <gtest/gtest.h>
#include <widgets/picbuttons/PicButton.h>

#include <string>
#include <vector>

#include "ControlProbes.h"
#include "KitFixture.h"
#include "WindowFixture.h"

namespace {

constexpr TColor ButtonColour = 0x00F0E0D0;
constexpr TColor ParentColour = clGreen;

// The button with its state changes in reach of the tests.
class TProbeButton : public TPicButton {
public:
    using TCustomPicButton::MouseEnter;
    using TCustomPicButton::MouseLeave;
    using TPicButton::TPicButton;

    void Press() { MouseDown(mbLeft, {ssLeft}, 1, 1); }
};

std::unique_ptr<TPicture> PictureOf(int width, int height, TColor colour) {
    auto bitmap = FilledBitmap(width, height, colour);
    auto picture = std::make_unique<TPicture>();
    picture->SetGraphic(bitmap.get());
    return picture;
}

class PicButtonTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        MoveMouse(Point(900, 900));
        Form = NewForm(300, 200);
        Parent = new TBox(Form.get(), Form.get(), Bounds(0, 0, 300, 200), ParentColour);
        Button = NewButton(Parent, Bounds(20, 30, 75, 25));
        Form->Show();
        Pump(30);
    }
    void TearDown() override {
        Form.reset();
        WindowTest::TearDown();
    }

    TProbeButton* NewButton(TWinControl* parent, TRect bounds) {
        auto button = new TProbeButton(Form.get());
        button->SetParent(parent);
        button->SetBoundsRect(bounds);
        button->SetColor(ButtonColour);
        return button;
    }
    std::unique_ptr<TBitmap> Face(TWinControl* control = nullptr) {
        return PrintClient(control ? control : Button);
    }
    TPoint Screen(int x = 10, int y = 10) { return ScreenPoint(Button, x, y); }

    std::unique_ptr<TForm> Form;
    TBox* Parent = nullptr;
    TProbeButton* Button = nullptr;
};

}  // namespace

TEST_F(PicButtonTest, ANewButton) {
    TPicButton button(nullptr);
    EXPECT_EQ(button.Caption(), "");
    EXPECT_EQ(button.TextAlign(), TPicTextAlign::taCenter);
    EXPECT_EQ(button.PictureAlign(), paTopLeft);
    EXPECT_EQ(button.RepeatInterval(), 100);
    EXPECT_EQ(button.FocusedRectMargin(), 2);
    EXPECT_EQ(button.TransparentColor(), clFuchsia);
    EXPECT_TRUE(button.DrawFocused());
    EXPECT_FALSE(button.DrawBorder());
    EXPECT_FALSE(button.Transparent());
    EXPECT_FALSE(button.AutoSize());
    EXPECT_FALSE(button.ControlStyle().Contains(csDoubleClicks));
    EXPECT_FALSE(button.ControlStyle().Contains(csAcceptsControls));
    // Each state's font starts as a copy of the button's font.
    for (TFont* font : {button.FontMouseHover(), button.FontMouseDown(), button.FontDisabled()}) {
        EXPECT_NE(font, button.Font());
        EXPECT_EQ(font->Name(), button.Font()->Name());
        EXPECT_EQ(font->Height(), button.Font()->Height());
    }
    EXPECT_TRUE(button.PicNormal()->Graphic() == nullptr);
}

TEST_F(PicButtonTest, EachStateShowsItsPictureOrTheNormalOne) {
    struct TCase {
        bool normal, hover, down, disabled;
        TColor inNormal, inHover, inDown, inDisabled;
    };
    const TCase cases[] = {
        {true, true, true, true, clRed, clLime, clBlue, clYellow},
        {true, false, false, false, clRed, clRed, clRed, clRed},
        {true, true, false, false, clRed, clLime, clRed, clRed},
        {false, true, true, true, ButtonColour, clLime, clBlue, clYellow},
        {false, false, false, false, ButtonColour, ButtonColour, ButtonColour, ButtonColour},
    };
    for (const TCase& c : cases) {
        auto button = NewButton(Parent, Bounds(120, 30, 40, 20));
        if (c.normal) button->SetPicNormal(PictureOf(40, 20, clRed).get());
        if (c.hover) button->SetPicMouseHover(PictureOf(40, 20, clLime).get());
        if (c.down) button->SetPicMouseDown(PictureOf(40, 20, clBlue).get());
        if (c.disabled) button->SetPicDisabled(PictureOf(40, 20, clYellow).get());
        EXPECT_EQ(PixelAt(Face(button).get(), 20, 10), Rgb(c.inNormal));
        button->MouseEnter();
        EXPECT_EQ(PixelAt(Face(button).get(), 20, 10), Rgb(c.inHover));
        button->Press();
        EXPECT_EQ(PixelAt(Face(button).get(), 20, 10), Rgb(c.inDown));
        // Disabled comes first, whatever else holds.
        button->SetEnabled(false);
        EXPECT_EQ(PixelAt(Face(button).get(), 20, 10), Rgb(c.inDisabled));
        delete button;
    }
}

TEST_F(PicButtonTest, ThePictureLiesWhereItsAlignmentSays) {
    auto picture = PictureOf(20, 10, clRed);
    Button->SetPicNormal(picture.get());
    Button->SetPictureX(3);
    Button->SetPictureY(4);
    const std::pair<TPicAlign, TPoint> places[] = {
        {paTopLeft, {0, 0}},     {paTopCenter, {27, 0}},     {paTopRight, {55, 0}},
        {paMiddleLeft, {0, 7}},  {paMiddleCenter, {27, 7}},  {paMiddleRight, {55, 7}},
        {paBottomLeft, {0, 15}}, {paBottomCenter, {27, 15}}, {paBottomRight, {55, 15}},
        {paCenter, {27, 7}},     {paLeft, {0, 7}},           {paRight, {55, 7}},
        {paCustom, {3, 4}},
    };
    for (auto [align, at] : places) {
        Button->SetPictureAlign(align);
        EXPECT_EQ(Extent(Face().get(), Rgb(clRed)), Bounds(at.x, at.y, 20, 10)) << int{align};
    }
    // Stretched from its place to the bottom-right corner.
    Button->SetStretch(true);
    Button->SetPictureAlign(paCenter);
    EXPECT_EQ(Extent(Face().get(), Rgb(clRed)), Rect(27, 7, 75, 25));
}

TEST_F(PicButtonTest, TheTransparentColourOfThePictureCanBeLeftOut) {
    auto bitmap = FilledBitmap(75, 25, clBlue);
    bitmap->Canvas()->Brush()->SetColor(clFuchsia);
    bitmap->Canvas()->FillRect(Rect(0, 0, 30, 25));
    TPicture picture;
    picture.SetGraphic(bitmap.get());
    Button->SetPicNormal(&picture);
    EXPECT_EQ(PixelAt(Face().get(), 10, 10), Rgb(clFuchsia));
    Button->SetEnableTransparentColor(true);
    EXPECT_EQ(PixelAt(Face().get(), 10, 10), Rgb(ButtonColour));
    EXPECT_EQ(PixelAt(Face().get(), 50, 10), Rgb(clBlue));
    Button->SetTransparentColor(clBlue);
    EXPECT_EQ(PixelAt(Face().get(), 50, 10), Rgb(ButtonColour));
}

TEST_F(PicButtonTest, ATransparentButtonShowsItsParent) {
    new TSwatch(Form.get(), Parent, Bounds(10, 20, 20, 20), clRed);
    Button->SetTransparent(true);
    auto face = Face();
    EXPECT_EQ(PixelAt(face.get(), 0, 0), Rgb(clRed));  // parent (20, 30)
    EXPECT_EQ(PixelAt(face.get(), 9, 9), Rgb(clRed));
    EXPECT_EQ(PixelAt(face.get(), 10, 10), Rgb(ParentColour));
    EXPECT_EQ(Extent(face.get(), Rgb(ButtonColour)).right, -1);
}

namespace {

// A page control whose face has one red pixel at (50, 60).
class TMarkedPages : public TPageControl {
public:
    using TPageControl::TPageControl;
    void WndProc(TMessage& message) override {
        TPageControl::WndProc(message);
        if (message.Msg == WM_PAINT && message.WParam)
            SetPixel(reinterpret_cast<HDC>(message.WParam), 50, 60, RGB(255, 0, 0));
    }
};

}  // namespace

TEST_F(PicButtonTest, OnAPageTheButtonShowsThePageControlAtItsOwnPlace) {
    auto pages = new TMarkedPages(Form.get());
    pages->SetParent(Form.get());
    pages->SetBounds(0, 0, 300, 200);
    auto sheet = new TTabSheet(Form.get());
    sheet->SetPageControl(pages);
    sheet->SetColor(clYellow);
    pages->SetActivePageIndex(0);
    auto button = NewButton(sheet, Bounds(30, 20, 40, 40));
    button->SetTransparent(true);
    Pump(20);
    // The page control's (50, 60) within the button.
    const int x = 50 - sheet->Left() - 30;
    const int y = 60 - sheet->Top() - 20;
    ASSERT_TRUE(x > 0 && x < 40 && y > 0 && y < 40) << x << "," << y;
    auto face = Face(button);
    EXPECT_EQ(PixelAt(face.get(), x, y), RGB(255, 0, 0));
    EXPECT_EQ(Extent(face.get(), RGB(255, 0, 0)), Bounds(x, y, 1, 1));
    EXPECT_EQ(Extent(face.get(), Rgb(clYellow)).right, -1);  // not the sheet's colour
}

TEST_F(PicButtonTest, CaptionPlacesAndTheHeldDownShift) {
    Button->SetBounds(20, 30, 120, 40);
    Button->SetCaption("Scan");
    const COLORREF background = Rgb(ButtonColour);
    const TRect centred = Extent(Face().get(), background, true);
    EXPECT_LE(std::abs(centred.left + centred.right - 120), 3);
    EXPECT_LE(std::abs(centred.top + centred.bottom - 40), 3);

    Button->Press();
    const TRect pressed = Extent(Face().get(), background, true);
    EXPECT_EQ(pressed,
              Rect(centred.left + 1, centred.top + 1, centred.right + 1, centred.bottom + 1));
    Button->MouseLeave();

    Button->SetTextAlign(TPicTextAlign::taCustom);
    Button->SetTextX(10);
    Button->SetTextY(5);
    const TRect custom = Extent(Face().get(), background, true);
    EXPECT_GE(custom.left, 10);
    EXPECT_LE(custom.left, 12);
    EXPECT_GE(custom.top, 5);
    EXPECT_LE(custom.top, 9);
    Button->Press();
    EXPECT_EQ(Extent(Face().get(), background, true), custom);
    Button->MouseLeave();

    const std::pair<TPicTextAlign, std::pair<bool, bool>> corners[] = {
        {TPicTextAlign::taTopLeft, {true, true}},
        {TPicTextAlign::taBottomRight, {false, false}},
        {TPicTextAlign::taLeft, {true, false}},
    };
    for (auto [align, nearTopLeft] : corners) {
        Button->SetTextAlign(align);
        const TRect text = Extent(Face().get(), background, true);
        EXPECT_EQ(text.left < 5, nearTopLeft.first) << static_cast<int>(align);
        if (align == TPicTextAlign::taTopLeft) {
            EXPECT_LT(text.top, 5);
        }
        if (align == TPicTextAlign::taBottomRight) {
            EXPECT_GT(text.bottom, 35);
            EXPECT_GT(text.right, 115);
        }
    }
}

TEST_F(PicButtonTest, BlanksAreNoCaptionAndAnAmpersandUnderlines) {
    Button->SetBounds(20, 30, 120, 40);
    const COLORREF background = Rgb(ButtonColour);
    Button->SetCaption("  \t ");
    EXPECT_EQ(Extent(Face().get(), background, true).right, -1);
    Button->SetCaption("Scan");
    const TRect plain = Extent(Face().get(), background, true);
    Button->SetCaption("&Scan");
    const TRect underlined = Extent(Face().get(), background, true);
    EXPECT_GT(underlined.bottom, plain.bottom);
    EXPECT_EQ(underlined.right - underlined.left, plain.right - plain.left);
}

TEST_F(PicButtonTest, EachStateDrawsTheCaptionInItsFont) {
    Button->SetBounds(20, 30, 120, 40);
    Button->SetCaption("Scan");
    Button->Font()->SetColor(clBlack);
    TFont hover, down, disabled;
    hover.SetColor(clRed);
    down.SetColor(clBlue);
    disabled.SetColor(clGray);
    Button->SetFontMouseHover(&hover);
    Button->SetFontMouseDown(&down);
    Button->SetFontDisabled(&disabled);
    hover.SetColor(clLime);  // the button keeps a copy
    EXPECT_EQ(Button->FontMouseHover()->Color(), clRed);

    auto inks = [&] {
        auto face = Face();
        std::vector<bool> seen;
        for (TColor colour : {clBlack, clRed, clBlue, clGray})
            seen.push_back(Extent(face.get(), Rgb(colour)).right != -1);
        return seen;
    };
    EXPECT_EQ(inks(), (std::vector<bool>{true, false, false, false}));
    Button->MouseEnter();
    EXPECT_EQ(inks(), (std::vector<bool>{false, true, false, false}));
    Button->Press();
    EXPECT_EQ(inks(), (std::vector<bool>{false, false, true, false}));
    Button->MouseLeave();

    // Disabled: its font at the normal place, a grey border.
    const TRect normal = Extent(Face().get(), Rgb(ButtonColour), true);
    Button->SetEnabled(false);
    EXPECT_EQ(inks(), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(Extent(Face().get(), Rgb(ButtonColour), true), normal);
    Button->SetDrawBorder(true);
    auto framed = Face();
    EXPECT_EQ(PixelAt(framed.get(), 0, 0), Rgb(clGray));
    EXPECT_EQ(PixelAt(framed.get(), 119, 39), Rgb(clGray));
    Button->SetEnabled(true);
    EXPECT_EQ(PixelAt(Face().get(), 0, 20), Rgb(clBlack));
}

TEST_F(PicButtonTest, TheFocusRectangleNeedsFocusTabStopAndDrawFocused) {
    auto dotted = [&] {
        auto face = Face();
        int marks = 0;
        for (int x = 2; x < 73; ++x) marks += PixelAt(face.get(), x, 2) != Rgb(ButtonColour);
        return marks;
    };
    Button->SetTabStop(true);
    EXPECT_EQ(dotted(), 0);
    Button->SetFocus();
    ASSERT_TRUE(Button->Focused());
    EXPECT_GT(dotted(), 20);
    EXPECT_EQ(PixelAt(Face().get(), 1, 1), Rgb(ButtonColour));  // inside the margin
    Button->SetFocusedRectMargin(4);
    EXPECT_EQ(dotted(), 0);
    Button->SetFocusedRectMargin(2);
    Button->SetDrawFocused(false);
    EXPECT_EQ(dotted(), 0);
    Button->SetDrawFocused(true);
    Button->SetTabStop(false);
    EXPECT_EQ(dotted(), 0);
}

TEST_F(PicButtonTest, HoldingTheLeftButtonRepeatsUntilTheRelease) {
    int repeats = 0;
    int clicks = 0;
    Button->OnMouseContinuouslyDown = [&](TObject*) { ++repeats; };
    Button->OnClick = [&](TObject*) { ++clicks; };
    MoveMouse(Screen());
    EXPECT_TRUE(Button->MouseOver());
    PressMouse(mbLeft, true);
    EXPECT_TRUE(Button->Pressed());
    Pump(360);
    PressMouse(mbLeft, false);
    EXPECT_GE(repeats, 2);
    EXPECT_LE(repeats, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(Button->Pressed());
    const int held = repeats;
    Pump(250);
    EXPECT_EQ(repeats, held);

    // The right button repeats nothing and presses nothing.
    PressMouse(mbRight, true);
    EXPECT_FALSE(Button->Pressed());
    Pump(250);
    PressMouse(mbRight, false);
    EXPECT_EQ(repeats, held);
    EXPECT_EQ(clicks, 1);
}

TEST_F(PicButtonTest, LeavingWhileHeldStopsTheRepeatAndTheClick) {
    int repeats = 0;
    int clicks = 0;
    Button->OnMouseContinuouslyDown = [&](TObject*) { ++repeats; };
    Button->OnClick = [&](TObject*) { ++clicks; };
    int enters = 0, exits = 0;
    Button->OnMouseEnter = [&](TObject*) { ++enters; };
    Button->OnMouseExit = [&](TObject*) { ++exits; };
    MoveMouse(Screen());
    PressMouse(mbLeft, true);
    MoveMouse(Screen(200, 10));
    EXPECT_FALSE(Button->MouseOver());
    EXPECT_FALSE(Button->Pressed());
    PressMouse(mbLeft, false);
    Pump(50);
    const int after = repeats;
    Pump(250);
    EXPECT_EQ(repeats, after);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);
}

TEST_F(PicButtonTest, AClickGivesTheFormTheButtonsModalResult) {
    Form->SetModalResult(mrOk);
    Button->Click();
    EXPECT_EQ(Form->ModalResult(), mrNone);
    Button->SetModalResult(mrCancel);
    int clicks = 0;
    Button->OnClick = [&](TObject*) { ++clicks; };
    ClickAt(Screen());
    EXPECT_EQ(Form->ModalResult(), mrCancel);
    EXPECT_EQ(clicks, 1);
}

TEST_F(PicButtonTest, SpaceAndEnterPressAndClickTheFocusedButton) {
    int clicks = 0;
    Button->OnClick = [&](TObject*) { ++clicks; };
    Button->SetTabStop(true);
    Button->SetFocus();
    for (WORD key : {WORD{VK_SPACE}, WORD{VK_RETURN}}) {
        KeyEvent(key, true);
        Pump(40);
        EXPECT_TRUE(Button->Pressed()) << key;
        KeyEvent(key, false);
        Pump(40);
        EXPECT_FALSE(Button->Pressed());
    }
    EXPECT_EQ(clicks, 2);
}

TEST_F(PicButtonTest, EnterClicksTheDefaultButtonUnlessAPushButtonHasTheFocus) {
    TLog log;
    Button->OnClick = [&](TObject*) { log.push_back("default"); };
    auto other = NewButton(Parent, Bounds(120, 30, 75, 25));
    other->SetTabStop(true);
    other->OnClick = [&](TObject*) { log.push_back("other"); };
    auto push = new TButton(Form.get());
    push->SetParent(Parent);
    push->SetBounds(20, 100, 75, 25);
    push->OnClick = [&](TObject*) { log.push_back("push"); };
    Button->SetDefault(true);
    other->SetFocus();
    EXPECT_TRUE(Button->Active());
    EXPECT_FALSE(other->Active());
    PressKey(VK_RETURN);
    EXPECT_EQ(log, (TLog{"default"}));

    // With Shift held Enter is no dialog key: the focused button takes it.
    log.clear();
    PressKey(VK_RETURN, {VK_SHIFT});
    EXPECT_EQ(log, (TLog{"other"}));

    log.clear();
    push->SetFocus();
    EXPECT_FALSE(Button->Active());
    PressKey(VK_RETURN);
    EXPECT_EQ(log, (TLog{"push"}));

    // Not default any more: the focused button takes Enter itself.
    Button->SetDefault(false);
    other->SetFocus();
    EXPECT_FALSE(Button->Active());
    log.clear();
    PressKey(VK_RETURN);
    EXPECT_EQ(log, (TLog{"other"}));
}

TEST_F(PicButtonTest, EscapeClicksTheCancelButtonAndAltTheAccelerator) {
    TLog log;
    Button->OnClick = [&](TObject*) { log.push_back("cancel"); };
    Button->SetCancel(true);
    auto scan = NewButton(Parent, Bounds(120, 30, 75, 25));
    scan->SetCaption("&Scan");
    scan->SetTabStop(true);
    scan->OnClick = [&](TObject*) { log.push_back("scan"); };
    scan->SetFocus();
    PressKey(VK_ESCAPE);
    EXPECT_EQ(log, (TLog{"cancel"}));
    log.clear();
    PressKey('S', {VK_MENU});
    EXPECT_EQ(log, (TLog{"scan"}));
    scan->SetEnabled(false);
    log.clear();
    PressKey('S', {VK_MENU});
    EXPECT_TRUE(log.empty());
}

TEST_F(PicButtonTest, ALinkedActionGivesItsCaptionAndRunsOnClick) {
    TActionList list(nullptr);
    TAction action(nullptr);
    action.SetActionList(&list);
    action.SetCaption("Help");
    int runs = 0;
    action.OnExecute = [&](TObject*) { ++runs; };
    Button->SetAction(&action);
    EXPECT_EQ(Button->Caption(), "Help");
    Button->Click();
    EXPECT_EQ(runs, 1);
    action.SetEnabled(false);
    EXPECT_FALSE(Button->Enabled());
    Button->SetAction(nullptr);
}

TEST_F(PicButtonTest, PaintingLeavesNoGdiObjectsBehind) {
    Button->SetPicNormal(PictureOf(75, 25, clRed).get());
    Button->SetEnableTransparentColor(true);
    Button->SetTransparent(true);
    Button->SetDrawBorder(true);
    Button->SetCaption("Scan");
    TPaintTarget target(75, 25);
    const auto dc = reinterpret_cast<WPARAM>(target.Canvas()->Handle());
    SendMessageA(Button->Handle(), WM_PRINTCLIENT, dc, PRF_CLIENT);
    const size_t before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) SendMessageA(Button->Handle(), WM_PRINTCLIENT, dc, PRF_CLIENT);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(PicButtonTest, APictureLoadedInPlaceRepaintsTheButton) {
    const std::string path = "PicButtonNormal.bmp";
    WriteBmp(path, 75, 25, [](int, int) { return RGB(0, 0, 255); });
    Pump(20);
    ValidateRect(Button->Handle(), nullptr);
    Button->PicNormal()->LoadFromFile(path);
    EXPECT_TRUE(GetUpdateRect(Button->Handle(), nullptr, FALSE));
    EXPECT_EQ(Button->PicNormal()->Width(), 75);
    EXPECT_EQ(PixelAt(Face().get(), 40, 12), RGB(0, 0, 255));
    DeleteFileA(path.c_str());
}
