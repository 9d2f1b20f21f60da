#include "skin/theme/SkinArchive.h"
#include "ui/Utf8File.h"

#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <zlib.h>

namespace corvane::skin {

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        t[n] = c;
    }
    return t;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t CrcByte(uint32_t crc, uint8_t b) { return kCrcTable[(crc ^ b) & 0xFFu] ^ (crc >> 8); }

constexpr uint32_t kKeyMultiplier = 134775813u;

// The key byte depends on bits 2..15 of key2 only (bit 1 is forced, bit 0 cancels).
constexpr uint8_t KeyByteOf(uint32_t bits2to15) {
    const uint32_t t = (bits2to15 << 2) | 2u;
    return static_cast<uint8_t>((t * (t ^ 1u)) >> 8);
}

// Low byte of the CRC entry of the key byte, by bits 2..15 of key2.
constexpr std::array<uint8_t, 0x4000> MakeKeyCrcLowTable() {
    std::array<uint8_t, 0x4000> t{};
    for (uint32_t i = 0; i < t.size(); ++i) t[i] = static_cast<uint8_t>(kCrcTable[KeyByteOf(i)]);
    return t;
}
constexpr std::array<uint8_t, 0x4000> kKeyCrcLow = MakeKeyCrcLowTable();

// Bits 2..15 of each CRC entry: the part of key2 that selects the next key byte.
constexpr std::array<uint16_t, 256> MakeCrcKeyBitsTable() {
    std::array<uint16_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) t[i] = static_cast<uint16_t>((kCrcTable[i] >> 2) & 0x3FFFu);
    return t;
}
constexpr std::array<uint16_t, 256> kCrcKeyBits = MakeCrcKeyBitsTable();

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kEncryptionHeaderSize = 12;
constexpr std::size_t kChunk = 0x10000;

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Read-only view of the archive; every read is checked against the size
// measured at open, so a hostile offset cannot reach past the end.
class ArchiveFile {
public:
    bool open(const std::string& path) {
        f_.reset(ui::OpenUtf8File(path, "rb"));
        if (!f_) return false;
        if (std::fseek(f_.get(), 0, SEEK_END) != 0) return false;
        long end = std::ftell(f_.get());
        if (end < 0) return false;
        size_ = static_cast<uint64_t>(end);
        return true;
    }
    uint64_t size() const { return size_; }
    bool fits(uint64_t pos, uint64_t n) const { return pos <= size_ && n <= size_ - pos; }
    bool readAt(uint64_t pos, void* buf, std::size_t n) {
        if (!fits(pos, n) || pos > static_cast<uint64_t>(LONG_MAX)) return false;
        if (std::fseek(f_.get(), static_cast<long>(pos), SEEK_SET) != 0) return false;
        return std::fread(buf, 1, n, f_.get()) == n;
    }
    // Sequential read after a readAt; returns the bytes read (0 at the end).
    std::size_t readNext(void* buf, std::size_t n) { return std::fread(buf, 1, n, f_.get()); }

private:
    FilePtr f_;
    uint64_t size_ = 0;
};

struct CentralEntry {
    uint16_t flags = 0;
    uint16_t modTime = 0;
    uint32_t crc = 0;
    uint32_t uncompressedSize = 0;
    uint32_t localHeaderOffset = 0;
};

char FoldAsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(const uint8_t* stored, std::size_t n, const std::string& wanted) {
    if (n != wanted.size()) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (FoldAsciiUpper(static_cast<char>(stored[i])) != FoldAsciiUpper(wanted[i])) return false;
    return true;
}

// Walks the central directory from `start` to the end record at `end`; the
// first header whose name matches wins. Every header must lie wholly before
// the end record and each step moves forward, so the walk always ends.
bool FindEntry(ArchiveFile& file, uint64_t start, uint64_t end, const std::string& name, CentralEntry& out) {
    uint64_t pos = start;
    std::array<uint8_t, kCentralHeaderSize> h{};
    std::array<uint8_t, kSkinEntryNameMax> stored{};
    while (pos < end) {
        if (end - pos < kCentralHeaderSize || !file.readAt(pos, h.data(), h.size())) return false;
        const uint16_t n = Le16(&h[28]);
        const uint16_t e = Le16(&h[30]);
        const uint16_t c = Le16(&h[32]);
        const uint64_t total = kCentralHeaderSize + static_cast<uint64_t>(n) + e + c;
        if (end - pos < total) return false;
        if (n <= kSkinEntryNameMax && n == name.size()) {
            if (n > 0 && !file.readAt(pos + kCentralHeaderSize, stored.data(), n)) return false;
            if (SameName(stored.data(), n, name)) {
                out.flags = Le16(&h[8]);
                out.modTime = Le16(&h[12]);
                out.crc = Le32(&h[16]);
                out.uncompressedSize = Le32(&h[24]);
                out.localHeaderOffset = Le32(&h[42]);
                return true;
            }
        }
        pos += total;
    }
    return false;
}

