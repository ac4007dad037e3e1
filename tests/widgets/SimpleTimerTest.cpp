// Light timers: ticks through the shared window, the idle, running and
// suspended states, and the window's life. Each test runs in a process of
// its own, so it starts without timers.
#include <gtest/gtest.h>
#include <widgets/timers/SimpleTimer.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// Dispatches this thread's messages until done() holds or ms have passed.
bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// Counts the ticks of one timer and when they came.
struct TTicks {
    std::vector<ULONGLONG> times;
    TObject* sender = nullptr;
    TNotifyEvent Handler() {
        return [this](TObject* from) {
            sender = from;
            times.push_back(GetTickCount64());
        };
    }
    int Count() const { return static_cast<int>(times.size()); }
};

}  // namespace

TEST(SimpleTimer, ANewTimerIsIdle) {
    TSimpleTimer plain;
    EXPECT_EQ(plain.Interval(), 1000u);
    EXPECT_FALSE(plain.Enabled());
    EXPECT_FALSE(plain.OnTimer());
    EXPECT_EQ(plain.TimerId(), reinterpret_cast<UINT_PTR>(&plain));

    TTicks ticks;
    TSimpleTimer timed(30, ticks.Handler());
    EXPECT_EQ(timed.Interval(), 30u);
    EXPECT_FALSE(timed.Enabled());
    EXPECT_TRUE(timed.OnTimer());
    PumpFor(150);
    EXPECT_EQ(ticks.Count(), 0);
}

TEST(SimpleTimer, AllTimersShareOneWindowThatGoesWithTheLast) {
    EXPECT_EQ(TSimpleTimerHandler::Instance(), nullptr);
    auto first = std::make_unique<TSimpleTimer>();
    TSimpleTimerHandler* handler = TSimpleTimerHandler::Instance();
    ASSERT_NE(handler, nullptr);
    const HWND window = handler->TimerWindow();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(handler->UserCount(), 1u);

    auto second = std::make_unique<TSimpleTimer>(100, nullptr);
    EXPECT_EQ(TSimpleTimerHandler::Instance(), handler);
    EXPECT_EQ(handler->TimerWindow(), window);
    EXPECT_EQ(handler->UserCount(), 2u);

    first.reset();
    EXPECT_EQ(handler->UserCount(), 1u);
    EXPECT_TRUE(IsWindow(window));
    second.reset();
    EXPECT_EQ(TSimpleTimerHandler::Instance(), nullptr);
    EXPECT_FALSE(IsWindow(window));

    TSimpleTimer again;
    ASSERT_NE(TSimpleTimerHandler::Instance(), nullptr);
    EXPECT_TRUE(IsWindow(TSimpleTimerHandler::Instance()->TimerWindow()));
}

TEST(SimpleTimer, TwoTimersTickIndependently) {
    TTicks a, b;
    TSimpleTimer timerA(40, a.Handler()), timerB(40, b.Handler());
    timerA.SetEnabled(true);
    timerB.SetEnabled(true);
    EXPECT_TRUE(timerA.Enabled());
    ASSERT_TRUE(PumpUntil([&] { return a.Count() >= 3 && b.Count() >= 3; }, 3000));
    EXPECT_EQ(a.sender, &timerA);
    EXPECT_EQ(b.sender, &timerB);

    timerA.SetEnabled(false);
    EXPECT_FALSE(timerA.Enabled());
    const int stoppedAt = a.Count(), runningFrom = b.Count();
    PumpFor(400);
    EXPECT_EQ(a.Count(), stoppedAt);
    EXPECT_GE(b.Count(), runningFrom + 3);
}

TEST(SimpleTimer, IntervalZeroSuspendsAndANewIntervalResumes) {
    TTicks ticks;
    TSimpleTimer timer(40, ticks.Handler());
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 2; }, 3000));

    timer.SetInterval(0);
    EXPECT_TRUE(timer.Enabled());  // suspended, not idle
    EXPECT_FALSE(timer.StopTicking(false)) << "no platform timer left running";
    const int suspendedAt = ticks.Count();
    PumpFor(300);
    EXPECT_EQ(ticks.Count(), suspendedAt);

    timer.SetInterval(60);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_TRUE(PumpUntil([&] { return ticks.Count() >= suspendedAt + 3; }, 3000));
}

