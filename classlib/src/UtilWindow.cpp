// UtilWindow.cpp - hidden windows with a function as window procedure.
#include <classlib/SysUtils.h>
#include <classlib/UtilWindow.h>

#include <utility>

#include "Consts.h"
#include "Instance.h"

struct TUtilityWindow::TState {
    TWndMethod method;
};

namespace {

constexpr const char* WindowClassName = "HolvaneUtilityWindow";

}  // namespace

LRESULT CALLBACK TUtilityWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto state = reinterpret_cast<TState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!state || !state->method) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return state->method(window, message, wParam, lParam);
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
}

void TUtilityWindow::RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = ModuleInstance();
        windowClass.lpszClassName = WindowClassName;
        return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) throw EOutOfResources(SOutOfResources);
}

TUtilityWindow::TUtilityWindow(TWndMethod method)
    : FState(std::make_unique<TState>(TState{std::move(method)})) {
    RegisterWindowClass();
    FHandle = CreateWindowExA(WS_EX_TOOLWINDOW, WindowClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, ModuleInstance(), FState.get());
    if (!FHandle) throw EOutOfResources(SysErrorMessage(GetLastError()));
}

TUtilityWindow::TUtilityWindow(TUtilityWindow&& other) noexcept
    : FState(std::move(other.FState)), FHandle(std::exchange(other.FHandle, nullptr)) {}

TUtilityWindow::~TUtilityWindow() { Destroy(); }

TUtilityWindow& TUtilityWindow::operator=(TUtilityWindow&& other) noexcept {
    if (this != &other) {
        Destroy();
        FState = std::move(other.FState);
        FHandle = std::exchange(other.FHandle, nullptr);
    }
    return *this;
}

void TUtilityWindow::Destroy() {
    if (!FHandle) return;
    // The window's last messages go to the default procedure.
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
    FHandle = nullptr;
}
