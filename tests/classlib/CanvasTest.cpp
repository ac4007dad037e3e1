// The canvas: what it draws, read back from memory bitmaps, and that it puts
// back whatever it selected.
#include <classlib/Graphics.h>
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "GraphicsFixture.h"

namespace {

// The objects a DC holds at one moment.
struct TSelection {
    explicit TSelection(HDC dc)
        : pen(GetCurrentObject(dc, OBJ_PEN)),
          brush(GetCurrentObject(dc, OBJ_BRUSH)),
          font(GetCurrentObject(dc, OBJ_FONT)) {}
    bool operator==(const TSelection&) const = default;
    HGDIOBJ pen, brush, font;
};

// A plain memory DC with a bitmap of its own, lent to the canvases under test.
class TLentDC {
public:
    TLentDC(int width, int height)
        : FDC(CreateCompatibleDC(nullptr)), FBitmap(CreateBitmapOfScreen(width, height)) {
        FPrevious = SelectObject(FDC, FBitmap);
    }
    ~TLentDC() {
        SelectObject(FDC, FPrevious);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    HDC Get() const { return FDC; }

private:
    static HBITMAP CreateBitmapOfScreen(int width, int height) {
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        return bitmap;
    }
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FPrevious;
};

void PaintEverything(TCanvas& canvas, int round) {
    canvas.Pen()->SetColor(round % 2 ? clRed : clBlue);
    canvas.Pen()->SetWidth(1 + round % 3);
    canvas.Brush()->SetColor(round % 2 ? clBtnFace : clYellow);
    canvas.Font()->SetSize(8 + round % 4);
    canvas.Font()->SetStyle(round % 2 ? TFontStyles{fsBold} : TFontStyles{});
    canvas.FillRect(Rect(0, 0, 40, 40));
    canvas.Rectangle(2, 2, 30, 30);
    canvas.MoveTo(0, 0);
    canvas.LineTo(39, 39);
    const TPoint triangle[] = {{5, 30}, {20, 5}, {35, 30}};
    canvas.Polygon(triangle);
    canvas.TextOut(1, 1, "Scan");
    canvas.TextRect(Rect(0, 20, 40, 40), 2, 22, "Clipped text");
    canvas.Brush()->SetStyle(round % 2 ? bsClear : bsSolid);
    canvas.TextWidth("width");
}

}  // namespace

TEST(CanvasRestore, TheDcGetsItsOwnObjectsBackAfterEveryKindOfDrawing) {
    TLentDC lent(50, 50);
    const TSelection before(lent.Get());
    {
        TCanvas canvas;
        canvas.SetHandle(lent.Get());
        PaintEverything(canvas, 1);
        EXPECT_FALSE(TSelection(lent.Get()) == before);
        // Changing an object while it is selected puts the DC's own back
        // before the old object goes: the DC never holds a deleted one.
        canvas.Pen()->SetColor(clGreen);
        EXPECT_NE(GetObjectType(GetCurrentObject(lent.Get(), OBJ_PEN)), 0u);
        canvas.Font()->SetName("Arial");
        EXPECT_NE(GetObjectType(GetCurrentObject(lent.Get(), OBJ_FONT)), 0u);
        PaintEverything(canvas, 2);
        canvas.Refresh();
        EXPECT_TRUE(TSelection(lent.Get()) == before);
        PaintEverything(canvas, 3);
        canvas.SetHandle(nullptr);
        EXPECT_TRUE(TSelection(lent.Get()) == before);
        canvas.SetHandle(lent.Get());
        PaintEverything(canvas, 4);
    }
    EXPECT_TRUE(TSelection(lent.Get()) == before);
}

TEST(CanvasRestore, AThousandPaintsLeaveTheGdiObjectCountAsItWas) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 300, 300, 60, 60, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    auto paint = [&](int round) {
        TWindowCanvas canvas(window);
        PaintEverything(canvas, round);
        std::unique_ptr<TBitmap> buffer = FilledBitmap(40, 40, clWhite, pfDevice);
        PaintEverything(*buffer->Canvas(), round);
        buffer->SetTransparent(round % 2 == 0);
        canvas.Draw(0, 0, buffer.get());
        canvas.BrushCopy(Rect(0, 0, 40, 40), buffer.get(), Rect(0, 0, 40, 40), clYellow);
    };
    paint(0);
    paint(1);
    const size_t before = GdiObjectCount();
    ASSERT_GT(before, 0u);
    for (int round = 0; round < 1000; ++round) paint(round);
    EXPECT_EQ(GdiObjectCount(), before);
    DestroyWindow(window);
}

