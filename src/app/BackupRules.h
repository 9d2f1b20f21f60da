// The rules of backup files that need no platform: the file name's extension, the
// path comparison of Import, and how Count is read.
#pragma once
#include <string>
#include <vector>

namespace corvane::app {

constexpr const char* kBackupSection = "Corvane";
constexpr const char* kBackupExtension = ".kvr";

// The text from the last "." after the last "\" or ":", dot included; "" when there is none.
std::string FileExtension(const std::string& name);
// Appends ".kvr" unless the name's extension, upper-cased, is already ".KVR".
std::string WithBackupExtension(const std::string& name);

// A backslash appended unless the text ends in one, then a-z upper-cased (no other byte).
std::string NormaliseBackupPath(const std::string& path);
// An Import entry is already present when a row has this alias (byte for byte) and
// the same path after normalisation.
bool SameFavourite(const std::string& alias, const std::string& path, const std::string& rowAlias,
                   const std::string& rowPath);

// Count: decimal, or hexadecimal after "0x"/"0X"; missing, non-numeric or out of
// range reads as 0.
int ParseBackupCount(const std::string& text);

// The indices i, ascending and each once, of the keys N<i>/P<i> among a section's key
// names (compared without case, i written as the file's writer writes it: decimal
// without leading zeros). Every other entry reads as empty, which Import skips, so a
// huge Count costs nothing.
std::vector<int> EntryIndices(const std::vector<std::string>& keyNames);

} // namespace corvane::app
