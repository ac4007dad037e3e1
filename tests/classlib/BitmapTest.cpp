// Bitmaps: size and format, scan lines, transparency, handles and loading.
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "GraphicsFixture.h"
#include "RegFixture.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// The colours of the test resource and of the files written like it: a
// 4 x 2 bitmap, top row red, green, blue, white; bottom row black,
// fuchsia, yellow, gray.
void ExpectFourByTwoColours(TBitmap& bitmap) {
    ASSERT_EQ(bitmap.Width(), 4);
    ASSERT_EQ(bitmap.Height(), 2);
    const TColor expected[2][4] = {{clRed, clLime, clBlue, clWhite},
                                   {clBlack, clFuchsia, clYellow, clGray}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(bitmap.Canvas()->Pixels(x, y), expected[y][x]) << x << "," << y;
}

COLORREF FourByTwo(int x, int y) {
    const COLORREF colours[2][4] = {
        {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)},
        {RGB(0, 0, 0), RGB(255, 0, 255), RGB(255, 255, 0), RGB(128, 128, 128)}};
    return colours[y][x];
}

// A bitmap file of the given header and pixel bytes (no colour table).
std::string BmpBytes(const BITMAPINFOHEADER& info, const std::string& tail) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    std::string bytes;
    Append(bytes, file);
    Append(bytes, info);
    return bytes + tail;
}

BITMAPINFOHEADER InfoHeader(int width, int height, int bits) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bits);
    return info;
}

}  // namespace

TEST(BitmapSize, ResizingKeepsThePixelsThatFitAndAddsWhite) {
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(4, 4, clRed);
    bitmap->SetSize(6, 2);
    EXPECT_EQ(bitmap->Canvas()->Pixels(3, 1), clRed);
    EXPECT_EQ(bitmap->Canvas()->Pixels(5, 0), clWhite);
    bitmap->SetHeight(0);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(bitmap->Width(), 0);
    bitmap->SetSize(-5, 3);
    EXPECT_TRUE(bitmap->Empty());

    std::unique_ptr<TBitmap> big = FilledBitmap(3, 3, clBlue);
    EXPECT_THROW(big->SetSize(1000000, 1000000), EOutOfResources);
    EXPECT_EQ(big->Width(), 3);
    EXPECT_EQ(big->Canvas()->Pixels(1, 1), clBlue);
}

TEST(BitmapPixels, ScanLinesRunTopDownInEveryFormat) {
    for (TPixelFormat format : {pf24bit, pf32bit, pfDevice}) {
        std::unique_ptr<TBitmap> bitmap = FilledBitmap(5, 3, clWhite, format);
        const int bytes = format == pf24bit ? 3 : 4;
        uint8_t* top = bitmap->ScanLine(0);
        top[0] = 0x00;  // blue
        top[1] = 0x00;  // green
        top[2] = 0xFF;  // red
        uint8_t* bottom = bitmap->ScanLine(2);
        bottom[4 * bytes] = 0xFF;
        bottom[4 * bytes + 1] = 0x00;
        bottom[4 * bytes + 2] = 0x00;
        EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clRed) << format;
        EXPECT_EQ(bitmap->Canvas()->Pixels(4, 2), clBlue) << format;
        EXPECT_EQ(bitmap->Canvas()->Pixels(1, 1), clWhite) << format;
        EXPECT_THROW(bitmap->ScanLine(3), EInvalidGraphic);
        EXPECT_THROW(bitmap->ScanLine(-1), EInvalidGraphic);
    }
    TBitmap empty;
    EXPECT_THROW(empty.ScanLine(0), EInvalidGraphic);
}

TEST(BitmapPixels, ChangingTheFormatKeepsThePicture) {
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(4, 2, clWhite, pfDevice);
    bitmap->Canvas()->SetPixels(3, 1, clTeal);
    bitmap->SetPixelFormat(pf24bit);
    EXPECT_EQ(bitmap->PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap->Canvas()->Pixels(3, 1), clTeal);
    bitmap->ScanLine(1)[9] = 0x11;  // pixel 3's blue byte, 3 bytes a pixel
    EXPECT_EQ(bitmap->Canvas()->Pixels(3, 1), (clTeal & 0x00FFFF) | 0x110000);
    bitmap->SetPixelFormat(pf32bit);
    EXPECT_EQ(bitmap->Canvas()->Pixels(3, 1), (clTeal & 0x00FFFF) | 0x110000);
}

