// PicButton.cpp - the state pictures of the picture button.
#include "PicButton.h"

namespace {

bool HoldsGraphic(const TPicture* picture) {
    return picture->Graphic() && !picture->Graphic()->Empty();
}

}  // namespace

TPicButton::TPicButton(TComponent* owner)
    : TCustomPicButton(owner),
      FPicNormal(std::make_unique<TPicture>()),
      FPicMouseHover(std::make_unique<TPicture>()),
      FPicMouseDown(std::make_unique<TPicture>()),
      FPicDisabled(std::make_unique<TPicture>()) {
    // A picture loaded straight into one of them (as the skin loader does)
    // shows at once.
    for (TPicture* picture :
         {FPicNormal.get(), FPicMouseHover.get(), FPicMouseDown.get(), FPicDisabled.get()})
        picture->OnChange = [this](TObject*) { Invalidate(); };
}

TPicButton::~TPicButton() {
    for (TPicture* picture :
         {FPicNormal.get(), FPicMouseHover.get(), FPicMouseDown.get(), FPicDisabled.get()})
        picture->OnChange = nullptr;
}

bool TPicButton::GetStatePicture(TPicture* holder) {
    TPicture* chosen = nullptr;
    if (!Enabled())
        chosen = FPicDisabled.get();
    else if (Pressed())
        chosen = FPicMouseDown.get();
    else if (MouseOver())
        chosen = FPicMouseHover.get();
    if (!chosen || !HoldsGraphic(chosen)) chosen = FPicNormal.get();
    if (!HoldsGraphic(chosen)) return false;
    holder->Assign(chosen);
    return true;
}
