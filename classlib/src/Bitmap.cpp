// Bitmap.cpp - device-independent bitmaps: size and format, the canvas on
// them, scan lines, transparency and loading.
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>

#include <algorithm>
#include <cstring>

#include "Consts.h"
#include "Dib.h"
#include "Files.h"
#include "GdiCheck.h"

namespace {

constexpr size_t MaxBitmapFileBytes = 512u << 20;

int BitsPerPixel(TPixelFormat format) {
    if (format == pf24bit) return 24;
    if (format == pf32bit) return 32;
    static const int device = [] {
        TClientDC screen;
        return GetDeviceCaps(screen.Get(), BITSPIXEL) == 24 ? 24 : 32;
    }();
    return device;
}

// Bytes per row of a device-independent bitmap (rows are 4-byte aligned).
int64_t Stride(int width, int bitsPerPixel) {
    return (static_cast<int64_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

DIBSECTION DibOf(HBITMAP bitmap) {
    DIBSECTION dib{};
    GetObject(bitmap, sizeof dib, &dib);
    return dib;
}

}  // namespace

// The canvas of a bitmap: a memory DC holding the bitmap, made when first
// needed and given up (FreeContext) whenever the bitmap handle changes hands.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override { FreeContext(); }

    void FreeContext() {
        if (!FDC) return;
        SetHandle(nullptr);
        if (FPrevious) SelectObject(FDC.Get(), FPrevious);
        FPrevious = nullptr;
        FDC.Reset();
    }

protected:
    void CreateHandle() override {
        FDC = NewMemoryDC();
        if (FBitmap->FHandle) FPrevious = SelectObject(FDC.Get(), FBitmap->FHandle.Get());
        SetHandle(FDC.Get());
    }

private:
    TBitmap* FBitmap;
    TOwnedDC FDC;
    HGDIOBJ FPrevious = nullptr;
};

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

void TBitmap::Assign(const TPersistent* source) {
    if (source == this) return;
    auto bitmap = dynamic_cast<const TBitmap*>(source);
    if (!bitmap && source) return TGraphic::Assign(source);
    TGdiObject<HBITMAP> copy;
    TPixelFormat format = bitmap ? bitmap->FPixelFormat : FPixelFormat;
    if (bitmap && bitmap->FHandle) {
        // Same layout on both sides: the pixels are copied as they lie.
        copy = NewBitmap(bitmap->FWidth, bitmap->FHeight, format, false);
        GdiFlush();
        DIBSECTION from = DibOf(bitmap->FHandle.Get()), to = DibOf(copy.Get());
        std::memcpy(
            to.dsBm.bmBits, from.dsBm.bmBits,
            static_cast<size_t>(Stride(bitmap->FWidth, BitsPerPixel(format)) * bitmap->FHeight));
    }
    if (bitmap) {
        FTransparent = bitmap->FTransparent;
        FTransparentColor = bitmap->FTransparentColor;
        FTransparentMode = bitmap->FTransparentMode;
    }
    Replace(std::move(copy), format);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight) return;
    FreeContext();
    TGdiObject<HBITMAP> resized;
    if (width > 0 && height > 0)
        resized = ConvertedCopy(FHandle.Get(), width, height, FPixelFormat);
    Replace(std::move(resized), FPixelFormat);
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == FPixelFormat) return;
    FreeContext();
    TGdiObject<HBITMAP> converted;
    if (FHandle) converted = ConvertedCopy(FHandle.Get(), FWidth, FHeight, value);
    Replace(std::move(converted), value);
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->OnChange = [this](TObject*) { Changed(); };
    }
    return FCanvas.get();
}

uint8_t* TBitmap::ScanLine(int row) {
    if (!FHandle || row < 0 || row >= FHeight) throw EInvalidGraphic(SScanLine);
    // Whatever is written there may change the transparent pixels.
    FMask.Reset();
    GdiFlush();
    auto bits = static_cast<uint8_t*>(DibOf(FHandle.Get()).dsBm.bmBits);
    // Rows lie bottom-up.
    return bits + Stride(FWidth, BitsPerPixel(FPixelFormat)) * (FHeight - 1 - row);
}

