// The Color of a skinned control: the colour of the window it sits on until one is
// set for the control itself.
#pragma once
#include <windows.h>
#include <cstdint>

namespace corvane::skin {

// The colour a skinned control takes from the window it sits on.
std::uint32_t ParentColorOf(HWND control);

class ParentedColor {
public:
    std::uint32_t of(HWND control) const { return inherit_ ? ParentColorOf(control) : own_; }
    void set(std::uint32_t c) {
        own_ = c;
        inherit_ = false;
    }

private:
    std::uint32_t own_ = 0;
    bool inherit_ = true;
};

} // namespace corvane::skin
