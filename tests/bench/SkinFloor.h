// The floor of a skin extraction: the archive file read, its entry inflated in
// memory and written to the output file, with the C library's files as the reader uses.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <zlib.h>

namespace corvane::bench {

using FileBytes = std::vector<uint8_t>;

inline bool readWhole(const std::string& path, FileBytes& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fseek(f, 0, SEEK_END);
    const long n = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    const bool ok = n >= 0 && std::fread(out.data(), 1, out.size(), f) == out.size();
    std::fclose(f);
    return ok;
}

// Where the first entry's data starts, after its local header.
inline std::size_t firstEntryData(const FileBytes& file) {
    return file.size() < 30 ? file.size() : 30 + (file[26] | file[27] << 8) + (file[28] | file[29] << 8);
}

// `inflated` has the entry's size. The first entry must be stored unencrypted.
inline bool readInflateWrite(const std::string& archivePath, const std::string& outPath, FileBytes& file,
                             FileBytes& inflated) {
    if (!readWhole(archivePath, file)) return false;
    const std::size_t data = firstEntryData(file);
    if (data > file.size()) return false;
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return false;
    zs.next_in = file.data() + data;
    zs.avail_in = static_cast<uInt>(file.size() - data);
    zs.next_out = inflated.data();
    zs.avail_out = static_cast<uInt>(inflated.size());
    const int rc = inflate(&zs, Z_FINISH);
    inflateEnd(&zs);
    std::FILE* out = std::fopen(outPath.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(inflated.data(), 1, inflated.size(), out) == inflated.size();
    return std::fclose(out) == 0 && written && rc == Z_STREAM_END && zs.total_out == inflated.size();
}

} // namespace corvane::bench
