#include "ui/PictureScale.h"
#include <algorithm>

namespace corvane::ui {

namespace {

// The source pixels one new pixel covers along an axis, each with its share of it
// in units of 1/(to) of a source pixel.
struct Span {
    int first = 0;
    std::vector<int> weights;
};

std::vector<Span> Spans(int from, int to) {
    std::vector<Span> spans(static_cast<size_t>(to));
    for (int i = 0; i < to; ++i) {
        // New pixel i covers [i * from, (i + 1) * from) in units where a source pixel is `to` long.
        const long long begin = static_cast<long long>(i) * from, end = begin + from;
        Span& s = spans[static_cast<size_t>(i)];
        s.first = static_cast<int>(begin / to);
        for (long long p = s.first; p * to < end && p < from; ++p) {
            const long long lo = std::max(begin, p * to), hi = std::min(end, (p + 1) * to);
            s.weights.push_back(static_cast<int>(hi - lo));
        }
    }
    return spans;
}

// The source pixel under the centre of new pixel i.
int Nearest(int i, int from, int to) { return std::min(from - 1, static_cast<int>((2LL * i + 1) * from / (2LL * to))); }

} // namespace

Pixels ScalePixels(const Pixels& from, int width, int height, std::optional<std::uint32_t> key) {
    Pixels out;
    if (width <= 0 || height <= 0 || from.width <= 0 || from.height <= 0 ||
        from.data.size() < static_cast<size_t>(from.width) * static_cast<size_t>(from.height))
        return out;
    out.width = width;
    out.height = height;
    out.data.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    const auto at = [&](int x, int y) { return from.data[static_cast<size_t>(y) * from.width + x]; };
    if (width % from.width == 0 && height % from.height == 0) {
        // Plain repeats: exact, as pixel doubling at 200 percent should be.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out.data[static_cast<size_t>(y) * width + x] = at(x / (width / from.width), y / (height / from.height));
        return out;
    }
    const std::vector<Span> cols = Spans(from.width, width), rows = Spans(from.height, height);
    for (int y = 0; y < height; ++y) {
        const Span& row = rows[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            std::uint32_t& pixel = out.data[static_cast<size_t>(y) * width + x];
            if (key && at(Nearest(x, from.width, width), Nearest(y, from.height, height)) == *key) {
                pixel = *key;
                continue;
            }
            const Span& col = cols[static_cast<size_t>(x)];
            unsigned long long sum[3] = {0, 0, 0}, total = 0;
            for (size_t j = 0; j < row.weights.size(); ++j) {
                for (size_t i = 0; i < col.weights.size(); ++i) {
                    const std::uint32_t c = at(col.first + static_cast<int>(i), row.first + static_cast<int>(j));
                    if (key && c == *key) continue;
                    const unsigned long long w = static_cast<unsigned long long>(row.weights[j]) *
                                                 static_cast<unsigned long long>(col.weights[i]);
                    for (int k = 0; k < 3; ++k) sum[k] += ((c >> (8 * k)) & 0xFF) * w;
                    total += w;
                }
            }
            if (total == 0) { // cannot happen: the centre pixel is covered and not key
                pixel = at(Nearest(x, from.width, width), Nearest(y, from.height, height));
                continue;
            }
            std::uint32_t c = 0;
            for (int k = 0; k < 3; ++k) c |= static_cast<std::uint32_t>((sum[k] + total / 2) / total) << (8 * k);
            // A blend that lands on the key by chance would turn transparent: one step off it.
            if (key && c == *key) c ^= 1;
            pixel = c;
        }
    }
    return out;
}

} // namespace corvane::ui