TColor TBitmap::TransparentColor() {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (Empty()) return clDefault;
    return Canvas()->Pixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
    TTransparentMode mode = value == clDefault ? tmAuto : tmFixed;
    if (value == FTransparentColor && mode == FTransparentMode) return;
    FTransparentColor = value;
    FTransparentMode = mode;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == FTransparentMode) return;
    SetTransparentColor(value == tmAuto ? clDefault : TransparentColor());
}

HBITMAP TBitmap::MaskHandle() {
    if (Empty()) return nullptr;
    if (!FMask) {
        HDC pixels = Canvas()->Handle();
        TGdiObject<HBITMAP> mask(CheckGdi(CreateBitmap(FWidth, FHeight, 1, 1, nullptr)));
        TOwnedDC maskDC = NewMemoryDC();
        TSelectObject selected(maskDC.Get(), mask.Get());
        // A colour-to-monochrome copy sets the pixels of the background colour.
        COLORREF background = SetBkColor(pixels, ColorToRGB(TransparentColor()));
        BitBlt(maskDC.Get(), 0, 0, FWidth, FHeight, pixels, 0, 0, SRCCOPY);
        SetBkColor(pixels, background);
        FMask = std::move(mask);
    }
    return FMask.Get();
}

HBITMAP TBitmap::Handle() {
    FreeContext();
    FMask.Reset();
    return FHandle.Get();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    FreeContext();
    TGdiObject<HBITMAP> given(bitmap);
    if (!bitmap) return Replace({}, FPixelFormat);
    DIBSECTION dib{};
    bool isDib = GetObject(bitmap, sizeof dib, &dib) == sizeof dib;
    if (!isDib && !GetObject(bitmap, sizeof dib.dsBm, &dib.dsBm))
        throw EInvalidGraphic(SInvalidBitmap);
    TPixelFormat format = !isDib ? pfDevice : dib.dsBm.bmBitsPixel == 32 ? pf32bit : pf24bit;
    Replace(ConvertedCopy(bitmap, dib.dsBm.bmWidth, std::abs(dib.dsBm.bmHeight), format), format);
}

HBITMAP TBitmap::ReleaseHandle() {
    FreeContext();
    HBITMAP bitmap = FHandle.Release();
    Replace({}, FPixelFormat);
    return bitmap;
}

void TBitmap::LoadFromFile(const std::string& fileName) {
    const TFileReader file(fileName);
    const int64_t size = file.Size();
    if (size < 0 || static_cast<uint64_t>(size) > MaxBitmapFileBytes)
        throw EInvalidGraphic(SInvalidBitmap);
    if (LoadPlainRows(file, static_cast<uint64_t>(size))) return;
    std::string bytes(static_cast<size_t>(size), '\0');
    bytes.resize(file.Read(0, bytes.data(), bytes.size()));
    BITMAPFILEHEADER header{};
    if (bytes.size() < sizeof header) throw EInvalidGraphic(SInvalidBitmap);
    std::memcpy(&header, bytes.data(), sizeof header);
    if (header.bfType != 0x4D42 || header.bfOffBits < sizeof header)
        throw EInvalidGraphic(SInvalidBitmap);
    LoadDib(std::string_view(bytes).substr(sizeof header), header.bfOffBits - sizeof header);
}

bool TBitmap::LoadPlainRows(const TFileReader& file, uint64_t size) {
    char head[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)];
    if (file.Read(0, head, sizeof head) != sizeof head) return false;
    BITMAPFILEHEADER header{};
    BITMAPINFOHEADER info{};
    std::memcpy(&header, head, sizeof header);
    std::memcpy(&info, head + sizeof header, sizeof info);
    if (header.bfType != 0x4D42 || info.biSize != sizeof info || info.biPlanes != 1 ||
        info.biBitCount != 24 || info.biCompression != BI_RGB || info.biWidth <= 0 ||
        info.biHeight <= 0 || info.biClrUsed > 65536)
        return false;
    // The pixels lie past the headers and the colour table, and the file holds all of them.
    const uint64_t tableEnd = sizeof head + uint64_t{info.biClrUsed} * sizeof(RGBQUAD);
    const uint64_t rowBytes = static_cast<uint64_t>(Stride(info.biWidth, 24)) * info.biHeight;
    if (header.bfOffBits < tableEnd || header.bfOffBits > size ||
        rowBytes > size - header.bfOffBits)
        return false;
    TGdiObject<HBITMAP> bitmap = NewBitmap(info.biWidth, info.biHeight, pf24bit, false);
    GdiFlush();
    if (file.Read(header.bfOffBits, DibOf(bitmap.Get()).dsBm.bmBits, rowBytes) != rowBytes)
        throw EInvalidGraphic(SInvalidBitmap);
    FreeContext();
    Replace(std::move(bitmap), pf24bit);
    return true;
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    const std::string notFound = Format(SResNotFound, {name});
    HRSRC resource = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw EInvalidGraphic(notFound);
    LoadDib(std::string_view(static_cast<const char*>(data), SizeofResource(instance, resource)),
            0);
}

