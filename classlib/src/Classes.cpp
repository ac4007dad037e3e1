// Classes.cpp - class names, Assign, and the components' ownership and
// notification lists.
#include <classlib/Classes.h>
#include <classlib/SysUtils.h>
#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "Consts.h"

std::string TObject::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> plain(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    std::string name = status == 0 && plain ? plain.get() : mangled;
    // A class inside a namespace is named without it, as the code names it.
    size_t scope = name.rfind("::");
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

void TPersistent::Assign(const TPersistent* source) {
    if (!source) AssignError(nullptr);
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
    std::string sourceName = source ? source->ClassName() : "nil";
    throw EConvertError(Format(SAssignError, {sourceName, ClassName()}));
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        other->Unlink(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component == this || component->FOwner == this) return;
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    if (FComponentState.Contains(csLoading)) component->BeginLoading();
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto found = std::find(FComponents.begin(), FComponents.end(), component);
    if (found == FComponents.end()) return;
    FComponents.erase(found);
    component->FOwner = nullptr;
    Notification(component, opRemove);
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* component = FComponents.back();
        component->Destroying();
        RemoveComponent(component);
        delete component;
    }
}

void TComponent::SetName(const std::string& name) {
    if (name == FName) return;
    if (FOwner && !name.empty()) {
        for (TComponent* sibling : FOwner->FComponents)
            if (sibling != this && SameText(sibling->FName, name))
                throw EComponentError(Format(SDuplicateName, {name}));
    }
    FName = name;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    auto& theirs = component->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    Unlink(component);
    component->Unlink(this);
}

void TComponent::Unlink(TComponent* component) { std::erase(FFreeNotifies, component); }

void TComponent::BeginLoading() {
    FComponentState.Include(csLoading);
    for (TComponent* component : FComponents) component->BeginLoading();
}

void TComponent::EndLoading() {
    Loaded();
    // By index: a Loaded step may add components, which are then loaded too.
    for (size_t i = 0; i < FComponents.size(); ++i) FComponents[i]->EndLoading();
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) RemoveFreeNotification(component);
    // Downwards and re-checked, since a handler may remove components.
    for (size_t i = FComponents.size(); i-- > 0;) {
        if (i < FComponents.size()) FComponents[i]->Notification(component, operation);
    }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* component : FComponents) component->Destroying();
}
