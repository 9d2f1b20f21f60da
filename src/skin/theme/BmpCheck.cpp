#include "skin/theme/BmpCheck.h"

namespace corvane::skin {

namespace {

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

// Walks an RLE8/RLE4 stream: every run and every absolute block must stay
// inside the picture and inside the data, and the stream must end with an
// end-of-bitmap command.
bool RleStreamSound(const uint8_t* p, std::size_t n, int64_t width, int64_t height, bool rle4) {
    std::size_t i = 0;
    int64_t x = 0, y = 0;
    while (i + 2 <= n) {
        const uint8_t a = p[i], b = p[i + 1];
        i += 2;
        if (a > 0) {
            x += a;
            if (x > width || y >= height) return false;
            continue;
        }
        switch (b) {
        case 0:
            x = 0;
            ++y;
            if (y > height) return false;
            break;
        case 1: return true;
        case 2:
            if (i + 2 > n) return false;
            x += p[i];
            y += p[i + 1];
            i += 2;
            if (x > width || y >= height) return false;
            break;
        default: {
            std::size_t bytes = rle4 ? (b + 1u) / 2u : b;
            bytes = (bytes + 1u) & ~static_cast<std::size_t>(1u);
            if (bytes > n - i) return false;
            i += bytes;
            x += b;
            if (x > width || y >= height) return false;
            break;
        }
        }
    }
    return false;
}

} // namespace

std::optional<BmpLayout> CheckBmp(const uint8_t* data, std::size_t size) {
    constexpr std::size_t kFileHeader = 14;
    if (!data || size < kFileHeader + 12 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    BmpLayout l;
    l.infoSize = Le32(data + kFileHeader);
    const uint32_t offBits = Le32(data + 10);
    if (l.infoSize > size - kFileHeader) return std::nullopt;
    const uint8_t* h = data + kFileHeader;

    uint32_t colours = 0;
    std::size_t colourEntry = 4;
    std::size_t extraMasks = 0;
    if (l.infoSize == 12) {
        l.width = Le16(h + 4);
        l.height = Le16(h + 6);
        if (Le16(h + 8) != 1) return std::nullopt;
        l.bitCount = Le16(h + 10);
        if (l.bitCount != 1 && l.bitCount != 4 && l.bitCount != 8 && l.bitCount != 24) return std::nullopt;
        colourEntry = 3;
        if (l.bitCount <= 8) colours = 1u << l.bitCount;
    } else if (l.infoSize == 40 || l.infoSize == 52 || l.infoSize == 56 || l.infoSize == 108 || l.infoSize == 124) {
        l.width = static_cast<int32_t>(Le32(h + 4));
        l.height = static_cast<int32_t>(Le32(h + 8));
        if (Le16(h + 12) != 1) return std::nullopt;
        l.bitCount = Le16(h + 14);
        l.compression = Le32(h + 16);
        const uint32_t clrUsed = Le32(h + 32);
        switch (l.bitCount) {
        case 1:
        case 4:
        case 8: {
            const uint32_t full = 1u << l.bitCount;
            if (clrUsed > full) return std::nullopt;
            colours = clrUsed ? clrUsed : full;
            break;
        }
        case 16:
        case 24:
        case 32:
            if (clrUsed > 256) return std::nullopt;
            colours = clrUsed;
            break;
        default: return std::nullopt;
        }
        switch (l.compression) {
        case kRgb: break;
        case kRle8:
            if (l.bitCount != 8 || l.height < 0) return std::nullopt;
            break;
        case kRle4:
            if (l.bitCount != 4 || l.height < 0) return std::nullopt;
            break;
        case kBitfields:
            if (l.bitCount != 16 && l.bitCount != 32) return std::nullopt;
            if (l.infoSize == 40) extraMasks = 12;
            break;
        default: return std::nullopt;
        }
    } else {
        return std::nullopt;
    }

    if (l.width <= 0 || l.height == 0 || l.height == INT32_MIN) return std::nullopt;
    const int64_t w = l.width;
    const int64_t absH = l.height < 0 ? -static_cast<int64_t>(l.height) : l.height;
    if (w > kBmpMaxSide || absH > kBmpMaxSide || w * absH > kBmpMaxPixels) return std::nullopt;

    const uint64_t tableEnd = kFileHeader + static_cast<uint64_t>(l.infoSize) + extraMasks +
                              static_cast<uint64_t>(colours) * colourEntry;
    if (tableEnd > offBits || offBits > size) return std::nullopt;
    l.bitsOffset = offBits;
    const std::size_t available = size - offBits;

    if (l.compression == kRle8 || l.compression == kRle4) {
        const uint32_t sizeImage = Le32(h + 20);
        if (sizeImage == 0 || sizeImage > available) return std::nullopt;
        if (!RleStreamSound(data + offBits, sizeImage, w, absH, l.compression == kRle4)) return std::nullopt;
        l.bitsSize = sizeImage;
    } else {
        const uint64_t stride = ((static_cast<uint64_t>(w) * l.bitCount + 31) / 32) * 4;
        const uint64_t need = stride * static_cast<uint64_t>(absH);
        if (need > available) return std::nullopt;
        l.bitsSize = static_cast<std::size_t>(need);
    }
    return l;
}

} // namespace corvane::skin
