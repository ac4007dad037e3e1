// The check-box square, the highlight ring, transparent and flipped bitmaps,
// the parent's image and text.
#include <gtest/gtest.h>
#include <widgets/common/KitColors.h>
#include <widgets/common/KitDraw.h>

#include "KitFixture.h"

namespace {

// The 21 pixels of the tick, from the square's top-left corner.
constexpr POINT Tick[] = {{3, 5}, {3, 6}, {3, 7}, {4, 6}, {4, 7}, {4, 8}, {5, 7},
                          {5, 8}, {5, 9}, {6, 6}, {6, 7}, {6, 8}, {7, 5}, {7, 6},
                          {7, 7}, {8, 4}, {8, 5}, {8, 6}, {9, 3}, {9, 4}, {9, 5}};

TCheckBoxGlyph GlyphColours() {
    TCheckBoxGlyph glyph;
    glyph.FrameColor = clNavy;
    glyph.MarkColor = clGreen;
    glyph.FillColor = clWhite;
    glyph.FocusColor = clYellow;
    glyph.DisabledColor = clSilver;
    glyph.HotColorStart = clWhite;
    glyph.HotColorStop = clRed;
    glyph.ReadOnlyColor = clAqua;
    return glyph;
}

// A 13 x 13 square at (2, 3) of a 20 x 20 target.
constexpr int X = 2, Y = 3;
const TRect Square = Bounds(X, Y, 13, 13);

TPaintTarget PaintedGlyph(const TCheckBoxGlyph& glyph) {
    TPaintTarget target(20, 20);
    PaintCheckBoxGlyph(target.Canvas(), Square, glyph);
    return target;
}

}  // namespace

TEST(CheckBoxGlyph, CheckedDrawsTheTwentyOneTickPixels) {
    TCheckBoxGlyph glyph = GlyphColours();
    glyph.State = cbChecked;
    TPaintTarget target = PaintedGlyph(glyph);
    for (POINT p : Tick) EXPECT_EQ(target.At(X + p.x, Y + p.y), Rgb(clGreen)) << p.x << "," << p.y;
    EXPECT_EQ(target.Count(Rgb(clGreen)), 21);
    EXPECT_EQ(target.Count(Rgb(clNavy)), 48);             // the outline
    EXPECT_EQ(target.Count(Rgb(clWhite)), 11 * 11 - 21);  // the interior
    EXPECT_EQ(target.At(X - 1, Y), Untouched);
}

TEST(CheckBoxGlyph, DisabledTickIsButtonShadowOnTheDisabledColour) {
    TCheckBoxGlyph glyph = GlyphColours();
    glyph.State = cbChecked;
    glyph.DrawState = gdsDisabled;
    TPaintTarget target = PaintedGlyph(glyph);
    for (POINT p : Tick) EXPECT_EQ(target.At(X + p.x, Y + p.y), Rgb(clBtnShadow));
    EXPECT_EQ(target.At(X + 1, Y + 1), Rgb(clSilver));
    EXPECT_EQ(target.Count(Rgb(clGreen)), 0);
}

TEST(CheckBoxGlyph, GrayedIsASquareTwoPixelsInsideTheFill) {
    TCheckBoxGlyph glyph = GlyphColours();
    glyph.State = cbGrayed;
    TPaintTarget target = PaintedGlyph(glyph);
    EXPECT_EQ(target.At(X + 2, Y + 2), Rgb(clWhite));
    EXPECT_EQ(target.At(X + 3, Y + 3), Rgb(clGreen));
    EXPECT_EQ(target.At(X + 9, Y + 9), Rgb(clGreen));
    EXPECT_EQ(target.At(X + 10, Y + 10), Rgb(clWhite));
    EXPECT_EQ(target.Count(Rgb(clGreen)), 7 * 7);
}

TEST(CheckBoxGlyph, InteriorColourByStateFocusAndReadOnly) {
    struct TCase {
        TGlyphDrawState drawState;
        bool focused, readOnly, readOnlyOnFocus;
        TColor interior;
    };
    const TCase cases[] = {
        {gdsNormal, false, false, false, clWhite},
        {gdsNormal, true, false, false, clYellow},
        {gdsNormal, false, true, false, clAqua},
        {gdsNormal, true, true, false, clYellow},
        {gdsNormal, true, true, true, clAqua},
        {gdsPressed, false, true, true, DarkenColor(clYellow, 20)},
        {gdsDisabled, true, true, true, clSilver},
        {gdsHot, true, false, false, clYellow},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.drawState) << c.focused << c.readOnly << c.readOnlyOnFocus);
        TCheckBoxGlyph glyph = GlyphColours();
        glyph.DrawState = c.drawState;
        glyph.Focused = c.focused;
        glyph.ReadOnly = c.readOnly;
        glyph.ReadOnlyColorOnFocus = c.readOnlyOnFocus;
        TPaintTarget target = PaintedGlyph(glyph);
        EXPECT_EQ(target.At(X + 6, Y + 6), Rgb(c.interior));
    }
}

