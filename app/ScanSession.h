// ScanSession.h - the state of the main window's scan under way, or of the
// last one: the category icon that blinks, whether the scan was stopped, and
// an error raised while the core library reported an entry.
//
//   TScanSession   kept by the window; read by its parts and its tests
#pragma once

#include <exception>
#include <utility>

class TImage;

class TScanSession {
public:
    // A scan starts: not stopped, no error kept.
    void Begin() {
        FStopped = false;
        FError = nullptr;
    }

    // The result icon of the category being scanned (the timer toggles it);
    // not owned.
    TImage* BlinkingIcon() const { return FBlinkingIcon; }
    void SetBlinkingIcon(TImage* icon) { FBlinkingIcon = icon; }

    // Set by Stop (and by a close or an error that ends the scan); the scan
    // loop tests it between categories.
    bool Stopped() const { return FStopped; }
    void Stop() { FStopped = true; }

    // An error raised inside the core library's callback, which must not go
    // back into the library: the first one is kept and raised again once the
    // library has returned.
    void KeepError(std::exception_ptr error) {
        if (!FError) FError = std::move(error);
    }
    void RaiseKeptError() {
        if (FError) std::rethrow_exception(std::exchange(FError, nullptr));
    }

private:
    TImage* FBlinkingIcon = nullptr;
    bool FStopped = false;
    std::exception_ptr FError;
};
