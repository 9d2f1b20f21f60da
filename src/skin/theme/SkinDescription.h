#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane::skin {

// Reads a skin description ("SKINDATA.SK2" inside a skin archive) and keeps
// its items in four lists by name. Names compare without regard to a-z case;
// when a name occurs twice in one list the first item wins.
//
// Layout: a 24-byte header whose dword at 12 is the header length and whose
// dword at 20 is the offset of the first record; 77-byte records (64-byte
// name, kind, data offset, data length, next-record offset). The record whose
// next offset is 0 ends the chain and carries nothing.
class SkinFileReader {
public:
    static constexpr const char* kEntryName = "SKINDATA.SK2";
    // Pictures drawn at 150 and 200 percent, under the same names, in entries of their own
    // that readers of the skin at 96 DPI never open.
    static constexpr const char* kEntry150 = "SKINDATA150.SK2";
    static constexpr const char* kEntry200 = "SKINDATA200.SK2";
    static constexpr std::size_t kRecordSize = 77;
    static constexpr std::size_t kNameField = 64;
    // Far beyond any real skin; keeps a hostile archive from making us read
    // gigabytes into memory.
    static constexpr uint64_t kMaxDescriptionSize = 64ull * 1024 * 1024;

    enum Kind : uint8_t { Bitmap = 0, Integer = 1, Boolean = 2, Text = 3 };

    SkinFileReader() = default;
    // Extracts the description from the archive into `tempPath`, parses it and
    // deletes the temporary copy again, whatever the outcome.
    SkinFileReader(const std::string& archivePath, const std::string& password, const std::string& tempPath,
                   const char* entryName = kEntryName);

    // Result of the extraction step (0, 1 or 2), or -1 when none was run.
    int extractResult() const { return extractResult_; }

    bool loadDescriptionFile(const std::string& path);
    bool parse(std::vector<uint8_t> description);

    bool ready() const { return ready_; }

    // The item's BMP file bytes, already checked by CheckBmp; empty when absent.
    std::span<const uint8_t> lookupBitmap(std::string_view name) const;
    // -1 when absent.
    int32_t lookupInt(std::string_view name) const;
    // False when absent; true when the stored byte is non-zero.
    bool lookupBool(std::string_view name) const;
    // Whether an item of that kind and name was loaded; lookups cannot tell an
    // absent integer from a stored -1.
    bool has(Kind kind, std::string_view name) const;
    // Kept for completeness; nothing in the product reads them.
    std::string_view lookupString(std::string_view name, bool* found = nullptr) const;

    // Names of the bitmap items in record order, first of each name only.
    const std::vector<std::string>& bitmapNames() const { return bitmapOrder_; }
    std::size_t integerCount() const { return ints_.size(); }
    std::size_t booleanCount() const { return bools_.size(); }
    std::size_t stringCount() const { return strings_.size(); }

private:
    struct Span {
        std::size_t offset = 0, size = 0;
    };

    void clear();
    bool parseRecords();

    std::vector<uint8_t> data_;
    std::unordered_map<std::string, Span> bitmaps_;
    std::vector<std::string> bitmapOrder_;
    std::unordered_map<std::string, int32_t> ints_;
    std::unordered_map<std::string, uint8_t> bools_;
    std::unordered_map<std::string, Span> strings_;
    bool ready_ = false;
    int extractResult_ = -1;
};

} // namespace corvane::skin
