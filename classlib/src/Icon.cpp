// Icon.cpp - icons from .ico files and resources.
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>

#include <cstring>

#include "Consts.h"
#include "Files.h"
#include "GdiCheck.h"

namespace {

constexpr size_t MaxIconFileBytes = 16u << 20;

#pragma pack(push, 2)
struct TIconDirEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes, offset;
};
#pragma pack(pop)
static_assert(sizeof(TIconDirEntry) == 16);

// The bytes of the first image of an .ico file, checked to lie inside the
// file; empty when the file is no icon file.
std::string_view FirstIconImage(const std::string& file) {
    WORD header[3] = {};
    if (file.size() < sizeof header + sizeof(TIconDirEntry)) return {};
    std::memcpy(header, file.data(), sizeof header);
    if (header[0] != 0 || header[1] != 1 || header[2] == 0) return {};
    TIconDirEntry entry{};
    std::memcpy(&entry, file.data() + sizeof header, sizeof entry);
    if (entry.bytes == 0 || entry.offset > file.size() || entry.bytes > file.size() - entry.offset)
        return {};
    return std::string_view(file).substr(entry.offset, entry.bytes);
}

}  // namespace

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
    const std::string file = ReadFileBytes(fileName, MaxIconFileBytes);
    std::string_view image = FirstIconImage(file);
    // The platform is handed only the checked bytes of the image.
    std::string copy(image);
    HICON icon = image.empty() ? nullptr
                               : CreateIconFromResourceEx(reinterpret_cast<BYTE*>(copy.data()),
                                                          static_cast<DWORD>(copy.size()), TRUE,
                                                          0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!icon) throw EInvalidGraphic(SInvalidIcon);
    SetHandle(icon);
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
