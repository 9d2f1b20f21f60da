#include "skin/frame/MenuBarLayout.h"

#include <algorithm>
#include <cctype>

namespace corvane::skin {

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Virtual-key codes, spelt out: this file does not see the platform's headers.
unsigned NamedKey(const std::string& name) {
    struct Named {
        const char* name;
        unsigned key;
    };
    static const Named keys[] = {
        {"BKSP", 0x08},   {"BACKSPACE", 0x08}, {"TAB", 0x09},    {"ENTER", 0x0D}, {"ESC", 0x1B},
        {"SPACE", 0x20},  {"PGUP", 0x21},      {"PGDN", 0x22},   {"END", 0x23},   {"HOME", 0x24},
        {"LEFT", 0x25},   {"UP", 0x26},        {"RIGHT", 0x27},  {"DOWN", 0x28},  {"INS", 0x2D},
        {"INSERT", 0x2D}, {"DEL", 0x2E},       {"DELETE", 0x2E}, {"+", 0xBB},
    };
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<unsigned char>(name[0]);
    for (const Named& n : keys)
        if (name == n.name) return n.key;
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F' &&
        std::all_of(name.begin() + 1, name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        const int n = std::stoi(name.substr(1));
        if (n >= 1 && n <= 24) return 0x70 + static_cast<unsigned>(n) - 1;
    }
    return 0;
}

} // namespace

ShortcutKey ParseShortcut(const std::string& text) {
    const std::string t = Upper(text);
    ShortcutKey k;
    size_t start = 0;
    while (start < t.size()) {
        size_t plus = t.find('+', start);
        // A '+' as the last part is the plus key itself ("Ctrl++").
        if (plus == start && plus + 1 == t.size()) plus = std::string::npos;
        const std::string part = t.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        if (plus == std::string::npos) {
            k.key = NamedKey(part);
            if (!k.key) return {};
            return k;
        }
        if (part == "CTRL") k.ctrl = true;
        else if (part == "SHIFT") k.shift = true;
        else if (part == "ALT") k.alt = true;
        else return {};
        start = plus + 1;
    }
    return {}; // nothing after the last '+'
}

std::vector<Rect> LayoutMenuBar(const std::vector<int>& captionWidths, int barWidth, int buttonHeight) {
    std::vector<Rect> out;
    int x = 0, y = 0;
    for (int w : captionWidths) {
        const int bw = std::max(w, 0) + kMenuBarButtonPadding;
        if (x > 0 && x + bw > barWidth) {
            x = 0;
            y += buttonHeight;
        }
        out.push_back({x, y, x + bw, y + buttonHeight});
        x += bw;
    }
    return out;
}

int MenuBarHeightFor(const std::vector<Rect>& buttons, int buttonHeight) {
    return buttons.empty() ? buttonHeight : buttons.back().bottom;
}

} // namespace corvane::skin