void TBitmap::LoadDib(std::string_view dib, size_t bitsOffset) {
    // The rows are copied by the platform from the checked bytes, in either
    // row order, into a bitmap of the library's own layout.
    TDibLayout layout;
    if (!ReadDibLayout(dib, bitsOffset, layout)) throw EInvalidGraphic(SInvalidBitmap);
    const int height = std::abs(layout.height);
    const TPixelFormat format = layout.bitsPerPixel == 32 ? pf32bit : pf24bit;
    TGdiObject<HBITMAP> bitmap = NewBitmap(layout.width, height, format);
    {
        TOwnedDC dc = NewMemoryDC();
        TSelectObject selected(dc.Get(), bitmap.Get());
        if (StretchDIBits(dc.Get(), 0, 0, layout.width, height, 0, 0, layout.width, height,
                          dib.data() + layout.bitsOffset,
                          reinterpret_cast<const BITMAPINFO*>(dib.data()), DIB_RGB_COLORS,
                          SRCCOPY) == 0)
            throw EInvalidGraphic(SInvalidBitmap);
    }
    FreeContext();
    Replace(std::move(bitmap), format);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect) {
    HDC dc = canvas->Handle();
    HDC pixels = Canvas()->Handle();
    const TRect whole = Rect(0, 0, FWidth, FHeight);
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    if (Transparent()) {
        TOwnedDC maskDC = NewMemoryDC();
        TSelectObject selected(maskDC.Get(), MaskHandle());
        TransparentStretchBlt(dc, rect, pixels, whole, maskDC.Get());
    } else {
        StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, pixels,
                   0, 0, FWidth, FHeight, canvas->CopyMode());
    }
    SetStretchBltMode(dc, oldMode);
}

void TBitmap::Changed() {
    FMask.Reset();
    TGraphic::Changed();
}

void TBitmap::Replace(TGdiObject<HBITMAP> bitmap, TPixelFormat format) {
    FreeContext();
    FHandle = std::move(bitmap);
    FPixelFormat = format;
    BITMAP info{};
    if (FHandle) GetObject(FHandle.Get(), sizeof info, &info);
    FWidth = info.bmWidth;
    FHeight = info.bmHeight;
    Changed();
}

void TBitmap::FreeContext() {
    if (FCanvas) FCanvas->FreeContext();
}

TGdiObject<HBITMAP> TBitmap::NewBitmap(int width, int height, TPixelFormat format,
                                       bool white) const {
    const int bits = BitsPerPixel(format);
    // Beyond 2 GB no platform call can be trusted with the size.
    const int64_t bytes = Stride(width, bits) * height;
    if (width <= 0 || height <= 0 || bytes > INT32_MAX) throw EOutOfResources(SOutOfResources);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    TGdiObject<HBITMAP> bitmap(
        CheckGdi(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0)));
    if (white) std::memset(pixels, 0xFF, static_cast<size_t>(bytes));
    return bitmap;
}

TGdiObject<HBITMAP> TBitmap::ConvertedCopy(HBITMAP source, int width, int height,
                                           TPixelFormat format) const {
    TGdiObject<HBITMAP> copy = NewBitmap(width, height, format);
    if (!source) return copy;
    BITMAP info{};
    GetObject(source, sizeof info, &info);
    TOwnedDC from = NewMemoryDC(), to = NewMemoryDC();
    TSelectObject fromSelected(from.Get(), source);
    TSelectObject toSelected(to.Get(), copy.Get());
    BitBlt(to.Get(), 0, 0, std::min(width, static_cast<int>(info.bmWidth)),
           std::min(height, std::abs(static_cast<int>(info.bmHeight))), from.Get(), 0, 0, SRCCOPY);
    return copy;
}
