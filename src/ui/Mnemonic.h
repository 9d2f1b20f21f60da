// A caption's mnemonic: the character after its last single "&" ("&&" is a plain "&").
#pragma once
#include <string>

namespace corvane::ui {

// True when `ch` (a character message's UTF-16 unit) is the mnemonic of the UTF-8
// `caption`, compared without case in the user's locale.
bool IsMnemonic(unsigned ch, const std::string& caption);

} // namespace corvane::ui
