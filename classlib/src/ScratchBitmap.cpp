// ScratchBitmap.cpp - the off-screen bitmaps of single drawings, lent from
// the spares each thread keeps.
#include <classlib/Handles.h>

#include <algorithm>
#include <array>

namespace {

// Drawings inside drawings that get a spare: a buffered paint, a bitmap
// painted into it, a gradient painted into that.
constexpr size_t SpareDepths = 4;

struct TSpare {
    std::unique_ptr<TMemoryBitmap> Bitmap;
    int Width = 0;
    int Height = 0;
    int ColourBits = 0;
    bool Lent = false;
};

std::array<TSpare, SpareDepths>& ThreadSpares() {
    thread_local std::array<TSpare, SpareDepths> spares;
    return spares;
}

int ColourBitsOf(HDC dc) { return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES); }

// The first spare not lent out, made to fit; nullptr when all are lent or
// the platform refuses the bitmap.
TSpare* FittingSpare(HDC reference, int width, int height) {
    auto& spares = ThreadSpares();
    auto free = std::find_if(spares.begin(), spares.end(), [](const TSpare& s) { return !s.Lent; });
    if (free == spares.end()) return nullptr;
    TSpare& spare = *free;
    const int bits = ColourBitsOf(reference);
    if (spare.Bitmap && spare.ColourBits == bits && spare.Width >= width && spare.Height >= height)
        return &spare;
    // One too small grows to hold both sizes; one of another depth is made anew.
    const bool sameDepth = spare.Bitmap && spare.ColourBits == bits;
    const int newWidth = sameDepth ? std::max(width, spare.Width) : width;
    const int newHeight = sameDepth ? std::max(height, spare.Height) : height;
    spare.Bitmap.reset();
    auto bitmap = std::make_unique<TMemoryBitmap>(reference, newWidth, newHeight);
    if (!bitmap->Valid()) return nullptr;
    spare = TSpare{std::move(bitmap), newWidth, newHeight, bits, false};
    return &spare;
}

}  // namespace

TScratchBitmap::TScratchBitmap(HDC reference, int width, int height) {
    if (width <= 0 || height <= 0) return;
    if (TSpare* spare = FittingSpare(reference, width, height)) {
        spare->Lent = true;
        FSpare = static_cast<int>(spare - ThreadSpares().data());
        FDC = spare->Bitmap->DC();
    } else {
        FOwn = std::make_unique<TMemoryBitmap>(reference, width, height);
        if (!FOwn->Valid()) return;
        FDC = FOwn->DC();
    }
    // The state it is given back in, then the start of a new bitmap.
    FSavedState = SaveDC(FDC);
    IntersectClipRect(FDC, 0, 0, width, height);
    PatBlt(FDC, 0, 0, width, height, BLACKNESS);
}

TScratchBitmap::~TScratchBitmap() {
    if (!FDC) return;
    RestoreDC(FDC, FSavedState);
    if (FSpare >= 0) ThreadSpares()[FSpare].Lent = false;
}
