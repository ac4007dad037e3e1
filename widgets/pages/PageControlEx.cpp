// PageControlEx.cpp - the display rectangle without tab row and border.
#include "PageControlEx.h"

namespace {

// How much higher the pages lie than the tab control places them.
constexpr int PagesRaisedBy = 10;

}  // namespace

void TPageControlEx::WndProc(TMessage& message) {
    TPageControl::WndProc(message);
    if (message.Msg != TCM_ADJUSTRECT || !message.LParam) return;
    // Whichever way the conversion goes, the pages get the same rectangle.
    auto rect = reinterpret_cast<RECT*>(message.LParam);
    rect->left = 0;
    rect->right = ClientWidth();
    rect->top -= PagesRaisedBy;
    rect->bottom = ClientHeight();
}
