// Actions: a command with caption, image, hint and enabled state, shared by the
// controls bound to it. Their update handlers run whenever the program is idle.
#pragma once
#include "ui/Component.h"
#include <functional>
#include <string>
#include <vector>

namespace corvane::ui {

class Action;

// A control bound to an action: told whenever the action's properties change.
class ActionClient {
public:
    virtual ~ActionClient() = default;
    virtual void actionChanged(Action& a) = 0;
};

class Action : public Component {
public:
    Action(Component* owner, std::string name, std::string caption, int imageIndex, std::string hint = {});
    ~Action() override;

    const std::string& caption() const { return caption_; }
    int imageIndex() const { return imageIndex_; }
    const std::string& hint() const { return hint_; }
    bool enabled() const { return enabled_; }
    void setCaption(const std::string& s);
    void setHint(const std::string& s);
    void setEnabled(bool e);

    // Runs OnExecute when enabled; returns whether it ran.
    bool execute();
    void update();

    std::function<void(Action&)> onExecute;
    std::function<void(Action&)> onUpdate;

    void addClient(ActionClient* c);
    void removeClient(ActionClient* c);

private:
    void changed();
    std::string caption_;
    int imageIndex_;
    std::string hint_;
    bool enabled_ = true;
    std::vector<ActionClient*> clients_;
};

// Moves `client`, which `owner` is, from the action in `slot` to `next`: off the old
// action's clients and removal notice, onto the new one's (which tells it at once).
void BindAction(Component& owner, ActionClient& client, Action*& slot, Action* next);

class ActionList : public Component {
public:
    explicit ActionList(Component* owner, std::string name = {});
    ~ActionList() override;
    Action* add(std::string name, std::string caption, int imageIndex, std::string hint = {});
    const std::vector<Action*>& actions() const { return actions_; }
    void updateAll();
    void notification(Component* c, Operation op) override;

private:
    std::vector<Action*> actions_;
    int idleToken_ = 0;
};

} // namespace corvane::ui
