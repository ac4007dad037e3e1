// Form.cpp - top-level windows: frame, placement, showing, window state,
// closing, focus among the form's controls.
#include <classlib/ActnList.h>
#include <classlib/Forms.h>
#include <classlib/SysUtils.h>

#include <algorithm>

#include "Consts.h"
#include "FormsPrivate.h"

namespace {

DWORD FrameStyle(TFormBorderStyle style) {
    constexpr DWORD captionIcons = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    switch (style) {
        case bsNone:
            return WS_POPUP;
        case bsSingle:
            return captionIcons | WS_BORDER;
        case bsDialog:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        case bsToolWindow:
            return WS_CAPTION | WS_SYSMENU;
        case bsSizeToolWin:
            return WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        default:
            return captionIcons | WS_THICKFRAME;
    }
}

DWORD FrameExStyle(TFormBorderStyle style) {
    if (style == bsDialog) return WS_EX_DLGMODALFRAME;
    if (style == bsToolWindow || style == bsSizeToolWin) return WS_EX_TOOLWINDOW;
    return 0;
}

int ShowCommand(TWindowState state) {
    static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    return commands[state];
}

}  // namespace

TCustomForm* GetParentForm(const TControl* control) {
    if (!control) return nullptr;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                     csDoubleClicks};
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    Screen->FForms.push_back(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            HandleCallbackException();
        }
    }
    std::erase(Screen->FForms, this);
    if (Application && Application->FMainForm == this) Application->FMainForm = nullptr;
    FCanvas->FreeHandle();
    DestroyHandle();
}

void TCustomForm::EndLoading() {
    TWinControl::EndLoading();
    DoCreate();
}

void TCustomForm::DoCreate() {
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (...) {
        HandleCallbackException();
    }
}

// --- The window -----------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | FrameStyle(FBorderStyle);
    if (!Enabled()) params.Style |= WS_DISABLED;
    params.ExStyle = FrameExStyle(FBorderStyle);
    if (Application && Application->MainForm() == this) {
        params.WndParent = nullptr;
        params.ExStyle |= WS_EX_APPWINDOW;
    } else {
        params.WndParent = Application ? Application->Handle() : nullptr;
    }
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (Application && !Application->Icon()->Empty()) {
        auto icon = reinterpret_cast<LPARAM>(Application->Icon()->Handle());
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, icon);
    }
    // A window made again while the form is on the screen comes back at once.
    if (Showing()) ShowWindow(Handle(), ShowCommand(FWindowState));
}

void TCustomForm::BecomeMainForm() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, 0);
    SetWindowLongPtrA(window, GWL_EXSTYLE,
                      GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_APPWINDOW);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RecreateWnd();
}

bool TCustomForm::TopLevelShowing() const {
    HWND window = WindowHandle();
    return window && IsWindowVisible(window);
}

void TCustomForm::PlaceOnScreen() {
    if (FPosition != poScreenCenter || FWindowState != wsNormal) return;
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(),
              Height());
}

void TCustomForm::VisibleChanged() {
    if (Visible()) {
        HWND window = Handle();
        PlaceOnScreen();
        DoShow();
        ShowWindow(window, ShowCommand(FWindowState));
    } else if (HandleAllocated()) {
        if (Showing()) DoHide();
        ShowWindow(Handle(), SW_HIDE);
    }
    UpdateShowing();
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (value == FWindowState) return;
    FWindowState = value;
    if (HandleAllocated() && Visible()) ShowWindow(Handle(), ShowCommand(value));
}

// --- Messages ---------------------------------------------------------------------

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_CLOSE:
            return WMClose(message);
        case WM_SYSCOMMAND:
            return WMSysCommand(message);
        case WM_ACTIVATE:
            return WMActivate(message);
        default:
            return TWinControl::Dispatch(message);
    }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMSysCommand(TMessage& message) {
    // Minimising the main form minimises the application.
    if ((message.WParam & 0xFFF0) == SC_MINIMIZE && Application &&
        Application->MainForm() == this) {
        Application->Minimize();
        return;
    }
    DefaultHandler(message);
}

void TCustomForm::WMActivate(TMessage& message) {
    DefaultHandler(message);
    if (LOWORD(message.WParam) == WA_INACTIVE) {
        if (OnDeactivate) OnDeactivate(this);
        return;
    }
    if (FActiveControl && FActiveControl->CanFocus() && !HIWORD(message.WParam))
        ::SetFocus(FActiveControl->Handle());
    if (OnActivate) OnActivate(this);
}

void TCustomForm::WMSize(TMessage& message) {
    TWinControl::WMSize(message);
    if (!IsWindowVisible(Handle())) return;
    if (message.WParam == SIZE_MINIMIZED) FWindowState = wsMinimized;
    if (message.WParam == SIZE_MAXIMIZED) FWindowState = wsMaximized;
    if (message.WParam == SIZE_RESTORED) FWindowState = wsNormal;
}

void TCustomForm::PaintWindow(HDC dc) {
    PaintWithCanvas(FCanvas.get(), dc, [this] { Paint(); });
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

// --- Closing ------------------------------------------------------------------------

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) return Application->Terminate();
    switch (action) {
        case caHide:
            return Hide();
        case caMinimize:
            return SetWindowState(wsMinimized);
        default:
            return Release();
    }
}

void TCustomForm::Release() {
    PostMessageA(Application->Handle(), ReleaseMessage, 0, reinterpret_cast<LPARAM>(this));
}

// --- Focus ----------------------------------------------------------------------------

bool TCustomForm::Active() const {
    HWND window = WindowHandle();
    return window && GetActiveWindow() == window;
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == FActiveControl) return;
    if (control && (control == this || GetParentForm(control) != this))
        throw EInvalidOperation(SCannotFocus);
    if (control && Showing() && control->CanFocus()) return FocusControl(control);
    FActiveControl = control;
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (!control->CanFocus()) throw EInvalidOperation(SCannotFocus);
    if (Showing()) {
        ::SetFocus(control->Handle());
        return;
    }
    FActiveControl = control;
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
    if (control == FFocusedControl) return;
    TWinControl* previous = FFocusedControl;
    FFocusedControl = control;
    FActiveControl = control == this ? nullptr : control;
    if (previous && previous != this) previous->DoExit();
    if (control != this) control->DoEnter();
    NotifyFocusChanged();
}

void TCustomForm::NotifyFocusChanged() { TWinControl::FocusChanged(FActiveControl); }

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && FFocusedControl && control->ContainsControl(FFocusedControl))
        FFocusedControl = control->Parent();
    if (!FActiveControl || !control->ContainsControl(FActiveControl)) return;
    FActiveControl = nullptr;
    HWND focus = GetFocus();
    HWND window = control->WindowHandle();
    if (window && focus && (focus == window || IsChild(window, focus)) && HandleAllocated())
        ::SetFocus(Handle());
}

void TCustomForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

bool TCustomForm::DialogKey(WORD key, TShiftState shift) {
    if (key == VK_TAB && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
        SelectNext(FActiveControl, !shift.Contains(ssShift), true);
        return true;
    }
    return TWinControl::DialogKey(key, shift);
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) {
    bool handled = false;
    if (OnShortCut) OnShortCut(key, shift, handled);
    if (handled) return true;
    for (int i = 0; i < ComponentCount(); ++i) {
        auto list = dynamic_cast<TActionList*>(Components(i));
        if (list && list->IsShortCut(key, shift)) return true;
    }
    return false;
}
