#include "ui/Component.h"
#include <algorithm>

namespace corvane::ui {

namespace {
void Erase(std::vector<Component*>& v, Component* c) { v.erase(std::remove(v.begin(), v.end(), c), v.end()); }
} // namespace

Component::Component(Component* owner, std::string name, Lifetime lifetime)
    : owner_(owner), name_(std::move(name)), lifetime_(lifetime) {
    if (owner_) owner_->insert(this);
}

Component::~Component() {
    destroyComponents();
    // Subscribers forget us; we stop listening to others.
    auto subs = subscribers_;
    for (Component* s : subs) {
        Erase(s->subscriptions_, this);
        s->notification(this, Operation::Remove);
    }
    for (Component* s : subscriptions_) Erase(s->subscribers_, this);
    if (owner_) {
        owner_->remove(this);
        // Siblings that outlive this one must forget it, also while the owner is going.
        auto siblings = owner_->owned_;
        for (Component* c : siblings)
            if (std::find(subs.begin(), subs.end(), c) == subs.end()) c->notification(this, Operation::Remove);
        owner_->notification(this, Operation::Remove);
    }
}

void Component::destroyComponents() {
    destroying_ = true;
    while (!owned_.empty()) {
        Component* c = owned_.back();
        if (c->lifetime_ == Lifetime::Scope) {
            // Its scope ends it; it outlives the owner only on a programming error.
            owned_.pop_back();
            c->owner_ = nullptr;
            continue;
        }
        delete c; // removes itself from owned_
    }
}

Component* Component::findComponent(const std::string& name) const {
    for (Component* c : owned_)
        if (c->name_ == name) return c;
    return nullptr;
}

void Component::freeNotification(Component* other) {
    if (!other || other == this) return;
    if (std::find(other->subscribers_.begin(), other->subscribers_.end(), this) == other->subscribers_.end()) {
        other->subscribers_.push_back(this);
        subscriptions_.push_back(other);
    }
}

void Component::removeFreeNotification(Component* other) {
    if (!other) return;
    Erase(other->subscribers_, this);
    Erase(subscriptions_, other);
}

void Component::insert(Component* c) {
    owned_.push_back(c);
    for (Component* s : owned_)
        if (s != c) s->notification(c, Operation::Insert);
}

void Component::remove(Component* c) { Erase(owned_, c); }

} // namespace corvane::ui
