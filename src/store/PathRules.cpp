#include "store/PathRules.h"

namespace corvane::store {

std::string AliasFromPath(const std::string& path) {
    const auto slash = path.rfind('\\');
    if (slash == std::string::npos || slash + 1 == path.size()) return path;
    return path.substr(slash + 1);
}

namespace {
std::string Comparable(const std::string& path) {
    std::string s = path;
    if (s.size() > 1 && s.back() == '\\' && s[s.size() - 2] != ':') s.pop_back();
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}
} // namespace

bool SamePath(const std::string& a, const std::string& b) { return Comparable(a) == Comparable(b); }

bool IsUncPath(const std::string& path) {
    return path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
}

} // namespace corvane::store
