// Arithmetic behind the shared drawing routines, kept free of the platform so
// that the host tests can check it exactly.
#pragma once
#include <cstdint>

namespace corvane::skin {

// Columns of part `partNo` (from 1) of `partCount` equal-width parts of a
// picture `sourceWidth` wide. The last part is the rightmost `width` columns,
// so columns left over by the division go with it.
struct PartColumns {
    int left = 0;
    int width = 0;
};
PartColumns BitmapPartColumns(int sourceWidth, int partCount, int partNo);

// One colour of a gradient: per channel start + trunc((end - start) / span * factor),
// in floating point and truncated toward zero. Colours are 0x00BBGGRR.
uint32_t GradientColorAt(uint32_t start, uint32_t end, int span, int factor);

} // namespace corvane::skin
