// Handles.h - owners of platform handles and scoped device-context helpers:
// the lower tier under the class library's graphics and registry classes.
//
//   TOwnedHandle<H, Close>  move-only owner of one handle, closed by Close;
//                           a raw handle is always a borrowed one
//   TGdiObject<H>           owner of a pen, brush, font, bitmap or region
//   TOwnedDC                owner of a memory device context (DeleteDC)
//   TOwnedIcon              owner of an icon (DestroyIcon)
//   TOwnedEnhMetafile       owner of an enhanced metafile
//   TOwnedKey               owner of an opened registry key
//   TSelectObject           selects an object into a DC for a scope, then
//                           puts the one it replaced back
//   TSavedDC                SaveDC for a scope, RestoreDC at its end
//   TClientDC               GetDC/ReleaseDC of a window (of the screen for none)
//   TPaintDC                BeginPaint/EndPaint of a window
//   TMemoryBitmap           an off-screen bitmap compatible with a DC, selected
//                           into a memory DC of its own
//   TScratchBitmap          the same for one drawing, lent from the thread's spare
#pragma once

#include <windows.h>

#include <memory>

template <class H, auto Close>
class TOwnedHandle {
public:
    TOwnedHandle() = default;
    explicit TOwnedHandle(H handle) : FHandle(handle) {}
    ~TOwnedHandle() { Reset(); }
    TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(other.Release()) {}
    TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    TOwnedHandle(const TOwnedHandle&) = delete;
    TOwnedHandle& operator=(const TOwnedHandle&) = delete;

    H Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    // Gives the handle up without closing it.
    H Release() {
        H handle = FHandle;
        FHandle = nullptr;
        return handle;
    }
    void Reset(H handle = nullptr) {
        if (FHandle && FHandle != handle) Close(FHandle);
        FHandle = handle;
    }

private:
    H FHandle = nullptr;
};

template <class H>
using TGdiObject = TOwnedHandle<H, DeleteObject>;
using TOwnedDC = TOwnedHandle<HDC, DeleteDC>;
using TOwnedIcon = TOwnedHandle<HICON, DestroyIcon>;
using TOwnedEnhMetafile = TOwnedHandle<HENHMETAFILE, DeleteEnhMetaFile>;
using TOwnedKey = TOwnedHandle<HKEY, RegCloseKey>;

class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FPrevious(SelectObject(dc, object)) {}
    ~TSelectObject() {
        if (FPrevious && FPrevious != HGDI_ERROR) SelectObject(FDC, FPrevious);
    }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FPrevious;
};

class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FState(SaveDC(dc)) {}
    ~TSavedDC() {
        if (FState) RestoreDC(FDC, FState);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FState;
};

class TClientDC {
public:
    explicit TClientDC(HWND window = nullptr) : FWindow(window), FDC(GetDC(window)) {}
    ~TClientDC() {
        if (FDC) ReleaseDC(FWindow, FDC);
    }
    TClientDC(const TClientDC&) = delete;
    TClientDC& operator=(const TClientDC&) = delete;

    HDC Get() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

class TPaintDC {
public:
    explicit TPaintDC(HWND window) : FWindow(window), FDC(BeginPaint(window, &FPaint)) {}
    ~TPaintDC() { EndPaint(FWindow, &FPaint); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;

    HDC Get() const { return FDC; }
    const PAINTSTRUCT& Paint() const { return FPaint; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDC;
};

// An off-screen bitmap compatible with a reference DC, selected into a memory
// DC of its own for its lifetime. Valid() is false for an empty size or when
// the platform refused either.
class TMemoryBitmap {
public:
    TMemoryBitmap(HDC reference, int width, int height) : FDC(CreateCompatibleDC(reference)) {
        if (!FDC || width <= 0 || height <= 0) return;
        FBitmap.Reset(CreateCompatibleBitmap(reference, width, height));
        if (FBitmap) FPrevious = SelectObject(FDC.Get(), FBitmap.Get());
    }
    ~TMemoryBitmap() {
        if (FPrevious) SelectObject(FDC.Get(), FPrevious);
    }
    TMemoryBitmap(const TMemoryBitmap&) = delete;
    TMemoryBitmap& operator=(const TMemoryBitmap&) = delete;

    bool Valid() const { return FDC && FBitmap; }
    HDC DC() const { return FDC.Get(); }
    HBITMAP Bitmap() const { return FBitmap.Get(); }

private:
    TOwnedDC FDC;
    TGdiObject<HBITMAP> FBitmap;
    HGDIOBJ FPrevious = nullptr;
};

// An off-screen bitmap for one drawing, as a TMemoryBitmap of its size would
// be: compatible with the reference DC, black, its DC in its first state and
// clipped to the size asked for. Each thread keeps a few spares for it, one
// for each depth of drawings inside drawings (a bitmap painted into a buffer),
// made again larger or of another colour depth when one does not fit, so that
// paints that follow each other do not make and free bitmaps each time; a
// drawing deeper than the spares gets a bitmap of its own. A spare may be
// larger than the size asked for; only that area is drawn on and clipped to.
class TScratchBitmap {
public:
    TScratchBitmap(HDC reference, int width, int height);
    ~TScratchBitmap();
    TScratchBitmap(const TScratchBitmap&) = delete;
    TScratchBitmap& operator=(const TScratchBitmap&) = delete;

    bool Valid() const { return FDC != nullptr; }
    HDC DC() const { return FDC; }

private:
    HDC FDC = nullptr;
    int FSavedState = 0;
    int FSpare = -1;
    std::unique_ptr<TMemoryBitmap> FOwn;
};