TEST(CheckBoxGlyph, HotFrameStyleOutlinesTwice) {
    TCheckBoxGlyph glyph = GlyphColours();
    glyph.DrawState = gdsHot;
    glyph.HotTrackStyle = htsFrame;
    TPaintTarget target = PaintedGlyph(glyph);
    EXPECT_EQ(target.At(X, Y + 6), Rgb(clRed));
    EXPECT_EQ(target.At(X + 1, Y + 6), Rgb(clRed));
    EXPECT_EQ(target.At(X + 2, Y + 6), Rgb(clWhite));
    EXPECT_EQ(target.Count(Rgb(clNavy)), 0);
}

TEST(CheckBoxGlyph, HotInteriorStyleDrawsAGradientRing) {
    TCheckBoxGlyph glyph = GlyphColours();
    glyph.DrawState = gdsHot;
    glyph.FillColor = clBlue;
    glyph.HotColorStart = clWhite;
    glyph.HotColorStop = clBlack;
    TPaintTarget target = PaintedGlyph(glyph);
    EXPECT_EQ(target.At(X, Y + 6), Rgb(clNavy));  // the outline stays
    // The ring two pixels wide inside it: light at the top left, dark at the
    // bottom right.
    const COLORREF topLeft = target.At(X + 1, Y + 1), bottomRight = target.At(X + 11, Y + 11);
    EXPECT_GT(GetRValue(topLeft), 200);
    EXPECT_LT(GetRValue(bottomRight), 55);
    EXPECT_NE(target.At(X + 2, Y + 6), Rgb(clBlue));
    EXPECT_EQ(target.At(X + 3, Y + 6), Rgb(clBlue));
    EXPECT_EQ(target.At(X + 6, Y + 6), Rgb(clBlue));
}

TEST(HighlightRing, TwoPixelsAndTheClipRegionPutBack) {
    TPaintTarget target(30, 20);
    HDC dc = target.Canvas()->Handle();
    PaintHighlightRing(target.Canvas(), Rect(0, 0, 30, 20), gdHorizontalEnd, clRed, clBlue);
    EXPECT_NE(target.At(0, 10), Untouched);
    EXPECT_NE(target.At(1, 10), Untouched);
    EXPECT_EQ(target.At(2, 10), Untouched);
    EXPECT_EQ(target.At(15, 2), Untouched);
    EXPECT_NE(target.At(15, 1), Untouched);
    EXPECT_NE(target.At(28, 10), Untouched);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, region), 0);  // no clipping region, as before

    // A caller's own clipping region survives the ring.
    IntersectClipRect(dc, 0, 0, 10, 10);
    PaintHighlightRing(target.Canvas(), Rect(0, 0, 30, 20), gdHorizontalEnd, clRed, clBlue);
    ASSERT_EQ(GetClipRgn(dc, region), 1);
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.bottom, 10);
    SelectClipRgn(dc, nullptr);
    DeleteObject(region);
}

TEST(BitmapTransparent, TheTransparentColourLeavesTheCanvas) {
    // Left half red, right half olive (the transparent colour).
    std::unique_ptr<TBitmap> glyph = FilledBitmap(10, 10, clOlive);
    glyph->Canvas()->Brush()->SetColor(clRed);
    glyph->Canvas()->FillRect(Rect(0, 0, 5, 10));

    TPaintTarget same(10, 10, clBlue);
    DrawBitmapTransparent(same.Canvas(), glyph.get(), Rect(0, 0, 10, 10), Rect(0, 0, 10, 10),
                          clOlive);
    EXPECT_EQ(same.Count(Rgb(clRed)), 50);
    EXPECT_EQ(same.Count(Rgb(clBlue)), 50);

    TPaintTarget stretched(30, 30, clBlue);
    DrawBitmapTransparent(stretched.Canvas(), glyph.get(), Rect(5, 5, 25, 25), Rect(0, 0, 10, 10),
                          clOlive);
    EXPECT_EQ(stretched.Count(Rgb(clRed)), 200);
    EXPECT_EQ(stretched.At(4, 10), Rgb(clBlue));
    EXPECT_EQ(stretched.At(5, 10), Rgb(clRed));
    EXPECT_EQ(stretched.At(20, 10), Rgb(clBlue));

    // A part of the source only.
    TPaintTarget part(10, 10, clBlue);
    DrawBitmapTransparent(part.Canvas(), glyph.get(), Rect(0, 0, 4, 4), Rect(3, 0, 7, 4), clOlive);
    EXPECT_EQ(part.At(1, 1), Rgb(clRed));
    EXPECT_EQ(part.At(2, 1), Rgb(clBlue));
}

