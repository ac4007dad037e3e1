// Painting: a window's windowless children in their places, into the paint
// DC, into a DC handed over in wParam and through double buffering; the
// buffered paint of any canvas; and no GDI object left behind.
#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "ControlProbes.h"
#include "GraphicsFixture.h"
#include "WindowFixture.h"

namespace {

// A container whose own face is one colour drawn by Paint (not by erasing).
class TFace : public TBox {
public:
    TFace(TComponent* owner, TWinControl* parent, TRect bounds, TColor face)
        : TBox(owner, parent, bounds, clBlack), Face(face) {}
    TColor Face;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Face);
        Canvas()->Pen()->SetColor(clNavy);
        Canvas()->Font()->SetStyle({fsItalic});
        Canvas()->FillRect(ClientRect());
        Canvas()->TextOut(ClientWidth() - 30, ClientHeight() - 16, "face");
    }
};

// Says it covers its area but paints nothing.
class TBlank : public TGraphicControl {
public:
    TBlank(TComponent* owner, TWinControl* parent, TRect bounds, bool opaque)
        : TGraphicControl(owner) {
        if (opaque) SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
        SetBoundsRect(bounds);
        SetParent(parent);
    }
};

COLORREF Pixel(TBitmap* bitmap, int x, int y) {
    return static_cast<COLORREF>(bitmap->Canvas()->Pixels(x, y));
}

// A windowless control that paints through a buffered paint of its own
// canvas: its colour, with a black square in its top-left corner.
class TBufferedSwatch : public TGraphicControl {
public:
    TBufferedSwatch(TComponent* owner, TWinControl* parent, TRect bounds, TColor fill)
        : TGraphicControl(owner), Fill(fill) {
        SetBoundsRect(bounds);
        SetParent(parent);
    }
    TColor Fill;

protected:
    void Paint() override {
        TBufferedPaint buffer(Canvas(), ClientRect());
        buffer.Canvas()->Brush()->SetColor(Fill);
        buffer.Canvas()->FillRect(Rect(-40, -40, Width() + 40, Height() + 40));
        buffer.Canvas()->Brush()->SetColor(clBlack);
        buffer.Canvas()->FillRect(Rect(0, 0, 5, 5));
    }
};

}  // namespace

class PaintTest : public WindowTest {
protected:
    // A 200 x 120 container painted green with three windowless children.
    void Build(TWinControl* parent) {
        Box = new TFace(parent, parent, Bounds(20, 30, 200, 120), clLime);
        Red = new TSwatch(parent, Box, Bounds(10, 10, 50, 40), clRed);
        Blue = new TSwatch(parent, Box, Bounds(40, 30, 50, 40), clBlue);  // overlaps Red
        Hidden = new TSwatch(parent, Box, Bounds(150, 80, 30, 30), clYellow);
        Hidden->SetVisible(false);
    }
    TFace* Box = nullptr;
    TSwatch* Red = nullptr;
    TSwatch* Blue = nullptr;
    TSwatch* Hidden = nullptr;
};

TEST_F(PaintTest, WindowlessChildrenArePaintedInTheirPlacesAndClippedToThem) {
    auto form = NewForm();
    Build(form.get());
    auto bitmap = PrintClient(Box);
    struct Probe {
        int x, y;
        COLORREF color;
    };
    const Probe probes[] = {
        {5, 5, RGB(0, 255, 0)},     // the box's own face
        {15, 15, RGB(255, 0, 0)},   // red alone
        {45, 35, RGB(0, 0, 255)},   // the later child above the earlier
        {59, 15, RGB(255, 0, 0)},   // red's last column
        {60, 15, RGB(0, 255, 0)},   // just right of red: its overpaint is clipped
        {89, 69, RGB(0, 0, 255)},   // blue's last pixel
        {90, 70, RGB(0, 255, 0)},   // and past it
        {160, 90, RGB(0, 255, 0)},  // the hidden child paints nothing
    };
    for (const Probe& p : probes)
        EXPECT_EQ(Pixel(bitmap.get(), p.x, p.y), p.color) << p.x << "," << p.y;
}