TEST(CanvasDrawing, ShapesAndTextLandWhereTheyShould) {
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(60, 40, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen()->SetColor(clBlue);
    canvas->Brush()->SetColor(clLime);
    canvas->Rectangle(10, 10, 30, 30);
    EXPECT_EQ(canvas->Pixels(10, 10), clBlue);   // the frame, in the pen
    EXPECT_EQ(canvas->Pixels(29, 20), clBlue);   // right edge is the last column inside
    EXPECT_EQ(canvas->Pixels(20, 20), clLime);   // the inside, in the brush
    EXPECT_EQ(canvas->Pixels(30, 20), clWhite);  // right and bottom are exclusive

    canvas->Brush()->SetColor(clRed);
    canvas->FrameRect(Rect(40, 5, 50, 15));
    EXPECT_EQ(canvas->Pixels(40, 5), clRed);
    EXPECT_EQ(canvas->Pixels(45, 10), clWhite);

    auto dotsOnTopEdge = [&] {
        int dots = 0;
        for (int x = 40; x < 50; ++x) dots += canvas->Pixels(x, 20) != clWhite;
        return dots;
    };
    canvas->DrawFocusRect(Rect(40, 20, 50, 30));
    EXPECT_GT(dotsOnTopEdge(), 0);
    canvas->DrawFocusRect(Rect(40, 20, 50, 30));
    EXPECT_EQ(dotsOnTopEdge(), 0);

    canvas->SetPixels(0, 0, clFuchsia);
    EXPECT_EQ(canvas->Pixels(0, 0), clFuchsia);
    EXPECT_EQ(canvas->Pixels(100, 100), static_cast<TColor>(CLR_INVALID));

    canvas->MoveTo(0, 35);
    canvas->LineTo(59, 35);
    EXPECT_EQ(canvas->Pixels(30, 35), clBlue);
    EXPECT_EQ(canvas->PenPos().x, 59);

    // A system colour is drawn as its current RGB value.
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(Rect(50, 20, 60, 30));
    EXPECT_EQ(static_cast<COLORREF>(canvas->Pixels(55, 25)), GetSysColor(COLOR_BTNFACE));
}

TEST(CanvasDrawing, ClippedTextFillsWithTheBrushUnlessItIsClear) {
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(80, 30, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetColor(clYellow);
    canvas->TextRect(Rect(0, 0, 40, 30), 2, 2, "Wide text that is clipped");
    EXPECT_EQ(canvas->Pixels(39, 29), clYellow);  // filled, text or not
    EXPECT_EQ(canvas->Pixels(40, 15), clWhite);   // nothing beyond the rectangle
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(Rect(40, 0, 80, 30), 42, 2, "W");
    EXPECT_EQ(canvas->Pixels(79, 29), clWhite);

    int small = canvas->TextHeight("X");
    canvas->Font()->SetSize(20);
    EXPECT_GT(canvas->TextHeight("X"), small);
    EXPECT_GT(canvas->TextWidth("WW"), canvas->TextWidth("W"));
    EXPECT_EQ(canvas->TextWidth(""), 0);
    canvas->TextOut(5, 5, "W");
    EXPECT_EQ(canvas->PenPos().x, 5 + canvas->TextWidth("W"));
}

TEST(CanvasCopy, CopyRectUsesTheCopyModeAndBrushCopyReplacesAColour) {
    std::unique_ptr<TBitmap> source = FilledBitmap(10, 10, clFuchsia);
    source->Canvas()->Brush()->SetColor(clRed);
    source->Canvas()->FillRect(Rect(3, 3, 7, 7));

    std::unique_ptr<TBitmap> target = FilledBitmap(20, 20, clBlue);
    TCanvas* canvas = target->Canvas();
    canvas->CopyRect(Rect(0, 0, 10, 10), source->Canvas(), Rect(0, 0, 10, 10));
    EXPECT_EQ(canvas->Pixels(0, 0), clFuchsia);
    EXPECT_EQ(canvas->Pixels(5, 5), clRed);

    canvas->SetCopyMode(SRCAND);
    canvas->CopyRect(Rect(10, 10, 20, 20), source->Canvas(), Rect(0, 0, 10, 10));
    EXPECT_EQ(canvas->Pixels(10, 10), clBlue & clFuchsia);
    EXPECT_EQ(canvas->Pixels(15, 15), clBlue & clRed);
    canvas->SetCopyMode(SRCCOPY);

    // Stretched to twice the size, with the fuchsia pixels in the brush colour.
    canvas->Brush()->SetColor(clLime);
    canvas->BrushCopy(Rect(0, 0, 20, 20), source.get(), Rect(0, 0, 10, 10), clFuchsia);
    EXPECT_EQ(canvas->Pixels(1, 1), clLime);
    EXPECT_EQ(canvas->Pixels(19, 19), clLime);
    EXPECT_EQ(canvas->Pixels(10, 10), clRed);
    EXPECT_EQ(source->Canvas()->Pixels(0, 0), clFuchsia);  // the source keeps its colours
}

TEST(CanvasHandle, ACanvasWithoutADcRefusesToDraw) {
    TCanvas canvas;
    try {
        canvas.FillRect(Rect(0, 0, 1, 1));
        FAIL();
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), "Canvas does not allow drawing");
    }
    // A window canvas without a window draws on the screen's DC.
    TWindowCanvas screen;
    EXPECT_EQ(GetDeviceCaps(screen.Handle(), TECHNOLOGY), DT_RASDISPLAY);
}

