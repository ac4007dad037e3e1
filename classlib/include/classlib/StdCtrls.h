// StdCtrls.h - labels and push buttons.
//
//   TCustomLabel, TLabel  a windowless caption: Alignment, Layout, AutoSize,
//                         WordWrap, Transparent, ShowAccelChar
//   TButton               the platform's push button: Default, Cancel, ModalResult
//   TCheckBoxState        the three states of a check box
#pragma once

#include <classlib/Controls.h>
#include <classlib/Forms.h>

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// Draws its caption in its font; disabled, embossed in clBtnHighlight and
// clBtnShadow. Not transparent, it fills its area with Color first. With
// AutoSize (the default) it takes the size of its text (wrapped at its
// width with WordWrap), keeping its right edge when right-aligned.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool value);
    // "&" marks the next character as the accelerator (underlined).
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);

protected:
    void Paint() override;
    void AdjustSize() override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;
    // Draws (or with DT_CALCRECT measures) the caption on the canvas.
    virtual void DoDrawText(TCanvas* canvas, TRect& rect, UINT flags);

private:
    UINT TextFlags() const;

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

// The form's default button answers Enter (while the focused control is no
// other push button), the cancel button Escape; a click first sets the
// form's ModalResult to the button's. Clicks come from the platform's
// BN_CLICKED, keyboard and accelerator.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    // Whether Enter clicks it now.
    bool Active() const { return FActive; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    bool DialogKey(WORD key, TShiftState shift) override;
    bool DialogChar(char key, TShiftState shift) override;
    void FocusChanged(TWinControl* focused) override;

private:
    void SetActive(bool value);

    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    TModalResult FModalResult = mrNone;
};
