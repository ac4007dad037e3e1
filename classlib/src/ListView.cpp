// ListView.cpp - the list view: columns and items on the objects, shown by
// the platform's list view, selection changes told back.
#include <classlib/ComCtrls.h>

#include <algorithm>

namespace {

int IndexIn(const auto& list, const void* item) {
    auto found = std::find_if(list.begin(), list.end(),
                              [item](const auto& entry) { return entry.get() == item; });
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

}  // namespace

// --- Columns ---------------------------------------------------------------------

TListColumn* TListColumns::Add() {
    FItems.push_back(std::unique_ptr<TListColumn>(new TListColumn(FOwner)));
    if (FOwner->HandleAllocated()) FOwner->InsertColumnWindow(Count() - 1);
    return FItems.back().get();
}

int TListColumn::Index() const { return IndexIn(FOwner->Columns()->FItems, this); }

void TListColumn::SetCaption(const std::string& value) {
    FCaption = value;
    Update();
}

void TListColumn::SetWidth(int value) {
    FWidth = value;
    Update();
}

void TListColumn::SetAlignment(TAlignment value) {
    FAlignment = value;
    Update();
}

void TListColumn::Update() {
    if (!FOwner->HandleAllocated()) return;
    SendMessageA(FOwner->Handle(), LVM_DELETECOLUMN, Index(), 0);
    FOwner->InsertColumnWindow(Index());
}

void TListView::InsertColumnWindow(int index) {
    static const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
    TListColumn* column = FColumns->Items(index);
    std::string text = column->Caption();
    LVCOLUMNA data{};
    data.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    data.fmt = formats[column->Alignment()];
    data.cx = column->Width();
    data.pszText = text.data();
    data.iSubItem = index;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&data));
}

// --- Items ---------------------------------------------------------------------------

TListItem* TListItems::Add() {
    FItems.push_back(std::unique_ptr<TListItem>(new TListItem(FOwner)));
    if (FOwner->HandleAllocated()) FOwner->InsertItemWindow(Count() - 1);
    return FItems.back().get();
}

int TListItems::IndexOf(const TListItem* item) const { return IndexIn(FItems, item); }

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    if (FOwner->HandleAllocated()) SendMessageA(FOwner->Handle(), LVM_DELETEITEM, index, 0);
    FItems.erase(FItems.begin() + index);
}

void TListItems::Clear() {
    if (FOwner->HandleAllocated()) SendMessageA(FOwner->Handle(), LVM_DELETEALLITEMS, 0, 0);
    FItems.clear();
}

void TListItems::BeginUpdate() {
    if (FUpdateCount++ == 0 && FOwner->HandleAllocated())
        SendMessageA(FOwner->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0 || !FOwner->HandleAllocated()) return;
    SendMessageA(FOwner->Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FOwner->Handle(), nullptr, TRUE);
}

int TListItem::Index() const { return FOwner->Items()->IndexOf(this); }

void TListItem::Delete() { FOwner->Items()->Delete(Index()); }

void TListItem::SetCaption(const std::string& value) {
    FCaption = value;
    if (!FOwner->HandleAllocated()) return;
    std::string text = value;
    LVITEMA data{};
    data.iSubItem = 0;
    data.pszText = text.data();
    SendMessageA(FOwner->Handle(), LVM_SETITEMTEXTA, Index(), reinterpret_cast<LPARAM>(&data));
}

void TListItem::SetImageIndex(int value) {
    FImageIndex = value;
    if (!FOwner->HandleAllocated()) return;
    LVITEMA data{};
    data.mask = LVIF_IMAGE;
    data.iItem = Index();
    data.iImage = value;
    SendMessageA(FOwner->Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data));
}

bool TListItem::State(UINT mask) const {
    if (!FOwner->HandleAllocated()) return (FState & mask) != 0;
    return (SendMessageA(FOwner->Handle(), LVM_GETITEMSTATE, Index(), mask) & mask) != 0;
}

void TListItem::SetState(UINT mask, bool value) {
    FState = value ? FState | mask : FState & ~mask;
    if (!FOwner->HandleAllocated()) return;
    LVITEMA data{};
    data.stateMask = mask;
    data.state = value ? mask : 0;
    SendMessageA(FOwner->Handle(), LVM_SETITEMSTATE, Index(), reinterpret_cast<LPARAM>(&data));
}

void TListItem::MakeVisible(bool partialOK) {
    if (FOwner->HandleAllocated())
        SendMessageA(FOwner->Handle(), LVM_ENSUREVISIBLE, Index(), partialOK);
}

void TListView::InsertItemWindow(int index) {
    TListItem* item = FItems->Item(index);
    std::string text = item->FCaption;
    LVITEMA data{};
    data.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    data.iItem = index;
    data.pszText = text.data();
    data.iImage = item->FImageIndex;
    data.lParam = reinterpret_cast<LPARAM>(item);
    data.state = item->FState;
    data.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&data));
}

