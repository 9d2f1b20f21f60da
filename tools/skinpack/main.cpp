// skinpack: writes a skin file (.ssk) from a folder of BMP files and a text
// file of values.
//
//   skinpack [--password TEXT] [--values FILE] [--description-only] FOLDER OUTPUT
//   skinpack --seed-corpus DIR
//
// Every *.bmp in FOLDER becomes a bitmap item named after the file without its
// extension (SKIN2_TITLEBAR1.bmp -> SKIN2_TITLEBAR1), in name order. The values
// file (default FOLDER/values.txt, optional) holds one item per line:
//
//   # comment; blank lines are ignored too
//   int    NAME VALUE    decimal, or hex with 0x; may be negative
//   color  NAME VALUE    same as int, a colour 0x00BBGGRR
//   bool   NAME VALUE    0, 1, true or false
//   string NAME TEXT     the rest of the line, leading blanks dropped
//   bitmap NAME FILE     a BMP file, relative to FOLDER, under any name
//
// Items are written in this order: the folder's bitmaps, then the values file
// from top to bottom. --description-only writes the bare description instead of
// the archive. Subfolders 150 and 200 of FOLDER, when there, hold the same pictures
// drawn at 150 and 200 percent; each becomes an entry of its own (SKINDATA150.SK2,
// SKINDATA200.SK2) of bitmap items. --seed-corpus writes fuzzing seeds to DIR/archive and
// DIR/description.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "skin/theme/BmpCheck.h"
#include "skinpack/SkinWriter.h"

using namespace corvane::skin;

namespace fs = std::filesystem;
using namespace corvane::skinpack;

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "skinpack: %s\n", message.c_str());
    return 1;
}

bool ParseInt(const std::string& text, int32_t& out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > 0xFFFFFFFFLL) return false;
    out = static_cast<int32_t>(static_cast<uint32_t>(v));
    return true;
}

bool LoadBmp(const fs::path& path, Bytes& out, std::string& error) {
    if (!ReadFile(path.string(), out)) {
        error = "cannot read " + path.string();
        return false;
    }
    if (!corvane::skin::CheckBmp(out.data(), out.size())) {
        error = path.string() + " is not a BMP file a skin can carry";
        return false;
    }
    return true;
}

bool ReadValues(const fs::path& file, const fs::path& folder, DescriptionWriter& w, std::string& error) {
    std::ifstream in(file);
    if (!in) {
        error = "cannot read " + file.string();
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream s(line);
        std::string kind, name;
        s >> kind;
        if (kind.empty() || kind[0] == '#') continue;
        s >> name;
        std::string rest;
        std::getline(s, rest);
        const std::size_t textStart = rest.find_first_not_of(" \t");
        rest.erase(0, textStart == std::string::npos ? rest.size() : textStart);
        const std::string where = file.string() + ":" + std::to_string(number) + ": ";
        if (name.empty() || name.size() > 64) {
            error = where + "item name missing or longer than 64 characters";
            return false;
        }
        std::string value = rest;
        value.erase(value.find_last_not_of(" \t") + 1);
        int32_t n = 0;
        if (kind == "int" || kind == "color") {
            if (!ParseInt(value, n)) {
                error = where + "not an integer: " + value;
                return false;
            }
            w.addInt(name, n);
        } else if (kind == "bool") {
            if (value == "true" || value == "1") w.addBool(name, true);
            else if (value == "false" || value == "0") w.addBool(name, false);
            else {
                error = where + "not a boolean: " + value;
                return false;
            }
        } else if (kind == "string") {
            w.addString(name, rest); // trailing blanks are part of the text
        } else if (kind == "bitmap") {
            Bytes bmp;
            if (!LoadBmp(folder / value, bmp, error)) {
                error = where + error;
                return false;
            }
            w.addBitmap(name, std::move(bmp));
        } else {
            error = where + "unknown kind: " + kind;
            return false;
        }
    }
    return true;
}

