#include "app/PathRules.h"

namespace corvane::app {

std::string AliasFromPath(const std::string& path) {
    const auto slash = path.rfind('\\');
    if (slash == std::string::npos || slash + 1 == path.size()) return path;
    return path.substr(slash + 1);
}

} // namespace corvane::app
