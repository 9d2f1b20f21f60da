// Existence tests for files and folders; a relative path is taken from the current folder.
#pragma once
#include <string>

namespace corvane::ui {

bool fileExists(const std::string& path);       // an existing file, not a folder
bool directoryExists(const std::string& path);  // an existing folder

} // namespace corvane::ui
