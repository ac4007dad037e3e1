// Graphics.h - pens, brushes and fonts, and the canvas that draws with them
// on a device context.
//
//   TGraphicsObject  base of pen, brush and font: its GDI object is made on
//                    first use and made again after a change; OnChange
//   TPen             Color, Width, Style (psSolid ...), Mode (pmCopy ...)
//   TBrush           Color, Style (bsSolid, bsClear, hatches)
//   TFont            Charset, Color, Height, Name, Pitch, Size, Style (fsBold ...)
//   TCanvas          drawing on a borrowed DC with its own pen, brush and font
//   TWindowCanvas    a canvas on a window's DC (GetDC/ReleaseDC), or the screen's
//   TBufferedPaint   one paint of an area through an off-screen bitmap
//   TransparentStretchBlt  a stretched copy through a monochrome mask
//
// The canvas rule: a canvas selects its pen, brush and font into the DC only
// when an operation first needs them, and puts the DC's own objects back
// before it lets go of the DC (another SetHandle, Refresh, FreeHandle, its
// end). Every GDI object belongs to exactly one object here: a pen's HPEN to
// the TPen, the DC to whoever lent it. Text colour, background colour and mode
// and the raster operation are set with the objects and not restored; code
// that lends a DC and needs them back saves the DC (TSavedDC).
#pragma once

#include <classlib/Classes.h>
#include <classlib/Colors.h>
#include <classlib/Handles.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class TGraphic;
class TBitmap;

// A pen, brush or font assigned one of the same values is left as it is
// (no OnChange, the GDI object kept), as its setters leave it.
class TGraphicsObject : public TPersistent {
public:
    // Fired after every change of a property.
    TNotifyEvent OnChange;

protected:
    // The GDI object, made on first use; it stays owned by this object.
    HGDIOBJ GdiHandle();
    virtual HGDIOBJ CreateGdiObject() const = 0;
    // Lets go of the GDI object (the canvas that selected it puts its DC's own
    // object back first), then fires OnChange.
    void Changed();
    template <class T>
    void SetField(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Changed();
    }

private:
    friend class TCanvas;
    TGdiObject<HGDIOBJ> FHandle;
    // Set by the canvas that owns this object: deselects it before it goes.
    std::function<void()> FReleasing;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The raster operations of SetROP2, in the platform's order (R2_BLACK ...).
enum TPenMode {
    pmBlack,
    pmNotMerge,
    pmMaskNotPen,
    pmNotCopy,
    pmMaskPenNot,
    pmNot,
    pmXor,
    pmNotMask,
    pmMask,
    pmNotXor,
    pmNop,
    pmMergeNotPen,
    pmCopy,
    pmMergePenNot,
    pmMerge,
    pmWhite
};

class TPen : public TGraphicsObject {
public:
    void Assign(const TPersistent* source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value) { SetField(FColor, value); }
    int Width() const { return FWidth; }
    void SetWidth(int value) { SetField(FWidth, value); }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value) { SetField(FStyle, value); }
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value) { SetField(FMode, value); }

    HPEN Handle() { return static_cast<HPEN>(GdiHandle()); }

protected:
    HGDIOBJ CreateGdiObject() const override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TGraphicsObject {
public:
    void Assign(const TPersistent* source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value) { SetField(FColor, value); }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value) { SetField(FStyle, value); }

    HBRUSH Handle() { return static_cast<HBRUSH>(GdiHandle()); }

protected:
    HGDIOBJ CreateGdiObject() const override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = BYTE;

// Height is in pixels (negative: the character height without the internal
// leading), Size in points at PixelsPerInch (the screen's); each sets the other.
// A new font is "Tahoma", 8 points, DEFAULT_CHARSET, clWindowText, no style.
class TFont : public TGraphicsObject {
public:
    TFont();
    void Assign(const TPersistent* source) override;

    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset value) { SetField(FCharset, value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { SetField(FColor, value); }
    int Height() const { return FHeight; }
    void SetHeight(int value) { SetField(FHeight, value); }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& value) { SetField(FName, value); }
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value) { SetField(FPitch, value); }
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value) { SetField(FStyle, value); }
    int PixelsPerInch() const { return FPixelsPerInch; }

    HFONT Handle() { return static_cast<HFONT>(GdiHandle()); }

protected:
    HGDIOBJ CreateGdiObject() const override;

