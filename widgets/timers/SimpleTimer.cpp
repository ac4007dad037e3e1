// SimpleTimer.cpp - light timers ticking through one shared hidden window.
#include "SimpleTimer.h"

#include <memory>
#include <utility>

namespace {

constexpr uint32_t DefaultInterval = 1000;

// The process's one handler, made with the first timer and destroyed with
// the last. A plain pointer, never destroyed by the program's exit: forms that own
// users of it may be freed by the application object after this file's
// statics are gone, and must still find it whole.
TSimpleTimerHandler* Handler = nullptr;

}  // namespace

TSimpleTimerHandler* TSimpleTimerHandler::Instance() { return Handler; }

TSimpleTimerHandler::TSimpleTimerHandler() : FTimerWindow(TimerWindowProc) {}

void TSimpleTimerHandler::AcquireTimerWindow(TSimpleTimer* timer) {
    if (!Handler) Handler = new TSimpleTimerHandler;
    Handler->FTimers.insert(timer);
    ++Handler->FUserCount;
}

void TSimpleTimerHandler::ReleaseTimerWindow(TSimpleTimer* timer) {
    if (!Handler) return;
    Handler->FTimers.erase(timer);
    if (Handler->FUserCount > 0) --Handler->FUserCount;
    if (Handler->FUserCount == 0) delete std::exchange(Handler, nullptr);
}

LRESULT TSimpleTimerHandler::TimerWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
    auto timer = reinterpret_cast<TSimpleTimer*>(wParam);
    if (!Handler || !Handler->FTimers.contains(timer)) return 0;
    // A copy, since the handler may destroy its timer, and with the last timer
    // this window: nothing here is touched after the call.
    const TNotifyEvent onTimer = timer->OnTimer();
    if (onTimer) onTimer(timer);
    return 0;
}

TSimpleTimer::TSimpleTimer() : TSimpleTimer(DefaultInterval, nullptr) {}

TSimpleTimer::TSimpleTimer(uint32_t interval, TNotifyEvent onTimer)
    : FTimerId(reinterpret_cast<UINT_PTR>(this)), FInterval(interval) {
    SetOnTimer(std::move(onTimer));
    TSimpleTimerHandler::AcquireTimerWindow(this);
}

TSimpleTimer::~TSimpleTimer() {
    if (FEnabled) StopTicking(true);
    TSimpleTimerHandler::ReleaseTimerWindow(this);
}

void TSimpleTimer::SetEnabled(bool value) {
    if (value)
        StartTicking();
    else
        StopTicking(true);
}

void TSimpleTimer::SetInterval(uint32_t value) {
    if (value == FInterval) return;
    FInterval = value;
    if (!FEnabled) return;
    // Interval 0 leaves the timer enabled, so that a later interval restarts it.
    if (value != 0)
        StartTicking();
    else
        StopTicking(false);
}

void TSimpleTimer::SetOnTimer(TNotifyEvent value) {
    FOnTimer = std::move(value);
    if (!FOnTimer && FEnabled) StopTicking(false);
}

bool TSimpleTimer::StartTicking() {
    if (FInterval == 0) return false;
    if (FEnabled) StopTicking(true);
    const bool started =
        SetTimer(TSimpleTimerHandler::Instance()->TimerWindow(), FTimerId, FInterval, nullptr) != 0;
    if (started) FEnabled = true;
    return started;
}

bool TSimpleTimer::StopTicking(bool clear) {
    if (clear) FEnabled = false;
    return KillTimer(TSimpleTimerHandler::Instance()->TimerWindow(), FTimerId) != 0;
}
