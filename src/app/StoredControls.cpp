#include "app/StoredControls.h"

namespace corvane::app {

skin::GroupBox* StoredGroupBox(ui::Component* owner, const char* name, HWND parent, int x, int y, int w, int h,
                               std::uint32_t fontColor) {
    auto* g = new skin::GroupBox(owner, name, parent, x, y, w, h);
    g->setUIStyle(skin::UIStyle::WinXP);
    g->setBorderColor(kControlBorderColor);
    g->setFontColor(fontColor);
    return g;
}

skin::Edit* StoredEdit(ui::Component* owner, const char* name, HWND parent, int x, int y, int w, int h) {
    auto* e = new skin::Edit(owner, name, parent, x, y, w, h);
    e->setUIStyle(skin::UIStyle::WinXP);
    e->setBorderColor(kControlBorderColor);
    return e;
}

skin::Button* StoredButton(ui::Component* owner, const char* name, HWND parent, int x, int y, int w, int h,
                           const std::string& caption, ui::ModalResult result) {
    auto* b = new skin::Button(owner, name, parent, x, y, w, h);
    b->setUIStyle(skin::UIStyle::WinXP);
    b->setCaption(caption);
    b->setTransparent(false);
    b->setModalResult(result);
    b->setAutoSize(false);
    b->setFocusedRectMargin(2);
    b->setLayout(skin::ButtonLayout::GlyphLeft);
    b->setSpacing(4);
    b->setMouseContinuouslyDownInterval(100);
    return b;
}

skin::CheckBox* StoredCheckBox(ui::Component* owner, const char* name, HWND parent, int x, int y,
                               const std::string& caption) {
    auto* c = new skin::CheckBox(owner, name, parent, x, y);
    c->setUIStyle(skin::UIStyle::WinXP);
    c->setAutoSize(true);
    c->setCaption(caption);
    c->setTransparent(false);
    return c;
}

} // namespace corvane::app
