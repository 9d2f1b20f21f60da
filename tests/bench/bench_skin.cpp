// Skin archive extraction beside its floor: reading the archive file, inflating the
// entry and writing the same output file. Encrypted extraction is set beside plain.
#include <algorithm>
#include <filesystem>
#include <string>

#include "Bench.h"
#include "SkinFloor.h"
#include "skin/theme/SkinArchive.h"
#include "skinpack/SkinWriter.h"

using namespace corvane::skin;

namespace {

using corvane::skinpack::Bytes;
using namespace corvane::bench;

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

} // namespace

CORVANE_BENCH(skin_archive_extract) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "corvane-bench-skin";
    fs::create_directories(dir);
    const std::string plainArchive = (dir / "plain.ssk").string(), encryptedArchive = (dir / "encrypted.ssk").string();
    const std::string out = (dir / "out.sk2").string();
    const std::string entry = "SKINDATA.SK2", password = "bench";

    const Bytes data = pictureBytes(1u << 20);
    for (const auto& [path, pw] : {std::pair{plainArchive, std::string()}, std::pair{encryptedArchive, password}}) {
        corvane::skinpack::ArchiveWriter writer;
        corvane::skinpack::EntryOptions options;
        options.password = pw;
        writer.addEntry(entry, data, options);
        if (!corvane::skinpack::WriteFile(path, writer.build())) {
            problem("cannot write " + path);
            return;
        }
    }
    // The deciphering the encrypted entry needs, on its own: the archive's bytes
    // from the entry's data on (what the reader deciphers).
    Bytes encryptedFile;
    readWhole(encryptedArchive, encryptedFile);
    const std::size_t dataAt = std::min(firstEntryData(encryptedFile), encryptedFile.size());
    const Bytes encryptedData(encryptedFile.begin() + static_cast<std::ptrdiff_t>(dataAt), encryptedFile.end());
    Bytes work;

    // Every run's output file is compared with the entry, untimed.
    auto outputIsEntry = [&] {
        Bytes got;
        return readWhole(out, got) && got == data;
    };
    int result = -1;
    Bytes file, inflated(data.size());
    Side plain = side(
        "", nullptr, [&] { result = corvane::skin::ExtractSkinEntry(plainArchive, entry, out, ""); },
        [&] { return result == corvane::skin::kSkinEntryExtracted && outputIsEntry(); });
    Side encrypted = side(
        "", nullptr, [&] { result = corvane::skin::ExtractSkinEntry(encryptedArchive, entry, out, password); },
        [&] { return result == corvane::skin::kSkinEntryExtracted && outputIsEntry(); });
    Side floor = checkedSide([&] { return readInflateWrite(plainArchive, out, file, inflated); }, outputIsEntry);
    Side decipher = side(
        "decipher " + std::to_string(encryptedData.size()) + " bytes", [&] { work = encryptedData; },
        [&] { corvane::skin::PkwareCipher(password).decrypt(work.data(), work.size()); });
    interleave({&plain, &encrypted, &floor, &decipher}, 3, 41);

    report("extract 1 MiB entry vs read+inflate+write", plain, floor);
    report("extract encrypted entry vs read+inflate+write", encrypted, floor);
    reportExtra(decipher);
    report("encrypted vs plain extraction", encrypted, plain);
    reportValue("compressed size", static_cast<double>(corvane::skinpack::DeflateRaw(data).size()), "bytes");

    std::error_code ec;
    fs::remove_all(dir, ec);
}
