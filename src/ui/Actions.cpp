#include "ui/Actions.h"
#include "ui/Application.h"
#include <algorithm>

namespace corvane::ui {

Action::Action(Component* owner, std::string name, std::string caption, int imageIndex, std::string hint)
    : Component(owner, std::move(name)), caption_(std::move(caption)), imageIndex_(imageIndex), hint_(std::move(hint)) {
}

Action::~Action() = default;

void Action::setCaption(const std::string& s) {
    if (s != caption_) {
        caption_ = s;
        changed();
    }
}
void Action::setHint(const std::string& s) {
    if (s != hint_) {
        hint_ = s;
        changed();
    }
}
void Action::setEnabled(bool e) {
    if (e != enabled_) {
        enabled_ = e;
        changed();
    }
}

bool Action::execute() {
    update();
    if (!enabled_ || !onExecute) return false;
    onExecute(*this);
    return true;
}

void Action::update() {
    if (onUpdate) onUpdate(*this);
}

void Action::addClient(ActionClient* c) {
    clients_.push_back(c);
    c->actionChanged(*this);
}

void Action::removeClient(ActionClient* c) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), c), clients_.end());
}

void BindAction(Component& owner, ActionClient& client, Action*& slot, Action* next) {
    if (slot) slot->removeClient(&client);
    owner.watch(slot, next);
    if (next) next->addClient(&client);
}

void Action::changed() {
    auto clients = clients_;
    for (ActionClient* c : clients) c->actionChanged(*this);
}

ActionList::ActionList(Component* owner, std::string name) : Component(owner, std::move(name)) {
    idleToken_ = Application::instance().addIdleHandler([this] { updateAll(); });
}

ActionList::~ActionList() { Application::instance().removeIdleHandler(idleToken_); }

Action* ActionList::add(std::string name, std::string caption, int imageIndex, std::string hint) {
    auto* a = new Action(this, std::move(name), std::move(caption), imageIndex, std::move(hint));
    actions_.push_back(a);
    return a;
}

void ActionList::updateAll() {
    auto list = actions_;
    for (Action* a : list) a->update();
}

void ActionList::notification(Component* c, Operation op) {
    if (op == Operation::Remove) std::erase_if(actions_, [c](Action* a) { return static_cast<Component*>(a) == c; });
}

} // namespace corvane::ui
