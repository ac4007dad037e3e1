// Control.cpp - the properties every control has: parent, bounds, layout
// requests, visibility, caption, colour, font and their change notifications.
#include <classlib/ActnList.h>
#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <classlib/Menus.h>
#include <classlib/SysUtils.h>

#include "Consts.h"

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this](TObject*) { FontChange(); };
}

TControl::~TControl() {
    Destroying();
    if (MouseControl() == this) SetMouseControl(nullptr);
    if (CaptureControl() == this) SetCaptureControl(nullptr);
    SetParent(nullptr);
    FFont->OnChange = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EInvalidOperation(SControlParentSetToSelf);
    FPaintPending = false;
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

// --- Bounds and layout -------------------------------------------------------

void TControl::SetBounds(int left, int top, int width, int height) {
    ChangeBounds(left, top, std::max(width, 0), std::max(height, 0));
    if (FPlacing) return;
    RecordAnchorBase();
    if (FParent && (FAlign != alNone || FParent->AutoSize())) RequestAlign();
}

void TControl::PlaceBounds(int left, int top, int width, int height) {
    FPlacing = true;
    try {
        SetBounds(left, top, width, height);
    } catch (...) {
        FPlacing = false;
        throw;
    }
    FPlacing = false;
}

void TControl::ChangeBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    bool resized = width != FWidth || height != FHeight;
    InvalidateControl(FVisible, false);
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    InvalidateControl(FVisible, false);
    if (resized) Resize();
}

void TControl::SetBoundsRect(const TRect& rect) {
    SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

int TControl::ClientWidth() const {
    TRect client = ClientRect();
    return client.right - client.left;
}

int TControl::ClientHeight() const {
    TRect client = ClientRect();
    return client.bottom - client.top;
}

void TControl::SetClientSize(int width, int height) {
    SetBounds(FLeft, FTop, width + FWidth - ClientWidth(), height + FHeight - ClientHeight());
}

TPoint TControl::ClientOrigin() const {
    if (!FParent) return Point(FLeft, FTop);
    TPoint origin = FParent->ClientOrigin();
    return Point(origin.x + FLeft, origin.y + FTop);
}

TPoint TControl::ClientToScreen(TPoint point) const {
    TPoint origin = ClientOrigin();
    return Point(point.x + origin.x, point.y + origin.y);
}

TPoint TControl::ScreenToClient(TPoint point) const {
    TPoint origin = ClientOrigin();
    return Point(point.x - origin.x, point.y - origin.y);
}

void TControl::SetAlign(TAlign value) {
    if (value == FAlign) return;
    FAlign = value;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
    FAnchors = value;
    RecordAnchorBase();
}

void TControl::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (value) AdjustSize();
}

void TControl::RequestAlign() {
    if (FParent && !FParent->FAligning) FParent->Realign();
}

// The anchors keep the distances the control had from the parent's edges
// when its bounds were last set by the program.
void TControl::RecordAnchorBase() {
    if (!FParent) return;
    FAnchorBounds = BoundsRect();
    // Tied to the left and top edges alone, the control does not follow the
    // parent's size, so the parent's client area is not needed.
    if (FAnchors == TAnchors{akLeft, akTop}) return;
    TRect client = FParent->ClientRect();
    FAnchorParent = TSize{client.right - client.left, client.bottom - client.top};
}

TRect TControl::AnchoredBounds(TSize parentClient) const {
    TRect bounds = FAnchorBounds;
    auto follow = [](LONG& low, LONG& high, bool lowAnchor, bool highAnchor, int delta) {
        if (highAnchor && lowAnchor) {
            high = std::max(low, high + delta);
        } else if (highAnchor) {
            low += delta;
            high += delta;
        } else if (!lowAnchor) {
            low += delta / 2;
            high += delta / 2;
        }
    };
    follow(bounds.left, bounds.right, FAnchors.Contains(akLeft), FAnchors.Contains(akRight),
           parentClient.cx - FAnchorParent.cx);
    follow(bounds.top, bounds.bottom, FAnchors.Contains(akTop), FAnchors.Contains(akBottom),
           parentClient.cy - FAnchorParent.cy);
    return bounds;
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (!FParent) return;
    if (FParentColor) TakeParentColor();
    if (FParentFont) TakeParentFont();
}

// --- Visibility and state -------------------------------------------------------

void TControl::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    VisibleChanged();
    if (FParent && (FAlign != alNone || FParent->AutoSize())) RequestAlign();
}

void TControl::VisibleChanged() {
    if (!FVisible && MouseControl() == this) SetMouseControl(nullptr);
    InvalidateControl(true, false);
}

void TControl::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    EnabledChanged();
}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::SetCaption(const std::string& value) {
    if (value == FCaption) return;
    FCaption = value;
    TextChanged();
}

bool TControl::ShowHint() const {
    if (FParentShowHint && FParent) return FParent->ShowHint();
    return FShowHint;
}

void TControl::SetShowHint(bool value) {
    FShowHint = value;
    FParentShowHint = false;
}

void TControl::SetCursor(TCursor value) {
    if (value == FCursor) return;
    FCursor = value;
    if (MouseControl() == this && Screen->Cursor() == crDefault && value != crDefault)
        ::SetCursor(Screen->Cursors(value));
}

// --- Colour, font, reading order -------------------------------------------------

void TControl::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    FParentColor = false;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    if (value == FParentColor) return;
    FParentColor = value;
    if (value) TakeParentColor();
}

