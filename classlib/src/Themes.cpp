// Themes.cpp - visual styles and platform settings.
#include <classlib/Themes.h>

bool ThemesEnabled() { return IsThemeActive() && IsAppThemed(); }

TThemeData::TThemeData(HWND window, const wchar_t* classList) {
    if (ThemesEnabled()) FHandle.Reset(OpenThemeData(window, classList));
}

bool TThemeData::DrawBackground(HDC dc, int part, int state, const TRect& rect,
                                const TRect* clip) const {
    return FHandle && SUCCEEDED(DrawThemeBackground(FHandle.Get(), dc, part, state, &rect, clip));
}

UINT DoubleClickTime() { return GetDoubleClickTime(); }
