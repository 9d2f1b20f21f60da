#include "store/Options.h"
#include "store/IniNumbers.h"
#include "ui/Errors.h"
#include "ui/IniFile.h"

namespace corvane::store {

namespace {
struct Flag {
    const char* key;
    bool OptionFlags::*value;
};
constexpr Flag kFlags[] = {{"ExploreFolder", &OptionFlags::exploreFolder},
                           {"AskDelete", &OptionFlags::askDelete},
                           {"ShowTips", &OptionFlags::showTips}};
} // namespace

OptionFlags ReadOptions(const std::string& path) {
    ui::IniFile ini(path);
    OptionFlags options;
    for (const Flag& f : kFlags) options.*f.value = ParseOptionValue(ini.readString(kOptionsSection, f.key, ""), true);
    return options;
}

void WriteOptions(const std::string& path, const OptionFlags& options) {
    ui::IniFile ini(path);
    for (const Flag& f : kFlags)
        if (!ini.writeString(kOptionsSection, f.key, options.*f.value ? "1" : "0"))
            throw ui::UiError(ui::SystemMessageText("Unable to write to %s", ini.path()));
}

} // namespace corvane::store