Bytes PaletteBmp8(int w, int h, bool rle) {
    // 8-bit with a 4-colour table; RLE8 as runs of one row each.
    Bytes bits;
    if (rle) {
        for (int y = 0; y < h; ++y) {
            bits.push_back(static_cast<uint8_t>(w));
            bits.push_back(static_cast<uint8_t>(y & 3));
            bits.push_back(0);
            bits.push_back(0);
        }
        bits.push_back(0);
        bits.push_back(1);
    } else {
        const int stride = (w + 3) & ~3;
        bits.assign(static_cast<std::size_t>(stride) * h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                bits[static_cast<std::size_t>(y) * stride + x] = static_cast<uint8_t>((x + y) & 3);
    }
    Bytes b(14 + 40 + 16, 0);
    auto put32 = [&](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(10, 14 + 40 + 16);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    b[26] = 1;
    b[28] = 8;
    put32(30, rle ? 1 : 0);
    put32(34, static_cast<uint32_t>(bits.size()));
    put32(46, 4);
    const uint32_t colours[4] = {0xFF00FF, 0x202020, 0xE8E8E8, 0x0080FF};
    for (int i = 0; i < 4; ++i) put32(54 + 4 * i, colours[i]);
    // resize + memcpy: GCC 12 misreads the insert of a vector that may be empty.
    const std::size_t header = b.size();
    b.resize(header + bits.size());
    if (!bits.empty()) std::memcpy(b.data() + header, bits.data(), bits.size());
    put32(2, static_cast<uint32_t>(b.size()));
    return b;
}

DescriptionWriter SampleSkin() {
    DescriptionWriter w;
    w.addBitmap("SKIN2_TITLEBAR1",
                MakeBmp24(6, 4, [](int x, int y) { return static_cast<uint32_t>(x * 40 + (y << 12)); }));
    w.addBitmap("SKIN2_BUTTON", PaletteBmp8(5, 3, false));
    w.addBitmap("SKIN2_CHECKBOX", PaletteBmp8(7, 2, true));
    w.addInt("SKIN2_TRANSCOLOR", 0xFF00FF);
    w.addInt("SKIN2_TITLEBARICONPOSX", 4);
    w.addInt("skin2_formcolor", 0xE8E8E8);
    w.addBool("SKIN2_TITLEFIVESECT", true);
    w.addBool("SKIN2_BUTTONTRANS", false);
    w.addString("SKIN2_AUTHOR", "Corvane");
    w.add("SKIN2_UNKNOWN", 9, Bytes{1, 2, 3});
    w.addInt("SKIN2_TRANSCOLOR", 7);
    return w;
}

int SeedCorpus(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir / "archive", ec);
    fs::create_directories(dir / "description", ec);
    if (ec) return Fail("cannot create " + dir.string());
    const DescriptionWriter skin = SampleSkin();
    DescriptionWriter empty;
    bool ok = true;
    auto put = [&](const fs::path& p, const Bytes& b) { ok = WriteFile(p.string(), b) && ok; };
    put(dir / "description" / "sample.sk2", skin.build());
    put(dir / "description" / "empty.sk2", empty.build());
    put(dir / "archive" / "sample.ssk", BuildSkin(skin));
    put(dir / "archive" / "empty.ssk", BuildSkin(empty));
    // The fuzz target deciphers with the password "fuzz".
    put(dir / "archive" / "encrypted.ssk", BuildSkin(skin, "fuzz"));
    {
        ArchiveWriter a;
        EntryOptions o;
        o.password = "fuzz";
        o.dataDescriptor = true;
        a.addEntry("readme.txt", Bytes{'h', 'i'});
        a.addEntry("skindata.sk2", skin.build(), o);
        put(dir / "archive" / "two-entries.ssk", a.build());
    }
    return ok ? 0 : Fail("cannot write the seeds to " + dir.string());
}

} // namespace

// Every *.bmp of `folder`, in name order, as bitmap items named after the file.
bool AddFolderBitmaps(const fs::path& folder, DescriptionWriter& w, std::string& error) {
    std::error_code ec;
    std::vector<fs::path> bitmaps;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        std::string ext = e.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (e.is_regular_file() && ext == ".bmp") bitmaps.push_back(e.path());
    }
    if (ec) {
        error = "cannot list " + folder.string();
        return false;
    }
    std::sort(bitmaps.begin(), bitmaps.end());
    for (const fs::path& p : bitmaps) {
        Bytes bmp;
        if (!LoadBmp(p, bmp, error)) return false;
        w.addBitmap(p.stem().string(), std::move(bmp));
    }
    return true;
}

int main(int argc, char** argv) {
    std::string password, valuesFile;
    bool descriptionOnly = false;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--seed-corpus" && i + 1 < argc) return SeedCorpus(argv[++i]);
        if (a == "--password" && i + 1 < argc) password = argv[++i];
        else if (a == "--values" && i + 1 < argc) valuesFile = argv[++i];
        else if (a == "--description-only") descriptionOnly = true;
        else if (!a.empty() && a[0] == '-') return Fail("unknown option " + a);
        else positional.push_back(a);
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "usage: skinpack [--password TEXT] [--values FILE] [--description-only] FOLDER OUTPUT\n"
                             "       skinpack --seed-corpus DIR\n");
        return 2;
    }
    const fs::path folder = positional[0];
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return Fail(folder.string() + " is not a folder");

    DescriptionWriter w;
    std::string error;
    try {
        if (!AddFolderBitmaps(folder, w, error)) return Fail(error);
        fs::path values = valuesFile.empty() ? folder / "values.txt" : fs::path(valuesFile);
        if ((!valuesFile.empty() || fs::exists(values, ec)) && !ReadValues(values, folder, w, error))
            return Fail(error);
        // Pictures drawn at 150 and 200 percent, under the 96-DPI pictures' names.
        std::vector<std::pair<std::string, Bytes>> larger;
        for (const auto& [sub, entry] : {std::pair{"150", "SKINDATA150.SK2"}, std::pair{"200", "SKINDATA200.SK2"}}) {
            if (descriptionOnly || !fs::is_directory(folder / sub, ec)) continue;
            DescriptionWriter scaled;
            if (!AddFolderBitmaps(folder / sub, scaled, error)) return Fail(error);
            larger.emplace_back(entry, scaled.build());
        }
        const Bytes out = descriptionOnly ? w.build() : BuildSkin(w, password, larger);
        if (!WriteFile(positional[1], out)) return Fail("cannot write " + positional[1]);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
    std::printf("skinpack: %zu items written to %s\n", w.size(), positional[1].c_str());
    return 0;
}
