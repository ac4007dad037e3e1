// Labels, images, panels and push buttons: their sizing, their painting and
// the push button's part in dialogs.
#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <classlib/StdCtrls.h>
#include <gtest/gtest.h>

#include "ControlProbes.h"
#include "GraphicsFixture.h"
#include "WindowFixture.h"

namespace {

COLORREF Pixel(TBitmap* bitmap, int x, int y) {
    return static_cast<COLORREF>(bitmap->Canvas()->Pixels(x, y));
}

// A plain container the controls sit on, painted lime.
TBox* Ground(TForm* form, int width = 300, int height = 200) {
    return new TBox(form, form, Bounds(0, 0, width, height), clLime);
}

bool AnyPixel(TBitmap* bitmap, const TRect& area, COLORREF color) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Pixel(bitmap, x, y) == color) return true;
    return false;
}

}  // namespace

class StdControlsTest : public WindowTest {};

TEST_F(StdControlsTest, ALabelTakesTheSizeOfItsTextWrappedAtItsWidthWhenAsked) {
    auto form = NewForm();
    auto ground = Ground(form.get());
    auto label = new TLabel(form.get());
    label->SetParent(ground);
    label->SetBounds(10, 10, 200, 17);
    label->SetCaption("Registry Scan");
    TWindowCanvas screen;
    screen.SetFont(label->Font());
    EXPECT_EQ(label->Width(), screen.TextWidth("Registry Scan"));
    EXPECT_EQ(label->Height(), screen.TextHeight("Registry Scan"));

    // Right-aligned, it keeps its right edge.
    label->SetAlignment(taRightJustify);
    int right = label->Left() + label->Width();
    label->SetCaption("Registry Scan Results");
    EXPECT_EQ(label->Left() + label->Width(), right);

    // Word wrap keeps the width and grows downwards.
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 60, 17);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    EXPECT_LE(label->Width(), 60);
    EXPECT_GE(label->Height(), 3 * screen.TextHeight("R"));

    // Without AutoSize nothing changes size.
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 50, 50);
    label->SetCaption("x");
    EXPECT_EQ(label->Width(), 50);
}

TEST_F(StdControlsTest, ALabelPaintsItsBackgroundUnlessTransparent) {
    auto form = NewForm();
    auto ground = Ground(form.get());
    auto label = new TLabel(form.get());
    label->SetParent(ground);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 100, 30);
    label->SetCaption("ab");
    label->SetColor(clYellow);
    label->Font()->SetColor(clBlue);
    auto bitmap = PrintClient(ground);
    EXPECT_EQ(Pixel(bitmap.get(), 100, 25), RGB(255, 255, 0));
    EXPECT_TRUE(AnyPixel(bitmap.get(), Rect(10, 10, 30, 25), RGB(0, 0, 255)));

    label->SetTransparent(true);
    bitmap = PrintClient(ground);
    EXPECT_EQ(Pixel(bitmap.get(), 100, 25), RGB(0, 255, 0));
    EXPECT_TRUE(AnyPixel(bitmap.get(), Rect(10, 10, 30, 25), RGB(0, 0, 255)));

    // Disabled: embossed in the button colours, no longer in its font colour.
    label->SetEnabled(false);
    bitmap = PrintClient(ground);
    EXPECT_FALSE(AnyPixel(bitmap.get(), Rect(10, 10, 30, 25), RGB(0, 0, 255)));
    EXPECT_TRUE(AnyPixel(bitmap.get(), Rect(10, 10, 30, 26), ColorToRGB(clBtnShadow)));
}

