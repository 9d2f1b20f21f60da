// Enter, Escape and mnemonics for the skinned controls. While any exists, the
// message loop offers them, before the focused control acts, the Enter and
// Escape it does not want itself (ui::msg::DialogKey) and the characters it does not
// take (ui::msg::DialogChar, also every Alt+key); the first control that
// answers nonzero takes the key.
#pragma once
#include <windows.h>

#include "ui/Application.h"
#include "ui/Messages.h"

namespace corvane::skin {

// Controls that answer those messages implement this and keep the router in the
// message loop for their lifetime.
class DialogKeyTarget {
public:
    DialogKeyTarget();
    virtual ~DialogKeyTarget() = default;

private:
    ui::MessageObserverRegistration router_;
};

// Whether the Alt key is part of a key message's key data (or is held now).
bool AltHeld(LPARAM keyData);

} // namespace corvane::skin