TEST(SimpleTimer, EnablingWithIntervalZeroLeavesItIdle) {
    TTicks ticks;
    TSimpleTimer timer(0, ticks.Handler());
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_FALSE(timer.StartTicking());
    PumpFor(100);
    EXPECT_EQ(ticks.Count(), 0);
    // An interval on an idle timer does not start it.
    timer.SetInterval(30);
    EXPECT_FALSE(timer.Enabled());
    PumpFor(150);
    EXPECT_EQ(ticks.Count(), 0);
}

TEST(SimpleTimer, StopTickingTellsWhetherATimerRan) {
    TSimpleTimer timer(1000, nullptr);
    EXPECT_FALSE(timer.StopTicking(true));
    EXPECT_TRUE(timer.StartTicking());
    EXPECT_TRUE(timer.Enabled());
    EXPECT_TRUE(timer.StopTicking(false));
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(timer.StopTicking(true));
    EXPECT_FALSE(timer.Enabled());
}

TEST(SimpleTimer, RemovingTheHandlerSuspendsAndAHandlerAloneDoesNotRestart) {
    TTicks ticks;
    TSimpleTimer timer(40, ticks.Handler());
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 1; }, 3000));
    timer.SetOnTimer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(timer.StopTicking(false));

    timer.SetOnTimer(ticks.Handler());
    const int before = ticks.Count();
    PumpFor(250);
    EXPECT_EQ(ticks.Count(), before);
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks.Count() >= before + 2; }, 3000));
}

TEST(SimpleTimer, EnablingARunningTimerRestartsItsPeriod) {
    TTicks ticks;
    TSimpleTimer timer(400, ticks.Handler());
    timer.SetEnabled(true);
    PumpFor(250);
    const ULONGLONG restart = GetTickCount64();
    timer.SetEnabled(true);
    ASSERT_TRUE(
        PumpUntil([&] { return ticks.Count() > 0 && ticks.times.back() >= restart; }, 5000));
    ULONGLONG firstAfter = 0;
    for (ULONGLONG t : ticks.times)
        if (t >= restart) {
            firstAfter = t;
            break;
        }
    // A tick before the restart could only come from a delayed test; the first
    // one after it is a whole period away (less the clock's granularity).
    EXPECT_GE(firstAfter - restart, 400u - 40u);
}

TEST(SimpleTimer, AHandlerMayStopItsOwnTimer) {
    TTicks ticks;
    TSimpleTimer shot(30, nullptr);
    shot.SetOnTimer([&](TObject* sender) {
        ticks.times.push_back(GetTickCount64());
        static_cast<TSimpleTimer*>(sender)->SetEnabled(false);
    });
    shot.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 1; }, 3000));
    PumpFor(200);
    EXPECT_EQ(ticks.Count(), 1);
    EXPECT_FALSE(shot.Enabled());
}

TEST(SimpleTimer, TheLastTimerMayEndItselfAndTakeTheWindowWithIt) {
    auto timer = std::make_unique<TSimpleTimer>(30, nullptr);
    const HWND window = TSimpleTimerHandler::Instance()->TimerWindow();
    bool ended = false;
    timer->SetOnTimer([&](TObject*) {
        timer.reset();
        ended = true;
    });
    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ended; }, 3000));
    EXPECT_EQ(TSimpleTimerHandler::Instance(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    PumpFor(100);
}

TEST(SimpleTimer, TheIdentifierLeadsToTheTimerAndStrayOnesAreIgnored) {
    TTicks ticks;
    auto timer = std::make_unique<TSimpleTimer>(1000, ticks.Handler());
    const HWND window = TSimpleTimerHandler::Instance()->TimerWindow();
    // A timer message carrying the identifier reaches the timer, running or not.
    PostMessageA(window, WM_TIMER, timer->TimerId(), 0);
    PumpFor(50);
    EXPECT_EQ(ticks.Count(), 1);
    EXPECT_EQ(ticks.sender, timer.get());

    // Identifiers of no live timer: a made-up one, and that of a timer gone.
    TSimpleTimer other(1000, nullptr);
    const UINT_PTR goneId = timer->TimerId();
    timer.reset();
    PostMessageA(window, WM_TIMER, 0x1234, 0);
    PostMessageA(window, WM_TIMER, goneId, 0);
    PumpFor(50);
    EXPECT_EQ(ticks.Count(), 1);
    EXPECT_TRUE(IsWindow(window));
}
