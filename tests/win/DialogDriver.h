// Drives a modal dialog that a handler creates and runs: once the dialog named `name`
// (owned by `owner`) is running modally, `act` runs on the next idle step. A dialog
// still open two seconds later is cancelled, so a fault cannot hang the test run.
#pragma once
#include "ui/Application.h"
#include "ui/Form.h"
#include <windows.h>
#include <functional>
#include <string>

namespace corvane::test {

template <class T>
class DialogDriver {
public:
    DialogDriver(ui::Component* owner, std::string name, std::function<void(T&)> act)
        : owner_(owner), name_(std::move(name)), act_(std::move(act)) {
        token_ = ui::Application::instance().addIdleHandler([this] { step(); });
        timer_ = SetTimer(nullptr, 0, 40, nullptr); // wakes the modal loop's wait
    }
    ~DialogDriver() {
        ui::Application::instance().removeIdleHandler(token_);
        KillTimer(nullptr, timer_);
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    bool ran() const { return ran_; }
    bool timedOut() const { return timedOut_; }

private:
    void step() {
        auto* dialog = dynamic_cast<T*>(owner_->findComponent(name_));
        if (!dialog || !dialog->isModal()) return;
        if (!ran_) {
            ran_ = true;
            started_ = GetTickCount();
            act_(*dialog);
        } else if (GetTickCount() - started_ > 2000) {
            timedOut_ = true;
            dialog->setModalResult(ui::ModalResult::Cancel);
        }
    }

    ui::Component* owner_;
    std::string name_;
    std::function<void(T&)> act_;
    int token_ = 0;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
    bool timedOut_ = false;
    DWORD started_ = 0;
};

} // namespace corvane::test
