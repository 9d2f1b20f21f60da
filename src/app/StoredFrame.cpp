#include "app/StoredFrame.h"
#include "ui/Gdi.h"

namespace corvane::app {

skin::FramePanel* AddStoredFrame(ui::Form& form, int captionHeight) {
    auto* frame = new skin::FramePanel(&form, "suiForm1");
    frame->setTitleBarCustom(false);
    // The style goes first: the colours after it override what it sets.
    frame->setUIStyle(skin::UIStyle::FromThemeFile);
    frame->uiStyleAutoUpdateSub = false;
    frame->setBorderColor(0);
    frame->setBorderWidth(1);
    frame->setColor(0xE8E8E8);
    frame->setCaption(form.caption);
    skin::TitleBarButtons& buttons = frame->titleBarButtons();
    for (int i = 0; i < buttons.count(); ++i) {
        buttons[i].setTop(2);
        buttons[i].setTransparent(false);
        buttons[i].setUIStyle(skin::UIStyle::DeepBlue);
        if (buttons[i].buttonType() == skin::TitleBarButtonType::Max) buttons[i].setVisible(false);
    }
    frame->setTitleBarDrawAppIcon(true);
    LOGFONTW font{};
    font.lfHeight = captionHeight;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    ui::SetFaceName(font, "Tahoma");
    frame->setFont(font, 0xFFFFFF);
    frame->setMenuBarColor(0xE8E8E8);
    frame->setMenuBarToColor(0xE8E8E8);
    frame->setMenuBarHeight(0);
    frame->setRoundCorner(0);
    frame->setRoundCornerBottom(0);
    frame->setInactiveCaptionColor(ui::SystemColor(COLOR_INACTIVECAPTION));
    return frame;
}

} // namespace corvane::app
