// Panel.cpp - the container with bevels and a caption.
#include <classlib/ExtCtrls.h>

namespace {

const UINT AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// width rings of one-pixel lines, top and left in one colour, bottom and
// right in the other, moving rect inwards.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width; ++i) {
        canvas->Pen()->SetColor(topLeft);
        canvas->MoveTo(rect.left, rect.bottom - 1);
        canvas->LineTo(rect.left, rect.top);
        canvas->LineTo(rect.right - 1, rect.top);
        canvas->Pen()->SetColor(bottomRight);
        canvas->LineTo(rect.right - 1, rect.bottom - 1);
        canvas->LineTo(rect.left - 1, rect.bottom - 1);
        InflateRect(&rect, -1, -1);
    }
}

void Bevel(TCanvas* canvas, TRect& rect, TBevelCut cut, int width, TColor face) {
    if (cut == bvNone) return;
    TColor light = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor dark = cut == bvLowered ? clBtnHighlight : clBtnShadow;
    if (cut == bvSpace) light = dark = face;
    Frame3D(canvas, rect, light, dark, width);
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents,
                     csSetCaption,      csOpaque,       csDoubleClicks};
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment value) { ChangeAndInvalidate(FAlignment, value); }

void TCustomPanel::AdjustClientRect(TRect& rect) {
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    Bevel(canvas, rect, FBevelOuter, FBevelWidth, Color());
    Frame3D(canvas, rect, Color(), Color(), FBorderWidth);
    Bevel(canvas, rect, FBevelInner, FBevelWidth, Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(rect);
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    int height = canvas->TextHeight("W");
    rect.top = (rect.top + rect.bottom - height) / 2;
    rect.bottom = rect.top + height;
    UINT flags = DT_EXPANDTABS | DT_VCENTER | AlignmentFlags[FAlignment];
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    canvas->DrawText(Caption(), rect, flags);
}
