// TrayMainForm.cpp - the main form's trip to the notification area and
// back: hiding and showing it, and the owner's and the application window's
// messages that send it there.
#include "TrayIcon.h"

TWinControl* TTrayIcon::WindowedOwner() const { return dynamic_cast<TWinControl*>(Owner()); }

void TTrayIcon::HideApplicationWindow() {
    HWND window = Application->Handle();
    if (IsWindowVisible(window)) ShowWindow(window, SW_HIDE);
}

void TTrayIcon::HideMainForm() {
    if (!WindowedOwner() || !Application || !Application->MainForm()) return;
    Application->MainForm()->SetVisible(false);
    HideApplicationWindow();
}

void TTrayIcon::ShowMainForm() {
    if (!WindowedOwner() || !Application || !Application->MainForm()) return;
    Application->Restore();
    TCustomForm* form = Application->MainForm();
    if (form->WindowState() == wsMinimized) form->SetWindowState(wsNormal);
    form->SetVisible(true);
    // The application's window is a hidden one that owns no form: made the
    // foreground window last, it would leave the main form shown but
    // inactive. The main form follows it, as when the program shows it.
    SetForegroundWindow(Application->Handle());
    SetForegroundWindow(form->Handle());
}

void TTrayIcon::GoToTray() {
    HideMainForm();
    SetIconVisible(true);
}

bool TTrayIcon::TryMinimizeToTray() {
    if (!FMinimizeToTray || !OnMinimizeToTray) return false;
    OnMinimizeToTray(this);
    GoToTray();
    return true;
}

bool TTrayIcon::ApplicationMessageHook(TMessage& message) {
    if (message.Msg == WM_SIZE && message.WParam == SIZE_MINIMIZED && FMinimizeToTray) GoToTray();
    if (message.Msg == WM_SYSCOMMAND && (message.WParam & 0xFFF0) == SC_RESTORE && Application &&
        Application->MainForm())
        Application->MainForm()->SetVisible(true);
    AddAgainOnNewTaskbar(message.Msg);
    return false;
}

// --- The owner's messages ------------------------------------------------------------------

void TTrayIcon::HookOwnerMessages() {
    // The hook lives on the owner object, so the owner is whole whenever it runs.
    if (TWinControl* owner = WindowedOwner())
        owner->HookMessages(
            this, [this, owner](TMessage& message) { return OwnerWindowProc(owner, message); });
}

void TTrayIcon::UnhookOwnerMessages() {
    // An owner that deletes the icon has let go of it first (and its hooks
    // go with it).
    if (TWinControl* owner = WindowedOwner()) owner->UnhookMessages(this);
}

bool TTrayIcon::OwnerWindowProc(TWinControl* owner, TMessage& message) {
    if (message.Msg == WM_SHOWWINDOW && message.WParam && message.LParam == 0) {
        // Shown by the program: the application and the owner come to the front.
        if (Application) SetForegroundWindow(Application->Handle());
        SetForegroundWindow(owner->Handle());
        return false;
    }
    const bool ownerMinimising = message.Msg == WM_SHOWWINDOW && !message.WParam &&
                                 message.LParam == SW_PARENTCLOSING && Application &&
                                 !Application->Terminated();
    const bool minimiseCommand =
        message.Msg == WM_SYSCOMMAND && (message.WParam & 0xFFF0) == SC_MINIMIZE;
    if ((ownerMinimising || minimiseCommand) && TryMinimizeToTray()) {
        message.Result = 1;
        return true;
    }
    return false;
}
