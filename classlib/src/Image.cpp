// Image.cpp - the windowless picture.
#include <classlib/ExtCtrls.h>

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

TRect TImage::DestRect() const {
    if (FStretch) return ClientRect();
    int width = FPicture->Width();
    int height = FPicture->Height();
    if (!FCenter) return Rect(0, 0, width, height);
    int left = (ClientWidth() - width) / 2;
    int top = (ClientHeight() - height) / 2;
    return Bounds(left, top, width, height);
}

void TImage::Paint() {
    TGraphic* graphic = FPicture->Graphic();
    if (graphic && !graphic->Empty()) Canvas()->StretchDraw(DestRect(), graphic);
}

void TImage::PictureChanged() {
    AdjustSize();
    TGraphic* graphic = FPicture->Graphic();
    bool opaque = false;
    if (graphic) {
        // Icons and metafiles keep their own transparency.
        graphic->SetTransparent(FTransparent);
        opaque = !graphic->Transparent() &&
                 (FStretch || (graphic->Width() >= Width() && graphic->Height() >= Height()));
    }
    if (opaque)
        FControlStyle.Include(csOpaque);
    else
        FControlStyle.Exclude(csOpaque);
    Invalidate();
}

void TImage::AdjustSize() {
    if (!AutoSize() || FPicture->Width() <= 0 || FPicture->Height() <= 0) return;
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
}

void TImage::SetStretch(bool value) {
    if (value == FStretch) return;
    FStretch = value;
    PictureChanged();
}

void TImage::SetCenter(bool value) {
    if (value == FCenter) return;
    FCenter = value;
    PictureChanged();
}

void TImage::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    PictureChanged();
}
