#include "ui/Application.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include <algorithm>

namespace corvane::ui {

Application& Application::instance() {
    static Application app;
    return app;
}

int Application::addIdleHandler(std::function<void()> h) {
    idle_.emplace_back(nextToken_, std::move(h));
    return nextToken_++;
}

void Application::removeIdleHandler(int token) {
    std::erase_if(idle_, [token](const auto& e) { return e.first == token; });
}

void Application::addMessageObserver(MessageObserver o) {
    auto it = std::find_if(observers_.begin(), observers_.end(), [o](const ObserverUse& u) { return u.observe == o; });
    if (it != observers_.end()) ++it->users;
    else observers_.push_back({o, 1});
}

void Application::removeMessageObserver(MessageObserver o) {
    auto it = std::find_if(observers_.begin(), observers_.end(), [o](const ObserverUse& u) { return u.observe == o; });
    if (it != observers_.end() && --it->users == 0) observers_.erase(it);
}

void Application::idle() {
    auto handlers = idle_; // a handler may add or remove handlers
    for (auto& [token, h] : handlers) Guarded(h);
}

bool Application::handleOne(MSG& m) {
    const auto observers = observers_; // an observer may add or remove observers
    for (const ObserverUse& o : observers)
        if (o.observe(m)) return true;
    // The form that holds the message's window gets a look first (dialog navigation).
    if (Form* f = FormOf(m.hwnd); f && f->preTranslateMessage(m)) return true;
    TranslateMessage(&m);
    DispatchMessageW(&m);
    return true;
}

bool Application::processMessages() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return false;
        }
        handleOne(m);
    }
    idle();
    return true;
}

void Application::runModalLoop(const std::function<bool()>& done) {
    MSG m;
    while (!done()) {
        if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(m.wParam)); // the outer loop ends too
                return;
            }
            handleOne(m);
        } else {
            idle();
            if (done()) return;
            WaitMessage();
        }
    }
}

int Application::run() {
    if (mainForm_ && mainForm_->handle() && !IsWindowVisible(mainForm_->handle()))
        Guarded([this] { mainForm_->show(); });
    MSG m;
    for (;;) {
        if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) return static_cast<int>(m.wParam);
            handleOne(m);
        } else {
            idle();
            WaitMessage();
        }
    }
}

} // namespace corvane::ui
