// TreePaint.cpp - painting the virtual tree: the background, then each row
// that the painted area shows (check box, images or the focused row's
// picture, selection, text, focus rectangle), through the class library's
// buffered paint.
#include <widgets/common/KitDraw.h>
#include <widgets/common/KitGdi.h>

#include "VirtualTrees.h"

namespace {

// The platform's check-box glyph is 13 pixels square.
constexpr int CheckGlyphSize = 13;

// The remainder of value / divisor between 0 and divisor - 1.
int PositiveModulo(int value, int divisor) { return (value % divisor + divisor) % divisor; }

TCheckBoxState GlyphState(TCheckState state) {
    if (state >= csMixedNormal) return cbGrayed;
    return state >= csCheckedNormal ? cbChecked : cbUnchecked;
}

// Hands a canvas a DC for one drawing and takes it back, also on errors.
class TLentCanvas {
public:
    explicit TLentCanvas(HDC dc) { FCanvas.SetHandle(dc); }
    ~TLentCanvas() { FCanvas.SetHandle(nullptr); }
    TLentCanvas(const TLentCanvas&) = delete;
    TLentCanvas& operator=(const TLentCanvas&) = delete;
    TCanvas* operator->() { return &FCanvas; }

private:
    TCanvas FCanvas;
};

}  // namespace

void TBaseVirtualTree::WMEraseBkgnd(TMessage& message) {
    // Paint covers the whole area; erasing first would only flicker.
    message.Result = 1;
}

void TBaseVirtualTree::UseTreeFont(TCanvas* canvas) { canvas->SetFont(Font()); }

TColor TBaseVirtualTree::NodeTextColor(PVirtualNode node) const {
    if (!Enabled()) return FColors->DisabledColor();
    if (node->Selected() && Focused()) return clHighlightText;
    if (FHotTrack && node == FHotNode) return FColors->HotColor();
    return Font()->Color();
}

void TBaseVirtualTree::Paint() {
    TRect area{};
    if (GetClipBox(Canvas()->Handle(), &area) == NULLREGION) return;
    {
        // Drawn in client coordinates; the background's brush origin needs
        // the buffer's corner at the area's.
        TBufferedPaint buffer(Canvas(), area);
        if (!buffer.Buffered()) return;
        TCanvas* canvas = buffer.Canvas();
        PaintBackground(canvas, area);
        UseTreeFont(canvas);
        FPainting = true;
        FHeightsChanged = false;
        try {
            const int clientWidth = ClientWidth();
            size_t index = FOffsets.Find(int64_t{FOffsetY} + area.top);
            PVirtualNode node = index < FNodes.size() ? &FNodes[index] : nullptr;
            // A row's top does not depend on its own height, so it is taken
            // after the row was initialised; the rows below follow on.
            InitNode(node);
            int64_t top = node ? FOffsets.Top(index) - FOffsetY : 0;
            for (; node && top < area.bottom; node = GetNext(node)) {
                InitNode(node);
                const auto rowTop = static_cast<int>(top);
                top += node->FHeight;
                if (top > area.top)
                    PaintNode(canvas, node, Rect(0, rowTop, clientWidth, rowTop + node->FHeight));
            }
        } catch (...) {
            FPainting = false;
            throw;
        }
        FPainting = false;
    }
    if (FHeightsChanged) UpdateScrollBars();
}

void TBaseVirtualTree::PaintBackground(TCanvas* canvas, const TRect& area) {
    HDC dc = canvas->Handle();
    TGraphic* graphic = FBackground->Graphic();
    if (!graphic || graphic->Empty()) return FillSolid(dc, area, PlainRgb(Color()));
    // One tile on the tree's colour (for pictures with transparent parts),
    // repeated by a pattern brush whose origin lies on the offsets.
    const int w = graphic->Width(), h = graphic->Height();
    TMemoryBitmap tile(dc, w, h);
    if (!tile.Valid()) return FillSolid(dc, area, PlainRgb(Color()));
    FillSolid(tile.DC(), Rect(0, 0, w, h), PlainRgb(Color()));
    {
        TLentCanvas tileCanvas(tile.DC());
        tileCanvas->Draw(0, 0, graphic);
    }
    TGdiObject<HBRUSH> pattern(CreatePatternBrush(tile.Bitmap()));
    if (!pattern) return FillSolid(dc, area, PlainRgb(Color()));
    // The brush origin is in device pixels; the buffer starts at the area's corner.
    SetBrushOrgEx(dc, PositiveModulo(FBackgroundOffsetX - area.left, w),
                  PositiveModulo(FBackgroundOffsetY - area.top, h), nullptr);
    ::FillRect(dc, &area, pattern.Get());
    CanvasChanged(canvas);
}

