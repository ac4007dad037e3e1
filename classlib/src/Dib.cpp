// Dib.cpp - checks of packed device-independent bitmaps.
#include "Dib.h"

#include <cstdint>
#include <cstring>

namespace {

template <class T>
T ReadAt(std::string_view bytes, size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

bool ValidDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

bool ReadDibLayout(std::string_view dib, size_t bitsOffset, TDibLayout& layout) {
    if (dib.size() < sizeof(BITMAPCOREHEADER)) return false;
    const DWORD headerSize = ReadAt<DWORD>(dib, 0);
    DWORD compression = BI_RGB, sizeImage = 0, colours = 0;
    size_t entrySize = sizeof(RGBQUAD), masks = 0;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        auto core = ReadAt<BITMAPCOREHEADER>(dib, 0);
        layout.width = core.bcWidth;
        layout.height = core.bcHeight;
        layout.bitsPerPixel = core.bcBitCount;
        entrySize = sizeof(RGBTRIPLE);
    } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= dib.size()) {
        auto info = ReadAt<BITMAPINFOHEADER>(dib, 0);
        layout.width = info.biWidth;
        layout.height = info.biHeight;
        layout.bitsPerPixel = info.biBitCount;
        compression = info.biCompression;
        sizeImage = info.biSizeImage;
        colours = info.biClrUsed;
        if (compression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER)) masks = 12;
    } else {
        return false;
    }
    if (layout.width <= 0 || layout.height == 0 || layout.height == INT32_MIN ||
        !ValidDepth(layout.bitsPerPixel))
        return false;
    if (colours == 0 && layout.bitsPerPixel <= 8) colours = 1u << layout.bitsPerPixel;
    if (colours > 65536) return false;
    const uint64_t tableEnd = headerSize + masks + uint64_t{colours} * entrySize;
    const uint64_t offset = bitsOffset ? bitsOffset : tableEnd;
    if (tableEnd > dib.size() || offset < headerSize || offset > dib.size()) return false;

    const uint64_t rows = layout.height < 0 ? -int64_t{layout.height} : layout.height;
    uint64_t needed = 0;
    if (compression == BI_RGB || compression == BI_BITFIELDS)
        needed = (uint64_t{static_cast<uint32_t>(layout.width)} * layout.bitsPerPixel + 31) / 32 *
                 4 * rows;
    else if ((compression == BI_RLE8 && layout.bitsPerPixel == 8) ||
             (compression == BI_RLE4 && layout.bitsPerPixel == 4))
        needed = sizeImage;
    if (needed == 0 || needed > dib.size() - offset) return false;
    layout.bitsOffset = static_cast<size_t>(offset);
    return true;
}
