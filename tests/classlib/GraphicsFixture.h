// GraphicsFixture.h - bitmaps for the drawing tests, and picture files
// written by the tests themselves.
#pragma once

#include <classlib/Pictures.h>
#include <gtest/gtest.h>
#include <winternl.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// The number of live GDI objects of this process. Windows answers
// GetGuiResources(GR_GDIOBJECTS); Wine's returns 0 always, so there the GDI
// handle table that the process environment block points to (at 0xF8) is
// counted instead: 0x10000 entries of 24 bytes, whose type byte (offset 14)
// is not 0 while the handle lives.
inline size_t GdiObjectCount() {
    static_assert(sizeof(void*) == 8, "the table's place is that of x86_64");
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return count;
    PROCESS_BASIC_INFORMATION process{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process,
                                  sizeof process, nullptr) != 0)
        return 0;
    auto peb = reinterpret_cast<const uint8_t*>(process.PebBaseAddress);
    const uint8_t* table = nullptr;
    std::memcpy(&table, peb + 0xF8, sizeof table);
    if (!table) return 0;
    size_t live = 0;
    for (size_t i = 0; i < 0x10000; ++i) live += table[i * 24 + 14] != 0;
    return live;
}

// A bitmap of one colour.
inline std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color,
                                             TPixelFormat format = pf24bit) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

template <class T>
void Append(std::string& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// A 24-bit .bmp of width x height; pixel(x, y) gives each colour, y = 0 at
// the top. topDown stores the rows top first (a negative height).
template <class F>
void WriteBmp(const std::string& path, int width, int height, F pixel, bool topDown = false) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string rows;
    for (int i = 0; i < height; ++i) {
        int y = topDown ? i : height - 1 - i;
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            COLORREF color = pixel(x, y);
            row[x * 3] = static_cast<char>(GetBValue(color));
            row[x * 3 + 1] = static_cast<char>(GetGValue(color));
            row[x * 3 + 2] = static_cast<char>(GetRValue(color));
        }
        rows += row;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = topDown ? -height : height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::string bytes;
    Append(bytes, file);
    Append(bytes, info);
    WriteBytes(path, bytes + rows);
}

// A 16 x 16 .ico: color in the square from (4, 4) to (12, 12), transparent around it.
inline void WriteIco(const std::string& path, COLORREF color) {
    const int size = 16;
    std::string pixels, mask;
    for (int i = 0; i < size; ++i) {  // rows bottom-up
        int y = size - 1 - i;
        uint16_t maskRow = 0;
        for (int x = 0; x < size; ++x) {
            bool inside = x >= 4 && x < 12 && y >= 4 && y < 12;
            COLORREF c = inside ? color : 0;
            uint32_t bgra = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;
            Append(pixels, bgra);
            if (!inside) maskRow |= static_cast<uint16_t>(0x8000 >> x);
        }
        uint32_t maskBytes = static_cast<uint32_t>((maskRow >> 8) | (maskRow & 0xFF) << 8);
        Append(mask, maskBytes);  // 16 bits of mask, padded to 32
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = size;
    info.biHeight = size * 2;
    info.biPlanes = 1;
    info.biBitCount = 32;
    std::string image;
    Append(image, info);
    image += pixels + mask;
    std::string bytes;
    Append(bytes, uint16_t{0});
    Append(bytes, uint16_t{1});  // icon
    Append(bytes, uint16_t{1});  // one image
    bytes += static_cast<char>(size);
    bytes += static_cast<char>(size);
    bytes += '\0';
    bytes += '\0';
    Append(bytes, uint16_t{1});
    Append(bytes, uint16_t{32});
    Append(bytes, static_cast<uint32_t>(image.size()));
    Append(bytes, static_cast<uint32_t>(6 + 16));
    WriteBytes(path, bytes + image);
}

// Draws a red rectangle over the middle of a 100 x 50 picture.
inline void PaintMetafileContent(HDC dc) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT inner{25, 10, 75, 40};
    FillRect(dc, &inner, red);
    DeleteObject(red);
}

// An .emf of 1 x 0.5 inches (100 x 50 units of 1/96 inch drawn in MM_TEXT
// on a reference of the screen).
inline void WriteEmf(const std::string& path) {
    RECT frame{0, 0, 2540, 1270};
    HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 100, 50, nullptr);
    SetViewportExtEx(dc, GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY) / 2, nullptr);
    PaintMetafileContent(dc);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
}

// A plain .wmf in units of a 100 x 50 window; with placeable set, preceded by
// the placeable header that gives its size as 100 x 50 at 96 units per inch.
inline void WriteWmf(const std::string& path, bool placeable) {
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowExtEx(dc, 100, 50, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    PaintMetafileContent(dc);
    HMETAFILE metafile = CloseMetaFile(dc);
    std::string plain(GetMetaFileBitsEx(metafile, 0, nullptr), '\0');
    GetMetaFileBitsEx(metafile, static_cast<UINT>(plain.size()), plain.data());
    DeleteMetaFile(metafile);
    std::string bytes;
    if (placeable) {
        const uint16_t header[] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 50, 96, 0, 0};
        uint16_t checksum = 0;
        for (uint16_t word : header) checksum ^= word;
        for (uint16_t word : header) Append(bytes, word);
        Append(bytes, checksum);
    }
    WriteBytes(path, bytes + plain);
}
