// GdiCheck.cpp - GDI failures as EOutOfResources, and screen metrics.
#include "GdiCheck.h"

#include <classlib/SysUtils.h>

#include "Consts.h"

template <class H>
H CheckGdi(H handle) {
    if (handle) return handle;
    DWORD error = GetLastError();
    throw EOutOfResources(error ? SysErrorMessage(error) : std::string(SOutOfResources));
}

template HGDIOBJ CheckGdi(HGDIOBJ);
template HBITMAP CheckGdi(HBITMAP);
template HDC CheckGdi(HDC);
template HICON CheckGdi(HICON);
template HENHMETAFILE CheckGdi(HENHMETAFILE);

TOwnedDC NewMemoryDC(HDC reference) { return TOwnedDC(CheckGdi(CreateCompatibleDC(reference))); }

int ScreenPixelsPerInch() {
    static const int pixels = [] {
        TClientDC screen;
        int value = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        return value > 0 ? value : 96;
    }();
    return pixels;
}
