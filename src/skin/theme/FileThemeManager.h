#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "skin/theme/SkinDescription.h"
#include "skin/theme/SkinKeys.h"

namespace corvane::skin {

// Holds at most one loaded skin and answers lookups by key. The Win32 file
// theme component wraps it and turns the bitmap bytes into GDI bitmaps.
class FileThemeManager {
public:
    // False, keeping the current skin, when `path` is not an existing file.
    // Otherwise the current skin is dropped and replaced by the new one when
    // that loads completely; on failure none remains. `tempPath` receives the
    // extracted description for the duration of the load.
    bool load(const std::string& path, const std::string& password, const std::string& tempPath);

    const SkinFileReader* reader() const { return reader_.get(); }
    // The loaded skin, for sharing with another manager; adopt() takes one so, and counts
    // as a successful replacement.
    std::shared_ptr<const SkinFileReader> sharedReader() const { return reader_; }
    void adopt(std::shared_ptr<const SkinFileReader> reader);
    // Counts successful and failed replacements, so that a wrapper can tell
    // when its cached bitmaps went stale.
    uint32_t generation() const { return generation_; }

    std::span<const uint8_t> lookupBitmap(BitmapKey key) const;
    bool lookupBool(BoolKey key) const;
    int32_t lookupColor(ColorKey key) const;
    int32_t lookupInt(IntKey key) const;

private:
    std::shared_ptr<const SkinFileReader> reader_;
    uint32_t generation_ = 0;
};

} // namespace corvane::skin
