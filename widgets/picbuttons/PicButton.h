// PicButton.h - the picture button: one picture for each state.
//
//   TPicButton  PicNormal, PicMouseHover, PicMouseDown, PicDisabled over
//               TCustomPicButton
//
// A state without a picture of its own shows PicNormal; without PicNormal
// either, only the background, border, focus rectangle and caption are drawn.
#pragma once

#include <classlib/Pictures.h>

#include <memory>

#include "CustomPicButton.h"

class TPicButton : public TCustomPicButton {
public:
    explicit TPicButton(TComponent* owner);
    ~TPicButton() override;

    // The button's own pictures; the setters copy the given picture. Any
    // change of one repaints the button.
    TPicture* PicNormal() const { return FPicNormal.get(); }
    void SetPicNormal(const TPicture* value) { FPicNormal->Assign(value); }
    TPicture* PicMouseHover() const { return FPicMouseHover.get(); }
    void SetPicMouseHover(const TPicture* value) { FPicMouseHover->Assign(value); }
    TPicture* PicMouseDown() const { return FPicMouseDown.get(); }
    void SetPicMouseDown(const TPicture* value) { FPicMouseDown->Assign(value); }
    TPicture* PicDisabled() const { return FPicDisabled.get(); }
    void SetPicDisabled(const TPicture* value) { FPicDisabled->Assign(value); }

protected:
    // The state's picture, else PicNormal.
    bool GetStatePicture(TPicture* holder) override;

private:
    std::unique_ptr<TPicture> FPicNormal;
    std::unique_ptr<TPicture> FPicMouseHover;
    std::unique_ptr<TPicture> FPicMouseDown;
    std::unique_ptr<TPicture> FPicDisabled;
};
