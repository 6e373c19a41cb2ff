#include "platform/Component.h"

#include <algorithm>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    NotifyFreeing();
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
    if (FLoadingList)
        std::erase(*FLoadingList, this);
}

// The component and all it owns know they are being freed before anything of them goes, so
// nothing reacts to the parts that leave first.
void TComponent::Free() {
    Destroying();
    BeforeDestruction();
    delete this;
}

void TComponent::SetName(const String& value) {
    if (value == FName)
        return;
    if (!value.empty() && FOwner) {
        TComponent* other = FOwner->FindComponent(value);
        if (other && other != this)
            throw EComponentError("A component named " + value + " already exists");
    }
    FName = value;
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FComponents[index];
}

int TComponent::ComponentIndex() const {
    if (!FOwner)
        return -1;
    auto& list = FOwner->FComponents;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const String& name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* component : FComponents)
        if (SameText(component->FName, name))
            return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    if (!component->FName.empty() && FindComponent(component->FName))
        throw EComponentError("A component named " + component->FName + " already exists");
    Insert(component);
    if (FLoadingList) {
        component->FComponentState << csLoading << csReading;
        component->FLoadingList = FLoadingList;
        FLoadingList->push_back(component);
    }
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    FComponents.push_back(component);
    component->FOwner = this;
}

void TComponent::Remove(TComponent* component) {
    std::erase(FComponents, component);
    component->FOwner = nullptr;
}

// The owner being freed is not told of each part it frees: it is going away itself.
void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* component = FComponents.back();
        Remove(component);
        component->Free();
    }
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying))
        return;
    FComponentState << csDestroying;
    for (TComponent* component : FComponents)
        component->Destroying();
}

void TComponent::NotifyFreeing() {
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        std::erase(other->FFreeNotifies, this);
        other->Notification(this, opRemove);
    }
}

String TComponent::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> plain(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && plain ? String(plain.get()) : String(mangled);
}

// Both sides keep the link, so whichever is freed first tells the other and neither is left
// pointing at a freed component.
void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) ==
        component->FFreeNotifies.end())
        component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component)
        return;
    std::erase(FFreeNotifies, component);
    std::erase(component->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove)
        std::erase(FFreeNotifies, AComponent);
    for (TComponent* component : std::vector<TComponent*>(FComponents))
        if (component != AComponent)
            component->Notification(AComponent, Operation);
}

void TComponent::Loaded() {
    FComponentState -= TComponentState{csLoading, csReading};
}

// Components made while loading join the loading list of the outermost LoadComponents, so a
// nested call changes nothing and they are all told Loaded once, in creation order.
void TComponent::LoadComponents(const std::function<void()>& setProperties) {
    if (FLoadingList) {
        setProperties();
        return;
    }
    std::vector<TComponent*> loading{this};
    FLoadingList = &loading;
    FComponentState << csLoading << csReading;
    auto endLoading = [&loading] {
        for (TComponent* component : loading)
            component->FLoadingList = nullptr;
    };
    try {
        setProperties();
    } catch (...) {
        endLoading();
        for (TComponent* component : loading)
            component->FComponentState -= TComponentState{csLoading, csReading};
        throw;
    }
    endLoading();
    for (TComponent* component : loading)
        component->Loaded();
}