TEST(GraphicsObjects, FontMeasuresAndChangeNotices) {
    TFont font;
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -MulDiv(8, font.PixelsPerInch(), 72));
    font.SetHeight(-20);
    EXPECT_EQ(font.Size(), MulDiv(20, 72, font.PixelsPerInch()));

    int changes = 0;
    font.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    font.SetColor(clRed);
    font.SetColor(clRed);
    font.SetStyle({fsBold, fsUnderline});
    font.SetCharset(134);
    font.SetPitch(fpFixed);
    EXPECT_EQ(changes, 4);

    TFont copy;
    copy.Assign(&font);
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_EQ(copy.Height(), -20);
    EXPECT_EQ(copy.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(copy.Charset(), 134);
    EXPECT_EQ(copy.Pitch(), fpFixed);
    // A name longer than the platform's field is cut, not overrun.
    copy.SetName(std::string(200, 'x'));
    EXPECT_NE(copy.Handle(), nullptr);

    TPen pen;
    pen.SetStyle(psClear);
    EXPECT_NE(pen.Handle(), nullptr);
    TBrush brush;
    brush.SetStyle(bsDiagCross);
    EXPECT_NE(brush.Handle(), nullptr);

    // Assigned the same values, a font, pen or brush keeps its handle and
    // tells no change; assigned other values, it makes a new one and tells.
    TFont same;
    same.Assign(&font);
    const HFONT handle = same.Handle();
    int sameChanges = 0;
    same.OnChange = [&](TObject*) { ++sameChanges; };
    same.Assign(&font);
    EXPECT_EQ(same.Handle(), handle);
    EXPECT_EQ(sameChanges, 0);
    font.SetSize(11);
    same.Assign(&font);
    EXPECT_EQ(sameChanges, 1);
    EXPECT_EQ(same.Size(), 11);
    TPen otherPen;
    otherPen.Assign(&pen);
    const HPEN penHandle = otherPen.Handle();
    otherPen.Assign(&pen);
    EXPECT_EQ(otherPen.Handle(), penHandle);
    pen.SetWidth(3);
    otherPen.Assign(&pen);
    EXPECT_EQ(otherPen.Width(), 3);
    TBrush otherBrush;
    otherBrush.Assign(&brush);
    const HBRUSH brushHandle = otherBrush.Handle();
    otherBrush.Assign(&brush);
    EXPECT_EQ(otherBrush.Handle(), brushHandle);
    brush.SetColor(clLime);
    otherBrush.Assign(&brush);
    EXPECT_EQ(otherBrush.Color(), clLime);
}

TEST(GraphicsObjects, PenModeXorDrawnTwiceLeavesNoTrace) {
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(10, 10, clBlue);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen()->SetMode(pmXor);
    canvas->Pen()->SetColor(clWhite);
    canvas->MoveTo(0, 5);
    canvas->LineTo(10, 5);
    EXPECT_EQ(canvas->Pixels(5, 5), clYellow);
    canvas->MoveTo(0, 5);
    canvas->LineTo(10, 5);
    EXPECT_EQ(canvas->Pixels(5, 5), clBlue);
}
