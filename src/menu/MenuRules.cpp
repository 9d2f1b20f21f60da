#include "menu/MenuRules.h"

namespace corvane::menu {

std::string MenuLabel(const std::string& alias, size_t maxChars, bool (*isLeadByte)(unsigned char)) {
    std::string text = alias;
    if (text.size() > maxChars) {
        const size_t keep = maxChars > 3 ? maxChars - 3 : 0;
        size_t cut = 0;
        while (cut < keep) {
            const size_t step = isLeadByte && isLeadByte(static_cast<unsigned char>(text[cut])) ? 2 : 1;
            if (cut + step > keep) break;
            cut += step;
        }
        text.resize(cut);
        text += "...";
    }
    std::string label;
    label.reserve(text.size() + 4);
    for (char c : text) {
        if (c == '&') label += '&';
        label += c;
    }
    return label;
}

bool MenuFits(unsigned long ids) { return ids >= FirstFavouriteOffset; }

int FavouritesThatFit(int count, unsigned long ids) {
    if (!MenuFits(ids) || count <= 0) return 0;
    const unsigned long room = ids - FirstFavouriteOffset;
    return static_cast<unsigned long>(count) <= room ? count : static_cast<int>(room);
}

} // namespace corvane::menu
