// WinControlHooks.cpp - components that see a window's messages before the
// window's own control does, through the one window procedure.
#include <classlib/Controls.h>

#include <algorithm>

namespace {

template <class Hooks>
auto FindHook(Hooks& hooks, const TComponent* component) {
    return std::find_if(hooks.begin(), hooks.end(),
                        [component](const auto& entry) { return entry.first == component; });
}

}  // namespace

void TWinControl::HookMessages(TComponent* component, TWindowHook hook) {
    if (!component || !hook) return;
    if (auto found = FindHook(FMessageHooks, component); found != FMessageHooks.end()) {
        found->second = std::move(hook);
        return;
    }
    FMessageHooks.emplace_back(component, std::move(hook));
    // Either one going tells the other: the control drops the hook, the
    // component forgets the control.
    FreeNotification(component);
}

void TWinControl::UnhookMessages(TComponent* component) {
    // The free notification stays: the two may know each other for more
    // than the hook.
    if (auto found = FindHook(FMessageHooks, component); found != FMessageHooks.end())
        FMessageHooks.erase(found);
}

bool TWinControl::RunMessageHooks(TMessage& message) {
    if (FMessageHooks.empty()) return false;
    // The components as they stand now, each looked up again before its
    // turn: a hook may unhook itself or another one.
    std::vector<TComponent*> components;
    components.reserve(FMessageHooks.size());
    for (const auto& entry : FMessageHooks) components.push_back(entry.first);
    for (TComponent* component : components) {
        auto found = FindHook(FMessageHooks, component);
        if (found == FMessageHooks.end()) continue;
        // A copy, so that a hook replacing itself runs to its end.
        TWindowHook hook = found->second;
        if (hook(message)) return true;
    }
    return false;
}

void TWinControl::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove) UnhookMessages(component);
}
