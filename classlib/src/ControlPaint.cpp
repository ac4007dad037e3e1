// ControlPaint.cpp - painting: a window's face and its windowless children,
// double buffering, the controls' canvases.
#include <classlib/Controls.h>
#include <classlib/SysUtils.h>

#include <algorithm>

#include "Consts.h"

namespace {

// Canvases holding a DC they fetched for themselves.
std::vector<TControlCanvas*> FetchedCanvases;

}  // namespace

// --- Control canvas ------------------------------------------------------------

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
    HWND window = nullptr;
    if (auto control = dynamic_cast<TWinControl*>(FControl)) {
        window = control->Handle();
    } else if (FControl->Parent()) {
        window = FControl->Parent()->Handle();
    } else {
        throw EInvalidOperation(SNoCanvasHandle);
    }
    HDC dc = GetDC(window);
    if (!dc) throw EOutOfResources(SOutOfResources);
    if (window != FControl->WindowHandle()) {
        SetViewportOrgEx(dc, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
    }
    FWindow = window;
    FFetched = dc;
    FetchedCanvases.push_back(this);
    SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
    if (!FFetched) return;
    SetHandle(nullptr);
    ReleaseDC(FWindow, FFetched);
    FFetched = nullptr;
    FWindow = nullptr;
    std::erase(FetchedCanvases, this);
}

void FreeDeviceContexts() {
    while (!FetchedCanvases.empty()) FetchedCanvases.back()->FreeHandle();
}

void PaintWithCanvas(TControlCanvas* canvas, HDC dc, const std::function<void()>& paint) {
    canvas->FreeHandle();
    canvas->SetHandle(dc);
    try {
        paint();
    } catch (...) {
        canvas->SetHandle(nullptr);
        throw;
    }
    canvas->SetHandle(nullptr);
}

// --- Windowed controls ------------------------------------------------------------

void TWinControl::Invalidate() {
    if (FHandle) ::InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::WMPaint(TMessage& message) {
    if (FSubclassed) return DefaultHandler(message);
    if (message.WParam) return PaintHandler(reinterpret_cast<HDC>(message.WParam));
    if (FDoubleBuffered) return PaintBuffered();
    TPaintDC paint(FHandle);
    PaintHandler(paint.Get());
}

// Only the part that needs painting goes through the buffer: a small change
// on a large window costs its own area.
void TWinControl::PaintBuffered() {
    TPaintDC paint(FHandle);
    TRect client{};
    GetClientRect(FHandle, &client);
    TRect area{};
    if (!IntersectRect(&area, &client, &paint.Paint().rcPaint)) return;
    TBufferedPaint buffer(paint.Get(), area);
    if (!buffer.Buffered()) return PaintHandler(paint.Get());
    auto dc = reinterpret_cast<WPARAM>(buffer.DC());
    Perform(WM_ERASEBKGND, dc, static_cast<LPARAM>(dc));
    Perform(WM_PAINT, dc, 0);
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
    if (FSubclassed) return DefaultHandler(message);
    // A double-buffered window erases inside its buffer (wParam = lParam there).
    if (!FDoubleBuffered || message.WParam == static_cast<WPARAM>(message.LParam)) {
        TRect client = ClientRect();
        FillRect(reinterpret_cast<HDC>(message.WParam), &client, Brush()->Handle());
    }
    message.Result = 1;
}

void TWinControl::WMPrintClient(TMessage& message) {
    if (FSubclassed) return DefaultHandler(message);
    auto dc = reinterpret_cast<HDC>(message.WParam);
    if (message.LParam & PRF_ERASEBKGND)
        Perform(WM_ERASEBKGND, message.WParam, static_cast<LPARAM>(message.WParam));
    PaintHandler(dc);
}

void TWinControl::PaintHandler(HDC dc) {
    {
        // The window's face is not drawn under opaque windowless children.
        TSavedDC saved(dc);
        for (TControl* control : FControls) {
            if (!control->Visible() || !control->ControlStyle().Contains(csOpaque)) continue;
            ExcludeClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                            control->Top() + control->Height());
        }
        PaintWindow(dc);
    }
    PaintControls(dc);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, const TControl* first) {
    size_t start = 0;
    while (first && start < FControls.size() && FControls[start] != first) ++start;
    // By index: painting may change the list.
    for (size_t i = start; i < FControls.size(); ++i) {
        TControl* control = FControls[i];
        TRect bounds = control->BoundsRect();
        if (!control->Visible() || !RectVisible(dc, &bounds)) continue;
        TSavedDC saved(dc);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
        control->FPaintPending = false;
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

// --- Windowless controls with a canvas ----------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() { FCanvas->FreeHandle(); }

void TGraphicControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_PAINT) return WMPaint(message);
    TControl::Dispatch(message);
}

void TGraphicControl::WMPaint(TMessage& message) {
    if (!message.WParam) return;
    PaintWithCanvas(FCanvas.get(), reinterpret_cast<HDC>(message.WParam), [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() { FCanvas->FreeHandle(); }

void TCustomControl::PaintWindow(HDC dc) {
    PaintWithCanvas(FCanvas.get(), dc, [this] { Paint(); });
}
