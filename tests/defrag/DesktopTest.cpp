// The greyed desktop: the grey rule over every row of a bitmap, and the
// full-screen window that captures the desktop before it shows itself.
#include <classlib/Colors.h>
#include <defrag/main.h>
#include <gtest/gtest.h>

#include "ToolFixture.h"
#include "WindowFixture.h"

namespace {

// The blue, green and red bytes of a 24-bit pixel.
COLORREF Pixel24(TBitmap& bitmap, int x, int y) {
    const uint8_t* pixel = bitmap.ScanLine(y) + 3 * x;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

std::vector<uint8_t> Bytes24(TBitmap& bitmap) {
    std::vector<uint8_t> bytes;
    for (int row = 0; row < bitmap.Height(); ++row) {
        const uint8_t* line = bitmap.ScanLine(row);
        bytes.insert(bytes.end(), line, line + 3 * bitmap.Width());
    }
    return bytes;
}

class FullScreen : public ToolTest {};

}  // namespace

TEST(GreyBitmap, ColouredPixelsTurnGreyOnEveryRowAndGreyOnesStay) {
    struct TCase {
        int X, Y;
        COLORREF Before, After;
    };
    const TCase cases[] = {
        {0, 0, RGB(200, 100, 50), RGB(118, 118, 118)},  // (400 + 500 + 50) >> 3
        {1, 0, RGB(90, 90, 90), RGB(90, 90, 90)},       {2, 1, RGB(0, 0, 255), RGB(31, 31, 31)},
        {3, 2, RGB(255, 255, 254), RGB(254, 254, 254)},  // the largest result stays a byte
        {0, 2, RGB(255, 255, 255), RGB(255, 255, 255)}, {3, 0, RGB(1, 0, 0), RGB(0, 0, 0)},
    };
    for (TPixelFormat format : {pfDevice, pf24bit}) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(format);
        bitmap.SetSize(4, 3);
        for (const TCase& c : cases) bitmap.Canvas()->SetPixels(c.X, c.Y, c.Before);
        GreyBitmap(&bitmap);
        ASSERT_EQ(bitmap.PixelFormat(), pf24bit);
        ASSERT_EQ(bitmap.Width(), 4);
        ASSERT_EQ(bitmap.Height(), 3);
        for (const TCase& c : cases)
            EXPECT_EQ(Pixel24(bitmap, c.X, c.Y), c.After) << c.X << "," << c.Y;
        EXPECT_EQ(Pixel24(bitmap, 1, 1), RGB(255, 255, 255));  // untouched white

        std::vector<uint8_t> once = Bytes24(bitmap);
        GreyBitmap(&bitmap);
        EXPECT_EQ(Bytes24(bitmap), once);
    }
}

TEST(GreyBitmap, EmptyBitmapStaysEmpty) {
    TBitmap bitmap;
    GreyBitmap(&bitmap);
    EXPECT_TRUE(bitmap.Empty());
}

TEST_F(FullScreen, CoversTheScreenWithTheDesktopAsItWasBeforeItShowedInGrey) {
    TScopedApplication application;
    auto marker = std::make_unique<TForm>(nullptr);
    marker->SetBorderStyle(bsNone);
    marker->SetBounds(400, 300, 120, 80);
    marker->SetColor(clRed);
    marker->Show();
    Pump(150);
    ASSERT_EQ(ScreenPixel(Point(460, 340)), RGB(255, 0, 0));

    auto* fullScreen = application->CreateForm<TfrmFullScreen>();
    EXPECT_EQ(fullScreen->BorderStyle(), bsNone);
    EXPECT_EQ(fullScreen->Left(), 0);
    EXPECT_EQ(fullScreen->Top(), 0);
    EXPECT_EQ(fullScreen->Width(), Screen->Width());
    EXPECT_EQ(fullScreen->Height(), Screen->Height());
    EXPECT_TRUE(fullScreen->DoubleBuffered());
    EXPECT_FALSE(fullScreen->Visible());
    ASSERT_NE(fullScreen->Desktop(), nullptr);

    // The window runs the progress window once it is on the screen.
    TForm progress(nullptr);
    bool shownOverDesktop = false;
    COLORREF captured = 0;
    progress.OnShow = [&](TObject*) {
        shownOverDesktop = fullScreen->Visible();
        captured = fullScreen->Desktop()->Canvas()->Pixels(460, 340);
        progress.SetModalResult(mrOk);
    };
    fullScreen->SetProgressForm(&progress);
    ASSERT_TRUE(WaitUntil([&] { return shownOverDesktop; }));
    EXPECT_EQ(captured, RGB(255, 0, 0));
    EXPECT_EQ(fullScreen->Desktop()->Width(), Screen->Width());
    EXPECT_EQ(fullScreen->Desktop()->Height(), Screen->Height());

    // Painted: the red area shows as grey (2 * 255) >> 3, over the red window.
    const COLORREF grey = RGB(63, 63, 63);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(Point(460, 340)) == grey; }))
        << std::hex << ScreenPixel(Point(460, 340));
    EXPECT_EQ(Pixel24(*fullScreen->Desktop(), 460, 340), grey);
    EXPECT_TRUE(Boxes.empty());
}
