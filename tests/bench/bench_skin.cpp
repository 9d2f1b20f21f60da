// Skin archive extraction beside zlib's raw inflate of the same bytes in memory.
#include <cstdio>
#include <filesystem>
#include <string>

#include <zlib.h>

#include "Bench.h"
#include "skin/theme/SkinArchive.h"
#include "skinpack/SkinWriter.h"

using namespace corvane::skin;

namespace {

using corvane::skinpack::Bytes;

// Picture-like data: runs and gradients, compresses roughly as skin bitmaps do.
Bytes pictureBytes(std::size_t n) {
    Bytes b(n);
    uint32_t x = 7;
    for (std::size_t i = 0; i < n; ++i) {
        x = x * 1664525u + 1013904223u;
        b[i] = static_cast<uint8_t>((i / 3) % 251 + ((x >> 29) == 0 ? (x >> 20) & 15 : 0));
    }
    return b;
}

bool inflateInMemory(const Bytes& packed, Bytes& out) {
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return false;
    zs.next_in = const_cast<Bytef*>(packed.data());
    zs.avail_in = static_cast<uInt>(packed.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&zs, Z_FINISH);
    inflateEnd(&zs);
    return rc == Z_STREAM_END && zs.total_out == out.size();
}

void benchOne(const char* label, const std::string& password) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "corvane-bench-skin";
    fs::create_directories(dir);
    const std::string archive = (dir / "bench.ssk").string(), out = (dir / "out.sk2").string();

    const Bytes data = pictureBytes(1u << 20);
    corvane::skinpack::ArchiveWriter writer;
    corvane::skinpack::EntryOptions options;
    options.password = password;
    writer.addEntry("SKINDATA.SK2", data, options);
    if (!corvane::skinpack::WriteFile(archive, writer.build())) {
        std::printf("cannot write %s\n", archive.c_str());
        return;
    }
    const Bytes packed = corvane::skinpack::DeflateRaw(data);

    int result = -1;
    const double product = corvane::bench::timeBest(15, nullptr, [&] {
        result = corvane::skin::ExtractSkinEntry(archive, "SKINDATA.SK2", out, password);
    });
    Bytes inflated(data.size());
    bool ok = false;
    const double bare = corvane::bench::timeBest(15, nullptr, [&] { ok = inflateInMemory(packed, inflated); });
    if (result != 0 || !ok || inflated != data) std::printf("%s: extraction failed (%d)\n", label, result);
    corvane::bench::report(label, product, "zlib raw inflate, memory", bare);
    corvane::bench::reportValue("  compressed size", static_cast<double>(packed.size()), "bytes");

    std::error_code ec;
    fs::remove_all(dir, ec);
}

} // namespace

CORVANE_BENCH(SkinArchiveExtract) {
    benchOne("ExtractSkinEntry, 1 MiB entry", "");
    benchOne("ExtractSkinEntry, 1 MiB entry, encrypted", "bench");
}
