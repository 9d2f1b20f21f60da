#include "skin/theme/SkinDescription.h"
#include "ui/Utf8File.h"

#include <cstdio>
#include <memory>

#include "skin/theme/BmpCheck.h"
#include "skin/theme/SkinArchive.h"

namespace corvane::skin {

namespace {

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

std::string FoldKey(std::string_view name) {
    std::string k(name);
    for (char& c : k)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return k;
}

bool Within(std::size_t size, uint64_t offset, uint64_t length) { return offset <= size && length <= size - offset; }

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};

} // namespace

SkinFileReader::SkinFileReader(const std::string& archivePath, const std::string& password, const std::string& tempPath,
                               const char* entryName) {
    extractResult_ = ExtractSkinEntry(archivePath, entryName, tempPath, password, kMaxDescriptionSize);
    if (extractResult_ != kSkinEntryExtracted) return;
    loadDescriptionFile(tempPath);
    ui::RemoveUtf8File(tempPath);
}

void SkinFileReader::clear() {
    data_.clear();
    data_.shrink_to_fit();
    bitmaps_.clear();
    bitmapOrder_.clear();
    ints_.clear();
    bools_.clear();
    strings_.clear();
    ready_ = false;
}

bool SkinFileReader::loadDescriptionFile(const std::string& path) {
    clear();
    std::unique_ptr<std::FILE, FileCloser> f(ui::OpenUtf8File(path, "rb"));
    if (!f || std::fseek(f.get(), 0, SEEK_END) != 0) return false;
    const long end = std::ftell(f.get());
    if (end < 0 || static_cast<uint64_t>(end) > kMaxDescriptionSize || std::fseek(f.get(), 0, SEEK_SET) != 0)
        return false;
    std::vector<uint8_t> bytes(static_cast<std::size_t>(end));
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) return false;
    return parse(std::move(bytes));
}

bool SkinFileReader::parse(std::vector<uint8_t> description) {
    clear();
    if (description.size() > kMaxDescriptionSize) return false;
    data_ = std::move(description);
    if (!parseRecords()) {
        clear();
        return false;
    }
    ready_ = true;
    return true;
}

bool SkinFileReader::parseRecords() {
    const std::size_t size = data_.size();
    const uint8_t* d = data_.data();
    if (size < 24) return false;
    const uint32_t headerLength = Le32(d + 12);
    if (headerLength < 24 || headerLength > size) return false;

    // Records do not overlap in any file a packer writes, so a chain longer
    // than this loops or overlaps itself.
    const std::size_t maxRecords = size / kRecordSize + 1;
    uint64_t at = Le32(d + 20);
    for (std::size_t count = 0;; ++count) {
        if (count >= maxRecords || !Within(size, at, kRecordSize)) return false;
        const uint8_t* r = d + at;
        const uint32_t next = Le32(r + 73);
        if (next == 0) return true;

        std::size_t nameLength = 0;
        while (nameLength < kNameField && r[nameLength] != 0) ++nameLength;
        const std::string_view name(reinterpret_cast<const char*>(r), nameLength);
        const uint8_t kind = r[64];
        const uint32_t dataOffset = Le32(r + 65);
        const uint32_t dataLength = Le32(r + 69);

        switch (kind) {
        case Bitmap: {
            if (!Within(size, dataOffset, dataLength)) return false;
            // Every bitmap item must be sound, duplicates included: the skin as
            // a whole is refused rather than half drawn.
            if (!CheckBmp(d + dataOffset, dataLength)) return false;
            if (bitmaps_.emplace(FoldKey(name), Span{dataOffset, dataLength}).second) bitmapOrder_.emplace_back(name);
            break;
        }
        case Integer: {
            if (!Within(size, dataOffset, 4)) return false;
            ints_.emplace(FoldKey(name), static_cast<int32_t>(Le32(d + dataOffset)));
            break;
        }
        case Boolean: {
            if (!Within(size, dataOffset, 1)) return false;
            bools_.emplace(FoldKey(name), d[dataOffset]);
            break;
        }
        case Text: {
            if (!Within(size, dataOffset, dataLength)) return false;
            strings_.emplace(FoldKey(name), Span{dataOffset, dataLength});
            break;
        }
        default: break;
        }
        at = next;
    }
}

std::span<const uint8_t> SkinFileReader::lookupBitmap(std::string_view name) const {
    auto it = bitmaps_.find(FoldKey(name));
    if (it == bitmaps_.end()) return {};
    return {data_.data() + it->second.offset, it->second.size};
}

bool SkinFileReader::has(Kind kind, std::string_view name) const {
    const std::string key = FoldKey(name);
    switch (kind) {
    case Bitmap: return bitmaps_.count(key) != 0;
    case Integer: return ints_.count(key) != 0;
    case Boolean: return bools_.count(key) != 0;
    case Text: return strings_.count(key) != 0;
    }
    return false;
}

int32_t SkinFileReader::lookupInt(std::string_view name) const {
    auto it = ints_.find(FoldKey(name));
    return it == ints_.end() ? -1 : it->second;
}

bool SkinFileReader::lookupBool(std::string_view name) const {
    auto it = bools_.find(FoldKey(name));
    return it != bools_.end() && it->second != 0;
}

std::string_view SkinFileReader::lookupString(std::string_view name, bool* found) const {
    auto it = strings_.find(FoldKey(name));
    if (found) *found = it != strings_.end();
    if (it == strings_.end()) return {};
    return {reinterpret_cast<const char*>(data_.data()) + it->second.offset, it->second.size};
}

} // namespace corvane::skin
