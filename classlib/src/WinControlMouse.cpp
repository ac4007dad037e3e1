// WinControlMouse.cpp - a window's mouse messages: handing them to the
// windowless child under the pointer, telling pointer arrival and departure,
// the cursor and the context menu.
#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <windowsx.h>

// The child that holds the mouse, or the topmost enabled child under the
// pointer, gets the message in its own coordinates.
bool TWinControl::RouteMouse(TMessage& message) {
    TPoint pos = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    TControl* control = nullptr;
    if (FHandle && GetCapture() == FHandle) {
        TControl* captured = CaptureControl();
        if (captured && captured->Parent() == this) control = captured;
    } else {
        control = ControlAtPos(pos, false);
    }
    if (!control) return false;
    TMessage routed{message.Msg, message.WParam,
                    MAKELPARAM(pos.x - control->Left(), pos.y - control->Top()), 0};
    control->WndProc(routed);
    message.Result = routed.Result;
    return true;
}

void TWinControl::TrackMouse(TMessage& message) {
    TPoint pos = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    TRect client = ClientRect();
    TControl* target = nullptr;
    if (PtInRect(&client, pos)) {
        target = ControlAtPos(pos, true);
        if (!target) target = this;
    }
    SetMouseControl(target);
    if (!target || FMouseTracking || !FHandle) return;
    TRACKMOUSEEVENT tracking{sizeof tracking, TME_LEAVE, FHandle, 0};
    FMouseTracking = TrackMouseEvent(&tracking) != FALSE;
}

void TWinControl::WMMouseLeave(TMessage& message) {
    FMouseTracking = false;
    TControl* current = MouseControl();
    if (current == this || (current && current->Parent() == this && !current->WindowHandle()))
        SetMouseControl(nullptr);
    DefaultHandler(message);
}

void TWinControl::WMCaptureChanged(TMessage& message) {
    if (reinterpret_cast<HWND>(message.LParam) != FHandle) CaptureLost(this);
    DefaultHandler(message);
}

void TWinControl::WMContextMenu(TMessage& message) {
    TPoint screen = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    if (screen.x != -1 || screen.y != -1) {
        if (TControl* control = ControlAtPos(ScreenToClient(screen), false)) {
            message.Result = control->Perform(WM_CONTEXTMENU, message.WParam, message.LParam);
            if (message.Result) return;
        }
    }
    TControl::WMContextMenu(message);
}

void TWinControl::WMSetCursor(TMessage& message) {
    if (reinterpret_cast<HWND>(message.WParam) == FHandle && LOWORD(message.LParam) == HTCLIENT) {
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            TPoint pos{};
            GetCursorPos(&pos);
            TControl* control = ControlAtPos(ScreenToClient(pos), false);
            cursor = control ? control->Cursor() : crDefault;
            if (cursor == crDefault) cursor = Cursor();
        }
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors(cursor));
            message.Result = 1;
            return;
        }
    }
    DefaultHandler(message);
}