TEST_F(StdControlsTest, AnImageDrawsItsPictureAsItsSettingsSay) {
    auto form = NewForm();
    auto ground = Ground(form.get());
    auto image = new TImage(form.get());
    image->SetParent(ground);
    image->SetBounds(10, 10, 80, 60);
    // A 20 x 10 picture: red, with a fuchsia (transparent) left half.
    auto picture = FilledBitmap(20, 10, clRed);
    picture->Canvas()->Brush()->SetColor(clFuchsia);
    picture->Canvas()->FillRect(Rect(0, 0, 10, 10));
    picture->SetTransparentColor(clFuchsia);
    image->Picture()->SetGraphic(picture.get());

    auto bitmap = PrintClient(ground);
    EXPECT_EQ(Pixel(bitmap.get(), 25, 15), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(bitmap.get(), 15, 15), RGB(255, 0, 255));
    EXPECT_EQ(Pixel(bitmap.get(), 35, 15), RGB(0, 255, 0));  // beyond the picture

    image->SetTransparent(true);
    bitmap = PrintClient(ground);
    EXPECT_EQ(Pixel(bitmap.get(), 15, 15), RGB(0, 255, 0));
    EXPECT_EQ(Pixel(bitmap.get(), 25, 15), RGB(255, 0, 0));

    image->SetStretch(true);
    bitmap = PrintClient(ground);
    EXPECT_EQ(Pixel(bitmap.get(), 85, 65), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(bitmap.get(), 15, 65), RGB(0, 255, 0));

    image->SetStretch(false);
    image->SetCenter(true);
    bitmap = PrintClient(ground);
    EXPECT_EQ(Pixel(bitmap.get(), 10 + 30 + 15, 10 + 25 + 5), RGB(255, 0, 0));

    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(image->Height(), 10);
    image->Picture()->SetGraphic(FilledBitmap(33, 44, clBlue).get());
    EXPECT_EQ(image->Width(), 33);
    EXPECT_EQ(image->Height(), 44);
}

TEST_F(StdControlsTest, APanelPaintsBevelsBorderAndCaptionAndLaysOutInside) {
    auto form = NewForm();
    auto panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 120, 60);
    panel->SetColor(clSilver);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    panel->SetCaption("M");
    panel->Font()->SetColor(clRed);
    auto bitmap = PrintClient(panel);
    EXPECT_EQ(Pixel(bitmap.get(), 0, 30), ColorToRGB(clBtnHighlight));          // outer, lit side
    EXPECT_EQ(Pixel(bitmap.get(), 119, 30), ColorToRGB(clBtnShadow));           // outer, dark side
    EXPECT_EQ(Pixel(bitmap.get(), 3, 30), RGB(192, 192, 192));                  // border band
    EXPECT_EQ(Pixel(bitmap.get(), 5, 30), ColorToRGB(clBtnShadow));             // inner, lowered
    EXPECT_TRUE(AnyPixel(bitmap.get(), Rect(40, 20, 80, 40), RGB(255, 0, 0)));  // centred caption

    auto child = new TSwatch(form.get(), panel, Bounds(0, 0, 10, 10), clBlue);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect().left, 7);  // 2 + 3 + 2
    EXPECT_EQ(child->BoundsRect().bottom, 60 - 7);
    panel->SetBorderWidth(0);
    EXPECT_EQ(child->BoundsRect().left, 4);
}

TEST_F(StdControlsTest, PushButtonsClickSetTheModalResultAndAnswerEnterAndEscape) {
    auto form = NewForm();
    auto ok = new TButton(form.get());
    ok->SetParent(form.get());
    ok->SetBounds(10, 10, 75, 25);
    ok->SetCaption("&OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto cancel = new TButton(form.get());
    cancel->SetParent(form.get());
    cancel->SetBounds(100, 10, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto box = new TBox(form.get(), form.get(), Bounds(10, 50, 50, 30), clRed);
    box->SetTabStop(true);
    std::vector<std::string> clicks;
    ok->OnClick = [&](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [&](TObject*) { clicks.push_back("cancel"); };
    form->Show();

    SendMessageA(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, TLog{"ok"});
    EXPECT_EQ(form->ModalResult(), mrOk);

    // Focus on another control: Enter clicks the default button, Escape the cancel one.
    box->SetFocus();
    EXPECT_TRUE(ok->Active());
    EXPECT_TRUE(GetWindowLongPtrA(ok->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    clicks.clear();
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    PressKey('O', {VK_MENU});
    EXPECT_EQ(clicks, (TLog{"ok", "cancel", "ok"}));
    EXPECT_EQ(form->ModalResult(), mrOk);

    // A focused push button is the one Enter means.
    cancel->SetFocus();
    EXPECT_FALSE(ok->Active());
    EXPECT_TRUE(cancel->Active());
    EXPECT_FALSE(GetWindowLongPtrA(ok->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
}
