// Actions.cpp - actions, action lists and the links of their clients.
#include <classlib/ActnList.h>
#include <classlib/SysUtils.h>

#include <algorithm>

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
    while (!FClients.empty()) FClients.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

// --- Custom actions -----------------------------------------------------------

TCustomAction::TCustomAction(TComponent* owner) : TBasicAction(owner) {}

TCustomAction::~TCustomAction() { SetActionList(nullptr); }

bool TCustomAction::Execute() { return FEnabled && TBasicAction::Execute(); }

void TCustomAction::SetActionList(TActionList* value) {
    if (value == FActionList) return;
    if (FActionList) std::erase(FActionList->FActions, this);
    FActionList = value;
    if (value) value->FActions.push_back(this);
}

// The clients hear of the new value while the action still holds the old
// one, so that each can tell whether it follows the action.
template <class T, class Pass>
void TCustomAction::Change(T& field, const T& value, Pass pass) {
    if (field == value) return;
    for (TBasicActionLink* client : std::vector(FClients))
        if (auto link = dynamic_cast<TActionLink*>(client)) pass(link);
    field = value;
}

void TCustomAction::SetCaption(const std::string& value) {
    Change(FCaption, value, [&](TActionLink* link) { link->SetCaption(value); });
}

void TCustomAction::SetChecked(bool value) {
    Change(FChecked, value, [&](TActionLink* link) { link->SetChecked(value); });
    if (!value || FGroupIndex <= 0 || !FActionList) return;
    for (TCustomAction* other : FActionList->FActions)
        if (other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
}

void TCustomAction::SetEnabled(bool value) {
    Change(FEnabled, value, [&](TActionLink* link) { link->SetEnabled(value); });
}

void TCustomAction::SetVisible(bool value) {
    Change(FVisible, value, [&](TActionLink* link) { link->SetVisible(value); });
}

void TCustomAction::SetHint(const std::string& value) {
    Change(FHint, value, [&](TActionLink* link) { link->SetHint(value); });
}

void TCustomAction::SetShortCut(TShortCut value) {
    Change(FShortCut, value, [&](TActionLink* link) { link->SetShortCut(value); });
}

TActionList::~TActionList() {
    while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
}

bool TActionList::IsShortCut(WORD key, TShiftState shift) {
    TShortCut wanted = ::ShortCut(key, shift);
    for (TCustomAction* action : FActions)
        if (action->ShortCut() == wanted) return action->Execute();
    return false;
}

// --- Links ----------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* value) {
    if (value == FAction) return;
    if (FAction) std::erase(FAction->FClients, this);
    FAction = value;
    if (value) value->FClients.push_back(this);
}

bool TBasicActionLink::Execute(TComponent* component) {
    if (!FAction) return false;
    FAction->SetActionComponent(component);
    bool executed = false;
    try {
        executed = FAction->Execute();
    } catch (...) {
        if (FAction) FAction->SetActionComponent(nullptr);
        throw;
    }
    if (FAction) FAction->SetActionComponent(nullptr);
    return executed;
}

TCustomAction* TActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(Action()); }

bool TActionLink::IsCaptionLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsShortCutLinked() const { return CustomAction() != nullptr; }

// --- Shortcuts ---------------------------------------------------------------------

TShortCut ShortCut(WORD key, TShiftState shift) {
    TShortCut result = key & 0xFF;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

std::string ShortCutToText(TShortCut shortCut) {
    static const struct {
        WORD key;
        const char* name;
    } names[] = {{VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
                 {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
                 {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
                 {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};
    WORD key = shortCut & 0xFF;
    std::string name;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) name = std::string(1, char(key));
    if (key >= VK_F1 && key <= VK_F24) name = Format("F%d", {key - VK_F1 + 1});
    for (const auto& entry : names)
        if (entry.key == key) name = entry.name;
    if (name.empty()) return name;
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    text.append(name);
    return text;
}
