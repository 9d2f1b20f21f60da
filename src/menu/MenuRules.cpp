#include "menu/MenuRules.h"

namespace corvane::menu {

namespace {
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
} // namespace

std::string MenuLabel(const std::string& alias, size_t maxChars) {
    size_t chars = 0, cut = 0;
    const size_t keep = maxChars > 3 ? maxChars - 3 : 0;
    for (size_t i = 0; i < alias.size(); ++i) {
        if (IsContinuation(alias[i])) continue;
        if (chars == keep) cut = i;
        ++chars;
    }
    std::string text = alias;
    if (chars > maxChars) {
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

FolderProbe::FolderProbe(ProbeHost& host, unsigned long budgetMs)
    : host_(host), start_(host.nowMs()), budget_(budgetMs) {}

DriveKind FolderProbe::kindOf(char letter) {
    const int i = (letter | 0x20) - 'a';
    if (!known_[i]) {
        kinds_[i] = host_.driveKind(letter);
        known_[i] = true;
    }
    return kinds_[i];
}

bool FolderProbe::looksPresent(const std::string& path, Found want) {
    const bool letter = path.size() >= 2 && path[1] == ':' && (path.size() == 2 || path[2] == '\\' || path[2] == '/') &&
                        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    // UNC paths, relative ones and anything else are not the menu's to judge while it is built.
    if (!letter) return true;
    switch (kindOf(path[0])) {
    case DriveKind::Missing: return false;
    case DriveKind::Other: return true;
    case DriveKind::Fixed: break;
    }
    if (host_.nowMs() - start_ >= budget_) return true;
    return host_.probe(path) == want;
}

} // namespace corvane::menu
