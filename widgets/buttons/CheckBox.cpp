// CheckBox.cpp - the check box's state and how the mouse, Space and the
// accelerator change it.
#include <widgets/buttons/CheckBox.h>

TKitCustomCheckBox::TKitCustomCheckBox(TComponent* owner) : TKitCustomGlyphButton(owner) {
    SetAlignmentVertical(avTop);
    SetGlyphCount(9);
}

void TKitCustomCheckBox::SetState(TCheckBoxState value) {
    if (FState == value) return;
    FState = value;
    RepaintButton();
    if (!FClicksSuppressed) Click();
}

void TKitCustomCheckBox::ChangeState() {
    if (FMouseAction && ReadOnly()) return;
    switch (FState) {
        case cbUnchecked:
            SetState(FAllowGrayed ? cbGrayed : cbChecked);
            break;
        case cbChecked:
            SetState(cbUnchecked);
            break;
        case cbGrayed:
            SetState(cbChecked);
            break;
    }
}

void TKitCustomCheckBox::KeyDown(WORD& key, TShiftState shift) {
    TKitCustomGlyphButton::KeyDown(key, shift);
    if (ReadOnly() || (key != VK_SPACE && key != VK_ESCAPE)) return;
    // Space arms the toggle for its release; Escape disarms it.
    FSpaceArmed = key == VK_SPACE;
    FShowPressed = FSpaceArmed;
    RepaintButton();
}

void TKitCustomCheckBox::KeyUp(WORD& key, TShiftState shift) {
    TKitCustomGlyphButton::KeyUp(key, shift);
    if (ReadOnly() || key != VK_SPACE) return;
    FShowPressed = false;
    if (FSpaceArmed) ChangeState();
    RepaintButton();
}

bool TKitCustomCheckBox::DialogChar(char key, TShiftState shift) {
    if (!IsAccel(key, Caption()) || !CanFocus())
        return TKitCustomGlyphButton::DialogChar(key, shift);
    ::SetFocus(Handle());
    if (Focused() && !ReadOnly()) {
        ChangeState();
        RepaintButton();
    }
    return true;
}

void TKitCustomCheckBox::WMKillFocus(TMessage& message) {
    TKitCustomGlyphButton::WMKillFocus(message);
    FShowPressed = false;
    RepaintButton();
}

void TKitCustomCheckBox::Dispatch(TMessage& message) {
    if (message.Msg != BM_GETCHECK) return TKitCustomGlyphButton::Dispatch(message);
    // cbUnchecked, cbChecked, cbGrayed are BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE.
    message.Result = FState;
}
