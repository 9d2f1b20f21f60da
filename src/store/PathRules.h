// Rules about folder paths that need no platform.
#pragma once
#include <string>

namespace corvane::store {

// The text after the last backslash; a path without a backslash, or ending in one,
// is proposed whole ("D:\Music\Rock" gives "Rock", "C:\" gives "C:\").
std::string AliasFromPath(const std::string& path);

// Whether two stored paths name the same folder: letters compared without case (ASCII),
// one trailing backslash ignored except on a drive root ("C:\" and "c:" differ).
bool SamePath(const std::string& a, const std::string& b);

// A path whose folder may sit on another machine: UNC ("\\server\share"); drive
// letters are judged by the platform.
bool IsUncPath(const std::string& path);

} // namespace corvane::store
