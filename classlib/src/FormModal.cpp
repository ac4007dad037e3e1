// FormModal.cpp - modal forms: the other windows disabled, a message loop of
// the form's own until a modal result is accepted or the application ends.
#include <classlib/Forms.h>
#include <classlib/SysUtils.h>

#include "Consts.h"
#include "FormsPrivate.h"

TDisabledTaskWindows::TDisabledTaskWindows(HWND except) : FExcept(except) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto self = reinterpret_cast<TDisabledTaskWindows*>(data);
            if (window != self->FExcept && IsWindowVisible(window) && IsWindowEnabled(window)) {
                EnableWindow(window, FALSE);
                self->FWindows.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
}

TDisabledTaskWindows::~TDisabledTaskWindows() {
    for (HWND window : FWindows)
        if (IsWindow(window)) EnableWindow(window, TRUE);
}

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FModal) throw EInvalidOperation(SCannotShowModal);
    if (HWND captured = GetCapture()) SendMessageA(captured, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HWND previous = GetActiveWindow();
    TCustomForm* owner = Screen->ActiveForm();
    if (!owner && Application) owner = Application->MainForm();
    HWND window = Handle();
    // Owned by the form it is modal to, so that it stays above that form.
    if (owner && owner != this && owner->HandleAllocated())
        SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->Handle()));
    FModal = true;
    FModalResult = mrNone;
    try {
        TDisabledTaskWindows disabled(window);
        try {
            Show();
            while (FModalResult == mrNone) {
                Application->HandleMessage();
                if (Application->Terminated())
                    FModalResult = mrCancel;
                else if (FModalResult != mrNone)
                    CloseModal();
            }
        } catch (...) {
            Hide();
            throw;
        }
        Hide();
    } catch (...) {
        FModal = false;
        throw;
    }
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    FModal = false;
    return FModalResult;
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) FModalResult = mrNone;
    if (action == caFree) Release();
}
