// EngineWork.h - what the main window has the core library doing.
//
//   TEngineWork        the road under way: none, a scan, a backup, a repair,
//                      a restore or a delete of rescue items
//   TEngineWorkState   the one busy state of the window, and a close asked
//                      for while it is busy
//   TEngineWorkScope   one road of work, from its start to its end
//
// The core library pumps the window's messages inside its long calls, so
// every handler of the window may run while a road is under way. The window
// asks this state, and only this, whether it may start anything, change the
// page, the results or the rescue list, or close.
#pragma once

enum class TEngineWork { None, Scan, Backup, Repair, Restore, Delete };

class TEngineWorkState {
public:
    TEngineWork Current() const { return FCurrent; }
    bool Busy() const { return FCurrent != TEngineWork::None; }

    // A close that waits until the road under way is over.
    void RequestClose() { FCloseRequested = true; }
    bool CloseRequested() const { return FCloseRequested; }
    // True once for a close asked for meanwhile, which is then the caller's to do.
    bool TakeCloseRequest() {
        const bool requested = FCloseRequested;
        FCloseRequested = false;
        return requested;
    }

private:
    friend class TEngineWorkScope;
    TEngineWork FCurrent = TEngineWork::None;
    bool FCloseRequested = false;
};

// The state is busy with work for the scope's lifetime, also when an error
// leaves the road. Roads do not nest: the window starts none while busy.
class TEngineWorkScope {
public:
    TEngineWorkScope(TEngineWorkState& state, TEngineWork work) : FState(state) {
        FState.FCurrent = work;
    }
    ~TEngineWorkScope() { FState.FCurrent = TEngineWork::None; }
    TEngineWorkScope(const TEngineWorkScope&) = delete;
    TEngineWorkScope& operator=(const TEngineWorkScope&) = delete;

private:
    TEngineWorkState& FState;
};
