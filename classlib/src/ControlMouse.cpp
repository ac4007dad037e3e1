// ControlMouse.cpp - mouse messages of a control: presses, clicks, capture,
// the pointer arriving and leaving, the context menu.
#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <classlib/Menus.h>
#include <classlib/SysUtils.h>
#include <windowsx.h>

namespace {

// A windowless control that holds the mouse through its parent's window.
TControl* CapturedControl = nullptr;
// The control under the pointer, as last told.
TControl* PointerControl = nullptr;

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState shift;
    if (keys & MK_SHIFT) shift.Include(ssShift);
    if (keys & MK_CONTROL) shift.Include(ssCtrl);
    if (keys & MK_LBUTTON) shift.Include(ssLeft);
    if (keys & MK_RBUTTON) shift.Include(ssRight);
    if (keys & MK_MBUTTON) shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

}  // namespace

TControl* CaptureControl() {
    HWND captured = GetCapture();
    if (CapturedControl && CapturedControl->Parent() &&
        CapturedControl->Parent()->HandleAllocated() &&
        CapturedControl->Parent()->Handle() == captured)
        return CapturedControl;
    return captured ? FindControl(captured) : nullptr;
}

void SetCaptureControl(TControl* control) {
    CapturedControl = nullptr;
    ReleaseCapture();
    if (!control) return;
    if (auto window = dynamic_cast<TWinControl*>(control)) {
        SetCapture(window->Handle());
        return;
    }
    if (!control->Parent()) return;
    CapturedControl = control;
    SetCapture(control->Parent()->Handle());
}

void TControl::CaptureLost(const TWinControl* window) {
    if (CapturedControl && CapturedControl->Parent() == window) CapturedControl = nullptr;
}

TControl* MouseControl() { return PointerControl; }

void TControl::SetMouseControl(TControl* control) {
    if (control == PointerControl) return;
    TControl* previous = PointerControl;
    PointerControl = control;
    if (previous) previous->MouseLeave();
    if (control && control == PointerControl) control->MouseEnter();
    if (Application) Application->HintMouseMessage(PointerControl);
}

bool TControl::MouseCapture() const { return CaptureControl() == this; }

void TControl::SetMouseCapture(bool value) {
    if (value == MouseCapture()) return;
    SetCaptureControl(value ? this : nullptr);
}

void TControl::WMMouseButton(TMessage& message) {
    TMouseButton button = mbLeft;
    if (message.Msg >= WM_RBUTTONDOWN && message.Msg <= WM_RBUTTONDBLCLK) button = mbRight;
    if (message.Msg >= WM_MBUTTONDOWN) button = mbMiddle;
    UINT kind = (message.Msg - WM_LBUTTONDOWN) % 3;  // 0 down, 1 up, 2 double click
    SendMouse(message, button, kind != 1, kind == 2);
}

void TControl::SendMouse(TMessage& message, TMouseButton button, bool down, bool twice) {
    DefaultHandler(message);
    int x = GET_X_LPARAM(message.LParam);
    int y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = MouseShiftState(message.WParam);
    if (down) {
        if (Application) Application->CancelHint();
        if (button == mbLeft) {
            if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
            FControlState.Include(csLButtonDown);
            if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
            if (twice && FControlStyle.Contains(csClickEvents)) DblClick();
        }
        if (twice) shift.Include(ssDouble);
        MouseDown(button, shift, x, y);
        return;
    }
    if (button == mbLeft) {
        if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
        FControlState.Exclude(csLButtonDown);
        if (FControlState.Contains(csClicked)) {
            FControlState.Exclude(csClicked);
            TRect client = ClientRect();
            if (PtInRect(&client, Point(x, y))) Click();
        }
    }
    MouseUp(button, shift, x, y);
}

void TControl::WMMouseMove(TMessage& message) {
    DefaultHandler(message);
    MouseMove(MouseShiftState(message.WParam), GET_X_LPARAM(message.LParam),
              GET_Y_LPARAM(message.LParam));
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::WMContextMenu(TMessage& message) {
    TPoint screen = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    // (-1, -1): the menu key, which pops the menu up at the control.
    bool keyboard = screen.x == -1 && screen.y == -1;
    TPoint client = keyboard ? Point(-1, -1) : ScreenToClient(screen);
    if (ContextPopup(client)) {
        message.Result = 1;
        return;
    }
    if (FPopupMenu && FPopupMenu->AutoPopup()) {
        if (keyboard) screen = ClientToScreen(Point(0, 0));
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(screen.x, screen.y);
        message.Result = 1;
        return;
    }
    DefaultHandler(message);
}

bool IsAccel(char key, const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return AnsiUpperCase(std::string(1, caption[i + 1])) == AnsiUpperCase(std::string(1, key));
    }
    return false;
}

TShiftState KeyboardShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}
