// Opens a file named by a UTF-8 path: through the wide C runtime call on Windows, whose
// narrow fopen reads the name in the code page; as it is elsewhere.
#pragma once
#include <cstdio>
#include <string>

namespace corvane::ui {

std::FILE* OpenUtf8File(const std::string& path, const char* mode);
// Removes a file named by a UTF-8 path; true when it was removed.
bool RemoveUtf8File(const std::string& path);

} // namespace corvane::ui
