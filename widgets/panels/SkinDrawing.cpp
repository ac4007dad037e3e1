// SkinDrawing.cpp - parent backgrounds, tiles and window regions.
#include "SkinDrawing.h"

#include <classlib/SysUtils.h>
#include <widgets/common/KitGdi.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The runs of pixels that are not transparent in one row (left, right), a
// run that reaches the last column ending there.
void VisibleRuns(TBitmap* bitmap, int y, int bytesPerPixel, uint32_t transparent,
                 std::vector<std::pair<LONG, LONG>>& runs) {
    runs.clear();
    const int width = bitmap->Width();
    const uint8_t* row = bitmap->ScanLine(y);
    // Blue, green, red in the row; a colour value holds red in its low byte.
    auto colour = [&](int x) {
        const uint8_t* pixel = row + static_cast<size_t>(x) * bytesPerPixel;
        return uint32_t{pixel[2]} | uint32_t{pixel[1]} << 8 | uint32_t{pixel[0]} << 16;
    };
    int x = 0;
    while (x < width) {
        while (x < width && colour(x) == transparent) ++x;
        if (x == width) break;
        const int start = x;
        while (x < width && colour(x) != transparent) ++x;
        runs.emplace_back(start, x);
    }
}

// One rectangle per maximal run of pixels that are not transparent, runs of
// the same columns in rows that follow each other joined into one rectangle.
std::vector<RECT> VisibleRects(TBitmap* bitmap, TColor transparentColor) {
    std::vector<RECT> rects;
    const auto transparent = static_cast<uint32_t>(transparentColor);
    DIBSECTION dib{};
    GetObject(bitmap->Handle(), sizeof dib, &dib);
    const int bytesPerPixel = dib.dsBm.bmBitsPixel / 8;
    std::vector<std::pair<LONG, LONG>> runs, previous;
    size_t band = 0;  // where the rectangles of the previous row begin
    for (int y = 0; y < bitmap->Height(); ++y) {
        VisibleRuns(bitmap, y, bytesPerPixel, transparent, runs);
        if (y > 0 && runs == previous) {
            for (size_t i = band; i < rects.size(); ++i) rects[i].bottom = y + 1;
            continue;
        }
        band = rects.size();
        for (auto [left, right] : runs) rects.push_back(RECT{left, y, right, y + 1});
        std::swap(runs, previous);
    }
    return rects;
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
    std::vector<RECT> rects;
    if (!bitmap->Empty()) rects = VisibleRects(bitmap, transparentColor);
    TGdiObject<HRGN> region(RegionOfRects(rects));
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
