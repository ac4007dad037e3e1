// SkinDrawing.cpp - parent backgrounds, tiles and window regions.
#include "SkinDrawing.h"

#include <classlib/SysUtils.h>
#include <widgets/common/KitGdi.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The bitmap's pixels as 0x00BBGGRR values, row by row from the top.
std::vector<uint32_t> ReadPixels(TBitmap* bitmap) {
    const int width = bitmap->Width();
    const int height = bitmap->Height();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    TClientDC screen;
    if (GetDIBits(screen.Get(), bitmap->Handle(), 0, static_cast<UINT>(height), pixels.data(),
                  &info, DIB_RGB_COLORS) != height)
        throw EOutOfResources("Cannot read the bitmap's pixels");
    // The DIB holds blue in the low byte; a colour value holds red there.
    for (uint32_t& pixel : pixels)
        pixel = (pixel & 0x0000FF) << 16 | (pixel & 0x00FF00) | (pixel & 0xFF0000) >> 16;
    return pixels;
}

// One rectangle per maximal run of pixels that are not transparent; a run
// that reaches the last column ends there.
std::vector<RECT> VisibleRuns(const std::vector<uint32_t>& pixels, int width, int height,
                              TColor transparentColor) {
    std::vector<RECT> runs;
    const auto transparent = static_cast<uint32_t>(transparentColor);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels.data() + static_cast<size_t>(y) * width;
        int x = 0;
        while (x < width) {
            while (x < width && row[x] == transparent) ++x;
            if (x == width) break;
            const int start = x;
            while (x < width && row[x] != transparent) ++x;
            runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    return runs;
}

// The union of the rectangles, made in one call.
HRGN RegionOfRects(const std::vector<RECT>& rects) {
    std::vector<char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects.size());
    header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    RECT bounds{};
    for (const RECT& rect : rects) UnionRect(&bounds, &bounds, &rect);
    header->rcBound = bounds;
    if (!rects.empty())
        std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                           reinterpret_cast<const RGNDATA*>(data.data()));
}

}  // namespace

void PaintParentBackground(TCanvas* canvas, TControl* control) {
    PaintParentBackground(canvas, control->Parent(), Point(control->Left(), control->Top()));
}

void PaintParentBackground(TCanvas* canvas, TWinControl* parent, TPoint offset) {
    if (!parent) return;
    HDC dc = canvas->Handle();
    {
        TSavedDC saved(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x - offset.x, origin.y - offset.y, nullptr);
        IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
        HWND window = parent->Handle();
        SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    CanvasChanged(canvas);
}

void TilePicture(TCanvas* canvas, TGraphic* graphic, const TRect& rect) {
    if (!graphic || graphic->Empty()) return;
    const int width = graphic->Width();
    const int height = graphic->Height();
    if (width <= 0 || height <= 0) return;
    for (int x = 0; x < rect.right - rect.left; x += width)
        for (int y = 0; y < rect.bottom - rect.top; y += height) canvas->Draw(x, y, graphic);
}

TGdiObject<HRGN> RegionFromBitmap(TBitmap* bitmap, TColor transparentColor) {
    std::vector<RECT> runs;
    if (!bitmap->Empty()) {
        const std::vector<uint32_t> pixels = ReadPixels(bitmap);
        runs = VisibleRuns(pixels, bitmap->Width(), bitmap->Height(), transparentColor);
    }
    TGdiObject<HRGN> region(RegionOfRects(runs));
    if (!region) throw EOutOfResources("Cannot make the window's region");
    return region;
}

bool SetWindowRegion(HWND window, TGdiObject<HRGN>& region) {
    // The window owns the region once it took it.
    if (!SetWindowRgn(window, region.Get(), TRUE)) return false;
    region.Release();
    return true;
}

bool SetRegionFromBitmap(HWND window, TBitmap* bitmap, TColor transparentColor) {
    TGdiObject<HRGN> region = RegionFromBitmap(bitmap, transparentColor);
    return SetWindowRegion(window, region);
}
