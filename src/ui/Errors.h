// Errors that end a command: thrown as UiError and shown in the standard error box
// by the guard around every handler, after which the program goes on.
#pragma once
#include <stdexcept>
#include <string>

namespace corvane::ui {

class UiError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces the first "%s" of `format` with `arg`.
std::string SystemMessageText(const std::string& format, const std::string& arg);

// The box text: the message with a full stop added when its last character sorts after ".".
std::string StandardErrorText(const std::string& message);

// Message, caption = application title, OK button, error icon.
void ShowStandardError(const std::string& message);

template <class F>
bool Guarded(F&& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        ShowStandardError(e.what());
    } catch (...) {
        ShowStandardError("Unexpected error");
    }
    return false;
}

} // namespace corvane::ui
