#include "skin/theme/FileThemeManager.h"
#include "ui/Utf8File.h"

#include <cstdio>
#include <exception>
#include <utility>

namespace corvane::skin {

namespace {

bool FileExists(const std::string& path) {
    std::FILE* f = ui::OpenUtf8File(path, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

} // namespace

bool FileThemeManager::load(const std::string& path, const std::string& password, const std::string& tempPath) {
    if (!FileExists(path)) return false;
    reader_.reset();
    ++generation_;
    try {
        auto fresh = std::make_unique<SkinFileReader>(path, password, tempPath);
        if (fresh->ready()) reader_ = std::move(fresh);
    } catch (const std::exception&) {
        reader_.reset();
    }
    return reader_ != nullptr;
}

void FileThemeManager::adopt(std::shared_ptr<const SkinFileReader> reader) {
    reader_ = std::move(reader);
    ++generation_;
}

std::span<const uint8_t> FileThemeManager::lookupBitmap(BitmapKey key) const {
    return reader_ ? reader_->lookupBitmap(SkinKeyName(key)) : std::span<const uint8_t>{};
}

bool FileThemeManager::lookupBool(BoolKey key) const { return reader_ && reader_->lookupBool(SkinKeyName(key)); }

int32_t FileThemeManager::lookupColor(ColorKey key) const {
    return reader_ ? reader_->lookupInt(SkinKeyName(key)) : -1;
}

int32_t FileThemeManager::lookupInt(IntKey key) const { return reader_ ? reader_->lookupInt(SkinKeyName(key)) : -1; }

} // namespace corvane::skin
