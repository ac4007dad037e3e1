// ActnList.h - actions: one command with its caption, state and shortcut,
// shared by the controls and menu items linked to it.
//
//   TBasicAction           OnExecute, Execute, ActionComponent, its links
//   TCustomAction, TAction Caption, Checked, Enabled, Visible, Hint, ShortCut,
//                          GroupIndex, ActionList
//   TActionList            the actions of a form, answering their shortcuts
//   TBasicActionLink       a client's tie to an action
//   TActionLink            the properties a link passes on (IsXLinked, SetX)
//   TClientActionLink<C>   caption, enabled state, hint and visibility of a client
//   TControlActionLink,    the ties of controls; a control class names its own
//   TWinControlActionLink  kind by overriding TControl::CreateActionLink
//
// A control linked to an action (TControl::SetAction) takes the action's
// caption, enabled state, hint and visibility at once (while loading, only
// where the control still has its defaults); later changes of the action
// reach each client whose value still equals the action's old one (the
// link's IsXLinked). A click of the control without an OnClick of its own
// executes the action. An action deleted first unlinks its clients.
#pragma once

#include <classlib/Classes.h>
#include <classlib/Controls.h>

#include <string>
#include <vector>

// A key with its modifiers: the virtual key in the low byte, scShift,
// scCtrl and scAlt above it.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD key, TShiftState shift);
// "F1", "Ctrl+S", "Shift+Del", as menus show them.
std::string ShortCutToText(TShortCut shortCut);

class TBasicActionLink;
class TActionList;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* owner);
    ~TBasicAction() override;

    // Runs OnExecute (with the action as sender); false when there is none.
    virtual bool Execute();
    // The component whose click is executing the action, for the handler.
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* value) { FActionComponent = value; }

    TNotifyEvent OnExecute;

protected:
    friend class TBasicActionLink;
    std::vector<TBasicActionLink*> FClients;

private:
    TComponent* FActionComponent = nullptr;
};

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* owner);
    ~TCustomAction() override;

    // Runs OnExecute only while enabled.
    bool Execute() override;

    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* value);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    // Checking an action of a GroupIndex above 0 unchecks the others of its
    // list with that GroupIndex.
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }

private:
    template <class T, class Pass>
    void Change(T& field, const T& value, Pass pass);

    TActionList* FActionList = nullptr;
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    std::string FHint;
    TShortCut FShortCut = scNone;
    int FGroupIndex = 0;
};

class TAction : public TCustomAction {
public:
    using TCustomAction::TCustomAction;
};

class TActionList : public TComponent {
public:
    using TComponent::TComponent;
    ~TActionList() override;

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TCustomAction* Actions(int index) const { return FActions.at(index); }
    // Executes the enabled action with this shortcut; true when one has it.
    virtual bool IsShortCut(WORD key, TShiftState shift);

private:
    friend class TCustomAction;
    std::vector<TCustomAction*> FActions;
};

class TBasicActionLink : public TObject {
public:
    TBasicActionLink() = default;
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* value);
    // Executes the action on behalf of component.
    virtual bool Execute(TComponent* component);

private:
    TBasicAction* FAction = nullptr;
};

class TActionLink : public TBasicActionLink {
public:
    // Whether the client follows the action's property: the base asks that
    // the action has it (a TCustomAction).
    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsVisibleLinked() const;
    virtual bool IsShortCutLinked() const;
    // The action's property changed to value; the base passes nothing on.
    virtual void SetCaption(const std::string&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetVisible(bool) {}
    virtual void SetShortCut(TShortCut) {}

protected:
    TCustomAction* CustomAction() const;
};

// The part every client's link shares: the client follows the action's
// caption, enabled state, hint and visibility while its own value equals the
// action's.
template <class C>
class TClientActionLink : public TActionLink {
public:
    explicit TClientActionLink(C* client) : FClient(client) {}

    C* Client() const { return FClient; }
    bool IsCaptionLinked() const override {
        return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
    }
    bool IsEnabledLinked() const override {
        return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
    }
    bool IsHintLinked() const override {
        return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
    }
    bool IsVisibleLinked() const override {
        return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
    }
    void SetCaption(const std::string& value) override {
        if (IsCaptionLinked()) FClient->SetCaption(value);
    }
    void SetEnabled(bool value) override {
        if (IsEnabledLinked()) FClient->SetEnabled(value);
    }
    void SetHint(const std::string& value) override {
        if (IsHintLinked()) FClient->SetHint(value);
    }
    void SetVisible(bool value) override {
        if (IsVisibleLinked()) FClient->SetVisible(value);
    }

private:
    C* FClient;
};

class TControlActionLink : public TClientActionLink<TControl> {
public:
    using TClientActionLink::TClientActionLink;
};

class TWinControlActionLink : public TControlActionLink {
public:
    using TControlActionLink::TControlActionLink;
};
