#include "app/BackupRules.h"
#include <algorithm>
#include <cstdint>

namespace corvane::app {

namespace {
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Digits of `base` from `pos` to the end, at least one, value within int.
bool parseDigits(const std::string& s, size_t pos, int base, bool negative, int& out) {
    if (pos >= s.size()) return false;
    int64_t v = 0;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (size_t i = pos; i < s.size(); ++i) {
        char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * base + d;
        if (v > limit) return false;
    }
    out = static_cast<int>(negative ? -v : v);
    return true;
}
} // namespace

std::string FileExtension(const std::string& name) {
    const size_t dot = name.find_last_of(".\\:");
    if (dot == std::string::npos || name[dot] != '.') return {};
    return name.substr(dot);
}

std::string WithBackupExtension(const std::string& name) {
    std::string ext = FileExtension(name);
    for (char& c : ext) c = upper(c);
    return ext == ".KVR" ? name : name + kBackupExtension;
}

std::string NormaliseBackupPath(const std::string& path) {
    std::string out = path;
    if (out.empty() || out.back() != '\\') out += '\\';
    for (char& c : out) c = upper(c);
    return out;
}

bool SameFavourite(const std::string& alias, const std::string& path, const std::string& rowAlias,
                   const std::string& rowPath) {
    return rowAlias == alias && NormaliseBackupPath(rowPath) == NormaliseBackupPath(path);
}

int ParseBackupCount(const std::string& text) {
    int v = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (!parseDigits(text, 2, 16, false, v)) return 0;
        return v;
    }
    size_t pos = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        pos = 1;
    }
    return parseDigits(text, pos, 10, negative, v) ? v : 0;
}

std::vector<int> EntryIndices(const std::vector<std::string>& keyNames) {
    std::vector<int> out;
    for (const std::string& k : keyNames) {
        if (k.size() < 2 || k.size() > 11) continue;
        const char first = upper(k[0]);
        if (first != 'N' && first != 'P') continue;
        if (k[1] == '0' && k.size() > 2) continue; // "N01" is not the key "N1"
        int i = 0;
        if (!parseDigits(k, 1, 10, false, i)) continue;
        out.push_back(i);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace corvane::app
