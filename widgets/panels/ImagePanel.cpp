// ImagePanel.cpp - painting the picture panel through one buffered paint.
#include "ImagePanel.h"

#include <classlib/SysUtils.h>

#include "SkinDrawing.h"

namespace {

const UINT AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

}  // namespace

TCustomImagePanel::TCustomImagePanel(TComponent* owner)
    : TCustomPanel(owner), FPicture(std::make_unique<TPicture>()) {
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    Invalidate();
}

TCustomImagePanel::~TCustomImagePanel() { FPicture->OnChange = nullptr; }

bool TCustomImagePanel::HasGraphic() const {
    return FPicture->Graphic() && !FPicture->Graphic()->Empty();
}

void TCustomImagePanel::SetTransparent(bool value) {
    if (ChangeAndInvalidate(FTransparent, value) && HasGraphic()) SyncPictureTransparency();
}

void TCustomImagePanel::FillBackground() {
    Canvas()->Brush()->SetColor(Color());
    if (ParentWindow()) Canvas()->FillRect(ClientRect());
}

void TCustomImagePanel::CaptionChanged(const TRect&) {}

void TCustomImagePanel::PictureChanged() {
    if (HasGraphic()) {
        ApplyAutoSize();
        SyncPictureTransparency();
    }
    FillBackground();
    Invalidate();
}

void TCustomImagePanel::ApplyAutoSize() {
    if (!AutoSize()) return;
    const TAlign align = Align();
    if (align != alTop && align != alBottom && align != alClient) SetWidth(FPicture->Width());
    if (align != alLeft && align != alRight && align != alClient) SetHeight(FPicture->Height());
}

void TCustomImagePanel::SyncPictureTransparency() {
    TGraphic* graphic = FPicture->Graphic();
    if (graphic->Transparent() != FTransparent) graphic->SetTransparent(FTransparent);
}

void TCustomImagePanel::Resize() {
    TCustomPanel::Resize();
    Invalidate();
}

void TCustomImagePanel::TextChanged() {
    CaptionChanged(FCaptionArea);
    Invalidate();
}

void TCustomImagePanel::WMEraseBkgnd(TMessage& message) { message.Result = 1; }

// Only the part of the panel being painted goes through the buffer, at its
// place in the panel: a label that changes on the panel costs the label's
// area, not the whole picture.
TRect TCustomImagePanel::PaintedArea() {
    TRect area = Rect(0, 0, Width(), Height());
    TRect clip{};
    if (GetClipBox(Canvas()->Handle(), &clip) != ERROR) IntersectRect(&area, &area, &clip);
    return area;
}

void TCustomImagePanel::Paint() {
    const TRect painted = PaintedArea();
    if (painted.right <= painted.left || painted.bottom <= painted.top) return;
    TBufferedPaint buffer(Canvas(), painted);
    TCanvas* canvas = buffer.Canvas();
    const TRect client = ClientRect();
    if (FTransparent) {
        PaintParentBackground(canvas, this);
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }
    if (HasGraphic()) {
        TGraphic* graphic = FPicture->Graphic();
        if (FDrawStyle == idsStretch)
            canvas->StretchDraw(client, graphic);
        else if (FDrawStyle == idsTile)
            TilePicture(canvas, graphic, client);
        else
            canvas->Draw(0, 0, graphic);
    }
    canvas->Brush()->SetStyle(bsClear);
    if (!Trim(Caption()).empty()) {
        canvas->SetFont(Font());
        TRect area = client;
        canvas->DrawText(Caption(), area,
                         DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | AlignmentFlags[Alignment()]);
        FCaptionArea = client;
    }
}

void TImagePanel::SetPicture(const TPicture* value) {
    FPicture->Assign(value);
    FillBackground();
    Invalidate();
}

void TImagePanel::SetAutoSize(bool value) {
    TCustomImagePanel::SetAutoSize(value);
    if (HasGraphic()) ApplyAutoSize();
}

void TImagePanel::SetDrawStyle(TImageDrawStyle value) {
    if (ChangeAndInvalidate(FDrawStyle, value)) FillBackground();
}
