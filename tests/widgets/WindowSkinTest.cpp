// The window skin: the form cut to the glyph and sized to it, painting, and
// dragging the form by any mouse button.
#include <gtest/gtest.h>
#include <widgets/panels/WindowSkin.h>

#include <string>
#include <vector>

#include "ControlProbes.h"
#include "KitFixture.h"
#include "WindowFixture.h"

namespace {

constexpr TColor Face = 0x00306090;

// A 60 x 40 glyph: fuchsia corners of 3 x 3 pixels, a green dot at (10, 10).
std::unique_ptr<TBitmap> RoundedGlyph() {
    auto glyph = FilledBitmap(60, 40, Face);
    TCanvas* canvas = glyph->Canvas();
    canvas->Brush()->SetColor(clFuchsia);
    for (TPoint corner : {Point(0, 0), Point(57, 0), Point(0, 37), Point(57, 37)})
        canvas->FillRect(Bounds(corner.x, corner.y, 3, 3));
    canvas->SetPixels(10, 10, clGreen);
    return glyph;
}

// A form that records the non-client presses it is sent instead of starting
// the platform's move loop, and writes them into a log.
class TDragProbeForm : public TForm {
public:
    explicit TDragProbeForm(TLog* log) : TForm(nullptr), Log(log) {}
    TLog* Log;
    std::vector<std::pair<WPARAM, LPARAM>> NcPresses;

    void WndProc(TMessage& message) override {
        if (message.Msg == WM_NCLBUTTONDOWN) {
            NcPresses.emplace_back(message.WParam, message.LParam);
            Log->push_back("nc press");
            return;
        }
        TForm::WndProc(message);
    }
};

class WindowSkinTest : public WindowTest {
protected:
    // The form's region as a list of which pixels are in it.
    static bool InRegion(TCustomForm* form, int x, int y) {
        TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(form->Handle(), region.Get()) == ERROR) return true;
        return PtInRegion(region.Get(), x, y) != 0;
    }
    static bool HasRegion(TCustomForm* form) {
        TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(form->Handle(), region.Get()) != ERROR;
    }
};

}  // namespace

TEST_F(WindowSkinTest, OnAFormItTakesTheFrameAway) {
    auto form = NewForm();
    auto skin = new TWindowSkin(form.get());
    EXPECT_EQ(skin->Form(), form.get());
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(skin->TransparentColor(), clFuchsia);
    EXPECT_TRUE(skin->Glyph()->Empty());
    EXPECT_EQ(skin->Width(), 200);
    EXPECT_EQ(skin->Height(), 100);
    // Without a glyph the form keeps its size and has no region.
    EXPECT_EQ(form->Width(), 400);
    EXPECT_FALSE(HasRegion(form.get()));
}

TEST_F(WindowSkinTest, AGlyphCutsTheFormAndSizesIt) {
    // A form that has its window is cut at once; one still being built makes
    // no window for it and is cut when its window is made.
    for (bool windowFirst : {true, false}) {
        SCOPED_TRACE(windowFirst ? "window first" : "glyph first");
        auto form = NewForm();
        if (windowFirst) form->HandleNeeded();
        auto skin = new TWindowSkin(form.get());
        skin->SetParent(form.get());
        skin->SetBounds(15, 20, 200, 100);
        int changes = 0;
        skin->OnRegionChanged = [&](TObject* sender) {
            EXPECT_EQ(sender, skin);
            ++changes;
        };
        auto glyph = RoundedGlyph();
        skin->SetGlyph(glyph.get());

        EXPECT_EQ(form->HandleAllocated(), windowFirst);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(skin->BoundsRect(), Rect(0, 0, 60, 40));
        EXPECT_EQ(form->ClientWidth(), 60);
        EXPECT_EQ(form->ClientHeight(), 40);
        EXPECT_FALSE(InRegion(form.get(), 0, 0));
        EXPECT_FALSE(InRegion(form.get(), 59, 39));
        EXPECT_TRUE(InRegion(form.get(), 3, 0));
        EXPECT_TRUE(InRegion(form.get(), 59, 3));  // the last column
        EXPECT_TRUE(InRegion(form.get(), 30, 20));
        // The glyph is a copy.
        glyph->Canvas()->SetPixels(30, 20, clFuchsia);
        EXPECT_EQ(skin->Glyph()->Canvas()->Pixels(30, 20), Face);
    }
}

