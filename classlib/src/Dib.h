// Dib.h - the layout of a packed device-independent bitmap (header, colour
// table, pixels), as bitmap files and resources hold it, checked so that no
// platform call reads past the bytes there are.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

struct TDibLayout {
    int width = 0;
    int height = 0;  // negative for rows stored top first
    int bitsPerPixel = 0;
    size_t bitsOffset = 0;
};

// Reads and checks the layout of dib; bitsOffset is where the pixels start,
// or 0 for right after the colour table. False for anything the platform's
// DIB functions could not take safely.
bool ReadDibLayout(std::string_view dib, size_t bitsOffset, TDibLayout& layout);
