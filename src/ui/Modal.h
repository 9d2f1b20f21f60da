// What every modal window does to the rest of the program: while it is open the
// thread's other visible windows are disabled; they are enabled again when it closes.
#pragma once
#include <windows.h>
#include <vector>

namespace corvane::ui {

class ModalScope {
public:
    // `except` (the modal window itself, when it exists already) stays enabled.
    explicit ModalScope(HWND except = nullptr);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    HWND except_;
    std::vector<HWND> disabled_;
    static BOOL CALLBACK disableWindow(HWND w, LPARAM self);
};

} // namespace corvane::ui
