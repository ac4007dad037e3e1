// TrayMouse.cpp - the mouse on the notification-area icon: the shell's
// callbacks turned into the icon's events, a single click told from a double
// click, the pointer entering and leaving, the pop-up menu.
#include "TrayIcon.h"

namespace {

TShiftState CurrentShiftState() {
    TShiftState shift;
    if (GetAsyncKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetAsyncKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetAsyncKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

}  // namespace

void TTrayIcon::HandleTrayMessage(UINT message) {
    switch (message) {
        case NIN_BALLOONSHOW:
            if (OnBalloonHintShow) OnBalloonHintShow(this);
            return;
        case NIN_BALLOONHIDE:
            if (OnBalloonHintHide) OnBalloonHintHide(this);
            return;
        case NIN_BALLOONTIMEOUT:
            if (OnBalloonHintTimeout) OnBalloonHintTimeout(this);
            return;
        case NIN_BALLOONUSERCLICK:
            if (OnBalloonHintClick) OnBalloonHintClick(this);
            return;
        default:
            if (FEnabled) HandleMouseMessage(message);
    }
}

void TTrayIcon::HandleMouseMessage(UINT message) {
    // The shell's message holds no position: the pointer's own is taken.
    TPoint pos{};
    GetCursorPos(&pos);
    TShiftState shift = CurrentShiftState();
    switch (message) {
        case WM_MOUSEMOVE:
            if (FWantEnterExitEvents && FMouseOutside) {
                FMouseOutside = false;
                FireMouseEnter();
            }
            FireMouseMove(shift, pos.x, pos.y);
            FLastMousePos = pos;
            return;
        case WM_LBUTTONDOWN:
            // With a double-click handler a single click waits until no
            // second one can come.
            if (OnDblClick) {
                FDoubleClickTimer->SetInterval(GetDoubleClickTime());
                FDoubleClickTimer->SetEnabled(true);
            }
            FireMouseDown(mbLeft, shift + TShiftState{ssLeft}, pos.x, pos.y);
            FLeftButtonDown = true;
            if (FLeftPopup) PopupMenuAtCursor();
            return;
        case WM_LBUTTONUP:
            if (FLeftButtonDown) {
                FClickPending = true;
                if (!FDoubleClickTimer->Enabled()) {
                    FClickPending = false;
                    FDoubleClickSeen = false;
                    FireClick();
                }
            }
            FLeftButtonDown = false;
            FireMouseUp(mbLeft, shift + TShiftState{ssLeft}, pos.x, pos.y);
            return;
        case WM_LBUTTONDBLCLK:
            FClickPending = false;
            FDoubleClickSeen = true;
            FireDblClick();
            ClickDefaultMenuItem();
            return;
        case WM_RBUTTONDOWN:
            FireMouseDown(mbRight, shift + TShiftState{ssRight}, pos.x, pos.y);
            PopupMenuAtCursor();
            return;
        case WM_RBUTTONUP:
            FireMouseUp(mbRight, shift + TShiftState{ssRight}, pos.x, pos.y);
            return;
        case WM_MBUTTONDOWN:
            FireMouseDown(mbMiddle, shift + TShiftState{ssMiddle}, pos.x, pos.y);
            return;
        case WM_MBUTTONUP:
            FireMouseUp(mbMiddle, shift + TShiftState{ssMiddle}, pos.x, pos.y);
            return;
        default:
            return;
    }
}

void TTrayIcon::PopupMenuAtCursor() {
    TPoint pos{};
    if (!FPopupMenu || !FPopupMenu->AutoPopup() || !GetCursorPos(&pos)) return;
    // In front, so that the menu closes when the user clicks elsewhere.
    if (Application) {
        SetForegroundWindow(Application->Handle());
        Application->ProcessMessages();
    }
    // Processing the messages may have taken the menu away.
    if (!FPopupMenu) return;
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(pos.x, pos.y);
    if (TWinControl* owner = WindowedOwner(); owner && owner->HandleAllocated())
        PostMessageA(owner->Handle(), WM_NULL, 0, 0);
}

void TTrayIcon::ClickDefaultMenuItem() {
    if (!FPopupMenu || !FPopupMenu->AutoPopup() || FLeftPopup) return;
    TMenuItem* items = FPopupMenu->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TMenuItem* item = items->Items(i);
        if (!item->Default()) continue;
        // The lowest default item, as the user could choose it from the menu.
        if (item->Enabled() && item->Visible()) item->Click();
        return;
    }
}

void TTrayIcon::ClickDelayElapsed() {
    FDoubleClickTimer->SetEnabled(false);
    // The pending click is used up either way, so that a press held past
    // the next delay does not fire it again.
    const bool click = FClickPending && !FDoubleClickSeen;
    FClickPending = false;
    FDoubleClickSeen = false;
    if (click) FireClick();
}

void TTrayIcon::LeaveCheck() {
    if (FMouseOutside) return;
    // While the pointer rests on the icon the shell keeps sending moves that
    // bring LastMousePos up to date.
    TPoint pos{};
    if (!GetCursorPos(&pos)) return;
    if (pos.x == FLastMousePos.x && pos.y == FLastMousePos.y) return;
    FMouseOutside = true;
    FireMouseExit();
}

void TTrayIcon::FireClick() {
    if (OnClick) OnClick(this);
}

void TTrayIcon::FireDblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TTrayIcon::FireMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::FireMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TTrayIcon::FireMouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TTrayIcon::FireMouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TTrayIcon::FireMouseExit() {
    if (OnMouseExit) OnMouseExit(this);
}
