// Classes.h - the component model: objects with a class name, persistents
// that copy themselves into each other, and components that own components
// and tell each other when one goes away.
//
//   TObject       root of the library's classes: virtual destructor, ClassName()
//   TPersistent   Assign/AssignTo, with the "Cannot assign a %s to a %s" error
//   TComponent    owner and owned components, Name, ComponentState (csLoading,
//                 csDestroying), free notifications, Notification, Loaded
//   TNotifyEvent  the plain event: std::function<void(TObject* sender)>
//
// Ownership: a component made with an owner belongs to it and must be made
// with new; the owner deletes it when the owner is destroyed. Deleting a
// component earlier is allowed: it leaves its owner's list first. A component
// without an owner belongs to whoever made it (a std::unique_ptr or a member).
// The parent of a control (a second, visual tie) is kept by the control
// classes, not here; a control leaves its parent in its own destructor.
//
// Free notifications: a component that keeps a pointer to another one it does
// not own (an image list, a frame controller) calls other->FreeNotification(this)
// and forgets the pointer in its Notification(other, opRemove). The tie works
// both ways and is undone by RemoveFreeNotification or by either one's end.
// Notification(x, opInsert) comes from x's constructor and Notification(x,
// opRemove) from its destructor: x is not whole then, so compare the pointer
// and never call x.
//
// Destruction order: ~TComponent marks the component (and what it owns)
// csDestroying, notifies those that asked, deletes the owned components (last
// made first) and leaves its owner. The destructors of derived classes run
// before that; one that must see csDestroying earlier calls Destroying() first.
#pragma once

#include <classlib/Types.h>

#include <functional>
#include <string>
#include <vector>

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    // The class's name as the code declares it ("TBitmap"), for error texts.
    virtual std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

class TPersistent : public TObject {
public:
    // Makes this object a copy of source. The base asks source to copy itself
    // (AssignTo) and raises EConvertError "Cannot assign a <source class> to a
    // <this class>" ("nil" for a null source) when neither side knows the other.
    virtual void Assign(const TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest) const;
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

enum TOperation { opInsert, opRemove };
enum TComponentStateFlag { csLoading, csDestroying };
using TComponentState = TSet<TComponentStateFlag>;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(index); }
    // Takes a component over from its current owner, or gives it up.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Deletes every owned component, the last made first.
    void DestroyComponents();

    const std::string& Name() const { return FName; }
    // EComponentError "A component named %s already exists" when another
    // component of the same owner has the name (without regard to case).
    virtual void SetName(const std::string& name);

    TComponentState ComponentState() const { return FComponentState; }

    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // A window built in code runs these around its construction, as a window
    // read from a description would: BeginLoading marks the component and what
    // it owns csLoading (components inserted meanwhile inherit the mark);
    // EndLoading calls Loaded on the component, then on each owned one in the
    // order they were made. A form adds its OnCreate at the end.
    void BeginLoading();
    virtual void EndLoading();

protected:
    // Tells of a component inserted into or removed from the owner's list, or
    // of a component on this one's free-notification list going away. The base
    // drops the free notification of a removed component and passes the news
    // on to every owned component.
    virtual void Notification(TComponent* component, TOperation operation);
    // The step after loading; the base clears csLoading.
    virtual void Loaded();
    // Marks the component and its owned ones csDestroying; runs once.
    void Destroying();

private:
    void Unlink(TComponent* component);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    TComponentState FComponentState;
};
