// TrayIcon.cpp - the notification-area icon, its shared window, its mouse
// events and the main form's trip to the tray and back.
#include "TrayIcon.h"

#include <classlib/SysUtils.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

namespace {

// What every shell call carries besides the balloon.
constexpr UINT StandardFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr uint32_t LeaveCheckInterval = 20;
constexpr uint32_t DefaultTimerInterval = 1000;

// The process's one handler, made with the first icon and destroyed with the
// last (or at the end of the program).
std::unique_ptr<TTrayIconHandler> Handler;

// The shell's broadcast when the taskbar is made again; 0 where the common
// controls are older than 4.71, whose shell does not send it.
UINT TaskbarCreatedMessage() {
    static const UINT message = [] {
        HMODULE comctl = GetModuleHandleA("comctl32.dll");
        auto getVersion = comctl ? reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(
                                       GetProcAddress(comctl, "DllGetVersion")))
                                 : nullptr;
        DLLVERSIONINFO version{};
        version.cbSize = sizeof version;
        if (!getVersion || getVersion(&version) != S_OK) return UINT{0};
        if (version.dwMajorVersion < 4 ||
            (version.dwMajorVersion == 4 && version.dwMinorVersion < 71))
            return UINT{0};
        return RegisterWindowMessageA("TaskbarCreated");
    }();
    return message;
}

// Copies text into a fixed field, cut to leave room for the terminating zero.
template <size_t N>
void CopyField(char (&field)[N], std::string_view text) {
    const size_t length = std::min(text.size(), N - 1);
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), length);
}

TShiftState CurrentShiftState() {
    TShiftState shift;
    if (GetAsyncKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetAsyncKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetAsyncKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

DWORD BalloonIconFlag(uint8_t iconType) {
    switch (iconType) {
        case bitInfo:
            return NIIF_INFO;
        case bitWarning:
            return NIIF_WARNING;
        case bitError:
            return NIIF_ERROR;
        default:
            return NIIF_NONE;
    }
}

}  // namespace

// --- The shared window --------------------------------------------------------------

TTrayIconHandler* TTrayIconHandler::Instance() { return Handler.get(); }

TTrayIconHandler::TTrayIconHandler() : FTrayWindow(TrayWindowProc) {}

UINT TTrayIconHandler::AcquireTrayWindow(TTrayIcon* icon) {
    if (!Handler) Handler.reset(new TTrayIconHandler);
    // The address, as far as the shell's 32-bit identifier holds it; two live
    // icons whose addresses agree there take neighbouring numbers.
    auto id = static_cast<UINT>(reinterpret_cast<uintptr_t>(icon));
    while (Handler->FIcons.contains(id)) ++id;
    Handler->FIcons.emplace(id, icon);
    ++Handler->FUserCount;
    return id;
}

void TTrayIconHandler::ReleaseTrayWindow(TTrayIcon* icon) {
    if (!Handler) return;
    Handler->FIcons.erase(icon->IconId());
    if (Handler->FUserCount > 0) --Handler->FUserCount;
    if (Handler->FUserCount == 0) Handler.reset();
}

LRESULT TTrayIconHandler::TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case TrayCallbackMessage: {
            if (!Handler) return 0;
            auto found = Handler->FIcons.find(static_cast<UINT>(wParam));
            if (found != Handler->FIcons.end())
                found->second->HandleTrayMessage(static_cast<UINT>(lParam));
            return 0;
        }
        // The window is not closed by these, and never holds up the end of
        // the session.
        case WM_DESTROY:
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
        case WM_QUIT:
        case WM_ENDSESSION:
        case WM_NCDESTROY:
            return 1;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// --- Life -----------------------------------------------------------------------------

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner),
      FIcon(std::make_unique<TIcon>()),
      FIconId(TTrayIconHandler::AcquireTrayWindow(this)),
      FApplication(Application) {
    TaskbarCreatedMessage();
    FIcon->OnChange = [this](TObject*) { UpdateTrayEntry(); };
    FData.cbSize = NOTIFYICONDATAA_V2_SIZE;
    FData.hWnd = TTrayIconHandler::Instance()->TrayWindow();
    FData.uID = FIconId;
    FData.uFlags = StandardFlags;
    FData.uCallbackMessage = TrayCallbackMessage;
    FIconCycleTimer =
        std::make_unique<TSimpleTimer>(DefaultTimerInterval, [this](TObject*) { CycleStep(); });
    FDoubleClickTimer = std::make_unique<TSimpleTimer>(DefaultTimerInterval,
                                                       [this](TObject*) { ClickDelayElapsed(); });
    FLeaveTimer =
        std::make_unique<TSimpleTimer>(LeaveCheckInterval, [this](TObject*) { LeaveCheck(); });
    if (FApplication) {
        FApplication->FreeNotification(this);
        FHookCookie = FApplication->HookMainWindow(
            [this](TMessage& message) { return ApplicationMessageHook(message); });
    }
    SubclassOwnerWindow();
}

