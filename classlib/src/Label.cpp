// Label.cpp - the windowless caption.
#include <classlib/StdCtrls.h>

namespace {

const UINT AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

}  // namespace

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle.Include(csOpaque);
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS | AlignmentFlags[FAlignment];
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    return flags;
}

void TCustomLabel::DoDrawText(TCanvas* canvas, TRect& rect, UINT flags) {
    std::string text = Caption();
    // An empty line still has the height of one.
    if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
    canvas->SetFont(Font());
    if (Enabled() || (flags & DT_CALCRECT)) {
        canvas->DrawText(text, rect, flags);
        return;
    }
    OffsetRect(&rect, 1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->DrawText(text, rect, flags);
    OffsetRect(&rect, -1, -1);
    canvas->Font()->SetColor(clBtnShadow);
    canvas->DrawText(text, rect, flags);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    if (!Transparent()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(rect);
    }
    canvas->Brush()->SetStyle(bsClear);
    if (FLayout != tlTop) {
        TRect measured = rect;
        DoDrawText(canvas, measured, TextFlags() | DT_CALCRECT);
        int height = measured.bottom - measured.top;
        int offset = rect.bottom - rect.top - height;
        rect.top += FLayout == tlBottom ? offset : offset / 2;
        rect.bottom = rect.top + height;
    }
    DoDrawText(canvas, rect, TextFlags());
}

void TCustomLabel::AdjustSize() {
    if (!AutoSize() || ComponentState().Contains(csLoading)) return;
    TWindowCanvas screen;
    TRect rect = ClientRect();
    DoDrawText(&screen, rect, (TextFlags() & ~(DT_RIGHT | DT_CENTER)) | DT_CALCRECT);
    int width = rect.right - rect.left;
    int left = Left();
    if (FAlignment == taRightJustify) left += Width() - width;
    SetBounds(left, Top(), width, rect.bottom - rect.top);
}

void TCustomLabel::SetAlignment(TAlignment value) { ChangeAndInvalidate(FAlignment, value); }

void TCustomLabel::SetLayout(TTextLayout value) { ChangeAndInvalidate(FLayout, value); }

void TCustomLabel::SetWordWrap(bool value) {
    if (ChangeAndInvalidate(FWordWrap, value)) AdjustSize();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == Transparent()) return;
    if (value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (ChangeAndInvalidate(FShowAccelChar, value)) AdjustSize();
}

void TCustomLabel::TextChanged() {
    Invalidate();
    AdjustSize();
}

void TCustomLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustSize();
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustSize();
}
