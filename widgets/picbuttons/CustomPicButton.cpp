// CustomPicButton.cpp - painting the picture button in its states, the
// repeated press, and the keyboard's default and cancel buttons.
#include "CustomPicButton.h"

#include <classlib/ComCtrls.h>
#include <classlib/StdCtrls.h>
#include <classlib/SysUtils.h>
#include <widgets/common/KitGdi.h>
#include <widgets/panels/SkinDrawing.h>

#include <algorithm>

namespace {

// The nine positions of both alignments in rows of three from the top left;
// the centre, left and right values after them are the middle row's.
int GridCell(int ordinal) {
    static const int cells[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 4, 3, 5};
    return cells[ordinal];
}

const UINT ColumnFlags[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
const UINT RowFlags[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};

}  // namespace

TCustomPicButton::TCustomPicButton(TComponent* owner)
    : TCustomControl(owner),
      FFontMouseHover(std::make_unique<TFont>()),
      FFontMouseDown(std::make_unique<TFont>()),
      FFontDisabled(std::make_unique<TFont>()) {
    for (TFont* font : {FFontMouseHover.get(), FFontMouseDown.get(), FFontDisabled.get()})
        font->Assign(Font());
    // No children, and a second press is a second click.
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csDoubleClicks});
    SetAutoSize(false);
    SetCaption("");
}

TCustomPicButton::~TCustomPicButton() = default;

void TCustomPicButton::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    TCustomForm* form = GetParentForm(this);
    if (HandleAllocated() && form) form->NotifyFocusChanged();
}

// --- Painting -------------------------------------------------------------------------

void TCustomPicButton::Paint() {
    const TRect client = ClientRect();
    if (client.right <= 0 || client.bottom <= 0) return;
    TBufferedPaint buffer(Canvas(), client);
    TCanvas* canvas = buffer.Canvas();
    PaintBackground(canvas);
    PaintPictureLayer(canvas);
    if (FDrawBorder) PaintBorder(canvas);
    if (FDrawFocused && Focused() && TabStop()) PaintFocusRect(canvas);
    if (!Trim(Caption()).empty()) PaintCaption(canvas, Caption());
}

void TCustomPicButton::PaintBackground(TCanvas* canvas) {
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
        return;
    }
    // On a page, the page control's face shows, as the page itself shows it.
    if (auto sheet = dynamic_cast<TTabSheet*>(Parent()))
        return PaintParentBackground(canvas, sheet->Parent(),
                                     Point(sheet->Left() + Left(), sheet->Top() + Top()));
    PaintParentBackground(canvas, this);
}

void TCustomPicButton::PaintPictureLayer(TCanvas* canvas) {
    TPicture holder;
    if (!GetStatePicture(&holder)) return;
    const TRect client = ClientRect();
    // A picture that cannot be drawn leaves the background as it is.
    try {
        TBitmap layer;
        layer.SetSize(client.right, client.bottom);
        layer.Canvas()->CopyRect(client, canvas, client);
        PaintPicture(layer.Canvas(), &holder);
        if (FEnableTransparentColor) {
            TransparentBlt(canvas->Handle(), 0, 0, client.right, client.bottom,
                           layer.Canvas()->Handle(), 0, 0, client.right, client.bottom,
                           PlainRgb(FTransparentColor));
            CanvasChanged(canvas);
        } else {
            canvas->CopyRect(client, layer.Canvas(), client);
        }
    } catch (const std::exception&) {
    }
}

void TCustomPicButton::PaintPicture(TCanvas* canvas, TPicture* picture) {
    TGraphic* graphic = picture ? picture->Graphic() : nullptr;
    if (!graphic || graphic->Width() == 0 || graphic->Height() == 0) return;
    const int width = Width();
    const int height = Height();
    int x = FPictureX;
    int y = FPictureY;
    if (FPictureAlign != paCustom) {
        const int cell = GridCell(FPictureAlign);
        const int column[] = {0, (width - graphic->Width()) / 2, width - graphic->Width()};
        const int row[] = {0, (height - graphic->Height()) / 2, height - graphic->Height()};
        x = column[cell % 3];
        y = row[cell / 3];
    }
    if (FStretch)
        canvas->StretchDraw(Rect(x, y, width, height), graphic);
    else
        canvas->Draw(x, y, graphic);
}

