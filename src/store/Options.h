// The options file: "options.ini" beside the program, section "Options", read by the
// editor and the Corvane menu.
#pragma once
#include <string>

namespace corvane::store {

// The three option flags; all true until the options file says otherwise.
struct OptionFlags {
    bool exploreFolder = true;
    bool askDelete = true;
    bool showTips = true;
};

constexpr const char* kOptionsSection = "Options";
constexpr const char* kOptionsFileName = "options.ini";

// Reads the three flags (default true for a missing file, key or non-number); never
// creates the file.
OptionFlags ReadOptions(const std::string& path);
// Writes all three; throws UiError "Unable to write to %s" when the file cannot be written.
void WriteOptions(const std::string& path, const OptionFlags& options);

} // namespace corvane::store