TEST(FlipBitmap, RowsTurnOverAndTwiceRestores) {
    for (TPixelFormat format : {pf24bit, pf32bit, pfDevice}) {
        std::unique_ptr<TBitmap> bitmap = FilledBitmap(5, 7, clWhite, format);
        bitmap->SetTransparentColor(clLime);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                bitmap->Canvas()->SetPixels(x, y, static_cast<TColor>(RGB(x * 40, y * 30, 7)));
        FlipBitmapVertically(bitmap.get());
        EXPECT_EQ(bitmap->Width(), 5);
        EXPECT_EQ(bitmap->Height(), 7);
        EXPECT_EQ(bitmap->PixelFormat(), format);
        EXPECT_EQ(bitmap->TransparentColor(), clLime);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(bitmap->Canvas()->Pixels(x, y),
                          static_cast<TColor>(RGB(x * 40, (6 - y) * 30, 7)));
        FlipBitmapVertically(bitmap.get());
        for (int y = 0; y < 7; ++y)
            EXPECT_EQ(bitmap->Canvas()->Pixels(2, y), static_cast<TColor>(RGB(80, y * 30, 7)));
    }
    TBitmap empty;
    FlipBitmapVertically(&empty);
    EXPECT_TRUE(empty.Empty());
}

namespace {

// A parent whose background is green, with a red square at (30, 20)-(40, 30)
// of its 60 x 40 client area.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(window, &client);
        HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
        FillRect(reinterpret_cast<HDC>(wParam), &client, green);
        DeleteObject(green);
        return 1;
    }
    if (message == WM_PRINTCLIENT) {
        RECT square{30, 20, 40, 30};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(reinterpret_cast<HDC>(wParam), &square, red);
        DeleteObject(red);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateParent() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KitDrawTestParent";
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered) return nullptr;
    RECT frame{0, 0, 60, 40};
    AdjustWindowRect(&frame, WS_POPUP, FALSE);
    return CreateWindowExA(0, "KitDrawTestParent", "", WS_POPUP | WS_VISIBLE, 400, 400,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(ParentImage, TheParentPaintsWhatLiesBehindTheControl) {
    HWND parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    TPaintTarget control(20, 20, clBlue);
    HDC dc = control.Canvas()->Handle();
    CopyParentImage(parent, Point(25, 15), dc, false);
    EXPECT_EQ(control.At(0, 0), RGB(0, 128, 0));  // parent (25, 15)
    EXPECT_EQ(control.At(5, 5), RGB(255, 0, 0));  // parent (30, 20)
    EXPECT_EQ(control.At(14, 14), RGB(255, 0, 0));
    EXPECT_EQ(control.At(15, 15), RGB(0, 128, 0));
    POINT origin{-1, -1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);

    // Only the parent's client area is copied.
    TPaintTarget edge(20, 20, clBlue);
    CopyParentImage(parent, Point(50, 30), edge.Canvas()->Handle(), false);
    EXPECT_EQ(edge.At(9, 9), RGB(0, 128, 0));
    EXPECT_EQ(edge.At(10, 5), Rgb(clBlue));
    EXPECT_EQ(edge.At(5, 10), Rgb(clBlue));

    ValidateRect(parent, nullptr);
    CopyParentImage(parent, Point(25, 15), dc, false);
    EXPECT_FALSE(GetUpdateRect(parent, nullptr, FALSE));
    CopyParentImage(parent, Point(25, 15), dc, true);
    EXPECT_TRUE(GetUpdateRect(parent, nullptr, FALSE));
    DestroyWindow(parent);
}

TEST(ParentImage, NoParentDrawsNothing) {
    TPaintTarget control(20, 20, clBlue);
    CopyParentImage(nullptr, Point(0, 0), control.Canvas()->Handle(), true);
    EXPECT_EQ(control.Count(Rgb(clBlue)), 400);
}

TEST(CanvasText, DrawTextWithTheCanvasFont) {
    TPaintTarget target(120, 40, clWhite);
    TCanvas* canvas = target.Canvas();
    canvas->Font()->SetColor(clRed);
    canvas->Brush()->SetStyle(bsClear);
    TRect measure = Rect(0, 0, 1000, 40);
    const int height = CanvasDrawText(canvas, "Scan Now", measure, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(height, canvas->TextHeight("Scan Now"));
    EXPECT_EQ(measure.right, canvas->TextWidth("Scan Now"));
    EXPECT_EQ(target.Count(Rgb(clRed)), 0);  // measuring draws nothing

    TRect rect = Rect(0, 0, 120, 40);
    EXPECT_EQ(CanvasDrawText(canvas, "Scan Now", rect, DT_SINGLELINE), height);
    EXPECT_GT(target.Count(Rgb(clRed)), 10);
    EXPECT_EQ(target.At(119, 39), Rgb(clWhite));  // a clear brush paints no background

    // A larger font gives a taller text.
    canvas->Font()->SetSize(20);
    TRect tall = Rect(0, 0, 1000, 100);
    EXPECT_GT(CanvasDrawText(canvas, "Scan", tall, DT_CALCRECT), height);
}
