// Align.cpp - laying out a windowed control's children: aligned ones fill
// the edges in turn, anchored ones follow the edges they are tied to, and an
// AutoSize container takes the size of what it holds.
#include <classlib/Controls.h>

#include <algorithm>

void TWinControl::EnableAlign() {
    if (FAlignDisabled > 0 && --FAlignDisabled == 0) Realign();
}

void TWinControl::Realign() {
    TComponentState state = ComponentState();
    if (FAlignDisabled > 0 || FAligning > 0 || state.Contains(csLoading) ||
        state.Contains(csDestroying))
        return;
    if (ControlCount() == 0) return AdjustSize();
    ++FAligning;
    try {
        TRect rect = ClientRect();
        AdjustClientRect(rect);
        AlignControls(rect);
    } catch (...) {
        --FAligning;
        throw;
    }
    --FAligning;
    AdjustSize();
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TRect& rect) {
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) AlignChildren(align, rect);
    AnchorChildren();
}

void TWinControl::AlignChildren(TAlign align, TRect& rect) {
    std::vector<TControl*> list;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Align() == align && control->Visible()) list.push_back(control);
    }
    // Nearest to the edge first, as the controls stand now.
    auto key = [align](const TControl* control) {
        switch (align) {
            case alTop:
                return control->Top();
            case alBottom:
                return -(control->Top() + control->Height());
            case alLeft:
                return control->Left();
            case alRight:
                return -(control->Left() + control->Width());
            default:
                return 0;
        }
    };
    std::stable_sort(list.begin(), list.end(),
                     [&](const TControl* a, const TControl* b) { return key(a) < key(b); });
    for (TControl* control : list) {
        int width = rect.right - rect.left;
        int height = rect.bottom - rect.top;
        switch (align) {
            case alTop:
                control->PlaceBounds(rect.left, rect.top, width, control->Height());
                rect.top = std::min(rect.bottom, rect.top + control->Height());
                break;
            case alBottom:
                control->PlaceBounds(rect.left, rect.bottom - control->Height(), width,
                                     control->Height());
                rect.bottom = std::max(rect.top, rect.bottom - control->Height());
                break;
            case alLeft:
                control->PlaceBounds(rect.left, rect.top, control->Width(), height);
                rect.left = std::min(rect.right, rect.left + control->Width());
                break;
            case alRight:
                control->PlaceBounds(rect.right - control->Width(), rect.top, control->Width(),
                                     height);
                rect.right = std::max(rect.left, rect.right - control->Width());
                break;
            default:
                control->PlaceBounds(rect.left, rect.top, width, height);
                break;
        }
    }
}

void TWinControl::AnchorChildren() {
    TRect client = ClientRect();
    TSize size{client.right - client.left, client.bottom - client.top};
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Align() != alNone || control->Anchors() == TAnchors{akLeft, akTop}) continue;
        TRect bounds = control->AnchoredBounds(size);
        control->PlaceBounds(bounds.left, bounds.top, bounds.right - bounds.left,
                             bounds.bottom - bounds.top);
    }
}

// An AutoSize container's client area reaches to the right and bottom edges
// of its visible unaligned children.
void TWinControl::AdjustSize() {
    if (!AutoSize() || ComponentState().Contains(csLoading)) return;
    int right = 0;
    int bottom = 0;
    bool any = false;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (!control->Visible() || control->Align() != alNone) continue;
        right = std::max(right, control->Left() + control->Width());
        bottom = std::max(bottom, control->Top() + control->Height());
        any = true;
    }
    if (any) SetClientSize(right, bottom);
}