void TCustomPicButton::PaintCaption(TCanvas* canvas, const std::string& caption) {
    canvas->Brush()->SetStyle(bsClear);
    TRect rect = ClientRect();
    UINT flags = FMultiLines ? DT_WORDBREAK | DT_EXPANDTABS | DT_EDITCONTROL
                             : DT_WORDBREAK | DT_SINGLELINE | DT_EXPANDTABS;
    const bool custom = FTextAlign == TPicTextAlign::taCustom;
    if (custom) {
        rect = Rect(FTextX, FTextY, ClientWidth(), ClientHeight());
    } else {
        const int cell = GridCell(static_cast<int>(FTextAlign));
        flags |= ColumnFlags[cell % 3] | RowFlags[cell / 3];
    }
    const TFont* font = Font();
    if (!Enabled()) {
        font = FFontDisabled.get();
    } else if (FPressed) {
        font = FFontMouseDown.get();
        if (!custom) OffsetRect(&rect, 1, 1);
    } else if (FMouseOver) {
        font = FFontMouseHover.get();
    }
    canvas->SetFont(font);
    canvas->DrawText(caption, rect, flags);
}

void TCustomPicButton::PaintFocusRect(TCanvas* canvas) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->DrawFocusRect(ShrinkRect(ClientRect(), FFocusedRectMargin));
}

void TCustomPicButton::PaintBorder(TCanvas* canvas) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Enabled() ? clBlack : clGray);
    canvas->FrameRect(ClientRect());
}

bool TCustomPicButton::GetStatePicture(TPicture*) { return false; }

void TCustomPicButton::WMEraseBkgnd(TMessage& message) { message.Result = 1; }

// --- Mouse ------------------------------------------------------------------------------

void TCustomPicButton::StopRepeating() { FRepeatTimer.reset(); }

void TCustomPicButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        FPressed = true;
        if (!FRepeatTimer) {
            FRepeatTimer = std::make_unique<TSimpleTimer>(
                static_cast<uint32_t>(std::max(FRepeatInterval, 0)), [this](TObject*) {
                    if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(this);
                });
            FRepeatTimer->SetEnabled(true);
        }
        if (TabStop() && CanFocus()) {
            try {
                SetFocus();
            } catch (const std::exception&) {
            }
        }
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomPicButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    // A release away from the button ends the repeated event too.
    if (button == mbLeft) StopRepeating();
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomPicButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (x >= 0 && x <= Width() && y >= 0 && y <= Height()) return;
    FMouseOver = false;
    FPressed = false;
    Invalidate();
}

void TCustomPicButton::MouseEnter() {
    FMouseOver = true;
    Invalidate();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TCustomPicButton::MouseLeave() {
    FMouseOver = false;
    FPressed = false;
    StopRepeating();
    Invalidate();
    if (OnMouseExit) OnMouseExit(this);
}

void TCustomPicButton::Click() {
    if (FPressed) {
        StopRepeating();
        FPressed = false;
        Invalidate();
    }
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TCustomControl::Click();
}

// --- Keys and focus -------------------------------------------------------------------------

void TCustomPicButton::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if ((key != VK_SPACE && key != VK_RETURN) || !Focused() || !Enabled()) return;
    FPressed = true;
    Invalidate();
}

void TCustomPicButton::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if ((key != VK_SPACE && key != VK_RETURN) || !Focused() || !FPressed || !Enabled()) return;
    FPressed = false;
    Invalidate();
    Click();
}

bool TCustomPicButton::DialogChar(char key, TShiftState shift) {
    if (TCustomControl::DialogChar(key, shift)) return true;
    if (!IsAccel(key, Caption()) || !Enabled()) return false;
    Click();
    return true;
}

bool TCustomPicButton::DialogKey(WORD key, TShiftState shift) {
    const bool mine = (key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel);
    const bool plain = (shift * TShiftState{ssShift, ssCtrl, ssAlt}).Empty();
    if (!mine || !plain || !CanFocus()) return TCustomControl::DialogKey(key, shift);
    Click();
    return true;
}

void TCustomPicButton::FocusChanged(TWinControl* focused) {
    TCustomControl::FocusChanged(focused);
    // A focused standard push button takes Enter for itself.
    FActive = dynamic_cast<TButton*>(focused) ? focused == this : FDefault;
    Invalidate();
}

void TCustomPicButton::CreateWnd() {
    TCustomControl::CreateWnd();
    FActive = FDefault;
}

void TCustomPicButton::WMSetFocus(TMessage& message) {
    TCustomControl::WMSetFocus(message);
    Invalidate();
}

void TCustomPicButton::WMKillFocus(TMessage& message) {
    TCustomControl::WMKillFocus(message);
    Invalidate();
}

// --- Changes ------------------------------------------------------------------------------

void TCustomPicButton::EnabledChanged() {
    TCustomControl::EnabledChanged();
    Invalidate();
}

void TCustomPicButton::FontChanged() {
    TCustomControl::FontChanged();
    Canvas()->SetFont(Font());
    Invalidate();
}

void TCustomPicButton::TextChanged() { Invalidate(); }
