#include "store/Handover.h"
#include <cstring>

namespace corvane::store {

std::string EncodeFolderHandover(const std::string& alias, const std::string& path) {
    std::string data = alias;
    data += '\0';
    data += path;
    data += '\0';
    return data;
}

bool DecodeFolderHandover(const void* data, size_t size, std::string& alias, std::string& path) {
    if (!data || size < 3 || size > kMaxHandoverBytes) return false;
    const char* bytes = static_cast<const char*>(data);
    const void* firstNul = std::memchr(bytes, '\0', size);
    if (!firstNul) return false;
    const size_t aliasLength = static_cast<const char*>(firstNul) - bytes;
    const char* rest = bytes + aliasLength + 1;
    const size_t restSize = size - aliasLength - 1;
    const void* secondNul = std::memchr(rest, '\0', restSize);
    if (!secondNul) return false;
    const size_t pathLength = static_cast<const char*>(secondNul) - rest;
    if (pathLength == 0 || pathLength + 1 != restSize) return false;
    alias.assign(bytes, aliasLength);
    path.assign(rest, pathLength);
    return true;
}

} // namespace corvane::store