void TBaseVirtualTree::PaintNode(TCanvas* canvas, PVirtualNode node, const TRect& cell) {
    HDC dc = canvas->Handle();
    // What a row draws stays in the row.
    IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
    TVTPaintInfo info{canvas, node, cell, cell};
    info.ContentRect.left += FMargin;
    PaintCheckImage(info);
    PaintImages(info);
    // Only a selected or focused row frames its text; the others skip measuring it.
    const bool framed = node->Selected() || node == FFocusedNode;
    const int textWidth = framed ? ContentWidth(canvas, node) : 0;
    const TRect textRect =
        Rect(info.ContentRect.left, cell.top,
             std::min(info.ContentRect.left + textWidth, cell.right), cell.bottom);
    if (node->Selected()) PaintSelection(info, textRect);
    PaintNodeText(info);
    if (node == FFocusedNode) PaintFocusRect(info, textRect);
    SelectClipRgn(dc, nullptr);
}

void TBaseVirtualTree::PaintCheckImage(TVTPaintInfo& info) {
    if (info.Node->FCheckType == ctNone) return;
    TCheckBoxGlyph glyph;
    glyph.State = GlyphState(info.Node->FCheckState);
    glyph.DrawState = !Enabled() ? gdsDisabled : info.Node == FCheckNode ? gdsPressed : gdsNormal;
    const int x = info.ContentRect.left + (CheckImageSize - CheckGlyphSize) / 2;
    const int y = info.CellRect.top + (info.Node->FHeight - CheckGlyphSize) / 2;
    PaintCheckBoxGlyph(info.Canvas, Rect(x, y, x + CheckGlyphSize, y + CheckGlyphSize), glyph);
    info.ContentRect.left += CheckImageSize + ImageSpacing;
}

int TBaseVirtualTree::NodeImageIndex(PVirtualNode node, bool& ghosted) {
    int index = -1;
    if (!OnGetImageIndex) return index;
    if (node->Selected()) OnGetImageIndex(this, node, ikSelected, NoColumn, ghosted, index);
    if (index < 0) OnGetImageIndex(this, node, ikNormal, NoColumn, ghosted, index);
    return index;
}

void TBaseVirtualTree::PaintImages(TVTPaintInfo& info) {
    if (!FImages) return;
    bool ghosted = false;
    const int index = NodeImageIndex(info.Node, ghosted);
    if (index < 0) return;
    // The image's place is taken first; the focused row may show its picture there.
    const int imageWidth = FImages->Width();
    info.ContentRect.left += imageWidth + ImageSpacing;
    if (info.Node == FFocusedNode && PaintSelectedPicture(info)) return;
    const int x = info.ContentRect.left - imageWidth - ImageSpacing;
    const int y = info.CellRect.top + (info.Node->FHeight - FImages->Height()) / 2;
    FImages->Draw(info.Canvas, x, y, index, Enabled() && !ghosted);
}

bool TBaseVirtualTree::PaintSelectedPicture(TVTPaintInfo& info) {
    TGraphic* picture = FSelectedPicture->Graphic();
    if (!picture || picture->Empty()) return false;
    picture->SetTransparent(FSelectedPicTransParent);
    // Two pixels right of where the image would have begun; the text
    // follows right after the picture.
    const int imageWidth = FImages->Width();
    const int x = info.ContentRect.left - imageWidth;
    const int y = info.CellRect.top + (info.Node->FHeight - picture->Height()) / 2;
    info.Canvas->Draw(x, y, picture);
    info.ContentRect.left += picture->Width() - imageWidth;
    return true;
}

void TBaseVirtualTree::PaintSelection(const TVTPaintInfo& info, const TRect& textRect) {
    const bool focused = Focused();
    TBrush* brush = info.Canvas->Brush();
    brush->SetStyle(bsSolid);
    brush->SetColor(focused ? FColors->FocusedSelectionColor()
                            : FColors->UnfocusedSelectionColor());
    info.Canvas->FillRect(textRect);
    brush->SetColor(focused ? FColors->FocusedSelectionBorderColor()
                            : FColors->UnfocusedSelectionBorderColor());
    info.Canvas->FrameRect(textRect);
}

void TBaseVirtualTree::PaintFocusRect(const TVTPaintInfo& info, const TRect& textRect) {
    if (!Focused()) return;
    // The dotted frame inverts what it covers with these colours; they go
    // back afterwards, whether the frame is drawn or not.
    HDC dc = info.Canvas->Handle();
    const COLORREF text = SetTextColor(dc, RGB(255, 255, 255));
    const COLORREF background = SetBkColor(dc, RGB(0, 0, 0));
    if (FSelectedFocus) {
        ::DrawFocusRect(dc, &textRect);
        CanvasChanged(info.Canvas);
    }
    SetTextColor(dc, text);
    SetBkColor(dc, background);
}

void TBaseVirtualTree::PaintBorder() {
    if (FBorderStyle != bsSingle || !HandleAllocated()) return;
    HWND window = Handle();
    TRect bounds{};
    GetWindowRect(window, &bounds);
    OffsetRect(&bounds, -bounds.left, -bounds.top);
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    TGdiObject<HBRUSH> brush(CreateSolidBrush(PlainRgb(FColors->BorderColor())));
    FrameRect(dc, &bounds, brush.Get());
    ReleaseDC(window, dc);
}
