// WinControlKeys.cpp - keys, focus and tab order of windowed controls, and
// the dialog keys, dialog characters and focus news offered to every control.
#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <classlib/Menus.h>

#include <algorithm>

namespace {

// The WM_GETDLGCODE bit by which a control asks for a dialog key itself.
LRESULT WantMask(WORD key) {
    switch (key) {
        case VK_TAB:
            return DLGC_WANTTAB;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return DLGC_WANTARROWS;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            return DLGC_WANTALLKEYS;
        default:
            return 0;
    }
}

}  // namespace

bool TWinControl::WantsKey(WORD key) {
    LRESULT mask = WantMask(key);
    if (!mask || !FHandle) return true;
    return (SendMessageA(FHandle, WM_GETDLGCODE, key, 0) & mask) != 0;
}

void TWinControl::WMKeyDown(TMessage& message) {
    auto key = static_cast<WORD>(message.WParam);
    TShiftState shift = KeyboardShiftState();
    if (IsMenuKey(key, shift)) return;
    TCustomForm* form = GetParentForm(this);
    if (form && !WantsKey(key) && static_cast<TWinControl*>(form)->DialogKey(key, shift)) return;
    KeyDown(key, shift);
    if (key == 0) return;
    message.WParam = key;
    DefaultHandler(message);
}

bool TWinControl::IsMenuKey(WORD key, TShiftState shift) {
    for (TControl* control = this; control; control = control->Parent()) {
        TPopupMenu* menu = control->PopupMenu();
        if (menu && menu->IsShortCut(key, shift)) return true;
    }
    TCustomForm* form = GetParentForm(this);
    return form && form->IsShortCut(key, shift);
}

void TWinControl::WMKeyUp(TMessage& message) {
    auto key = static_cast<WORD>(message.WParam);
    KeyUp(key, KeyboardShiftState());
    if (key == 0) return;
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message) {
    auto key = static_cast<char>(message.WParam);
    KeyPress(key);
    if (key == 0) return;
    TCustomForm* form = GetParentForm(this);
    bool wantsChars = FHandle && (SendMessageA(FHandle, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS);
    if (form && !wantsChars &&
        static_cast<TWinControl*>(form)->DialogChar(key, KeyboardShiftState()))
        return;
    message.WParam = static_cast<unsigned char>(key);
    DefaultHandler(message);
}

void TWinControl::WMSysChar(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    auto key = static_cast<char>(message.WParam);
    if (form && static_cast<TWinControl*>(form)->DialogChar(key, KeyboardShiftState())) return;
    DefaultHandler(message);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::DialogKey(WORD key, TShiftState shift) {
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->DialogKey(key, shift)) return true;
    return false;
}

bool TWinControl::DialogChar(char key, TShiftState shift) {
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->DialogChar(key, shift)) return true;
    return false;
}

void TWinControl::FocusChanged(TWinControl* focused) {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->FocusChanged(focused);
}

// --- Focus --------------------------------------------------------------------------

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (const TControl* control = this; control && control != form; control = control->Parent())
        if (!control->Visible() || !control->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this)) return form->FocusControl(this);
    if (FParentWindow) ::SetFocus(Handle());
}

void TWinControl::WMSetFocus(TMessage& message) {
    DefaultHandler(message);
    if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& message) { DefaultHandler(message); }

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// --- Tab order ------------------------------------------------------------------------

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->FTabList;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!Parent()) return;
    auto& list = Parent()->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
}

// Each focusable control, followed by its own children, in tab order.
void TWinControl::AddTabOrder(std::vector<TWinControl*>& list, bool checkTabStop) const {
    for (TWinControl* control : FTabList) {
        if (control->CanFocus() && (!checkTabStop || control->FTabStop)) list.push_back(control);
        control->AddTabOrder(list, checkTabStop);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward,
                                          bool checkTabStop) const {
    std::vector<TWinControl*> list;
    AddTabOrder(list, checkTabStop);
    if (list.empty()) return nullptr;
    auto count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int index =
        found == list.end() ? (forward ? -1 : count) : static_cast<int>(found - list.begin());
    index = ((index + (forward ? 1 : -1)) % count + count) % count;
    return list[index];
}
