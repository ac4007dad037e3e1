// TrayShell.cpp - the shell's side of the notification-area icon: the shared
// window the shell sends every icon's callbacks to, the icon's record, the
// shell calls and the balloons.
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "TrayIcon.h"

namespace {

// What every shell call carries besides the balloon.
constexpr UINT StandardFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// The process's one handler, made with the first icon and destroyed with the
// last. A plain pointer, never destroyed by the program's exit: forms that own
// users of it may be freed by the application object after this file's
// statics are gone, and must still find it whole.
TTrayIconHandler* Handler = nullptr;

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

TTrayIconHandler* TTrayIconHandler::Instance() { return Handler; }

TTrayIconHandler::TTrayIconHandler() : FTrayWindow(TrayWindowProc) {}

UINT TTrayIconHandler::AcquireTrayWindow(TTrayIcon* icon) {
    if (!Handler) Handler = new TTrayIconHandler;
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
    if (Handler->FUserCount == 0) delete std::exchange(Handler, nullptr);
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

// --- The record and the shell calls ------------------------------------------------------

void TTrayIcon::SetUpIconData() {
    TaskbarCreatedMessage();
    FData.cbSize = NOTIFYICONDATAA_V2_SIZE;
    FData.hWnd = TTrayIconHandler::Instance()->TrayWindow();
    FData.uID = FIconId;
    FData.uFlags = StandardFlags;
    FData.uCallbackMessage = TrayCallbackMessage;
}

bool TTrayIcon::ShellCall(DWORD command) { return Shell_NotifyIconA(command, &FData) != FALSE; }

void TTrayIcon::FillIconData() {
    FData.hIcon = FIcon && !FIcon->Empty() ? FIcon->Handle() : nullptr;
    CopyField(FData.szTip, FShowHint ? std::string_view(FHint) : std::string_view());
}

bool TTrayIcon::AddTrayEntry() {
    FIconVisible = true;
    FillIconData();
    const bool added = ShellCall(NIM_ADD);
    FInTray = FInTray || added;
    return added;
}

bool TTrayIcon::RemoveTrayEntry() {
    FIconVisible = false;
    FillIconData();
    if (!FInTray) return false;
    const bool removed = ShellCall(NIM_DELETE);
    FInTray = !removed;
    return removed;
}

bool TTrayIcon::UpdateTrayEntry() {
    FillIconData();
    return FInTray && ShellCall(NIM_MODIFY);
}

void TTrayIcon::AddAgainOnNewTaskbar(UINT message) {
    const UINT taskbarCreated = TaskbarCreatedMessage();
    if (taskbarCreated && message == taskbarCreated && FIconVisible) AddTrayEntry();
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
