// ExtCtrls.h - the timer component.
//
//   TTimer   OnTimer every Interval milliseconds while Enabled
#pragma once

#include <classlib/Classes.h>
#include <classlib/UtilWindow.h>

#include <memory>

// Ticks through a hidden window of its own, on the thread that made it, from
// that thread's message loop. It runs while Enabled and Interval is not 0
// (a new timer is enabled, 1000 ms); an exception from OnTimer goes to the
// application's error handling and the timer goes on.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    // Starting (or restarting) makes the next tick one full interval away.
    void SetEnabled(bool value);
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT value);

    TNotifyEvent OnTimer;

protected:
    // Fires OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();

    std::unique_ptr<TUtilityWindow> FWindow;
    bool FEnabled = true;
    UINT FInterval = 1000;
    bool FRunning = false;
};
