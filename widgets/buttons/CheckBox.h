// CheckBox.h - the kit's three-state check box.
//
//   TKitCustomCheckBox   State, Checked, AllowGrayed; the check glyph drawn
//                        from custom glyphs, the platform's theme, the kit's
//                        hot-track square or the classic frame control;
//                        toggled by mouse, Space and its accelerator
//   TKitCheckBox         the check box the program's windows place
//
// Every change of State fires OnClick once, whether the user or the
// program's own code made it (writing Checked or State); a change made
// through a linked action is silent.
#pragma once

#include <widgets/buttons/GlyphButton.h>

class TKitCustomCheckBox : public TKitCustomGlyphButton {
public:
    explicit TKitCustomCheckBox(TComponent* owner);

    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }
    TCheckBoxState State() const { return FState; }
    virtual void SetState(TCheckBoxState value);
    bool Checked() const override { return FState == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }

protected:
    // Unchecked, (grayed,) checked, unchecked; a mouse click on a read-only box does nothing.
    void ChangeState() override;
    void BuildGlyph(TBitmap* bitmap) override;

    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    bool DialogChar(char key, TShiftState shift) override;
    void WMKillFocus(TMessage& message) override;
    void Dispatch(TMessage& message) override;

private:
    void BuildCustomGlyph(TBitmap* bitmap);
    void BuildThemedGlyph(TBitmap* bitmap);
    void BuildHotTrackGlyph(TBitmap* bitmap);
    void BuildClassicGlyph(TBitmap* bitmap);

    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
    bool FSpaceArmed = false;
};

class TKitCheckBox : public TKitCustomCheckBox {
public:
    using TKitCustomCheckBox::TKitCustomCheckBox;
};
