// Pictures drawn for 96 DPI, resized for another DPI. Platform-free (32-bit pixels,
// rows top-down), so it can be host-tested under the sanitizers.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace corvane::ui {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data; // width * height, 0x00RRGGBB as GDI lays out 32-bit DIBs
};

// `from` at width x height. Whole multiples repeat each pixel; other sizes average the
// area each new pixel covers. Where `key` is the transparent colour, which pixels are
// key is decided nearest-neighbour and key pixels never blend into others, so no mixed
// shade of it appears.
Pixels ScalePixels(const Pixels& from, int width, int height, std::optional<std::uint32_t> key = std::nullopt);

} // namespace corvane::ui
