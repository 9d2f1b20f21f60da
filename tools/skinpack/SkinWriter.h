#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane::skinpack {

using Bytes = std::vector<uint8_t>;

// Builds a skin description: items in the order added, then the terminator.
class DescriptionWriter {
public:
    void addBitmap(const std::string& name, Bytes bmp) { add(name, 0, std::move(bmp)); }
    void addInt(const std::string& name, int32_t value);
    void addBool(const std::string& name, bool value) { add(name, 2, Bytes{static_cast<uint8_t>(value ? 1 : 0)}); }
    void addString(const std::string& name, const std::string& text) { add(name, 3, Bytes(text.begin(), text.end())); }
    // Any kind byte, any data; tests use it for kinds the reader skips.
    void add(const std::string& name, uint8_t kind, Bytes data);

    // Header (24 bytes), the records one after another, then the items' data.
    Bytes build() const;
    // Offset of record `i` (the terminator is record size()) in what build() returns.
    static std::size_t recordOffset(std::size_t i);
    std::size_t size() const { return items_.size(); }

private:
    struct Item {
        std::string name;
        uint8_t kind;
        Bytes data;
    };
    std::vector<Item> items_;
};

struct EntryOptions {
    std::string password;        // non-empty: traditional PKWARE encryption
    bool dataDescriptor = false; // flag bit 3: the check byte comes from the time
    uint16_t modTime = 0x6C3A;
    uint16_t modDate = 0x5A21;
    std::optional<uint32_t> recordedSize; // uncompressed size to record instead of the real one
    bool stored = false;                  // method 0 instead of deflate
};

// Builds an archive in ZIP layout whose local headers say "SK" instead of "PK".
class ArchiveWriter {
public:
    void addEntry(const std::string& name, const Bytes& data, const EntryOptions& options = {});
    void setSignature(char a, char b) {
        sig_[0] = a;
        sig_[1] = b;
    }
    void setComment(const std::string& comment) { comment_ = comment; }
    Bytes build() const;

private:
    struct Entry {
        std::string name;
        Bytes payload;
        uint16_t flags, method, time, date;
        uint32_t crc, csize, usize;
    };
    std::vector<Entry> entries_;
    char sig_[2] = {'S', 'K'};
    std::string comment_;
};

// Raw deflate (no zlib header), best compression.
Bytes DeflateRaw(const Bytes& data);
uint32_t Crc32(const Bytes& data);

// A skin archive holding the description entry "SKINDATA.SK2", then any further
// entries (name, description bytes), such as the pictures drawn at other scales.
Bytes BuildSkin(const DescriptionWriter& description, const std::string& password = {},
                const std::vector<std::pair<std::string, Bytes>>& more = {});

// A 24-bit bottom-up BMP file; pixel(x, y) gives 0x00BBGGRR.
template <class Pixel>
Bytes MakeBmp24(int width, int height, Pixel pixel) {
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t bits = stride * static_cast<uint32_t>(height);
    Bytes b(54 + bits, 0);
    auto put32 = [&](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    put32(34, bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixel(x, y);
            uint8_t* p = &b[54 + static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3];
            p[0] = static_cast<uint8_t>(c >> 16);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c);
        }
    return b;
}

bool WriteFile(const std::string& path, const Bytes& data);
bool ReadFile(const std::string& path, Bytes& data);

} // namespace corvane::skinpack
