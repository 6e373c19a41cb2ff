#pragma once
// Components: objects with an owner that frees them, a name and a tag, and the loading state a
// form's construction puts them in.

#include "platform/Classes.h"
#include "platform/Sets.h"

#include <functional>
#include <vector>

enum TComponentStateFlag { csLoading, csReading, csDesigning, csDestroying };
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    // Frees the component as the framework's Free does: BeforeDestruction runs while the object
    // is still whole, then it is deleted. Owners free what they own the same way.
    void Free();

    TComponent* Owner() const { return FOwner; }
    const String& Name() const { return FName; }
    // Raises EComponentError when another component of the same owner has the name already.
    virtual void SetName(const String& value);
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }

    // Owned components in creation order.
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const; // position in the owner's list, -1 without owner
    // Without regard to case; nullptr when there is none.
    TComponent* FindComponent(const String& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees the owned components, the latest first.
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }
    // While a form's construction sets properties, and while the component is being freed,
    // handlers that react to a change must stay quiet: the component is not whole.
    bool IsLoading() const { return FComponentState.Contains(csLoading); }
    bool IsDestroying() const { return FComponentState.Contains(csDestroying); }
    // The class name without decoration ("TForm", "THTMLEMainForm").
    String ClassName() const;

    // component will tell this one, through Notification(component, opRemove), when it is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Runs setProperties with this component and everything it comes to own in the loading and
    // reading state, as a form resource is read; then calls Loaded on this component and on every
    // component created meanwhile, in creation order.
    void LoadComponents(const std::function<void()>& setProperties);

protected:
    // Told when a component is inserted into or removed from this one's owner family, or when a
    // component this one asked with FreeNotification is freed. Forwarded to the owned components.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Called once loading has ended; the component's properties are all set.
    virtual void Loaded();
    // Marks this component and its owned ones as being freed.
    virtual void Destroying();
    // Runs before the destructors, while every part of the object still exists.
    virtual void BeforeDestruction() {}

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyFreeing();

    TComponent* FOwner = nullptr;
    String FName;
    int FTag = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
    std::vector<TComponent*>* FLoadingList = nullptr;
};

class EComponentError : public Exception {
public:
    using Exception::Exception;
};
