// The application object: title, main form, the message loop with its idle step
// (actions update their enabled state there) and application-wide message observers.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace corvane::ui {

class Form;

class Application {
public:
    static Application& instance();

    // The program's name, the caption of its message boxes; the program sets it.
    const std::string& title() const { return title_; }
    void setTitle(const std::string& t) { title_ = t; }
    // The window class of forms that do not name their own.
    const std::string& formClassName() const { return formClassName_; }
    void setFormClassName(const std::string& name) { formClassName_ = name; }
    // The named icon resource our forms show; none until the program names one.
    const char* iconResource() const { return iconResource_; }
    void setIconResource(const char* name) { iconResource_ = name; }

    Form* mainForm() const { return mainForm_; }
    void setMainForm(Form* f) { mainForm_ = f; }

    // Runs the loop until WM_QUIT; shows the main form first when it is hidden.
    int run();
    // Runs the loop until done() is true (modal forms).
    void runModalLoop(const std::function<bool()>& done);
    // Handles every waiting message and then the idle step once; returns false on WM_QUIT.
    bool processMessages();
    void idle();

    // Idle handlers run whenever the queue is empty. Returns a token for removal.
    int addIdleHandler(std::function<void()> h);
    void removeIdleHandler(int token);

    // Observers see every message before it is dispatched, in the order they came in;
    // the first that returns true swallows it. One observer serves every object of a
    // kind: each object adds it for its lifetime (MessageObserverRegistration), and it
    // stays in the list, in its first place, until the last of them removes it.
    using MessageObserver = bool (*)(MSG&);
    void addMessageObserver(MessageObserver o);
    void removeMessageObserver(MessageObserver o);

private:
    Application() = default;
    bool handleOne(MSG& m);

    std::string title_;
    const char* iconResource_ = nullptr;
    std::string formClassName_ = "Form";
    Form* mainForm_ = nullptr;
    int nextToken_ = 1;
    std::vector<std::pair<int, std::function<void()>>> idle_;
    struct ObserverUse {
        MessageObserver observe;
        int users;
    };
    std::vector<ObserverUse> observers_;
};

// One object's use of an application-wide message observer, for the object's lifetime.
class MessageObserverRegistration {
public:
    explicit MessageObserverRegistration(Application::MessageObserver o) : observe_(o) {
        Application::instance().addMessageObserver(o);
    }
    ~MessageObserverRegistration() { Application::instance().removeMessageObserver(observe_); }
    MessageObserverRegistration(const MessageObserverRegistration&) = delete;
    MessageObserverRegistration& operator=(const MessageObserverRegistration&) = delete;

private:
    Application::MessageObserver observe_;
};

} // namespace corvane::ui