TTrayIcon::~TTrayIcon() {
    SetIconVisible(false);
    FIconCycleTimer.reset();
    FDoubleClickTimer.reset();
    FLeaveTimer.reset();
    FIcon.reset();
    if (FApplication) FApplication->UnhookMainWindow(FHookCookie);
    RestoreOwnerWindow();
    TTrayIconHandler::ReleaseTrayWindow(this);
}

void TTrayIcon::Loaded() {
    TComponent::Loaded();
    // The owner's window may have been made again while it was being built
    // (a new border style), which took the subclass away with the old one.
    SubclassOwnerWindow();
    if (WindowedOwner()) {
        bool showMainForm = true;
        if (OnStartup) OnStartup(this, showMainForm);
        if (!showMainForm) {
            if (Application) Application->SetShowMainForm(false);
            HideMainForm();
        }
    }
    UpdateTrayEntry();
    SetIconVisible(FIconVisible);
    SetCycleIcons(FCycleIcons);
    SetWantEnterExitEvents(FWantEnterExitEvents);
    // The first notification style: plain mouse messages as the second
    // parameter of the callback.
    FData.uVersion = 0;
    ShellCall(NIM_SETVERSION);
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FIconList) {
        FIconList = nullptr;
        SetIconList(nullptr);
    }
    if (component == FPopupMenu) FPopupMenu = nullptr;
    if (component == FApplication) FApplication = nullptr;
}

// --- The shell ---------------------------------------------------------------------------

bool TTrayIcon::ShellCall(DWORD command) { return Shell_NotifyIconA(command, &FData) != FALSE; }

void TTrayIcon::FillIconData() {
    FData.hIcon = FIcon && !FIcon->Empty() ? FIcon->Handle() : nullptr;
    CopyField(FData.szTip, FShowHint ? std::string_view(FHint) : std::string_view());
}

bool TTrayIcon::AddTrayEntry() {
    FIconVisible = true;
    FillIconData();
    return ShellCall(NIM_ADD);
}

bool TTrayIcon::RemoveTrayEntry() {
    FIconVisible = false;
    FillIconData();
    return ShellCall(NIM_DELETE);
}

bool TTrayIcon::UpdateTrayEntry() {
    FillIconData();
    return ShellCall(NIM_MODIFY);
}

bool TTrayIcon::ShowBalloonHint(const std::string& title, const std::string& text, uint8_t iconType,
                                uint8_t timeoutSecs) {
    // A balloon still shown goes first.
    FData.uFlags |= NIF_INFO;
    CopyField(FData.szInfo, "");
    UpdateTrayEntry();

    FData.uFlags |= NIF_INFO;
    CopyField(FData.szInfo, text);
    CopyField(FData.szInfoTitle, title);
    FData.uTimeout = static_cast<UINT>(timeoutSecs) * 1000;
    FData.dwInfoFlags = BalloonIconFlag(iconType);
    const bool shown = UpdateTrayEntry();
    // Later updates leave the balloon alone.
    FData.uFlags = StandardFlags;
    return shown;
}

// --- Properties ------------------------------------------------------------------------------

void TTrayIcon::SetIconVisible(bool value) {
    if (value)
        AddTrayEntry();
    else
        RemoveTrayEntry();
}

void TTrayIcon::ReplaceIcon(const std::function<void()>& replace) {
    TNotifyEvent onChange = std::exchange(FIcon->OnChange, nullptr);
    try {
        replace();
    } catch (...) {
        FIcon->OnChange = std::move(onChange);
        throw;
    }
    FIcon->OnChange = std::move(onChange);
}

void TTrayIcon::SetIcon(const TIcon* value) {
    ReplaceIcon([&] { FIcon->Assign(value); });
    UpdateTrayEntry();
}