private:
    TFontCharset FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    int FHeight = 0;
    std::string FName = "Tahoma";
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
    int FPixelsPerInch;
};

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // The DC; a canvas without one asks CreateHandle.
    HDC Handle();
    // Takes another DC (or none), putting the old DC's own objects back first.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Puts the DC's own objects back; the next operation selects again.
    void Refresh();

    TPen* Pen() const { return FPen.get(); }
    void SetPen(const TPen* value) { FPen->Assign(value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(const TBrush* value) { FBrush->Assign(value); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* value) { FFont->Assign(value); }
    // The raster operation of CopyRect and of drawing bitmaps (SRCCOPY ...).
    DWORD CopyMode() const { return FCopyMode; }
    void SetCopyMode(DWORD value) { FCopyMode = value; }
    TPoint PenPos();
    void SetPenPos(TPoint value) { MoveTo(value.x, value.y); }

    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    // The platform's dotted focus frame, drawn by exclusive or (a second call
    // takes it away).
    void DrawFocusRect(const TRect& rect);
    void Polygon(std::span<const TPoint> points);
    // Leaves the pen position after the text.
    void TextOut(int x, int y, std::string_view text);
    // Text at (x, y) clipped to rect, which the brush fills first unless its
    // style is bsClear.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    // The platform's DrawText with the canvas's font and brush (a bsClear
    // brush draws no background); flags are the DT_ ones, and DT_CALCRECT
    // measures into rect. Returns the text's height.
    int DrawText(std::string_view text, TRect& rect, UINT flags);
    TSize TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    // An empty or missing graphic draws nothing.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);
    // Copies a part of the bitmap with every pixel of color replaced by the brush.
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);

    // Fired after every drawing operation.
    TNotifyEvent OnChange;

protected:
    // Gets a DC when an operation starts without one; the base raises
    // EInvalidOperation "Canvas does not allow drawing".
    virtual void CreateHandle();
    void Changed();

private:
    enum TSlot { slPen, slBrush, slFont, slCount };
    HDC RequireObjects(std::initializer_list<TSlot> slots);
    void Select(TSlot slot);
    void Deselect(TSlot slot);
    void DeselectAll();
    TGraphicsObject* Object(TSlot slot) const;

    HDC FHandle = nullptr;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TFont> FFont;
    // The DC's own object for each slot while ours is selected, else null.
    HGDIOBJ FOriginal[slCount] = {};
    DWORD FCopyMode = SRCCOPY;
};

// A canvas on a window's DC, or on the screen's for no window; the DC is
// fetched on first use and released by FreeHandle, SetWindow and the end.
class TWindowCanvas : public TCanvas {
public:
    explicit TWindowCanvas(HWND window = nullptr) : FWindow(window) {}
    ~TWindowCanvas() override { FreeHandle(); }

    HWND Window() const { return FWindow; }
    void SetWindow(HWND window);
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    HWND FWindow;
};

// Double buffering for one paint: an off-screen bitmap stands for area of a
// target, is drawn on through Canvas() (a canvas of its own: new pen, brush
// and font) or DC() in the target's own coordinates, and is copied onto the
// target in one SRCCOPY when the object goes, so that the target shows only
// the finished picture. Windowed and windowless controls paint through it
// alike (a windowless control's canvas is lent its parent's DC, moved and
// clipped to the control). A paint ended by an exception copies nothing.
// When the platform refuses the bitmap (Buffered() false), Canvas() and DC()
// draw on the target itself.
class TBufferedPaint {
public:
    TBufferedPaint(HDC target, const TRect& area);
    // The final copy counts as a drawing operation of target (its OnChange).
    TBufferedPaint(TCanvas* target, const TRect& area);
    ~TBufferedPaint();
    TBufferedPaint(const TBufferedPaint&) = delete;
    TBufferedPaint& operator=(const TBufferedPaint&) = delete;

    bool Buffered() const { return FBuffer.Valid(); }
    HDC DC() const { return Buffered() ? FBuffer.DC() : FTarget; }
    TCanvas* Canvas() { return &FCanvas; }

private:
    HDC FTarget;
    TCanvas* FTargetCanvas = nullptr;
    TRect FArea;
    TScratchBitmap FBuffer;
    TCanvas FCanvas;
    int FExceptions;
};

// Copies source (sourceRect) onto dest (destRect, stretched), leaving dest as
// it was wherever the monochrome mask, aligned with source, is white.
void TransparentStretchBlt(HDC dest, const TRect& destRect, HDC source, const TRect& sourceRect,
                           HDC mask);
