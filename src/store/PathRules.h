// Rules about folder paths that need no platform: the alias proposed for a folder.
#pragma once
#include <string>

namespace corvane::app {

// The text after the last backslash; a path without a backslash, or ending in one,
// is proposed whole ("D:\Music\Rock" gives "Rock", "C:\" gives "C:\").
std::string AliasFromPath(const std::string& path);

} // namespace corvane::app