class OutputFile {
public:
    explicit OutputFile(const std::string& path) : f_(ui::OpenUtf8File(path, "wb")) {}
    bool isOpen() const { return f_ != nullptr; }
    bool write(const uint8_t* p, std::size_t n) {
        if (n == 0) return true;
        std::size_t done = std::fwrite(p, 1, n, f_.get());
        written_ += done;
        return done == n;
    }
    bool close() {
        std::FILE* f = f_.release();
        return f && std::fclose(f) == 0;
    }
    uint64_t written() const { return written_; }

private:
    FilePtr f_;
    uint64_t written_ = 0;
};

// Inflates the raw deflate stream that starts at the current file position,
// deciphering as it reads when `cipher` is given. Stops as soon as the output
// passes `limit`: the length check would refuse it anyway, and a hostile
// entry must not fill the disk.
int InflateEntry(ArchiveFile& file, PkwareCipher* cipher, OutputFile& out, uint64_t limit) {
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return kSkinArchiveUnreadable;
    std::vector<uint8_t> in(kChunk), buf(kChunk);
    int result = kSkinArchiveUnreadable;
    bool inputEnded = false;
    for (;;) {
        if (zs.avail_in == 0 && !inputEnded) {
            std::size_t got = file.readNext(in.data(), in.size());
            if (got == 0) inputEnded = true;
            if (cipher) cipher->decrypt(in.data(), got);
            zs.next_in = in.data();
            zs.avail_in = static_cast<uInt>(got);
        }
        zs.next_out = buf.data();
        zs.avail_out = static_cast<uInt>(buf.size());
        int rc = inflate(&zs, Z_NO_FLUSH);
        std::size_t produced = buf.size() - zs.avail_out;
        if (!out.write(buf.data(), produced)) break;
        if (rc == Z_STREAM_END) {
            result = kSkinEntryExtracted;
            break;
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR) break;
        if (out.written() > limit) break;
        // Nothing left to read and nothing more came out: the stream is cut short.
        if (inputEnded && zs.avail_in == 0 && produced == 0) break;
    }
    inflateEnd(&zs);
    return result;
}

// Steps 4-6: local header, decipher set-up, inflate. Any failure to read is 1.
int ExtractData(ArchiveFile& file, const CentralEntry& entry, const std::string& password, OutputFile& out) {
    std::array<uint8_t, kLocalHeaderSize> local{};
    if (!file.readAt(entry.localHeaderOffset, local.data(), local.size())) return kSkinArchiveUnreadable;
    uint64_t dataPos = static_cast<uint64_t>(entry.localHeaderOffset) + kLocalHeaderSize + Le16(&local[26]) +
                       Le16(&local[28]);
    std::unique_ptr<PkwareCipher> cipher;
    if (entry.flags & 1u) {
        if (password.empty()) return kSkinEntryUndecipherable;
        cipher = std::make_unique<PkwareCipher>(password);
        std::array<uint8_t, kEncryptionHeaderSize> header{};
        if (!file.readAt(dataPos, header.data(), header.size())) return kSkinArchiveUnreadable;
        cipher->decrypt(header.data(), header.size());
        const uint8_t check = (entry.flags & 8u) ? static_cast<uint8_t>(entry.modTime >> 8)
                                                 : static_cast<uint8_t>(entry.crc >> 24);
        if (header[kEncryptionHeaderSize - 1] != check) return kSkinEntryUndecipherable;
    } else {
        // Position the stream for the sequential reads; an empty read is fine.
        uint8_t none = 0;
        if (!file.readAt(dataPos, &none, 0)) return kSkinArchiveUnreadable;
    }
    return InflateEntry(file, cipher.get(), out, entry.uncompressedSize);
}

} // namespace

PkwareCipher::PkwareCipher(const std::string& password) {
    for (char c : password) update(static_cast<uint8_t>(c));
}