// --- The list view ---------------------------------------------------------------------

TListView::TListView(TComponent* owner)
    : TWinControl(owner),
      FColumns(std::make_unique<TListColumns>(this)),
      FItems(std::make_unique<TListItems>(this)),
      FImageChangeLink(std::make_unique<TChangeLink>()) {
    // The platform's list view tracks its own presses and tells of clicks.
    FControlStyle = {csDoubleClicks};
    FImageChangeLink->OnChange = [this](TObject*) { UpdateImages(); };
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 250, 150);
}

TListView::~TListView() {
    Destroying();
    SetSmallImages(nullptr);
    DestroyHandle();
}

void TListView::CreateParams(TCreateParams& params) {
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_LISTVIEWA);
    params.Style |= views[FViewStyle] | LVS_SHAREIMAGELISTS;
    if (!FMultiSelect) params.Style |= LVS_SINGLESEL;
    if (!FReadOnly) params.Style |= LVS_EDITLABELS;
    if (!FHideSelection) params.Style |= LVS_SHOWSELALWAYS;
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
    TWinControl::CreateWnd();
    SetRowSelect(FRowSelect);
    UpdateImages();
    UpdateColors();
    for (int i = 0; i < FColumns->Count(); ++i) InsertColumnWindow(i);
    for (int i = 0; i < FItems->Count(); ++i) InsertItemWindow(i);
}

void TListView::DestroyWnd() {
    // Selection and focus live in the window: the items keep them meanwhile.
    for (int i = 0; i < FItems->Count(); ++i) {
        TListItem* item = FItems->Item(i);
        item->FState = static_cast<UINT>(
            SendMessageA(Handle(), LVM_GETITEMSTATE, i, LVIS_SELECTED | LVIS_FOCUSED));
    }
    TWinControl::DestroyWnd();
}

void TListView::SetRowSelect(bool value) {
    FRowSelect = value;
    if (HandleAllocated())
        SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     value ? LVS_EX_FULLROWSELECT : 0);
}

void TListView::SetSmallImages(TImageList* value) {
    if (value == FSmallImages) return;
    if (FSmallImages) {
        FSmallImages->UnRegisterChanges(FImageChangeLink.get());
        FSmallImages->RemoveFreeNotification(this);
    }
    FSmallImages = value;
    if (value) {
        value->RegisterChanges(FImageChangeLink.get());
        value->FreeNotification(this);
    }
    UpdateImages();
}

void TListView::UpdateImages() {
    if (!HandleAllocated()) return;
    HIMAGELIST list = FSmallImages ? FSmallImages->Handle() : nullptr;
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(list));
    Invalidate();
}

void TListView::UpdateColors() {
    if (!HandleAllocated()) return;
    COLORREF back = ColorToRGB(Color());
    SendMessageA(Handle(), LVM_SETBKCOLOR, 0, back);
    SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, back);
    SendMessageA(Handle(), LVM_SETTEXTCOLOR, 0, ColorToRGB(Font()->Color()));
}

void TListView::ColorChanged() {
    TWinControl::ColorChanged();
    UpdateColors();
}

void TListView::FontChanged() {
    TWinControl::FontChanged();
    UpdateColors();
}

void TListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FSmallImages) {
        FSmallImages = nullptr;
        UpdateImages();
    }
}

TListItem* TListView::Selected() const {
    if (HandleAllocated()) {
        auto index = static_cast<int>(
            SendMessageA(WindowHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        return index >= 0 && index < FItems->Count() ? FItems->Item(index) : nullptr;
    }
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Item(i)->Selected()) return FItems->Item(i);
    return nullptr;
}

int TListView::SelCount() const {
    int count = 0;
    for (int i = 0; i < FItems->Count(); ++i) count += FItems->Item(i)->Selected();
    return count;
}

TListItem* TListView::ItemFocused() const {
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Item(i)->Focused()) return FItems->Item(i);
    return nullptr;
}

void TListView::Dispatch(TMessage& message) {
    if (message.Msg == CN_NOTIFY) Notify(reinterpret_cast<const NMHDR*>(message.LParam));
    TWinControl::Dispatch(message);
}

void TListView::Notify(const NMHDR* header) {
    if (ComponentState().Contains(csDestroying)) return;
    if (header->code == NM_CLICK) return Click();
    if (header->code == NM_DBLCLK) return DblClick();
    if (header->code != LVN_ITEMCHANGED || !OnSelectItem) return;
    auto change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!(change->uChanged & LVIF_STATE) ||
        !((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
        return;
    TListItem* item = change->iItem >= 0 && change->iItem < FItems->Count()
                          ? FItems->Item(change->iItem)
                          : nullptr;
    OnSelectItem(this, item, (change->uNewState & LVIS_SELECTED) != 0);
}
