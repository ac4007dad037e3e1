// KitDraw.h - the drawing routines the kit's check box, glyph button and
// progress bar share besides their frames: free functions on a canvas that
// keep no state and leave nothing allocated behind them.
//
//   TCheckBoxGlyph, PaintCheckBoxGlyph   the built-in check-box square
//   PaintHighlightRing     a two-pixel gradient ring (full-colour displays only)
//   DrawBitmapTransparent  a bitmap drawn with one colour left out
//   FlipBitmapVertically   a bitmap turned upside down
//   CopyParentImage        what a parent window shows behind a control
//   CanvasDrawText         the platform's DrawText with the canvas's font
//
// Whether themed parts are drawn is the class library's ThemesEnabled.
#pragma once

#include <classlib/Graphics.h>
#include <classlib/Pictures.h>

#include <string_view>

#include "KitTypes.h"

// How PaintCheckBoxGlyph draws the square: the check box's state and colours.
struct TCheckBoxGlyph {
    TCheckBoxState State = cbUnchecked;
    TGlyphDrawState DrawState = gdsNormal;
    bool Focused = false;
    TKitButtonHotTrackStyle HotTrackStyle = htsInterior;
    TColor FrameColor = clBtnShadow;
    TColor MarkColor = clWindowText;  // the tick and the grayed square
    TColor FillColor = clWindow;
    TColor FocusColor = clWindow;
    TColor DisabledColor = clBtnFace;
    TColor HotColorStart = clWhite;
    TColor HotColorStop = clBlack;
    bool ReadOnly = false;
    bool ReadOnlyColorOnFocus = false;
    TColor ReadOnlyColor = clInfoBk;
};

// Outline, interior, tick (checked) or inner square (grayed), and the hot
// look; rect is the whole square, the tick fits the kit's 13 x 13 glyph.
void PaintCheckBoxGlyph(TCanvas* canvas, const TRect& rect, const TCheckBoxGlyph& glyph);

// The two outer pixels of rect filled with the gradient; nothing on a
// display with a palette. The canvas's clipping region is as it was after.
void PaintHighlightRing(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                        TColor startColor, TColor stopColor);

// sourceRect of bitmap stretched onto destRect; pixels of transparentColor
// leave the canvas unchanged.
void DrawBitmapTransparent(TCanvas* canvas, TBitmap* bitmap, const TRect& destRect,
                           const TRect& sourceRect, TColor transparentColor);

// Row y becomes row Height - 1 - y.
void FlipBitmapVertically(TBitmap* bitmap);

// Paints what parent shows at a control's place into dc, for a windowless or
// transparent control: the viewport moved by -controlOrigin, clipped to the
// parent's client area, then WM_ERASEBKGND and WM_PRINTCLIENT (PRF_CLIENT)
// sent to the parent with dc. The DC's state is restored after. Nothing for
// no parent. invalidateParent invalidates the parent afterwards; the control
// asks for it when it is transparent over a parent that is neither a custom
// control nor a form.
void CopyParentImage(HWND parent, TPoint controlOrigin, HDC dc, bool invalidateParent);

// DrawText with the canvas's font, text colour and background (opaque for a
// solid brush); rect is updated as DrawText does with DT_CALCRECT. Returns
// the height of the text.
int CanvasDrawText(TCanvas* canvas, std::string_view text, TRect& rect, UINT flags);
