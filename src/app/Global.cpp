#include "app/Global.h"
#include "app/SortRules.h"
#include "ui/Errors.h"
#include "ui/IniFile.h"
#include <vector>

namespace corvane::app {

namespace {
std::string g_folderOverride;
} // namespace

std::string ExecutablePath() {
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<char> buf(size);
        DWORD n = GetModuleFileNameA(nullptr, buf.data(), size);
        if (n < size || size >= 32768) return std::string(buf.data(), n);
    }
}

std::string ProgramFolder() {
    if (!g_folderOverride.empty()) return g_folderOverride;
    std::string exe = ExecutablePath();
    auto slash = exe.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

void SetProgramFolderOverride(const std::string& folder) {
    g_folderOverride = folder;
    if (!g_folderOverride.empty() && g_folderOverride.back() != '\\') g_folderOverride += '\\';
}

std::string OptionsFilePath() { return ProgramFolder() + "options.ini"; }

void LoadSaveOptions(bool load) {
    ui::IniFile ini(OptionsFilePath());
    struct Flag { const char* key; bool* value; };
    const Flag flags[] = {{"ExploreFolder", &ExploreFolder}, {"AskDelete", &AskDelete}, {"ShowTips", &ShowTips}};
    for (const Flag& f : flags) {
        if (load) {
            *f.value = ParseOptionValue(ini.readString(kOptionsSection, f.key, ""), true);
        } else if (!ini.writeString(kOptionsSection, f.key, *f.value ? "1" : "0")) {
            throw ui::UiError(ui::formatMessage("Unable to write to %s", ini.path()));
        }
    }
}

std::string WindowsFolder(UINT(WINAPI* get)(LPSTR, UINT)) {
    // The first ask uses 128 characters; a longer path is read again in full.
    std::vector<char> buf(128, '\0');
    UINT n = get(buf.data(), static_cast<UINT>(buf.size()));
    if (n >= buf.size()) {
        buf.assign(n + 1, '\0');
        n = get(buf.data(), static_cast<UINT>(buf.size()));
        if (n >= buf.size()) n = 0;
    }
    return std::string(buf.data(), n);
}

} // namespace corvane::app
