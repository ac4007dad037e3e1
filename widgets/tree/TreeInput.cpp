// TreeInput.cpp - the virtual tree's mouse, keyboard and scroll bar: clicks
// focus and select rows or toggle their check boxes, keys move the focus and
// toggle the focused row's check box, the bar and the wheel scroll.
#include <classlib/Forms.h>
#include <windowsx.h>

#include <algorithm>

#include "VirtualTrees.h"

namespace {

TCheckState Toggled(TCheckState state) {
    return state == csCheckedNormal || state == csCheckedPressed ? csUncheckedNormal
                                                                 : csCheckedNormal;
}

int WheelScrollLines() {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(lines);
}

}  // namespace

void TBaseVirtualTree::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_VSCROLL:
            return WMVScroll(message);
        case WM_MOUSEWHEEL:
            return WMMouseWheel(message);
        case WM_GETDLGCODE:
            // The arrow keys move the focused row; Space and letters are the tree's.
            message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            return;
        case WM_NCPAINT:
            DefaultHandler(message);
            return PaintBorder();
        default:
            TCustomControl::Dispatch(message);
    }
}

// --- Scrolling ---------------------------------------------------------------------------

void TBaseVirtualTree::WMVScroll(TMessage& message) {
    const int page = std::max(ClientHeight(), 1);
    switch (LOWORD(message.WParam)) {
        case SB_LINEUP:
            return SetOffsetY(FOffsetY - FDefaultNodeHeight);
        case SB_LINEDOWN:
            return SetOffsetY(FOffsetY + FDefaultNodeHeight);
        case SB_PAGEUP:
            return SetOffsetY(FOffsetY - page);
        case SB_PAGEDOWN:
            return SetOffsetY(FOffsetY + page);
        case SB_TOP:
            return SetOffsetY(0);
        case SB_BOTTOM:
            return SetOffsetY(MaxOffsetY());
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            // The 32-bit position; the message itself carries only 16 bits.
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(Handle(), SB_VERT, &info);
            return SetOffsetY(info.nTrackPos);
        }
        default:
            return;
    }
}

void TBaseVirtualTree::WMMouseWheel(TMessage& message) {
    // Partial turns of a fine wheel add up to whole notches.
    FWheelDelta += GET_WHEEL_DELTA_WPARAM(message.WParam);
    const int notches = FWheelDelta / WHEEL_DELTA;
    FWheelDelta %= WHEEL_DELTA;
    const int lines = WheelScrollLines();
    const int step = lines < 0 ? ClientHeight() : lines * FDefaultNodeHeight;
    SetOffsetY(FOffsetY - notches * step);
    message.Result = 0;
}

// --- Mouse --------------------------------------------------------------------------------------

bool TBaseVirtualTree::CheckBoxHit(PVirtualNode node, int x) {
    if (!node || CheckType(node) == ctNone) return false;
    return x >= FMargin && x < FMargin + CheckImageSize;
}

void TBaseVirtualTree::ToggleCheck(PVirtualNode node) {
    if (!node || CheckType(node) == ctNone) return;
    const TCheckState toggled = Toggled(node->FCheckState);
    bool allowed = true;
    if (OnChecking) OnChecking(this, node, toggled, allowed);
    if (!allowed) return;
    SetCheckState(node, toggled);
    if (OnChecked) OnChecked(this, node);
}

void TBaseVirtualTree::FocusAndSelect(PVirtualNode node) {
    if (!node || !ChangeFocus(node)) return;
    SetSelected(node, true);
    ScrollIntoView(node);
}

void TBaseVirtualTree::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CanFocus()) SetFocus();
    PVirtualNode node = GetNodeAt(x, y);
    if (button == mbLeft && CheckBoxHit(node, x)) {
        // Toggled when released over the same box; pressed meanwhile.
        FCheckNode = node;
        InvalidateNode(node);
    } else if (button == mbLeft || button == mbRight) {
        FocusAndSelect(node);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TBaseVirtualTree::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FCheckNode) {
        PVirtualNode pressed = FCheckNode;
        FCheckNode = nullptr;
        InvalidateNode(pressed);
        if (GetNodeAt(x, y) == pressed && CheckBoxHit(pressed, x)) ToggleCheck(pressed);
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TBaseVirtualTree::MouseMove(TShiftState shift, int x, int y) {
    SetHotNode(GetNodeAt(x, y));
    TCustomControl::MouseMove(shift, x, y);
}

void TBaseVirtualTree::MouseLeave() {
    SetHotNode(nullptr);
    TCustomControl::MouseLeave();
}

void TBaseVirtualTree::SetHotNode(PVirtualNode node) {
    if (node == FHotNode) return;
    if (FHotTrack) InvalidateNode(FHotNode);
    FHotNode = node;
    if (FHotTrack) InvalidateNode(FHotNode);
}

void TBaseVirtualTree::WMSetCursor(TMessage& message) {
    if (FHotCursor != crDefault && Screen->Cursor() == crDefault &&
        reinterpret_cast<HWND>(message.WParam) == Handle() && LOWORD(message.LParam) == HTCLIENT) {
        TPoint pos{};
        GetCursorPos(&pos);
        pos = ScreenToClient(pos);
        if (GetNodeAt(pos.x, pos.y)) {
            ::SetCursor(Screen->Cursors(FHotCursor));
            message.Result = 1;
            return;
        }
    }
    TCustomControl::WMSetCursor(message);
}

// --- Keyboard
// -------------------------------------------------------------------------------------

PVirtualNode TBaseVirtualTree::PageTarget(PVirtualNode node, bool down) {
    // The row a client height away from the focused row's top; at least the
    // next (previous) row, so that a row taller than the page is passed.
    const int64_t top = FOffsets.Top(node->FIndex);
    const int page = std::max(ClientHeight(), 1);
    const size_t index = FOffsets.Find(down ? top + page : std::max<int64_t>(top - page, 0));
    PVirtualNode target = index < FNodes.size() ? &FNodes[index] : GetLast();
    if (target == node) target = down ? GetNext(node) : GetPrevious(node);
    return target ? target : node;
}

void TBaseVirtualTree::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    PVirtualNode focused = FFocusedNode;
    PVirtualNode target = nullptr;
    switch (key) {
        case VK_UP:
            target = focused ? GetPrevious(focused) : GetFirst();
            break;
        case VK_DOWN:
            target = focused ? GetNext(focused) : GetFirst();
            break;
        case VK_HOME:
            target = GetFirst();
            break;
        case VK_END:
            target = GetLast();
            break;
        case VK_PRIOR:
            target = focused ? PageTarget(focused, false) : GetFirst();
            break;
        case VK_NEXT:
            target = focused ? PageTarget(focused, true) : GetFirst();
            break;
        case VK_SPACE:
            ToggleCheck(focused);
            key = 0;
            return;
        default:
            return;
    }
    key = 0;
    if (target) FocusAndSelect(target);
}

void TBaseVirtualTree::DoEnter() {
    // The selection and the focus rectangle look different with the focus.
    Invalidate();
    TCustomControl::DoEnter();
}

void TBaseVirtualTree::DoExit() {
    Invalidate();
    TCustomControl::DoExit();
}
