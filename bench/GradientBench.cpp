// GradientBench - the cost of a horizontal gradient as its area grows.
//
// DrawGradient paints one 8-pixel band per colour change and doubles it
// across the width, so a gradient 10 times wider and 10 times taller (100
// times the area) should cost far less than 100 times as much. Two baselines
// do the same platform work without the gradient logic: the area floor makes,
// copies and frees an off-screen bitmap of the same size (what DrawGradient
// pays for the area), and the row-by-row fill paints the same colours a
// full-width row at a time, one brush per row. Prints the time per call of
// each and the large-to-small ratios.
#include <classlib/Pictures.h>
#include <widgets/common/Gradients.h>
#include <windows.h>

#include <cstdio>
#include <functional>

namespace {

struct TCase {
    int width, height, repeats;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Microseconds per call of paint on a bitmap of the case's size.
double MicrosecondsPerCall(const TCase& c,
                           const std::function<void(TCanvas*, const TRect&)>& paint) {
    TBitmap bitmap;
    bitmap.SetSize(c.width, c.height);
    TCanvas* canvas = bitmap.Canvas();
    const TRect rect = Rect(0, 0, c.width, c.height);
    paint(canvas, rect);  // warm-up
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < c.repeats; ++i) paint(canvas, rect);
    QueryPerformanceCounter(&stop);
    return Seconds(start, stop) * 1e6 / c.repeats;
}

void Gradient(TCanvas* canvas, const TRect& rect) {
    DrawGradient(canvas, rect, gdHorizontalEnd, clRed, clBlue, 1);
}

// An off-screen bitmap of the rectangle's size, copied onto the canvas.
void AreaFloor(TCanvas* canvas, const TRect& rect) {
    HDC target = canvas->Handle();
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    BitBlt(target, rect.left, rect.top, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// The same colours, a full-width row at a time.
void RowByRow(TCanvas* canvas, const TRect& rect) {
    HDC dc = canvas->Handle();
    const int h = rect.bottom - rect.top;
    for (int y = 0; y < h; ++y) {
        const int blue = 255 * y / (h - 1);
        HBRUSH brush = CreateSolidBrush(RGB(255 - blue, 0, blue));
        const RECT row{rect.left, y, rect.right, y + 1};
        FillRect(dc, &row, brush);
        DeleteObject(brush);
    }
}

}  // namespace

int main() {
    const TCase small{200, 24, 4000};
    const TCase large{2000, 240, 400};
    struct TMeasured {
        const char* name;
        void (*paint)(TCanvas*, const TRect&);
        double small, large;
    } rows[] = {{"DrawGradient gdHorizontalEnd", Gradient, 0, 0},
                {"area floor (bitmap made, copied)", AreaFloor, 0, 0},
                {"row-by-row fill", RowByRow, 0, 0}};
    for (TMeasured& row : rows) {
        row.small = MicrosecondsPerCall(small, row.paint);
        row.large = MicrosecondsPerCall(large, row.paint);
    }
    std::printf("%-34s %12s %12s %8s\n", "us per call", "200 x 24", "2000 x 240", "ratio");
    for (const TMeasured& row : rows)
        std::printf("%-34s %12.1f %12.1f %8.1f\n", row.name, row.small, row.large,
                    row.large / row.small);
    std::printf("area ratio 100; DrawGradient above the area floor: %.1f -> %.1f us (ratio %.1f)\n",
                rows[0].small - rows[1].small, rows[0].large - rows[1].large,
                (rows[0].large - rows[1].large) / (rows[0].small - rows[1].small));
    return 0;
}