TEST_F(PaintTest, AParentPaintsIntoTheDcItIsHandedAtThatDcsOrigin) {
    // As a transparent control shows what lies behind it: the parent paints
    // into the control's DC with the origin moved by the control's position.
    auto form = NewForm();
    Build(form.get());
    Box->HandleNeeded();
    auto bitmap = FilledBitmap(30, 30, clWhite, pf32bit);
    HDC dc = bitmap->Canvas()->Handle();
    {
        TSavedDC saved(dc);
        SetViewportOrgEx(dc, -35, -25, nullptr);
        IntersectClipRect(dc, 0, 0, Box->ClientWidth(), Box->ClientHeight());
        SendMessageA(Box->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageA(Box->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    // (0, 0) of the bitmap is (35, 25) of the box: red; (10, 10) is (45, 35): blue.
    EXPECT_EQ(Pixel(bitmap.get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(bitmap.get(), 10, 10), RGB(0, 0, 255));
    EXPECT_EQ(Pixel(bitmap.get(), 29, 0), RGB(0, 255, 0));
}

TEST_F(PaintTest, TheScreenShowsTheSamePaintingWithAndWithoutABuffer) {
    for (bool buffered : {false, true}) {
        auto form = NewForm();
        form->SetBorderStyle(bsNone);
        Build(form.get());
        Box->SetDoubleBuffered(buffered);
        form->SetDoubleBuffered(buffered);
        auto windowless = new TSwatch(form.get(), form.get(), Bounds(250, 30, 40, 40), clFuchsia);
        form->Show();
        UpdateWindow(form->Handle());
        Pump(50);
        EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 45, 35)), RGB(0, 0, 255)) << buffered;
        EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 15, 15)), RGB(255, 0, 0)) << buffered;
        EXPECT_EQ(ScreenPixel(ScreenPoint(windowless, 5, 5)), RGB(255, 0, 255)) << buffered;
        // The form's own colour around them.
        EXPECT_EQ(ScreenPixel(ScreenPoint(form.get(), 5, 5)), ColorToRGB(clBtnFace)) << buffered;

        Red->Fill = clAqua;
        Red->Repaint();
        Pump(20);
        EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 15, 15)), RGB(0, 255, 255)) << buffered;
    }
}

TEST_F(PaintTest, OpaqueWindowlessChildrenAreNotPaintedUnder) {
    auto form = NewForm();
    auto box = new TFace(form.get(), form.get(), Bounds(0, 0, 100, 100), clLime);
    new TBlank(form.get(), box, Bounds(10, 10, 20, 20), true);
    new TBlank(form.get(), box, Bounds(50, 50, 20, 20), false);
    auto bitmap = FilledBitmap(100, 100, clBlack, pf32bit);
    SendMessageA(box->Handle(), WM_PRINTCLIENT,
                 reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle()), PRF_CLIENT);
    // The face is left out under the opaque child only.
    EXPECT_EQ(Pixel(bitmap.get(), 15, 15), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(bitmap.get(), 55, 55), RGB(0, 255, 0));
    EXPECT_EQ(Pixel(bitmap.get(), 5, 5), RGB(0, 255, 0));
}

TEST_F(PaintTest, AThousandPaintsLeaveNoGdiObjectBehind) {
    auto form = NewForm();
    form->SetBorderStyle(bsNone);
    Build(form.get());
    form->SetDoubleBuffered(true);
    new TSwatch(form.get(), form.get(), Bounds(250, 30, 40, 40), clFuchsia);
    form->Show();
    auto printed = FilledBitmap(Box->ClientWidth(), Box->ClientHeight(), clWhite, pf32bit);
    // Each round paints into a DC handed over; every tenth also on the screen
    // through the paint DC and the form's buffer (slow on the test display).
    auto paint = [&](int round) {
        SendMessageA(Box->Handle(), WM_PRINTCLIENT,
                     reinterpret_cast<WPARAM>(printed->Canvas()->Handle()),
                     PRF_CLIENT | PRF_ERASEBKGND);
        if (round % 10 != 0) return;
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        // Drawing outside of painting fetches a DC, released when idle.
        Red->Canvas()->Brush()->SetColor(clMaroon);
        Red->Canvas()->FillRect(Rect(0, 0, 5, 5));
        FreeDeviceContexts();
    };
    paint(0);  // the first round makes what is kept (fonts, brushes)
    size_t before = GdiObjectCount();
    for (int round = 1; round <= 1000; ++round) paint(round);
    EXPECT_EQ(GdiObjectCount(), before);
    EXPECT_GE(Blue->Paints, 1100);
}

