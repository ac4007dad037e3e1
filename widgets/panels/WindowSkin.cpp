// WindowSkin.cpp - the glyph-shaped form and dragging it.
#include "WindowSkin.h"

#include "SkinDrawing.h"

TWindowSkin::TWindowSkin(TComponent* owner)
    : TGraphicControl(owner),
      FForm(dynamic_cast<TCustomForm*>(owner)),
      FGlyph(std::make_unique<TBitmap>()) {
    if (FForm) {
        FForm->SetBorderStyle(bsNone);
        FForm->HookMessages(this, [this](TMessage& message) {
            if (message.Msg == WM_CREATE && FPendingRegion)
                SetWindowRegion(FForm->Handle(), FPendingRegion);
            return false;
        });
    }
    SetBounds(Left(), Top(), 200, 100);
}

TWindowSkin::~TWindowSkin() {
    if (FForm) FForm->UnhookMessages(this);
}

void TWindowSkin::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FForm) FForm = nullptr;
}

void TWindowSkin::SetGlyph(const TBitmap* value) {
    FGlyph->Assign(value);
    UpdateFormShape();
    Invalidate();
}

void TWindowSkin::SetTransparentColor(TColor value) {
    FTransparentColor = value;
    UpdateFormShape();
    Invalidate();
}

void TWindowSkin::UpdateFormShape() {
    if (!FForm || FGlyph->Empty()) return;
    FPendingRegion = RegionFromBitmap(FGlyph.get(), FTransparentColor);
    if (FForm->HandleAllocated()) SetWindowRegion(FForm->Handle(), FPendingRegion);
    const bool sized = FGlyph->Width() && FGlyph->Height();
    SetBounds(0, 0, sized ? FGlyph->Width() : Width(), sized ? FGlyph->Height() : Height());
    FForm->SetClientSize(Width(), Height());
    if (OnRegionChanged) OnRegionChanged(this);
}

void TWindowSkin::Paint() {
    if (FGlyph->Width() && FGlyph->Height()) {
        Canvas()->Draw(0, 0, FGlyph.get());
    } else {
        Canvas()->Brush()->SetColor(clBlack);
        Canvas()->FrameRect(ClientRect());
    }
    if (OnPaint) OnPaint(this);
}

void TWindowSkin::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (!FForm) return;
    // The platform moves the form with the mouse until the button goes up,
    // whichever button went down.
    SetCaptureControl(nullptr);
    SendMessageA(FForm->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}
