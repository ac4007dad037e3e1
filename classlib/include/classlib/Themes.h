// Themes.h - the platform's visual styles, and the other platform settings
// the controls draw and click by.
//
//   ThemesEnabled    visual styles are active for this program
//   TThemeData       owner of an opened theme class (OpenThemeData), drawing its parts
//   DoubleClickTime  the platform's double-click time
//
// Owner-drawn parts work with or without Common Controls version 6: the
// styles of the platform's own controls follow the program's manifest, the
// parts drawn here only ThemesEnabled.
#pragma once

#include <classlib/Handles.h>
#include <classlib/Types.h>
#include <uxtheme.h>

// The platform's styles are on and applied to this program's windows.
bool ThemesEnabled();

class TThemeData {
public:
    // The theme of a class ("BUTTON", "PROGRESS") for window (null: any);
    // empty when styles are off.
    TThemeData(HWND window, const wchar_t* classList);

    explicit operator bool() const { return static_cast<bool>(FHandle); }
    HTHEME Handle() const { return FHandle.Get(); }
    // Draws part in state over rect (clipped to clip when given); false
    // without a theme or when the platform refused.
    bool DrawBackground(HDC dc, int part, int state, const TRect& rect,
                        const TRect* clip = nullptr) const;

private:
    TOwnedHandle<HTHEME, CloseThemeData> FHandle;
};

// Milliseconds within which a second click is a double click.
UINT DoubleClickTime();