TEST_F(PaintTest, ABufferedPaintReachesItsTargetWholeAndOnlyInItsArea) {
    auto target = FilledBitmap(60, 40, clWhite, pf32bit);
    int changes = 0;
    target->Canvas()->OnChange = [&](TObject*) { ++changes; };
    const TRect area = Rect(10, 5, 40, 25);
    {
        TBufferedPaint buffer(target->Canvas(), area);
        ASSERT_TRUE(buffer.Buffered());
        // Drawn in the target's coordinates; what falls outside the area is lost.
        buffer.Canvas()->Brush()->SetColor(clRed);
        buffer.Canvas()->FillRect(Rect(0, 0, 60, 40));
        buffer.Canvas()->Brush()->SetColor(clBlue);
        buffer.Canvas()->FillRect(Rect(30, 15, 50, 35));
        // Nothing shows until the paint ends.
        EXPECT_EQ(GetPixel(target->Canvas()->Handle(), 15, 10), RGB(255, 255, 255));
        EXPECT_EQ(changes, 0);
    }
    EXPECT_EQ(changes, 1);
    struct Probe {
        int x, y;
        COLORREF color;
    };
    const Probe probes[] = {
        {10, 5, RGB(255, 0, 0)},      {39, 14, RGB(255, 0, 0)},   {30, 15, RGB(0, 0, 255)},
        {39, 24, RGB(0, 0, 255)},     {9, 5, RGB(255, 255, 255)}, {40, 20, RGB(255, 255, 255)},
        {35, 25, RGB(255, 255, 255)}, {5, 2, RGB(255, 255, 255)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(Pixel(target.get(), p.x, p.y), p.color) << p.x << "," << p.y;
}

TEST_F(PaintTest, AScratchBitmapStartsAsANewOneWhateverTheLastDrawingLeft) {
    auto target = FilledBitmap(60, 40, clWhite, pf32bit);
    HDC reference = target->Canvas()->Handle();
    auto draw = [&](int width, int height) {
        TScratchBitmap scratch(reference, width, height);
        EXPECT_TRUE(scratch.Valid());
        HDC dc = scratch.DC();
        // Black, clipped to its size, in the DC's first state.
        TRect clip{};
        EXPECT_EQ(GetClipBox(dc, &clip), SIMPLEREGION);
        EXPECT_EQ(clip.right, width);
        EXPECT_EQ(clip.bottom, height);
        EXPECT_EQ(GetPixel(dc, width - 1, height - 1), RGB(0, 0, 0));
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        EXPECT_EQ(origin.x, 0);
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
        EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
        // What this drawing leaves behind.
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        SelectClipRgn(dc, nullptr);
        RECT all{0, 0, 200, 200};
        FillRect(dc, &all, red);
        DeleteObject(red);
        SetViewportOrgEx(dc, -7, -3, nullptr);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 255));
        return dc;
    };
    // A larger one after a smaller one, a smaller one after it (lent the
    // larger spare), and one inside another, which gets a bitmap of its own.
    for (TSize size : {TSize{20, 10}, TSize{50, 30}, TSize{8, 6}}) draw(size.cx, size.cy);
    {
        TScratchBitmap outer(reference, 30, 20);
        PatBlt(outer.DC(), 0, 0, 30, 20, WHITENESS);
        EXPECT_NE(draw(30, 20), outer.DC());
        EXPECT_EQ(GetPixel(outer.DC(), 29, 19), RGB(255, 255, 255));
    }
    draw(30, 20);
    // Drawings one after another keep the GDI objects as they were.
    const size_t before = GdiObjectCount();
    for (int round = 0; round < 200; ++round) draw(10 + round % 40, 5 + round % 30);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(PaintTest, APaintEndedByAnErrorLeavesTheTargetAsItWas) {
    auto target = FilledBitmap(20, 20, clWhite, pf32bit);
    try {
        TBufferedPaint buffer(target->Canvas(), Rect(0, 0, 20, 20));
        buffer.Canvas()->Brush()->SetColor(clRed);
        buffer.Canvas()->FillRect(Rect(0, 0, 20, 20));
        throw EInvalidOperation("painting failed");
    } catch (const EInvalidOperation&) {
    }
    EXPECT_EQ(Pixel(target.get(), 10, 10), RGB(255, 255, 255));
}

TEST_F(PaintTest, AWindowlessControlPaintsThroughABufferInItsPlace) {
    auto form = NewForm();
    Build(form.get());
    auto buffered = new TBufferedSwatch(form.get(), Box, Bounds(100, 20, 40, 30), clFuchsia);
    auto printed = [&] { return PrintClient(Box); };
    auto bitmap = printed();
    EXPECT_EQ(Pixel(bitmap.get(), 100, 20), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(bitmap.get(), 105, 25), RGB(255, 0, 255));
    EXPECT_EQ(Pixel(bitmap.get(), 139, 49), RGB(255, 0, 255));
    // Its overpaint stays in its bounds: the box's face around it.
    EXPECT_EQ(Pixel(bitmap.get(), 99, 25), RGB(0, 255, 0));
    EXPECT_EQ(Pixel(bitmap.get(), 140, 49), RGB(0, 255, 0));
    EXPECT_EQ(Pixel(bitmap.get(), 120, 50), RGB(0, 255, 0));

    const size_t before = GdiObjectCount();
    for (int round = 0; round < 1000; ++round) {
        buffered->Fill = round % 2 ? clFuchsia : clAqua;
        printed();
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

// A windowless control changed many times between two paints is painted once,
// and asks again once it has been painted; one that moves to another parent
// is painted there.
TEST_F(PaintTest, InvalidatingWaitsForThePaintAndStartsOverAfterIt) {
    auto form = NewForm();
    form->SetBorderStyle(bsNone);
    Build(form.get());
    form->Show();
    Pump(50);
    Red->Paints = 0;
    for (int i = 0; i < 50; ++i) Red->Invalidate();
    Pump(30);
    EXPECT_EQ(Red->Paints, 1);
    Red->Fill = clAqua;
    Red->Invalidate();
    Pump(30);
    EXPECT_EQ(Red->Paints, 2);
    EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 15, 15)), RGB(0, 255, 255));

    // Invalidated on a hidden parent, then moved to one on the screen.
    Box->SetVisible(false);
    Red->Invalidate();
    Red->SetParent(form.get());
    Red->SetBounds(250, 30, 40, 40);
    Red->Fill = clYellow;
    Red->Invalidate();
    Pump(30);
    EXPECT_EQ(ScreenPixel(ScreenPoint(Red, 5, 5)), RGB(255, 255, 0));
}