TEST_F(WindowSkinTest, TheColourSetLastShapesAGlyphLoadedInPlace) {
    // As the skin loader does it: the picture straight into Glyph, then the
    // colour through its setter, even when it is the one the skin has.
    const std::string path = "WindowSkinGlyph.bmp";
    WriteBmp(path, 30, 20,
             [](int x, int y) { return x < 5 && y < 5 ? RGB(255, 0, 255) : RGB(9, 9, 9); });
    auto form = NewForm();
    auto skin = new TWindowSkin(form.get());
    int changes = 0;
    skin->OnRegionChanged = [&](TObject*) { ++changes; };
    skin->Glyph()->LoadFromFile(path);
    EXPECT_EQ(changes, 0);
    skin->SetTransparentColor(clFuchsia);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form->ClientWidth(), 30);
    EXPECT_EQ(form->ClientHeight(), 20);
    EXPECT_FALSE(InRegion(form.get(), 4, 4));
    EXPECT_TRUE(InRegion(form.get(), 5, 4));

    // Another colour cuts other pixels.
    skin->SetTransparentColor(RGB(9, 9, 9));
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(InRegion(form.get(), 4, 4));
    EXPECT_FALSE(InRegion(form.get(), 5, 4));
    DeleteFileA(path.c_str());
}

TEST_F(WindowSkinTest, AnEmptyGlyphChangesNothing) {
    auto form = NewForm();
    auto skin = new TWindowSkin(form.get());
    auto glyph = RoundedGlyph();
    skin->SetGlyph(glyph.get());
    int changes = 0;
    skin->OnRegionChanged = [&](TObject*) { ++changes; };

    skin->SetGlyph(nullptr);
    skin->SetTransparentColor(clRed);
    EXPECT_TRUE(skin->Glyph()->Empty());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(skin->BoundsRect(), Rect(0, 0, 60, 40));
    EXPECT_EQ(form->ClientWidth(), 60);
    EXPECT_FALSE(InRegion(form.get(), 0, 0));  // the old shape stays
}

TEST_F(WindowSkinTest, PaintsTheGlyphOrAFrame) {
    auto form = NewForm();
    form->SetColor(clWhite);
    auto skin = new TWindowSkin(form.get());
    skin->SetParent(form.get());
    int paints = 0;
    skin->OnPaint = [&](TObject*) { ++paints; };
    form->Show();

    // No glyph: a black line around the control, the form inside it.
    auto framed = PrintClient(form.get());
    EXPECT_EQ(ColorToRGB(framed->Canvas()->Pixels(0, 0)), ColorToRGB(clBlack));
    EXPECT_EQ(ColorToRGB(framed->Canvas()->Pixels(199, 99)), ColorToRGB(clBlack));
    EXPECT_EQ(ColorToRGB(framed->Canvas()->Pixels(100, 99)), ColorToRGB(clBlack));
    EXPECT_EQ(ColorToRGB(framed->Canvas()->Pixels(100, 50)), ColorToRGB(clWhite));
    EXPECT_EQ(paints, 1);

    auto glyph = RoundedGlyph();
    skin->SetGlyph(glyph.get());
    auto painted = PrintClient(form.get());
    EXPECT_EQ(painted->Canvas()->Pixels(10, 10), clGreen);
    EXPECT_EQ(painted->Canvas()->Pixels(30, 30), Face);
    EXPECT_EQ(paints, 2);
}

TEST_F(WindowSkinTest, AnyButtonPressedOnItDragsTheForm) {
    TLog log;
    TDragProbeForm form(&log);
    form.SetBounds(300, 250, 300, 200);
    auto skin = new TWindowSkin(&form);
    skin->SetParent(&form);
    skin->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
        log.push_back("down " + std::to_string(button) + " at " + std::to_string(x) + "," +
                      std::to_string(y));
    };
    form.Show();

    const std::pair<UINT, TMouseButton> presses[] = {
        {WM_RBUTTONDOWN, mbRight}, {WM_LBUTTONDOWN, mbLeft}, {WM_MBUTTONDOWN, mbMiddle}};
    for (auto [message, button] : presses) {
        log.clear();
        form.NcPresses.clear();
        SendMessageA(form.Handle(), message, 0, MAKELPARAM(40, 30));
        EXPECT_EQ(log, (TLog{"down " + std::to_string(button) + " at 40,30", "nc press"}));
        ASSERT_EQ(form.NcPresses.size(), 1u);
        EXPECT_EQ(form.NcPresses[0].first, static_cast<WPARAM>(HTCAPTION));
        EXPECT_EQ(form.NcPresses[0].second, 0);
        EXPECT_EQ(GetCapture(), nullptr);  // the platform's move loop takes the mouse
        EXPECT_EQ(CaptureControl(), nullptr);
    }

    // Outside the control the form is not dragged.
    log.clear();
    SendMessageA(form.Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(250, 150));
    EXPECT_TRUE(form.NcPresses.size() == 1 && log.empty());
}

TEST_F(WindowSkinTest, WithoutAFormItOnlyKeepsItsGlyph) {
    TComponent owner(nullptr);
    auto skin = new TWindowSkin(&owner);
    EXPECT_EQ(skin->Form(), nullptr);
    int changes = 0;
    skin->OnRegionChanged = [&](TObject*) { ++changes; };
    auto glyph = RoundedGlyph();
    skin->SetGlyph(glyph.get());
    skin->SetTransparentColor(clRed);
    EXPECT_EQ(skin->Glyph()->Width(), 60);
    EXPECT_EQ(skin->TransparentColor(), clRed);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(skin->Width(), 200);
}
