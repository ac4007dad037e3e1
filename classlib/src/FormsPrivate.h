// FormsPrivate.h - what the form and the application share inside the library.
#pragma once

#include <windows.h>

#include <vector>

// Posted to the application window to delete a released form (lParam).
constexpr UINT ReleaseMessage = WM_APP + 1;

// Disables every visible and enabled top-level window of the thread but one
// for a scope (a modal form or message box), and enables them again after.
class TDisabledTaskWindows {
public:
    explicit TDisabledTaskWindows(HWND except);
    ~TDisabledTaskWindows();
    TDisabledTaskWindows(const TDisabledTaskWindows&) = delete;
    TDisabledTaskWindows& operator=(const TDisabledTaskWindows&) = delete;

private:
    HWND FExcept;
    std::vector<HWND> FWindows;
};
