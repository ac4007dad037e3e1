// Canvas.cpp - drawing on a borrowed DC with objects selected on demand and
// put back when the canvas lets go of the DC.
#include <classlib/Graphics.h>
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>

#include "Consts.h"
#include "GdiCheck.h"

namespace {

// Raster operations of the brush copy: dest & ~source, and (pattern & source) | dest.
constexpr DWORD RopDSna = 0x00220326;
constexpr DWORD RopDPSao = 0x00EA02E9;

int Width(const TRect& rect) { return rect.right - rect.left; }
int Height(const TRect& rect) { return rect.bottom - rect.top; }
int Length(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

TCanvas::TCanvas()
    : FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()),
      FFont(std::make_unique<TFont>()) {
    FPen->FReleasing = [this] { Deselect(slPen); };
    FBrush->FReleasing = [this] { Deselect(slBrush); };
    FFont->FReleasing = [this] { Deselect(slFont); };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidOperation(SNoCanvasHandle);
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    DeselectAll();
    FHandle = dc;
}

void TCanvas::Refresh() { DeselectAll(); }

void TCanvas::CreateHandle() { throw EInvalidOperation(SNoCanvasHandle); }

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TGraphicsObject* TCanvas::Object(TSlot slot) const {
    if (slot == slPen) return FPen.get();
    if (slot == slBrush) return FBrush.get();
    return FFont.get();
}

HDC TCanvas::RequireObjects(std::initializer_list<TSlot> slots) {
    HDC dc = Handle();
    for (TSlot slot : slots) Select(slot);
    return dc;
}

void TCanvas::Select(TSlot slot) {
    if (FOriginal[slot]) return;
    HGDIOBJ previous = SelectObject(FHandle, Object(slot)->GdiHandle());
    if (!previous || previous == HGDI_ERROR) return;
    FOriginal[slot] = previous;
    if (slot == slPen) {
        SetROP2(FHandle, FPen->Mode() + R2_BLACK);
    } else if (slot == slBrush) {
        SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
        SetBkMode(FHandle, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    } else {
        SetTextColor(FHandle, ColorToRGB(FFont->Color()));
    }
}

void TCanvas::Deselect(TSlot slot) {
    if (!FOriginal[slot]) return;
    SelectObject(FHandle, FOriginal[slot]);
    FOriginal[slot] = nullptr;
}

void TCanvas::DeselectAll() {
    for (int slot = 0; slot < slCount; ++slot) Deselect(static_cast<TSlot>(slot));
}

TPoint TCanvas::PenPos() {
    TPoint position{};
    GetCurrentPositionEx(Handle(), &position);
    return position;
}

TColor TCanvas::Pixels(int x, int y) { return static_cast<TColor>(GetPixel(Handle(), x, y)); }

void TCanvas::SetPixels(int x, int y, TColor color) {
    SetPixel(RequireObjects({slPen}), x, y, ColorToRGB(color));
    Changed();
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
    ::LineTo(RequireObjects({slPen, slBrush}), x, y);
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    ::Rectangle(RequireObjects({slPen, slBrush}), left, top, right, bottom);
    Changed();
}

void TCanvas::FillRect(const TRect& rect) {
    ::FillRect(RequireObjects({slBrush}), &rect, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
    ::FrameRect(RequireObjects({slBrush}), &rect, FBrush->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    ::DrawFocusRect(RequireObjects({slBrush}), &rect);
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.empty()) return;
    ::Polygon(RequireObjects({slPen, slBrush}), points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    ::TextOutA(RequireObjects({slFont, slBrush}), x, y, text.data(), Length(text));
    MoveTo(x + TextWidth(text), y);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    UINT options = ETO_CLIPPED | (FBrush->Style() != bsClear ? ETO_OPAQUE : 0);
    ExtTextOutA(RequireObjects({slFont, slBrush}), x, y, options, &rect, text.data(), Length(text),
                nullptr);
    Changed();
}

int TCanvas::DrawText(std::string_view text, TRect& rect, UINT flags) {
    int height = ::DrawTextA(RequireObjects({slFont, slBrush}), text.data(), Length(text), &rect,
                             flags & ~DT_MODIFYSTRING);
    Changed();
    return height;
}

TSize TCanvas::TextExtent(std::string_view text) {
    TSize size{};
    GetTextExtentPoint32A(RequireObjects({slFont}), text.data(), Length(text), &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Handle();
    graphic->Draw(this, rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
    HDC dc = RequireObjects({slFont, slBrush});
    HDC from = canvas->RequireObjects({slBrush});
    StretchBlt(dc, dest.left, dest.top, Width(dest), Height(dest), from, source.left, source.top,
               Width(source), Height(source), FCopyMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
    if (!bitmap || bitmap->Empty() || Width(source) <= 0 || Height(source) <= 0) return;
    HDC dc = RequireObjects({slBrush});
    HDC from = bitmap->Canvas()->Handle();
    const int w = Width(source), h = Height(source);

    // The mask is white where the bitmap shows the colour.
    TOwnedDC maskDC = NewMemoryDC();
    TGdiObject<HBITMAP> mask(CheckGdi(CreateBitmap(w, h, 1, 1, nullptr)));
    TSelectObject maskSelected(maskDC.Get(), mask.Get());
    COLORREF background = SetBkColor(from, ColorToRGB(color));
    BitBlt(maskDC.Get(), 0, 0, w, h, from, source.left, source.top, SRCCOPY);
    SetBkColor(from, background);

    // A copy of the part, cleared under the mask, then given the brush there.
    TOwnedDC workDC = NewMemoryDC(dc);
    TGdiObject<HBITMAP> work(CheckGdi(CreateCompatibleBitmap(dc, w, h)));
    TSelectObject workSelected(workDC.Get(), work.Get());
    BitBlt(workDC.Get(), 0, 0, w, h, from, source.left, source.top, SRCCOPY);
    SetTextColor(workDC.Get(), RGB(0, 0, 0));
    SetBkColor(workDC.Get(), RGB(255, 255, 255));
    BitBlt(workDC.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, RopDSna);
    {
        TSelectObject brushSelected(workDC.Get(), FBrush->Handle());
        BitBlt(workDC.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, RopDPSao);
    }
    StretchBlt(dc, dest.left, dest.top, Width(dest), Height(dest), workDC.Get(), 0, 0, w, h,
               FCopyMode);
    Changed();
}

void TWindowCanvas::SetWindow(HWND window) {
    FreeHandle();
    FWindow = window;
}

void TWindowCanvas::FreeHandle() {
    if (!HandleAllocated()) return;
    HDC dc = Handle();
    SetHandle(nullptr);
    ReleaseDC(FWindow, dc);
}

void TWindowCanvas::CreateHandle() { SetHandle(CheckGdi(GetDC(FWindow))); }

void TransparentStretchBlt(HDC dest, const TRect& destRect, HDC source, const TRect& sourceRect,
                           HDC mask) {
    const int w = Width(destRect), h = Height(destRect);
    const int sw = Width(sourceRect), sh = Height(sourceRect);
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    // Worked out off-screen, so that the destination shows only the result.
    TOwnedDC work = NewMemoryDC(dest);
    TGdiObject<HBITMAP> buffer(CheckGdi(CreateCompatibleBitmap(dest, w, h)));
    TSelectObject selected(work.Get(), buffer.Get());
    HDC dc = work.Get();
    BitBlt(dc, 0, 0, w, h, dest, destRect.left, destRect.top, SRCCOPY);
    SetStretchBltMode(dc, COLORONCOLOR);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    // (dest ^ source) & mask ^ source: dest where the mask is white, else source.
    StretchBlt(dc, 0, 0, w, h, source, sourceRect.left, sourceRect.top, sw, sh, SRCINVERT);
    StretchBlt(dc, 0, 0, w, h, mask, sourceRect.left, sourceRect.top, sw, sh, SRCAND);
    StretchBlt(dc, 0, 0, w, h, source, sourceRect.left, sourceRect.top, sw, sh, SRCINVERT);
    BitBlt(dest, destRect.left, destRect.top, w, h, dc, 0, 0, SRCCOPY);
}
