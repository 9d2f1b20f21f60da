// The platform's standard dialog controls: push button, check box, single-line edit,
// group box and static label. Each is a thin wrapper over one Win32 window class; the
// control takes its font from the window it is placed on, and clicks arrive as
// onClick through the reflected WM_COMMAND.
#pragma once
#include "ui/Form.h"
#include <functional>
#include <string>

namespace corvane::ui {

class Button : public WinControl {
public:
    Button(Component* owner, std::string name, HWND parent, int x, int y, int w, int h, const std::string& caption);

    // A click sets the holding form's modal result to this (before onClick).
    ModalResult modalResult = ModalResult::None;
    std::function<void()> onClick;

    // As if the user clicked: errors of the handler are shown in the standard error box.
    void click();
    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

class CheckBox : public WinControl {
public:
    void dpiChanged(const Scaler& from, const Scaler& to) override;
    CheckBox(Component* owner, std::string name, HWND parent, int x, int y, const std::string& caption);

    bool checked() const;
    // Changing the state raises onClick, whether the user or the program changes it.
    void setChecked(bool c);
    // Width and height from the caption in the control's font.
    void autoSize();

    std::function<void()> onClick;

    void click(); // toggles, as a user's click does
    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

class Edit : public WinControl {
public:
    Edit(Component* owner, std::string name, HWND parent, int x, int y, int w, int h);
    std::function<void()> onChange;
    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

// A captioned frame that holds other controls. Its children sit on its parent's
// background, and Tab moves into it.
class GroupBox : public WinControl {
public:
    GroupBox(Component* owner, std::string name, HWND parent, int x, int y, int w, int h,
             const std::string& caption = {});
    // Text colour of the caption and of the labels placed in it.
    COLORREF fontColor = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF childTextColor() const override { return fontColor; }
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

class Label : public WinControl {
public:
    // As wide and high as its text, at the design place scaled.
    void dpiChanged(const Scaler& from, const Scaler& to) override;
    Label(Component* owner, std::string name, HWND parent, int x, int y, const std::string& caption);
    // Text colour; CLR_INVALID follows the group box the label sits in, if any.
    COLORREF fontColor = CLR_INVALID;
    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    AccessibleSourceFactory accessibleFactory() const override;

private:
    // A parent that hands out no font leaves the label in the system font, which is
    // made for 96 DPI; at another DPI the label writes in that font scaled.
    void fontAtDpi(int dpi);
    FontHandle systemFont_;
};

} // namespace corvane::ui
