// UtilWindow.h - a hidden window whose window procedure is a function of its
// owner's choosing (a member function bound with a lambda).
//
//   TWndMethod      the procedure: (window, message, wParam, lParam) -> result;
//                   messages it does not handle go to DefWindowProcA
//   TUtilityWindow  move-only owner of one such window
//
// The window is a hidden top-level window (not a message-only one), so it also
// receives broadcasts such as the taskbar's re-creation. It belongs to the
// thread that made it. An exception thrown by the procedure is caught at the
// window's edge and handed to HandleCallbackException. The procedure is no
// longer called once destruction of the object begins, so it may refer to an
// owner that is going away.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

using TWndMethod = std::function<LRESULT(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

class TUtilityWindow {
public:
    // EOutOfResources when the platform refuses the window.
    explicit TUtilityWindow(TWndMethod method);
    ~TUtilityWindow();
    TUtilityWindow(TUtilityWindow&& other) noexcept;
    TUtilityWindow& operator=(TUtilityWindow&& other) noexcept;
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;

    HWND Handle() const { return FHandle; }

private:
    struct TState;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void RegisterWindowClass();
    void Destroy();

    std::unique_ptr<TState> FState;
    HWND FHandle = nullptr;
};
