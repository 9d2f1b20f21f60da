// Components: named objects with an owner that destroys them (newest first) and
// tells the other components of the same owner, and any subscriber, when one goes.
#pragma once
#include "ui/Scale.h"
#include <string>
#include <vector>

namespace corvane::ui {

enum class Operation { Insert, Remove };

// How a component's life ends: with its owner, which destroys it (newest first), or with
// the scope that made it, such as a dialog made for one use. An owner lists a scoped
// component too, so it is found by name and told of its siblings, but never destroys it.
enum class Lifetime { Owner, Scope };

class Component {
public:
    explicit Component(Component* owner = nullptr, std::string name = {}, Lifetime lifetime = Lifetime::Owner);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* owner() const { return owner_; }
    const std::string& name() const { return name_; }
    void setName(std::string n) { name_ = std::move(n); }
    const std::vector<Component*>& components() const { return owned_; }
    Component* findComponent(const std::string& name) const;

    // The window the component serves moved to a screen of another DPI: what it made at
    // the old one is made again (pictures, places, sizes).
    virtual void dpiChanged(const Scaler& from, const Scaler& to) {
        (void)from;
        (void)to;
    }

    // Asks to be told when `other` is destroyed, also across owners.
    void freeNotification(Component* other);
    void removeFreeNotification(Component* other);
    // Points `slot` at `next` and moves the removal notification from the old
    // component to the new one, so the slot is cleared when `next` is destroyed.
    template <class T>
    void watch(T*& slot, T* next) {
        if (slot) removeFreeNotification(slot);
        slot = next;
        if (next) freeNotification(next);
    }

    // Called for every component of the same owner and every subscriber.
    virtual void notification(Component* component, Operation op) {
        (void)component;
        (void)op;
    }

    // True once this component or one of its owners has begun destroying what it
    // owns: notifications then need not restore looks that nobody will see.
    bool destroying() const { return destroying_ || (owner_ && owner_->destroying()); }

protected:
    // Destroys the owned components, newest first; window objects call it before
    // destroying their window.
    void destroyComponents();

private:
    void insert(Component* c);
    void remove(Component* c);

    Component* owner_;
    std::string name_;
    Lifetime lifetime_;
    bool destroying_ = false;
    std::vector<Component*> owned_;
    std::vector<Component*> subscribers_;   // told when this goes
    std::vector<Component*> subscriptions_; // this is told when they go
};

} // namespace corvane::ui
