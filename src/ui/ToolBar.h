// The platform's tool bar: buttons with captions under their images, separators,
// tool tips, and buttons bound to actions.
#pragma once
#include "ui/Actions.h"
#include "ui/Control.h"
#include "ui/ImageList.h"
#include <functional>
#include <string>
#include <vector>

namespace corvane::ui {

class ToolBar;

class ToolButton : public Component, public ActionClient {
public:
    ToolButton(ToolBar* bar, std::string name, bool separator = false, int separatorWidth = 8);
    ~ToolButton() override;

    bool separator() const { return separator_; }
    int commandId() const { return id_; }
    const std::string& caption() const { return caption_; }
    int imageIndex() const { return imageIndex_; }
    const std::string& hint() const { return hint_; }
    bool enabled() const { return enabled_; }
    Action* action() const { return action_; }

    void setCaption(const std::string& s);
    void setImageIndex(int i);
    void setHint(const std::string& s) { hint_ = s; }
    void setEnabled(bool e);
    // Caption, image and enabled state then follow the action; the hint stays the button's
    // own unless followActionHint is set.
    void setAction(Action* a, bool followActionHint = false);
    void click();

    std::function<void()> onClick;

    void actionChanged(Action& a) override;
    void notification(Component* c, Operation op) override;
    RECT itemRect() const;

private:
    friend class ToolBar;
    ToolBar* bar_;
    bool separator_;
    int separatorWidth_;
    int id_;
    std::string caption_;
    int imageIndex_ = -1;
    std::string hint_;
    bool enabled_ = true;
    bool followHint_ = false;
    Action* action_ = nullptr;
};

class ToolBar : public WinControl {
public:
    ToolBar(Component* owner, std::string name, HWND parent, int x, int y, int w, int h, int buttonWidth,
            int buttonHeight, ImageList* images);

    ToolButton* addButton(std::string name);
    ToolButton* addSeparator(std::string name, int width = 8);
    void dpiChanged(const Scaler& from, const Scaler& to) override;
    const std::vector<ToolButton*>& buttons() const { return buttons_; }
    ToolButton* buttonById(int id) const;

    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void notification(Component* c, Operation op) override;

private:
    friend class ToolButton;
    void insertButton(ToolButton* b);
    void refreshButton(ToolButton* b);
    int indexOf(const ToolButton* b) const;

    int designButtonWidth_, designButtonHeight_;
    int buttonWidth_, buttonHeight_;
    ImageList* images_;
    std::vector<ToolButton*> buttons_;
    std::string tipBuffer_;
    std::wstring wideTipBuffer_;
    int nextId_ = 100;
};

} // namespace corvane::ui
