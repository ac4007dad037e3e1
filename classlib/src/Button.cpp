// Button.cpp - the platform's push button.
#include <classlib/StdCtrls.h>

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    // Clicks come from the button's own BN_CLICKED, not from mouse releases.
    FControlStyle = {csSetCaption, csDoubleClicks};
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
    FActive = FDefault;
    TWinControl::CreateWnd();
}

void TButton::Dispatch(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) return Click();
    TWinControl::Dispatch(message);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    TCustomForm* form = GetParentForm(this);
    if (HandleAllocated() && form) form->NotifyFocusChanged();
}

void TButton::SetActive(bool value) {
    if (value == FActive) return;
    FActive = value;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::FocusChanged(TWinControl* focused) {
    TWinControl::FocusChanged(focused);
    // A focused push button is the one Enter clicks; otherwise the default one.
    SetActive(dynamic_cast<TButton*>(focused) ? focused == this : FDefault);
}

bool TButton::DialogKey(WORD key, TShiftState shift) {
    bool mine = (key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel);
    if (!mine || !shift.Empty() || !CanFocus()) return TWinControl::DialogKey(key, shift);
    Click();
    return true;
}

bool TButton::DialogChar(char key, TShiftState shift) {
    if (!IsAccel(key, Caption()) || !CanFocus()) return TWinControl::DialogChar(key, shift);
    Click();
    return true;
}
