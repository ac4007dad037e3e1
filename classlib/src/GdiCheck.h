// GdiCheck.h - the graphics classes' checks of what the platform hands out.
#pragma once

#include <classlib/Handles.h>

// The handle, or EOutOfResources with the platform's reason.
template <class H>
H CheckGdi(H handle);

// A memory DC compatible with reference (the screen for null).
TOwnedDC NewMemoryDC(HDC reference = nullptr);

// The screen's pixels per logical inch, read once.
int ScreenPixelsPerInch();
