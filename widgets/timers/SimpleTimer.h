// SimpleTimer.h - light timers that share one hidden window.
//
//   TSimpleTimer         a timer without a window or owner of its own: Enabled,
//                        Interval (ms), OnTimer
//   TSimpleTimerHandler  the process's one hidden window for all of them, kept
//                        while at least one timer lives
//
// A timer is idle (Enabled false), running (Enabled and ticking) or
// suspended (Enabled, but Interval 0 or no OnTimer, so not ticking); a new
// Interval or Enabled starts a suspended timer again. The platform's timer
// identifier is the timer's own address, so a tick leads straight to it.
// Timers are made, changed and destroyed on the user-interface thread, and
// ticks arrive there through the message loop.
#pragma once

#include <classlib/Classes.h>
#include <classlib/UtilWindow.h>

#include <cstdint>
#include <unordered_set>

class TSimpleTimer : public TObject {
public:
    // Interval 1000 ms, no handler.
    TSimpleTimer();
    // With the given interval and handler (CreateTimed). A new timer is idle.
    TSimpleTimer(uint32_t interval, TNotifyEvent onTimer);
    ~TSimpleTimer() override;

    UINT_PTR TimerId() const { return FTimerId; }
    bool Enabled() const { return FEnabled; }
    // true starts (or restarts) the ticks, false stops them.
    void SetEnabled(bool value);
    uint32_t Interval() const { return FInterval; }
    // While enabled, a new non-zero interval restarts the period; 0 suspends.
    void SetInterval(uint32_t value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    // No handler suspends an enabled timer; a handler again does not restart it.
    void SetOnTimer(TNotifyEvent value);

    // Starts the platform timer, one full period away; false (and nothing
    // changed) for Interval 0 or when the platform refuses.
    bool StartTicking();
    // Stops the platform timer; clear also makes the timer idle. False when
    // no platform timer was running.
    bool StopTicking(bool clear);

private:
    UINT_PTR FTimerId;
    bool FEnabled = false;
    uint32_t FInterval;
    TNotifyEvent FOnTimer;
};

class TSimpleTimerHandler : public TObject {
public:
    // The handler of the process, or nullptr while no timer lives.
    static TSimpleTimerHandler* Instance();

    uint32_t UserCount() const { return FUserCount; }
    HWND TimerWindow() const { return FTimerWindow.Handle(); }

private:
    friend class TSimpleTimer;
    TSimpleTimerHandler();

    static void AcquireTimerWindow(TSimpleTimer* timer);
    static void ReleaseTimerWindow(TSimpleTimer* timer);
    static LRESULT TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    uint32_t FUserCount = 0;
    // The timers alive: a tick is delivered only to one of them, whatever a
    // stale or stray WM_TIMER carries.
    std::unordered_set<const TSimpleTimer*> FTimers;
    TUtilityWindow FTimerWindow;
};
