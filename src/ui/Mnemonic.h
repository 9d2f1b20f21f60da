// A caption's mnemonic: the character after its last single "&" ("&&" is a plain "&").
#pragma once
#include <string>

namespace corvane::ui {

// True when `ch` is the mnemonic of `caption`, compared without case in the user's locale.
bool IsMnemonic(char ch, const std::string& caption);

} // namespace corvane::ui
