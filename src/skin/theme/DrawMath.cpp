#include "skin/theme/DrawMath.h"

#include <cmath>

namespace corvane::skin {

PartColumns BitmapPartColumns(int sourceWidth, int partCount, int partNo) {
    if (sourceWidth <= 0) return {};
    if (partCount <= 0) return {0, sourceWidth};
    // A part number outside the strip would copy columns that are not there.
    if (partNo < 1) partNo = 1;
    if (partNo > partCount) partNo = partCount;
    const int w = sourceWidth / partCount;
    if (partNo == partCount) return {sourceWidth - w, w};
    return {w * (partNo - 1), w};
}

namespace {

int Channel(uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

int GradientChannel(int start, int end, int span, int factor) {
    const double step = static_cast<double>(end - start) / static_cast<double>(span);
    const int v = start + static_cast<int>(std::trunc(step * static_cast<double>(factor)));
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

} // namespace

uint32_t GradientColorAt(uint32_t start, uint32_t end, int span, int factor) {
    if (span == 0) return start;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= static_cast<uint32_t>(GradientChannel(Channel(start, shift), Channel(end, shift), span, factor))
               << shift;
    return out;
}

} // namespace corvane::skin
