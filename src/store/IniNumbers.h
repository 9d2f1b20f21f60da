// How the program reads integers from its INI files (options and backup files).
#pragma once
#include <string>

namespace corvane::store {

// Hexadecimal after "0x"/"0X" when the text is longer than two characters, decimal
// (with an optional sign) otherwise; the whole text must be the number and it must fit
// in a 32-bit int. Returns false for anything else.
bool ParseIniInteger(const std::string& text, int& out);

// An option flag: non-zero is true; a text that is not an integer gives `def`.
bool ParseOptionValue(const std::string& text, bool def);

} // namespace corvane::store
