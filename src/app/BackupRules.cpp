#include "app/BackupRules.h"
#include "app/StoreNames.h"
#include <algorithm>

namespace corvane::app {

namespace {
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

std::string FileExtension(const std::string& name) {
    const size_t dot = name.find_last_of(".\\:");
    if (dot == std::string::npos || name[dot] != '.') return {};
    return name.substr(dot);
}

std::string WithBackupExtension(const std::string& name) {
    std::string ext = FileExtension(name);
    for (char& c : ext) c = Upper(c);
    return ext == ".KVR" ? name : name + kBackupExtension;
}

std::string NormaliseBackupPath(const std::string& path) {
    std::string out = path;
    if (out.empty() || out.back() != '\\') out += '\\';
    for (char& c : out) c = Upper(c);
    return out;
}

bool SameFavourite(const std::string& alias, const std::string& path, const std::string& rowAlias,
                   const std::string& rowPath) {
    return rowAlias == alias && NormaliseBackupPath(rowPath) == NormaliseBackupPath(path);
}

int ParseBackupCount(const std::string& text) {
    int v = 0;
    return ParseIniInteger(text, v) ? v : 0;
}

std::vector<int> EntryIndices(const std::vector<std::string>& keyNames) {
    std::vector<int> out;
    for (const std::string& k : keyNames) {
        if (k.size() < 2 || k.size() > 11) continue;
        const char first = Upper(k[0]);
        if (first != 'N' && first != 'P') continue;
        if (k[1] < '0' || k[1] > '9') continue;
        if (k[1] == '0' && k.size() > 2) continue; // "N01" is not the key "N1"
        int i = 0;
        if (!ParseIniInteger(k.substr(1), i)) continue;
        out.push_back(i);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace corvane::app
