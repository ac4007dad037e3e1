// BufferedPaint.cpp - one paint of an area through an off-screen bitmap.
#include <classlib/Graphics.h>

#include <exception>

TBufferedPaint::TBufferedPaint(HDC target, const TRect& area)
    : FTarget(target),
      FArea(area),
      FBuffer(target, area.right - area.left, area.bottom - area.top),
      FExceptions(std::uncaught_exceptions()) {
    // The buffer's origin lies at the area's corner, so that it is drawn on
    // in the target's coordinates.
    if (Buffered()) SetViewportOrgEx(FBuffer.DC(), -area.left, -area.top, nullptr);
    FCanvas.SetHandle(DC());
}

TBufferedPaint::TBufferedPaint(TCanvas* target, const TRect& area)
    : TBufferedPaint(target->Handle(), area) {
    FTargetCanvas = target;
}

TBufferedPaint::~TBufferedPaint() {
    FCanvas.SetHandle(nullptr);
    if (!Buffered() || std::uncaught_exceptions() > FExceptions) return;
    BitBlt(FTarget, FArea.left, FArea.top, FArea.right - FArea.left, FArea.bottom - FArea.top,
           FBuffer.DC(), FArea.left, FArea.top, SRCCOPY);
    if (FTargetCanvas && FTargetCanvas->OnChange) FTargetCanvas->OnChange(FTargetCanvas);
}
