// KitButtonCaption.cpp - the button base's caption: placed vertically, in one
// of four text styles, greyed when disabled.
#include <widgets/buttons/KitButton.h>
#include <widgets/common/KitColors.h>
#include <widgets/common/KitDraw.h>

namespace {

constexpr UINT MeasureFlags = DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER;

TRect Moved(TRect rect, int dx, int dy) {
    OffsetRect(&rect, dx, dy);
    return rect;
}

}  // namespace

void TKitCustomButton::DrawCaptionCopy(TCanvas* canvas, const std::string& text, TRect rect, int dx,
                                       int dy, TColor color, UINT flags) {
    canvas->Font()->SetColor(color);
    TRect moved = Moved(rect, dx, dy);
    CanvasDrawText(canvas, text, moved, flags);
}

void TKitCustomButton::DrawCaption(TCanvas* canvas, TRect rect, UINT flags) {
    canvas->Brush()->SetStyle(bsClear);
    // A name change first, so that the assignment always takes effect.
    canvas->Font()->SetName("System");
    canvas->Font()->Assign(Font());
    const std::string& text = Caption();

    TRect measured = rect;
    const int height = CanvasDrawText(canvas, text, measured, MeasureFlags);
    TRect r = rect;
    switch (FAlignmentVertical) {
        case avTop:
            r.bottom = r.top + height;
            break;
        case avCenter:
            r.top = (r.top + r.bottom - height) / 2;
            r.bottom = r.top + height;
            break;
        case avBottom:
            r.top = r.bottom - height - 1;
            break;
    }
    if (UseRightToLeftAlignment()) flags |= DT_RTLREADING;

    if (Enabled()) {
        if (FTextStyle == tsRaised || FTextStyle == tsRecessed) {
            const bool raised = FTextStyle == tsRaised;
            const TColor upper = raised ? FTextHighlightColor : FTextShadowColor;
            const TColor lower = raised ? FTextShadowColor : FTextHighlightColor;
            if (!raised || !FLightTextStyle) DrawCaptionCopy(canvas, text, r, 1, 1, lower, flags);
            if (raised || !FLightTextStyle) DrawCaptionCopy(canvas, text, r, -1, -1, upper, flags);
        } else if (FTextStyle == tsShadow) {
            const int dx = (flags & DT_RIGHT) ? 0 : FTextShadowDepth;
            DrawCaptionCopy(canvas, text, r, dx, FTextShadowDepth, FTextShadowColor, flags);
        }
        canvas->Font()->SetColor(Font()->Color());
        // Right-aligned text moves left, so that a shadow lies right of it.
        if (flags & DT_RIGHT) OffsetRect(&r, -FTextShadowDepth, 0);
    } else {
        canvas->Font()->SetColor(ColorsAreClose(Color(), clGrayText) ? cl3DDkShadow : clGrayText);
    }
    CanvasDrawText(canvas, text, r, flags);
    canvas->Brush()->SetStyle(bsSolid);
}