void TControl::TakeParentColor() {
    if (!FParent || FParent->FColor == FColor) return;
    FColor = FParent->FColor;
    ColorChanged();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::ParentColorChanged() {
    if (FParentColor) TakeParentColor();
}

void TControl::SetParentFont(bool value) {
    if (value == FParentFont) return;
    FParentFont = value;
    if (value) TakeParentFont();
}

void TControl::TakeParentFont() {
    if (!FParent) return;
    FTakingParentFont = true;
    try {
        FFont->Assign(FParent->Font());
    } catch (...) {
        FTakingParentFont = false;
        throw;
    }
    FTakingParentFont = false;
}

void TControl::FontChange() {
    if (!FTakingParentFont) FParentFont = false;
    FontChanged();
}

void TControl::FontChanged() { Invalidate(); }

void TControl::ParentFontChanged() {
    if (FParentFont) TakeParentFont();
}

void TControl::SetBiDiMode(TBiDiMode value) {
    FParentBiDiMode = false;
    if (value == FBiDiMode) return;
    FBiDiMode = value;
    BiDiModeChanged();
}

void TControl::SetParentBiDiMode(bool value) {
    FParentBiDiMode = value;
    if (value && FParent && FParent->FBiDiMode != FBiDiMode) {
        FBiDiMode = FParent->FBiDiMode;
        BiDiModeChanged();
    }
}

// --- Painting ---------------------------------------------------------------------

void TControl::InvalidateControl(bool wasVisible, bool opaque) {
    if (!wasVisible || !FParent || !FParent->HandleAllocated()) return;
    TRect bounds = BoundsRect();
    ::InvalidateRect(FParent->FHandle, &bounds, !opaque);
}

// A control that changes many times between two paints (a status line set
// for every entry of a scan) asks the platform once.
void TControl::Invalidate() {
    if (FPaintPending) return;
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    FPaintPending = true;
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::InvalidateRect(const TRect& rect, bool erase) {
    if (HWND window = WindowHandle()) {
        ::InvalidateRect(window, &rect, erase);
        return;
    }
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    TRect area = rect;
    OffsetRect(&area, FLeft, FTop);
    TRect bounds = BoundsRect();
    IntersectRect(&area, &area, &bounds);
    ::InvalidateRect(FParent->FHandle, &area, erase);
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

// An opaque windowless control covers its area: it is painted at once through
// a DC of its parent's window, with the windowless controls above it, and
// nothing else of the parent is repainted. Any other control asks its
// parent for a paint of its area.
void TControl::Repaint() {
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    if (!FControlStyle.Contains(csOpaque) || !FParent->Showing()) {
        Invalidate();
        Update();
        return;
    }
    TClientDC dc(FParent->FHandle);
    if (!dc.Get()) return;
    TSavedDC saved(dc.Get());
    IntersectClipRect(dc.Get(), FLeft, FTop, FLeft + FWidth, FTop + FHeight);
    FParent->PaintControls(dc.Get(), this);
}

void TControl::BringToFront() {
    if (FParent) FParent->ReorderControl(this, true);
}

void TControl::SendToBack() {
    if (FParent) FParent->ReorderControl(this, false);
}

// --- Messages -----------------------------------------------------------------------

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    // A window's messages go through its procedure, so that the platform's
    // own procedure (and any subclass) is in the chain.
    if (HWND window = WindowHandle()) return SendMessageA(window, message, wParam, lParam);
    TMessage data{message, wParam, lParam, 0};
    WndProc(data);
    return data.Result;
}

void TControl::WndProc(TMessage& message) {
    bool doubleClick = message.Msg == WM_LBUTTONDBLCLK || message.Msg == WM_RBUTTONDBLCLK ||
                       message.Msg == WM_MBUTTONDBLCLK;
    if (doubleClick && !FControlStyle.Contains(csDoubleClicks))
        message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return WMMouseButton(message);
        case WM_MOUSEMOVE:
            return WMMouseMove(message);
        case WM_CONTEXTMENU:
            return WMContextMenu(message);
        default:
            return DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Click() {
    if (OnClick) return OnClick(this);
    if (FActionLink) FActionLink->Execute(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

bool TControl::DialogKey(WORD, TShiftState) { return false; }

bool TControl::DialogChar(char, TShiftState) { return false; }

void TControl::FocusChanged(TWinControl*) {}

// --- Action and pop-up menu ----------------------------------------------------------

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* value) {
    if (value == Action()) return;
    if (TBasicAction* old = Action()) old->RemoveFreeNotification(this);
    if (!value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = CreateActionLink();
    FActionLink->SetAction(value);
    value->FreeNotification(this);
    ActionChange(value, value->ComponentState().Contains(csLoading));
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() {
    return std::make_unique<TControlActionLink>(this);
}

void TControl::ActionChange(TObject* sender, bool checkDefaults) {
    auto action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || FCaption.empty() || FCaption == Name()) SetCaption(action->Caption());
    if (!checkDefaults || FEnabled) SetEnabled(action->Enabled());
    if (!checkDefaults || FHint.empty()) SetHint(action->Hint());
    if (!checkDefaults || FVisible) SetVisible(action->Visible());
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (value == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = value;
    if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FPopupMenu) FPopupMenu = nullptr;
    if (FActionLink && component == FActionLink->Action()) FActionLink.reset();
}

bool TControl::ContextPopup(TPoint mousePos) {
    bool handled = false;
    if (OnContextPopup) OnContextPopup(this, mousePos, handled);
    return handled;
}
