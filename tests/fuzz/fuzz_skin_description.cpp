// Fuzzes the skin description parser and the BMP check behind it.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/theme/BmpCheck.h"
#include "skin/theme/SkinDescription.h"
#include "skin/theme/SkinKeys.h"

using namespace corvane::skin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    corvane::skin::SkinFileReader reader;
    const bool ok = reader.parse(std::vector<uint8_t>(data, data + size));
    if (ok != reader.ready()) std::abort();

    // Touch every answer so the sanitizers see any read outside the kept bytes.
    unsigned sum = 0;
    for (int i = 0; i < corvane::skin::kSkinKeyCount; ++i) {
        const char* name = corvane::skin::SkinKeyName(i);
        auto bmp = reader.lookupBitmap(name);
        if (!bmp.empty()) {
            auto layout = corvane::skin::CheckBmp(bmp.data(), bmp.size());
            if (!layout) std::abort(); // only checked bitmaps are handed out
            sum += bmp[0] + bmp[bmp.size() - 1] + bmp[layout->bitsOffset + layout->bitsSize - 1];
        }
        sum += static_cast<unsigned>(reader.lookupInt(name)) + reader.lookupBool(name);
    }
    for (const auto& name : reader.bitmapNames()) sum += static_cast<unsigned>(reader.lookupBitmap(name).size());
    if (!ok && sum != static_cast<unsigned>(-1) * corvane::skin::kSkinKeyCount) std::abort(); // not ready: nothing kept

    // Bitmaps inside skins are untrusted on their own too.
    auto layout = corvane::skin::CheckBmp(data, size);
    if (layout && layout->bitsOffset + layout->bitsSize > size) std::abort();
    return 0;
}
