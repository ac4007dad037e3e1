// GreyBench - the cost of greying a screen-sized desktop picture.
//
// GreyBitmap copies the picture, walks the 24-bit rows by scan line and
// assigns the copy back. Two baselines: the copy floor makes the same copy,
// converts it to 24 bits and assigns it back without touching a pixel (what
// the conversion cannot avoid), and the per-pixel walk reads and writes each
// pixel through the canvas, as a conversion without scan lines would. The
// first call converts a coloured 32-bit picture; later calls (every later
// paint of the full-screen window) find it grey and 24 bits already, so their
// copy is cheaper than the floor's. Prints milliseconds per megapixel of each
// and their ratios to the copy floor.
#include <classlib/Pictures.h>
#include <defrag/main.h>
#include <windows.h>

#include <cstdio>
#include <functional>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// A desktop-like picture: every pixel coloured, none grey.
void Colour(TBitmap& bitmap, int width, int height) {
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        auto* pixel = reinterpret_cast<uint32_t*>(bitmap.ScanLine(y));
        for (int x = 0; x < width; ++x) pixel[x] = 0x00203040u + uint32_t((x * 7 + y * 13) & 0x3F);
    }
}

// Milliseconds per megapixel of work on a fresh coloured picture each round.
double MsPerMegapixel(int width, int height, int rounds,
                      const std::function<void(TBitmap&)>& work) {
    double total = 0;
    for (int i = 0; i < rounds; ++i) {
        TBitmap bitmap;
        Colour(bitmap, width, height);
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        work(bitmap);
        QueryPerformanceCounter(&stop);
        total += Seconds(start, stop);
    }
    return total * 1e3 / rounds / (double(width) * height / 1e6);
}

void CopyFloor(TBitmap& bitmap) {
    TBitmap copy;
    copy.Assign(&bitmap);
    copy.SetPixelFormat(pf24bit);
    bitmap.Assign(&copy);
}

void PerPixel(TBitmap& bitmap) {
    TCanvas* canvas = bitmap.Canvas();
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            TColor colour = canvas->Pixels(x, y);
            int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
            if (red == green && green == blue) continue;
            int grey = (2 * red + 5 * green + blue) >> 3;
            canvas->SetPixels(x, y, RGB(grey, grey, grey));
        }
    }
}

}  // namespace

int main() {
    const int width = 1280, height = 1024;
    const double floor = MsPerMegapixel(width, height, 10, CopyFloor);
    const double first =
        MsPerMegapixel(width, height, 10, [](TBitmap& bitmap) { GreyBitmap(&bitmap); });
    const double again = MsPerMegapixel(width, height, 10,
                                        [](TBitmap& bitmap) {
                                            GreyBitmap(&bitmap);
                                            GreyBitmap(&bitmap);
                                        }) -
                         first;
    // Per-pixel platform calls are slow: a smaller picture gives the same rate.
    const double perPixel = MsPerMegapixel(320, 256, 1, PerPixel);

    std::printf("greying a %d x %d picture, ms per megapixel\n", width, height);
    std::printf("  copy floor (copy, 24 bits, assign back)  %8.2f\n", floor);
    std::printf("  GreyBitmap, coloured picture            %8.2f   %5.2f x floor\n", first,
                first / floor);
    std::printf("  GreyBitmap, picture already grey         %8.2f   %5.2f x floor\n", again,
                again / floor);
    std::printf("  per-pixel canvas walk                   %8.2f   %5.1f x GreyBitmap\n", perPixel,
                perPixel / first);
    return 0;
}