// An opaque windowless control repaints at once through its parent's window,
// with what lies above it, without a paint of the parent; one that is not
// opaque has its parent paint its area at once.
TEST_F(PaintTest, AnOpaqueWindowlessControlRepaintsAtOnceWithoutItsParent) {
    auto form = NewForm();
    form->SetBorderStyle(bsNone);
    Build(form.get());
    Red->SetControlStyle(Red->ControlStyle() + TControlStyle{csOpaque});
    form->Show();
    Pump(50);
    const int boxPaints = Box->Paints;
    const int redPaints = Red->Paints;
    Red->Fill = clAqua;
    Red->Repaint();
    // Painted before any message is handled, and the parent not at all.
    EXPECT_EQ(Red->Paints, redPaints + 1);
    EXPECT_EQ(Box->Paints, boxPaints);
    Pump(30);
    EXPECT_EQ(Box->Paints, boxPaints);
    EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 15, 15)), RGB(0, 255, 255));
    EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 45, 35)), RGB(0, 0, 255));  // blue stays above it

    const int bluePaints = Blue->Paints;
    Blue->Fill = clYellow;
    Blue->Repaint();
    EXPECT_EQ(Blue->Paints, bluePaints + 1);
    EXPECT_GT(Box->Paints, boxPaints);
    Pump(30);
    EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 45, 35)), RGB(255, 255, 0));
}

// A double-buffered window repaints through a buffer of the part that needs
// it; what lies outside is left as it was.
TEST_F(PaintTest, ABufferedWindowRepaintsOnlyThePartThatNeedsIt) {
    auto form = NewForm();
    form->SetBorderStyle(bsNone);
    Build(form.get());
    Box->SetDoubleBuffered(true);
    form->Show();
    Pump(50);
    // Behind the window's back, so that only a repaint of that part brings it back.
    {
        TClientDC dc(Box->Handle());
        HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        const RECT all = {0, 0, 200, 120};
        FillRect(dc.Get(), &all, black);
    }
    Red->Invalidate();
    Pump(30);
    EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 15, 15)), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 5, 5)), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(ScreenPoint(Box, 150, 100)), RGB(0, 0, 0));
}
