// Pictures.h - images that draw themselves on a canvas, and the picture that
// holds one of them.
//
//   TGraphic   base: Width, Height, Empty, Transparent, LoadFromFile,
//              OnChange; drawn through TCanvas::Draw and StretchDraw
//   TBitmap    a device-independent bitmap: PixelFormat (pfDevice, pf24bit,
//              pf32bit), size, Canvas, ScanLine, transparency (TransparentColor,
//              TransparentMode, MaskHandle), bmp files and resources, Handle
//   TIcon      an icon: .ico files and resources, Handle
//   TMetafile  an enhanced metafile, read from .emf or .wmf files and played
//   TPicture   holds one graphic, chosen by file extension (bmp, ico, emf,
//              wmf); OnChange; Bitmap(), Icon(), Metafile() accessors
//
// Every image handle belongs to its graphic; Handle() lends it, SetHandle
// gives one to the graphic, ReleaseHandle takes it back out. A TBitmap's
// pixels are reached through its own canvas's DC (a memory DC that holds the
// bitmap selected); Handle() takes the bitmap out of that DC first, so that
// the handle may be selected elsewhere (an image list, another DC) until the
// canvas is used again.
// Assign copies: a bitmap's pixels, an icon or a metafile are duplicated, never
// shared.
#pragma once

#include <classlib/Graphics.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TFileReader;

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // A transparent graphic leaves the canvas unchanged where it has no pixels
    // of its own (a bitmap: its transparent colour).
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    // EFOpenError for a file that cannot be read, EInvalidGraphic for one whose
    // content is not of the graphic's kind; the graphic is unchanged then.
    virtual void LoadFromFile(const std::string& fileName) = 0;
    // A new graphic of the same class holding a copy of this one.
    std::unique_ptr<TGraphic> Clone() const;

    // Fired after every change of the image or its properties.
    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
    virtual std::unique_ptr<TGraphic> NewEmpty() const = 0;
    virtual void Changed();

    int FWidth = 0;
    int FHeight = 0;
    bool FTransparent = false;
};

// pfDevice is the display's own format (a 32-bit bitmap on today's screens).
// Bitmap files of other depths are held as pf24bit.
enum TPixelFormat { pfDevice, pf24bit, pf32bit };
// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: the one set.
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    void Assign(const TPersistent* source) override;

    bool Empty() const override { return !FHandle; }
    // Keeps the pixels that still fit at the top left; new ones are white.
    // EOutOfResources when the platform cannot hold the bitmap.
    void SetSize(int width, int height);
    void SetWidth(int value) { SetSize(value, FHeight); }
    void SetHeight(int value) { SetSize(FWidth, value); }
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels to the new format.
    void SetPixelFormat(TPixelFormat value);

    TCanvas* Canvas();
    // The row's pixels (row 0 at the top): 3 bytes (blue, green, red) per
    // pixel in pf24bit, 4 in pf32bit and pfDevice. EInvalidGraphic for a row
    // outside the bitmap.
    uint8_t* ScanLine(int row);

    // clDefault while TransparentMode is tmAuto and the bitmap is empty.
    TColor TransparentColor();
    // clDefault sets tmAuto, any other colour tmFixed.
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);
    // A monochrome bitmap, white where the pixels have TransparentColor; kept
    // by the bitmap until its next change.
    HBITMAP MaskHandle();

    HBITMAP Handle();
    // Takes the bitmap over (converting it to the library's own layout).
    void SetHandle(HBITMAP bitmap);
    HBITMAP ReleaseHandle();

    void LoadFromFile(const std::string& fileName) override;
    // EInvalidGraphic "Resource %s not found" when the module has no such bitmap.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TBitmap>(); }
    void Changed() override;

private:
    class TBitmapCanvas;
    void Replace(TGdiObject<HBITMAP> bitmap, TPixelFormat format);
    void FreeContext();
    // White unless white is false (its pixels are about to be written whole).
    TGdiObject<HBITMAP> NewBitmap(int width, int height, TPixelFormat format,
                                  bool white = true) const;
    TGdiObject<HBITMAP> ConvertedCopy(HBITMAP source, int width, int height,
                                      TPixelFormat format) const;
    void LoadDib(std::string_view dib, size_t bitsOffset);
    // A 24-bit file with a plain header and its rows stored bottom first has
    // the library's own layout: its rows are read straight into a new bitmap.
    // False (nothing done) for any other file.
    bool LoadPlainRows(const TFileReader& file, uint64_t size);

    TGdiObject<HBITMAP> FHandle;
    TGdiObject<HBITMAP> FMask;
    std::unique_ptr<TBitmapCanvas> FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};

// An icon is always transparent.
class TIcon : public TGraphic {
public:
    void Assign(const TPersistent* source) override;

    bool Empty() const override { return !FHandle; }
    bool Transparent() const override { return true; }
    void SetTransparent(bool) override {}

    HICON Handle() const { return FHandle.Get(); }
    // Takes the icon over; a shared icon (LoadIcon) must be copied first (CopyIcon).
    void SetHandle(HICON icon);
    HICON ReleaseHandle();

    // The first image of an .ico file, at its own size.
    void LoadFromFile(const std::string& fileName) override;
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TIcon>(); }

private:
    TOwnedIcon FHandle;
};

// Plays over the canvas without painting a background, so it counts as
// transparent. Its size is in screen pixels. A .wmf file (with or without its placeable header) is
// held in enhanced form; Enhanced tells which kind the file was.
class TMetafile : public TGraphic {
public:
    void Assign(const TPersistent* source) override;

    bool Empty() const override { return !FHandle; }
    bool Transparent() const override { return true; }
    void SetTransparent(bool) override {}
    bool Enhanced() const { return FEnhanced; }

    HENHMETAFILE Handle() const { return FHandle.Get(); }
    void SetHandle(HENHMETAFILE metafile);

    void LoadFromFile(const std::string& fileName) override;

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TMetafile>(); }

private:
    void Take(TOwnedEnhMetafile metafile, bool enhanced, int width, int height);

    TOwnedEnhMetafile FHandle;
    bool FEnhanced = true;
};

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    // A picture, a graphic (copied), or nullptr (cleared).
    void Assign(const TPersistent* source) override;

    // The graphic held, or nullptr.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of graphic (nothing for nullptr).
    void SetGraphic(const TGraphic* graphic);
    // The graphic as that kind; a picture holding another kind (or none)
    // first gets an empty one.
    TBitmap* Bitmap();
    TIcon* Icon();
    TMetafile* Metafile();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // Chooses the graphic by the file's extension (bmp, ico, emf, wmf, without
    // regard to case); EInvalidGraphic "Unknown picture file extension (.%s)"
    // for any other. A file that fails to load leaves the picture as it was.
    void LoadFromFile(const std::string& fileName);

    // Fired when the graphic is replaced or changes.
    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* dest) const override;

private:
    template <class T>
    T* ForceType();
    void Take(std::unique_ptr<TGraphic> graphic);
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
};
