// Fuzzes what the store reads from outside: the hand-over another process sends with
// WM_COPYDATA, the integers of the INI files, and the path rules applied to stored text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/Handover.h"
#include "store/IniNumbers.h"
#include "store/PathRules.h"

using namespace corvane::store;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string alias, path;
    if (DecodeFolderHandover(data, size, alias, path)) {
        // Only two whole texts filling the data are taken, and they are what was sent.
        if (size > kMaxHandoverBytes || path.empty()) std::abort();
        if (EncodeFolderHandover(alias, path) != text) std::abort();
    }
    int n = 0;
    if (ParseIniInteger(text, n)) {
        int again = 0;
        if (!ParseIniInteger(std::to_string(n), again) || again != n) std::abort();
    }
    if (ParseOptionValue(text, true) != ParseOptionValue(text, false) && ParseIniInteger(text, n)) std::abort();
    const std::string proposed = AliasFromPath(text);
    if (proposed.size() > text.size()) std::abort();
    if (!SamePath(text, text)) std::abort();
    (void)IsUncPath(text);
    return 0;
}
