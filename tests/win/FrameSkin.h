// What every frame skin the tests and benchmarks write shares: side borders and title
// buttons in plain colours, the form and caption colours, and the title bar's offsets.
// Title and bottom pictures, region flags and row limits are each recipe's own.
#pragma once
#include <cstdint>

#include "skinpack/SkinWriter.h"

namespace corvane::test {

inline void AddFrameBasics(skinpack::DescriptionWriter& d, std::uint32_t transparent) {
    auto solid = [](int w, int h, std::uint32_t c) { return skinpack::MakeBmp24(w, h, [c](int, int) { return c; }); };
    d.addBitmap("SKIN2_FORMLEFTBORDER", solid(6, 4, 0x00FFFF));
    d.addBitmap("SKIN2_FORMRIGHTBORDER", solid(6, 4, 0xFFFF00));
    d.addBitmap("SKIN2_TITLEBUTTONS", solid(18 * 16, 16, 0x00C000));
    d.addInt("SKIN2_TRANSCOLOR", static_cast<std::int32_t>(transparent));
    d.addInt("SKIN2_FORMCOLOR", 0xE0E0E0);
    d.addInt("SKIN2_TITLEFONTCOLOR", 0xFFFFFF);
    d.addInt("SKIN2_TITLEBARBUTTONPOSY", 6);
    d.addInt("SKIN2_TITLEBARICONPOSY", 6);
    d.addInt("SKIN2_TITLEBARCAPTIONTOP", 8);
    d.addInt("SKIN2_TITLEBARICONPOSX", 6);
    d.addInt("SKIN2_TITLEBARBUTTONPOSX", 4);
}

} // namespace corvane::test
