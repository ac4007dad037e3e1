// Menus.cpp - menu items, their hot keys and actions, and pop-up menus built
// into the platform's menus when they pop up.
#include <classlib/Forms.h>
#include <classlib/Menus.h>
#include <classlib/SysUtils.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace {

using TOwnedMenu = TOwnedHandle<HMENU, DestroyMenu>;

// The hot key of a caption: the character after its first single "&".
char Hotkey(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1];
        ++i;
    }
    return 0;
}

char Folded(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// Builds the platform's menu of the visible items below parent; items lists
// them by command number (from 1).
HMENU BuildMenu(const TMenuItem* parent, std::vector<TMenuItem*>& items) {
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = item->Caption();
        if (item->ShortCut() != scNone) text.append("\t").append(ShortCutToText(item->ShortCut()));
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        info.fType = MFT_STRING | (item->RadioItem() ? MFT_RADIOCHECK : 0);
        info.fState = (item->Checked() ? MFS_CHECKED : 0) | (item->Enabled() ? 0 : MFS_DISABLED) |
                      (item->Default() ? MFS_DEFAULT : 0);
        info.dwTypeData = text.data();
        if (item->Count() > 0) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = BuildMenu(item, items);
        } else {
            items.push_back(item);
            info.wID = static_cast<UINT>(items.size());
        }
        InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
    }
    return menu;
}

}  // namespace

// --- Menu items -------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    Destroying();
    if (FParent) FParent->Remove(this);
    while (!FItems.empty()) delete FItems.back();
}

TMenu* TMenuItem::Menu() const {
    const TMenuItem* item = this;
    while (item->FParent) item = item->FParent;
    return item->FMenu;
}

bool TMenuItem::HotkeysAutomatic() const {
    if (FAutoHotkeys != maParent) return FAutoHotkeys == maAutomatic;
    if (FParent) return FParent->HotkeysAutomatic();
    return FMenu && FMenu->AutoHotkeys() == maAutomatic;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto found = std::find(FItems.begin(), FItems.end(), item);
    return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) return;
    if (item->FParent) item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto found = std::find(FItems.begin(), FItems.end(), item);
    if (found == FItems.end()) return;
    FItems.erase(found);
    item->FParent = nullptr;
}

void TMenuItem::Clear() {
    while (!FItems.empty()) delete FItems.back();
}

void TMenuItem::SetChecked(bool value) {
    FChecked = value;
    if (!value || !FRadioItem || !FParent) return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
            sibling->FChecked = false;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) const {
    for (TMenuItem* item : FItems) {
        if (!item->FEnabled) continue;
        if (item->FShortCut == shortCut && item->FItems.empty()) return item;
        if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
    }
    return nullptr;
}

void TMenuItem::RethinkHotkeys() {
    std::set<char> used;
    for (TMenuItem* item : FItems)
        if (char key = Hotkey(item->FCaption)) used.insert(Folded(key));
    for (TMenuItem* item : FItems) {
        if (item->IsLine() || !item->FVisible || Hotkey(item->FCaption)) continue;
        if (!item->HotkeysAutomatic()) continue;
        std::string& caption = item->FCaption;
        auto free = std::find_if(caption.begin(), caption.end(), [&](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) && !used.count(Folded(c));
        });
        if (free == caption.end()) continue;
        used.insert(Folded(*free));
        caption.insert(free, '&');
    }
    for (TMenuItem* item : FItems) item->RethinkHotkeys();
}

void TMenuItem::Click() {
    if (OnClick) return OnClick(this);
    if (FActionLink) FActionLink->Execute(this);
}

// --- Actions of menu items ------------------------------------------------------------

TBasicAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* value) {
    if (value == Action()) return;
    if (TBasicAction* old = Action()) old->RemoveFreeNotification(this);
    if (!value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = std::make_unique<TMenuActionLink>(this);
    FActionLink->SetAction(value);
    value->FreeNotification(this);
    ActionChange(value, value->ComponentState().Contains(csLoading));
}

void TMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
    auto action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || FCaption.empty()) FCaption = action->Caption();
    if (!checkDefaults || !FChecked) SetChecked(action->Checked());
    if (!checkDefaults || FEnabled) FEnabled = action->Enabled();
    if (!checkDefaults || FHint.empty()) FHint = action->Hint();
    if (!checkDefaults || FShortCut == scNone) FShortCut = action->ShortCut();
    if (!checkDefaults || FVisible) FVisible = action->Visible();
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && FActionLink && component == FActionLink->Action())
        FActionLink.reset();
}

bool TMenuActionLink::IsCheckedLinked() const {
    return TActionLink::IsCheckedLinked() && Client()->Checked() == CustomAction()->Checked();
}

bool TMenuActionLink::IsShortCutLinked() const {
    return TActionLink::IsShortCutLinked() && Client()->ShortCut() == CustomAction()->ShortCut();
}

void TMenuActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) Client()->SetChecked(value);
}

void TMenuActionLink::SetShortCut(TShortCut value) {
    if (IsShortCutLinked()) Client()->SetShortCut(value);
}

// --- Menus -------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    Destroying();
    delete FItems;
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    TMenuItem* item = FItems->FindShortCut(::ShortCut(key, shift));
    if (!item) return false;
    item->Click();
    return true;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::SetPopupComponent(TComponent* value) {
    if (value == FPopupComponent) return;
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = value;
    if (value) value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    Items()->RethinkHotkeys();
    std::vector<TMenuItem*> items;
    TOwnedMenu menu(BuildMenu(Items(), items));
    // The command comes back as the result, and the item is clicked after the
    // menu has closed (a click may delete the menu).
    UINT command = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y,
                                  0, Application->Handle(), nullptr);
    menu.Reset();
    if (command > 0 && command <= items.size()) items[command - 1]->Click();
}
