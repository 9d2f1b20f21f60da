#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace corvane::skin {

// Where the parts of a checked BMP file lie, as offsets into its bytes.
struct BmpLayout {
    std::size_t infoOffset = 14; // BITMAPINFOHEADER (or core header) incl. masks and colour table
    std::size_t infoSize = 0;    // header size field
    std::size_t bitsOffset = 0;  // pixel data
    std::size_t bitsSize = 0;    // bytes of pixel data that the header describes
    int32_t width = 0;
    int32_t height = 0; // negative: rows run top-down
    uint16_t bitCount = 0;
    uint32_t compression = 0;
};

// Largest picture a skin may carry; skin pictures are small, and a bitmap the
// size of the screen many times over is an attack on memory, not art.
constexpr int32_t kBmpMaxSide = 16384;
constexpr int64_t kBmpMaxPixels = 16LL * 1024 * 1024;

// Checks that `data` is a complete BMP file that GDI can take without reading
// outside it: signature, header size, planes, bit depth, compression, colour
// table, dimensions, and pixel data (RLE streams walked command by command).
std::optional<BmpLayout> CheckBmp(const uint8_t* data, std::size_t size);

} // namespace corvane::skin