void TTrayIcon::SetHint(const std::string& value) {
    if (value == FHint) return;
    FHint = value;
    UpdateTrayEntry();
}

void TTrayIcon::SetShowHint(bool value) {
    if (value == FShowHint) return;
    FShowHint = value;
    UpdateTrayEntry();
}

void TTrayIcon::SetIconIndex(int value) {
    if (FIconList) {
        FIconIndex = std::max(0, std::min(value, FIconList->Count() - 1));
        ReplaceIcon([this] { FIconList->GetIcon(FIconIndex, FIcon.get()); });
    } else {
        FIconIndex = 0;
    }
    UpdateTrayEntry();
}

void TTrayIcon::SetIconList(TImageList* value) {
    if (FIconList && FIconList != value) FIconList->RemoveFreeNotification(this);
    FIconList = value;
    if (value) value->FreeNotification(this);
    SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool value) {
    FCycleIcons = value;
    if (!value) return FIconCycleTimer->SetEnabled(false);
    SetIconIndex(0);
    FIconCycleTimer->SetInterval(FCycleInterval);
    FIconCycleTimer->SetEnabled(true);
}

void TTrayIcon::SetCycleInterval(uint32_t value) {
    FCycleInterval = value;
    SetCycleIcons(FCycleIcons);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* value) {
    if (value == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = value;
    if (value) value->FreeNotification(this);
}

void TTrayIcon::SetWantEnterExitEvents(bool value) {
    FWantEnterExitEvents = value;
    FLeaveTimer->SetEnabled(value);
}

// --- Mouse ---------------------------------------------------------------------------------

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

void TTrayIcon::CycleStep() {
    if (!FIconList) return;
    ReplaceIcon([this] { FIconList->GetIcon(FIconIndex, FIcon.get()); });
    const int next = FIconIndex < FIconList->Count() - 1 ? FIconIndex + 1 : 0;
    FireCycle(next);
    SetIconIndex(next);
}

void TTrayIcon::FireClick() {
    if (OnClick) OnClick(this);
}

void TTrayIcon::FireDblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TTrayIcon::FireCycle(int nextIndex) {
    if (OnCycle) OnCycle(this, nextIndex);
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

// --- The main form --------------------------------------------------------------------------

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
    SetForegroundWindow(Application->Handle());
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
    // The icon comes back after the shell restarted.
    const UINT taskbarCreated = TaskbarCreatedMessage();
    if (taskbarCreated && message.Msg == taskbarCreated && FIconVisible) AddTrayEntry();
    return false;
}

// --- The owner's window ------------------------------------------------------------------------

void TTrayIcon::SubclassOwnerWindow() {
    TWinControl* owner = WindowedOwner();
    if (!owner || FOwnerWindow) return;
    HWND window = owner->Handle();
    if (SetWindowSubclass(window, OwnerSubclassProc, reinterpret_cast<UINT_PTR>(this),
                          reinterpret_cast<DWORD_PTR>(this)))
        FOwnerWindow = window;
}

void TTrayIcon::RestoreOwnerWindow() {
    if (!FOwnerWindow) return;
    RemoveWindowSubclass(FOwnerWindow, OwnerSubclassProc, reinterpret_cast<UINT_PTR>(this));
    FOwnerWindow = nullptr;
}

LRESULT CALLBACK TTrayIcon::OwnerSubclassProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto icon = reinterpret_cast<TTrayIcon*>(data);
    // The owner's window is going (made again, or the owner ends first).
    if (message == WM_NCDESTROY) icon->RestoreOwnerWindow();
    try {
        LRESULT result = 0;
        if (message != WM_NCDESTROY && icon->OwnerWindowProc(message, wParam, lParam, result))
            return result;
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

bool TTrayIcon::OwnerWindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_SHOWWINDOW && wParam && lParam == 0) {
        // Shown by the program: the application and the owner come to the front.
        if (Application) SetForegroundWindow(Application->Handle());
        SetForegroundWindow(FOwnerWindow);
        return false;
    }
    const bool ownerMinimising = message == WM_SHOWWINDOW && !wParam &&
                                 lParam == SW_PARENTCLOSING && Application &&
                                 !Application->Terminated();
    const bool minimiseCommand = message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE;
    if ((ownerMinimising || minimiseCommand) && TryMinimizeToTray()) {
        result = 1;
        return true;
    }
    return false;
}
