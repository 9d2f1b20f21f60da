#include "ui/Utf8File.h"

#ifdef _WIN32
#include "ui/WideText.h"
#endif

namespace corvane::ui {

std::FILE* OpenUtf8File(const std::string& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wpath = Widen(path), wmode = Widen(mode);
    if (wpath.empty()) return nullptr;
    return _wfopen(wpath.c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

bool RemoveUtf8File(const std::string& path) {
#ifdef _WIN32
    const std::wstring wpath = Widen(path);
    return !wpath.empty() && _wremove(wpath.c_str()) == 0;
#else
    return std::remove(path.c_str()) == 0;
#endif
}

} // namespace corvane::ui
