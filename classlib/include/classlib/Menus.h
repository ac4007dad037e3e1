// Menus.h - menu items and pop-up menus.
//
//   TMenuItem       Caption ("-" is a separator line), Checked, RadioItem and
//                   GroupIndex, Enabled, Visible, Default (bold), ShortCut,
//                   AutoHotkeys, Action, OnClick; the items below it
//   TMenu           a tree of items under Items(), AutoHotkeys
//   TPopupMenu      Popup(x, y), AutoPopup, PopupComponent, OnPopup
//   TMenuActionLink the tie of a menu item to its action
//
// A menu item deletes the items below it with itself (whoever owns them) and
// leaves its parent item when deleted first. The platform's menu is built
// from the items each time the menu pops up. With automatic hot keys (the
// menu's default) an item without an "&" gets one before the first letter
// or digit of its caption that no sibling uses yet; the "&" becomes part of
// Caption, as the user sees it.
#pragma once

#include <classlib/ActnList.h>
#include <classlib/Classes.h>

#include <memory>
#include <string>
#include <vector>

class TMenu;
class TMenuActionLink;

enum TMenuAutoFlag { maAutomatic, maManual, maParent };

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value) { FCaption = value; }
    bool IsLine() const { return FCaption == "-"; }
    // Checking a radio item unchecks its radio siblings of the same GroupIndex.
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value) { FRadioItem = value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    // The default item is shown in bold; a double click on a notification
    // icon chooses it.
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { FDefault = value; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value) { FShortCut = value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    // maParent: as the parent item (the menu for the top items).
    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag value) { FAutoHotkeys = value; }
    bool HotkeysAutomatic() const;

    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(index); }
    TMenuItem* Parent() const { return FParent; }
    TMenu* Menu() const;
    int MenuIndex() const;
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    // Deletes the items below this one.
    void Clear();
    // The enabled item below this one (at any depth) with this shortcut, or nullptr.
    TMenuItem* FindShortCut(TShortCut shortCut) const;
    // Gives the items below this one their automatic hot keys.
    void RethinkHotkeys();

    // OnClick, or else the action.
    virtual void Click();
    TNotifyEvent OnClick;

protected:
    friend class TMenu;
    friend class TMenuActionLink;
    // The action changed wholly: take its caption, checked, enabled,
    // visible state, hint and shortcut.
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::string FCaption;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    TShortCut FShortCut = scNone;
    std::string FHint;
    TMenuAutoFlag FAutoHotkeys = maParent;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;
    std::unique_ptr<TMenuActionLink> FActionLink;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems; }
    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag value) { FAutoHotkeys = value; }
    // Clicks the enabled item with this shortcut; true when there is one.
    bool IsShortCut(WORD key, TShiftState shift);

private:
    TMenuItem* FItems;
    TMenuAutoFlag FAutoHotkeys = maAutomatic;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);

    // Shows the menu at a screen position and, when the user chooses an
    // item, clicks it after the menu closed. OnPopup comes first.
    virtual void Popup(int x, int y);
    // Pops up at the right click or the menu key on its control.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    // The control (or other component) the menu was last popped up for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value);

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
};

// Follows the action's checked state and shortcut as well.
class TMenuActionLink : public TClientActionLink<TMenuItem> {
public:
    using TClientActionLink::TClientActionLink;

    bool IsCheckedLinked() const override;
    bool IsShortCutLinked() const override;
    void SetChecked(bool value) override;
    void SetShortCut(TShortCut value) override;
};