TEST(BitmapTransparency, TheBottomLeftPixelIsTheDefaultTransparentColour) {
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(4, 4, clWhite);
    bitmap->Canvas()->SetPixels(0, 3, clFuchsia);
    EXPECT_EQ(bitmap->TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap->TransparentColor(), clFuchsia);
    bitmap->SetTransparentColor(clLime);
    EXPECT_EQ(bitmap->TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap->TransparentColor(), clLime);
    bitmap->SetTransparentMode(tmAuto);
    EXPECT_EQ(bitmap->TransparentColor(), clFuchsia);
    bitmap->SetTransparentMode(tmFixed);
    EXPECT_EQ(bitmap->TransparentColor(), clFuchsia);
    bitmap->SetTransparentColor(clDefault);
    EXPECT_EQ(bitmap->TransparentMode(), tmAuto);
    EXPECT_EQ(TBitmap().TransparentColor(), clDefault);
}

TEST(BitmapTransparency, TransparentPixelsLeaveTheCanvasAsItWas) {
    // A red square on fuchsia, drawn on blue at its size and stretched.
    std::unique_ptr<TBitmap> glyph = FilledBitmap(8, 8, clFuchsia);
    glyph->Canvas()->Brush()->SetColor(clRed);
    glyph->Canvas()->FillRect(Rect(2, 2, 6, 6));
    glyph->SetTransparent(true);

    std::unique_ptr<TBitmap> target = FilledBitmap(40, 20, clBlue);
    target->Canvas()->Draw(1, 1, glyph.get());
    target->Canvas()->StretchDraw(Rect(20, 0, 36, 16), glyph.get());
    TCanvas* canvas = target->Canvas();
    EXPECT_EQ(canvas->Pixels(1, 1), clBlue);
    EXPECT_EQ(canvas->Pixels(4, 4), clRed);
    EXPECT_EQ(canvas->Pixels(8, 8), clBlue);
    EXPECT_EQ(canvas->Pixels(21, 1), clBlue);
    EXPECT_EQ(canvas->Pixels(27, 7), clRed);
    EXPECT_EQ(canvas->Pixels(31, 11), clRed);
    EXPECT_EQ(canvas->Pixels(35, 15), clBlue);

    // The mask is white exactly where the transparent colour lies.
    TBitmap mask;
    mask.SetHandle(static_cast<HBITMAP>(CopyImage(glyph->MaskHandle(), IMAGE_BITMAP, 0, 0, 0)));
    EXPECT_EQ(mask.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(mask.Canvas()->Pixels(3, 3), clBlack);

    // Opaque again, the fuchsia comes along.
    glyph->SetTransparent(false);
    target->Canvas()->Draw(1, 1, glyph.get());
    EXPECT_EQ(canvas->Pixels(1, 1), clFuchsia);
}

TEST(BitmapCopies, AssignCopiesPixelsAndSettingsNotTheHandle) {
    std::unique_ptr<TBitmap> original = FilledBitmap(3, 3, clRed, pf32bit);
    original->SetTransparentColor(clRed);
    original->SetTransparent(true);
    TBitmap copy;
    copy.Assign(original.get());
    EXPECT_NE(copy.Handle(), original->Handle());
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
    EXPECT_EQ(copy.TransparentColor(), clRed);
    EXPECT_TRUE(copy.Transparent());
    copy.Canvas()->SetPixels(1, 1, clBlue);
    EXPECT_EQ(original->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(copy.Canvas()->Pixels(1, 1), clBlue);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(BitmapHandles, HandlesAreLentGivenAndTakenBack) {
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(5, 4, clGreen);
    HBITMAP handle = bitmap->ReleaseHandle();
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));

    // A device bitmap given to a TBitmap becomes one of the display's format.
    HDC screen = GetDC(nullptr);
    HBITMAP device = CreateCompatibleBitmap(screen, 6, 2);
    ReleaseDC(nullptr, screen);
    TBitmap taken;
    taken.SetHandle(device);
    EXPECT_EQ(taken.PixelFormat(), pfDevice);
    EXPECT_EQ(taken.Width(), 6);
    taken.SetHandle(handle);
    EXPECT_EQ(taken.Width(), 5);
    EXPECT_EQ(taken.Canvas()->Pixels(4, 3), clGreen);

    // While the canvas holds the bitmap, Handle() takes it out so that it can
    // be selected elsewhere.
    HBITMAP lent = taken.Handle();
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(other, lent);
    EXPECT_NE(previous, nullptr);
    EXPECT_EQ(GetPixel(other, 0, 0), static_cast<COLORREF>(clGreen));
    SelectObject(other, previous);
    DeleteDC(other);
    EXPECT_EQ(taken.Canvas()->Pixels(0, 0), clGreen);
}

TEST(BitmapFiles, LoadsBitmapFilesAndResources) {
    ScratchFolder folder;
    std::string bottomUp = folder.Path() + "up.bmp", topDown = folder.Path() + "down.bmp";
    WriteBmp(bottomUp, 4, 2, FourByTwo);
    WriteBmp(topDown, 4, 2, FourByTwo, true);
    for (const std::string& path : {bottomUp, topDown}) {
        TBitmap bitmap;
        bitmap.LoadFromFile(path);
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
        ExpectFourByTwoColours(bitmap);
        EXPECT_EQ(bitmap.ScanLine(0)[2], 0xFF);  // the red of the top row
    }
    TBitmap resource;
    resource.LoadFromResourceName(ThisModule(), "COLOURS4X2");
    ExpectFourByTwoColours(resource);

    // 8 bits a pixel through a two-colour table: pixels start after the table.
    BITMAPINFOHEADER info = InfoHeader(4, 1, 8);
    info.biClrUsed = 2;
    std::string tail;
    Append(tail, RGBQUAD{0, 0, 255, 0});  // red
    Append(tail, RGBQUAD{255, 0, 0, 0});  // blue
    tail += std::string("\0\1\1\0", 4);
    std::string bytes = BmpBytes(info, tail);
    reinterpret_cast<BITMAPFILEHEADER*>(bytes.data())->bfOffBits += 8;
    std::string paletted = folder.Path() + "paletted.bmp";
    WriteBytes(paletted, bytes);
    TBitmap palette;
    palette.LoadFromFile(paletted);
    EXPECT_EQ(palette.PixelFormat(), pf24bit);
    EXPECT_EQ(palette.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(palette.Canvas()->Pixels(1, 0), clBlue);
}

TEST(BitmapFiles, TwentyFourBitFilesReadTheSamePixelsInEitherRowOrder) {
    // Rows stored bottom first are read straight into the bitmap, rows stored
    // top first through the platform: both give every pixel, whatever the
    // rows' padding, a colour table before the pixels or a gap after it.
    struct TCase {
        const char* Name;
        int Width;
        DWORD TableColours;
        DWORD Gap;
    };
    const TCase cases[] = {{"no padding", 4, 0, 0},
                           {"padded rows", 5, 0, 0},
                           {"colour table", 5, 3, 0},
                           {"gap", 7, 2, 10}};
    ScratchFolder folder;
    auto colour = [](int x, int y) { return RGB(x * 30, y * 70, 200 - x * 20); };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        TBitmap loaded[2];
        for (bool topDown : {false, true}) {
            const int height = 3, stride = (test.Width * 3 + 3) / 4 * 4;
            BITMAPINFOHEADER info = InfoHeader(test.Width, topDown ? -height : height, 24);
            info.biClrUsed = test.TableColours;
            std::string tail(test.TableColours * sizeof(RGBQUAD) + test.Gap, '\x5A');
            for (int row = 0; row < height; ++row) {
                std::string line(static_cast<size_t>(stride), '\x77');
                const int y = topDown ? row : height - 1 - row;
                for (int x = 0; x < test.Width; ++x) {
                    line[x * 3] = static_cast<char>(GetBValue(colour(x, y)));
                    line[x * 3 + 1] = static_cast<char>(GetGValue(colour(x, y)));
                    line[x * 3 + 2] = static_cast<char>(GetRValue(colour(x, y)));
                }
                tail += line;
            }
            std::string bytes = BmpBytes(info, tail);
            reinterpret_cast<BITMAPFILEHEADER*>(bytes.data())->bfOffBits +=
                test.TableColours * sizeof(RGBQUAD) + test.Gap;
            const std::string path = folder.Path() + (topDown ? "down.bmp" : "up.bmp");
            WriteBytes(path, bytes);
            loaded[topDown].LoadFromFile(path);
        }
        for (TBitmap& bitmap : loaded) {
            ASSERT_EQ(bitmap.Width(), test.Width);
            ASSERT_EQ(bitmap.Height(), 3);
            EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < test.Width; ++x)
                    EXPECT_EQ(bitmap.Canvas()->Pixels(x, y), static_cast<TColor>(colour(x, y)))
                        << x << "," << y;
        }
    }
    // Rows promised beyond the file's end are refused, in either order.
    BITMAPINFOHEADER cut = InfoHeader(4, 4, 24);
    const std::string path = folder.Path() + "cut.bmp";
    WriteBytes(path, BmpBytes(cut, std::string(47, '\0')));
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromFile(path), EInvalidGraphic);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(BitmapFiles, BadFilesRaiseAndLeaveTheBitmapAsItWas) {
    ScratchFolder folder;
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(2, 2, clNavy);
    std::string missing = folder.Path() + "missing.bmp";
    try {
        bitmap->LoadFromFile(missing);
        FAIL();
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message().rfind("Cannot open file \"" + missing + "\". ", 0), 0u)
            << error.Message();
    }
    // Headers that promise more than the file holds are refused before any
    // platform call reads them.
    BITMAPINFOHEADER huge = InfoHeader(100000, 100000, 24);
    BITMAPINFOHEADER palette = InfoHeader(4, 4, 8);  // 256 colours, no table
    BITMAPINFOHEADER wide = InfoHeader(-4, 4, 24);
    BITMAPINFOHEADER odd = InfoHeader(4, 4, 7);
    for (const std::string& bytes :
         {std::string("this is no bitmap"), BmpBytes(huge, std::string(64, '\0')),
          BmpBytes(palette, std::string(64, '\0')), BmpBytes(wide, std::string(64, '\0')),
          BmpBytes(odd, std::string(64, '\0')), std::string("BM")}) {
        std::string garbage = folder.Path() + "garbage.bmp";
        WriteBytes(garbage, bytes);
        try {
            bitmap->LoadFromFile(garbage);
            ADD_FAILURE() << bytes.size();
        } catch (const EInvalidGraphic& error) {
            EXPECT_EQ(error.Message(), "Bitmap image is not valid");
        }
    }
    try {
        bitmap->LoadFromResourceName(ThisModule(), "NOSUCHBITMAP");
        FAIL();
    } catch (const EInvalidGraphic& error) {
        EXPECT_EQ(error.Message(), "Resource NOSUCHBITMAP not found");
    }
    EXPECT_EQ(bitmap->Width(), 2);
    EXPECT_EQ(bitmap->Canvas()->Pixels(1, 1), clNavy);
}

TEST(BitmapNotices, DrawingOnTheCanvasAndResizingAnnounceAChange) {
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.SetSize(4, 4);
    EXPECT_EQ(changes, 1);
    bitmap.Canvas()->FillRect(Rect(0, 0, 2, 2));
    bitmap.Canvas()->SetPixels(3, 3, clRed);
    EXPECT_EQ(changes, 3);
    bitmap.SetSize(4, 4);
    bitmap.SetTransparent(false);
    EXPECT_EQ(changes, 3);
}
