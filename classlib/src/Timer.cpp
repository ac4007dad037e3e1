// Timer.cpp - the timer component on a hidden window of its own.
#include <classlib/ExtCtrls.h>
#include <classlib/SysUtils.h>

#include "Consts.h"

namespace {

constexpr UINT_PTR TimerId = 1;

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) { UpdateTimer(); }

TTimer::~TTimer() {
    if (FRunning) KillTimer(FWindow->Handle(), TimerId);
}

void TTimer::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(UINT value) {
    if (value == FInterval) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (FRunning) KillTimer(FWindow->Handle(), TimerId);
    FRunning = false;
    if (!FEnabled || FInterval == 0) return;
    if (!FWindow) {
        FWindow = std::make_unique<TUtilityWindow>(
            [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
                if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
                Timer();
                return 0;
            });
    }
    if (!SetTimer(FWindow->Handle(), TimerId, FInterval, nullptr)) throw EOutOfResources(SNoTimers);
    FRunning = true;
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}
