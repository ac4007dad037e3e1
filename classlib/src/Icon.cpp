// Icon.cpp - icons from .ico files and resources.
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>

#include "Consts.h"
#include "Files.h"
#include "GdiCheck.h"

void TIcon::Assign(const TPersistent* source) {
    if (source == this) return;
    auto icon = dynamic_cast<const TIcon*>(source);
    if (!icon && source) return TGraphic::Assign(source);
    SetHandle(icon && icon->FHandle ? CheckGdi(CopyIcon(icon->FHandle.Get())) : nullptr);
}

void TIcon::SetHandle(HICON icon) {
    FHandle.Reset(icon);
    FWidth = FHeight = 0;
    ICONINFO info{};
    if (icon && GetIconInfo(icon, &info)) {
        // GetIconInfo hands out copies of both bitmaps.
        TGdiObject<HBITMAP> mask(info.hbmMask), color(info.hbmColor);
        BITMAP bitmap{};
        GetObject(color ? color.Get() : mask.Get(), sizeof bitmap, &bitmap);
        FWidth = bitmap.bmWidth;
        // Without colour, the mask holds the AND and XOR halves one above the other.
        FHeight = color ? bitmap.bmHeight : bitmap.bmHeight / 2;
    }
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON icon = FHandle.Release();
    SetHandle(nullptr);
    return icon;
}

void TIcon::LoadFromFile(const std::string& fileName) {
    CheckFileReadable(fileName);
    HANDLE icon = LoadImageA(nullptr, fileName.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    if (!icon) throw EInvalidGraphic(SInvalidIcon);
    SetHandle(static_cast<HICON>(icon));
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HANDLE icon = LoadImageA(instance, name.c_str(), IMAGE_ICON, 0, 0, 0);
    if (!icon) throw EInvalidGraphic(Format(SResNotFound, {name}));
    SetHandle(static_cast<HICON>(icon));
}

void TIcon::Draw(TCanvas* canvas, const TRect& rect) {
    DrawIconEx(canvas->Handle(), rect.left, rect.top, FHandle.Get(), rect.right - rect.left,
               rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
}
