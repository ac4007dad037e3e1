// PageControlEx.h - the page control of the main window, whose pages take
// nearly all of its area.
//
//   TPageControlEx  a TPageControl that corrects the display rectangle the
//                   platform's tab control reports
//
// The program chooses pages by index and hides every tab, so the pages need
// no room for a tab row or a border: each sheet lies flush with the left,
// right and bottom edges of the client area, and 10 pixels above the top
// the tab control would give it (with tabs hidden, its top rows then lie
// above the client area and are clipped).
#pragma once

#include <classlib/ComCtrls.h>

class TPageControlEx : public TPageControl {
public:
    using TPageControl::TPageControl;

    void WndProc(TMessage& message) override;
};
