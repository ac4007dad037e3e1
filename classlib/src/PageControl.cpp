// PageControl.cpp - pages over the platform's tab control: one shown at a
// time, laid out in the display rectangle the tab control reports.
#include <classlib/ComCtrls.h>

#include <algorithm>

// --- Sheets ---------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                     csDoubleClicks};
    SetVisible(false);
    SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = nullptr;
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = nullptr;
    TWinControl::SetParent(parent);
    if (auto pages = dynamic_cast<TPageControl*>(parent)) {
        FPageControl = pages;
        pages->InsertPage(this);
    }
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (FPageControl) FPageControl->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == FTabVisible) return;
    FTabVisible = value;
    if (FPageControl) FPageControl->UpdateTabs();
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int index = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this) return index;
        index += page->FTabVisible;
    }
    return -1;
}

void TTabSheet::ShowingChanged() {
    TNotifyEvent& event = Showing() ? OnShow : OnHide;
    if (event) event(this);
}

void TTabSheet::TextChanged() {
    if (FPageControl) FPageControl->UpdateTabs();
}

// --- The page control ------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    FControlStyle = {csAcceptsControls, csDoubleClicks};
    SetTabStop(true);
    SetColor(clBtnFace);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    Destroying();
    DestroyHandle();
    // The sheets go while the page control is whole: each leaves its list.
    while (!FPages.empty()) delete FPages.back();
}

void TPageControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_TABCONTROLA);
    params.Style |= WS_CLIPCHILDREN;
    if (FStyle != tsTabs) params.Style |= TCS_BUTTONS;
    if (FStyle == tsFlatButtons) params.Style |= TCS_FLATBUTTONS;
}

void TPageControl::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateTabs();
}

void TPageControl::SetStyle(TTabStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    RecreateWnd();
}

void TPageControl::FontChanged() {
    TWinControl::FontChanged();
    Realign();
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
    if (page == FActivePage) FActivePage = nullptr;
    std::erase(FPages, page);
    if (!ComponentState().Contains(csDestroying)) UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    std::erase(FPages, page);
    index = std::clamp(index, 0, PageCount());
    FPages.insert(FPages.begin() + index, page);
    UpdateTabs();
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int value) {
    SetActivePage(value >= 0 && value < PageCount() ? FPages[value] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page == FActivePage || (page && page->PageControl() != this)) return;
    TTabSheet* previous = FActivePage;
    FActivePage = page;
    // The new page comes up before the old one goes, so nothing flickers through.
    if (page) {
        page->BringToFront();
        page->Show();
    }
    if (previous) previous->Hide();
    UpdateTabs();
}

void TPageControl::UpdateTabs() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    SendMessageA(window, TCM_DELETEALLITEMS, 0, 0);
    int tab = 0;
    for (TTabSheet* page : FPages) {
        if (!page->TabVisible()) continue;
        std::string text = page->Caption();
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageA(window, TCM_INSERTITEMA, tab++, reinterpret_cast<LPARAM>(&item));
    }
    int selected = FActivePage ? FActivePage->TabIndex() : -1;
    SendMessageA(window, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
    Realign();
}

TRect TPageControl::DisplayRect() {
    TRect rect{};
    GetClientRect(Handle(), &rect);
    Perform(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void TPageControl::AdjustClientRect(TRect& rect) {
    if (HandleAllocated()) rect = DisplayRect();
}

void TPageControl::Dispatch(TMessage& message) {
    if (message.Msg == CN_NOTIFY &&
        reinterpret_cast<const NMHDR*>(message.LParam)->code == TCN_SELCHANGE) {
        auto tab = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
        for (TTabSheet* page : std::vector(FPages)) {
            if (page->TabIndex() != tab) continue;
            SetActivePage(page);
            if (OnChange) OnChange(this);
            break;
        }
        return;
    }
    TWinControl::Dispatch(message);
}
