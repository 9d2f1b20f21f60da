// Fuzzes the skin archive reader with whole archive files. Seeds: skinpack --seed-corpus.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "skin/theme/SkinArchive.h"
#include "skin/theme/SkinDescription.h"

using namespace corvane::skin;

namespace {

std::string scratch(const char* name) {
    static const std::string dir = [] {
        const char* shm = "/dev/shm";
        return std::string(access(shm, W_OK) == 0 ? shm : "/tmp");
    }();
    return dir + "/corvane-fuzz-" + std::to_string(getpid()) + "-" + name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string in = scratch("in.ssk"), out = scratch("out.sk2");
    std::FILE* f = std::fopen(in.c_str(), "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);

    // The seeds' encrypted entries use this password.
    const int result = corvane::skin::ExtractSkinEntry(in, "SKINDATA.SK2", out, "fuzz", 1u << 24);
    std::FILE* o = std::fopen(out.c_str(), "rb");
    if (result < 0 || result > 2) std::abort();
    if (result != 0 && o) std::abort(); // a failed extraction leaves no file behind
    if (result == 0) {
        if (!o) std::abort();
        std::fclose(o);
        corvane::skin::SkinFileReader reader;
        reader.loadDescriptionFile(out);
        std::remove(out.c_str());
    }
    return 0;
}
