// The FileTheme and UIStyle that skinned components publish and hand to one
// another. A component "publishes" them by implementing this interface; the
// theme code finds it with dynamic_cast. The skinned components implement it
// through Skinned (Skinned.h).
#pragma once
#include "skin/theme/UIStyle.h"
#include <cstdint>

namespace corvane::skin {

class FileTheme;

class Themed {
public:
    virtual ~Themed() = default;
    virtual FileTheme* fileTheme() const = 0;
    // Setters re-apply the component's look.
    virtual void setFileTheme(FileTheme* theme) = 0;
    virtual UIStyle uiStyle() const = 0;
    virtual void setUIStyle(UIStyle style) = 0;
};

// The skinned frame of a form (skin::FramePanel): the file theme recomputes the form's
// frame after a reload, and other skinned components on the form take its
// style as their first one; controls placed on it take its colour as their parent's.
class ThemedFrame : public Themed {
public:
    virtual std::uint32_t frameColor() const = 0;
};

} // namespace corvane::skin