inline void PkwareCipher::update(uint8_t p) {
    key0_ = CrcByte(key0_, p);
    key1_ = (key1_ + (key0_ & 0xFFu)) * kKeyMultiplier + 1u;
    key2_ = CrcByte(key2_, static_cast<uint8_t>(key1_ >> 24));
}

inline uint8_t PkwareCipher::keyStream() const {
    const uint32_t t = (key2_ | 2u) & 0xFFFFu;
    return static_cast<uint8_t>((t * (t ^ 1u)) >> 8);
}

// Each key byte depends on the plain byte before it, so the bytes are taken one
// after another and the time is the length of that chain. CRC table lookups are
// linear over XOR (T[a ^ b] == T[a] ^ T[b]), so every part that depends on values
// already known is computed beside the chain, which keeps per byte two lookups,
// a multiply, an add and a shift.
void PkwareCipher::decrypt(uint8_t* data, std::size_t n) {
    uint32_t k0 = key0_, k1 = key1_, k2 = key2_;
    uint32_t keyBits = (k2 >> 2) & 0x3FFFu;
    for (std::size_t j = 0; j < n; ++j) {
        const uint8_t c = data[j];
        const uint8_t key = KeyByteOf(keyBits);
        data[j] = static_cast<uint8_t>(c ^ key);
        // key0 = crc(key0, c ^ key)
        const uint32_t k0Known = kCrcTable[(k0 ^ c) & 0xFFu] ^ (k0 >> 8);
        const uint32_t k0Low = (kKeyCrcLow[keyBits] ^ k0Known) & 0xFFu;
        k0 = k0Known ^ kCrcTable[key];
        // key1 = (key1 + low byte of key0) * m + 1
        k1 = k1 * kKeyMultiplier + 1u + k0Low * kKeyMultiplier;
        // key2 = crc(key2, key1 >> 24)
        const uint32_t top = k1 >> 24;
        const uint32_t k2Known = kCrcTable[k2 & 0xFFu] ^ (k2 >> 8);
        keyBits = ((k2Known >> 2) & 0x3FFFu) ^ kCrcKeyBits[top];
        k2 = k2Known ^ kCrcTable[top];
    }
    key0_ = k0;
    key1_ = k1;
    key2_ = k2;
}

void PkwareCipher::encrypt(uint8_t* data, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const uint8_t plain = data[i];
        data[i] = static_cast<uint8_t>(plain ^ keyStream());
        update(plain);
    }
}

int ExtractSkinEntry(const std::string& archivePath, const std::string& entryName, const std::string& outputPath,
                     const std::string& password, uint64_t maxSize) {
    if (entryName.size() > kSkinEntryNameMax) return kSkinArchiveUnreadable;
    ArchiveFile file;
    if (!file.open(archivePath)) return kSkinArchiveUnreadable;

    std::array<uint8_t, 4> magic{};
    if (!file.readAt(0, magic.data(), magic.size()) || magic[0] != 'S' || magic[1] != 'K')
        return kSkinArchiveUnreadable;

    if (file.size() < kEndRecordSize) return kSkinArchiveUnreadable;
    const uint64_t endPos = file.size() - kEndRecordSize;
    std::array<uint8_t, kEndRecordSize> endRecord{};
    if (!file.readAt(endPos, endRecord.data(), endRecord.size())) return kSkinArchiveUnreadable;
    if (Le32(&endRecord[0]) != 0x06054B50u || Le16(&endRecord[20]) != 0) return kSkinArchiveUnreadable;

    CentralEntry entry;
    if (!FindEntry(file, Le32(&endRecord[16]), endPos, entryName, entry)) return kSkinArchiveUnreadable;
    if (entry.uncompressedSize > maxSize) return kSkinArchiveUnreadable;

    OutputFile out(outputPath);
    if (!out.isOpen()) return kSkinArchiveUnreadable;
    int result = ExtractData(file, entry, password, out);
    if (!out.close() && result == kSkinEntryExtracted) result = kSkinArchiveUnreadable;

    if (out.written() == 0 && result == kSkinEntryExtracted) result = kSkinArchiveUnreadable;
    else if (out.written() != entry.uncompressedSize) result = kSkinEntryUndecipherable;

    if (result != kSkinEntryExtracted) ui::RemoveUtf8File(outputPath);
    return result;
}

} // namespace corvane::skin
