#include "skinpack/SkinWriter.h"
#include "ui/Utf8File.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <zlib.h>

#include "skin/theme/SkinArchive.h"

using namespace corvane::skin;

namespace corvane::skinpack {

namespace {

constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kRecordSize = 77;
constexpr std::size_t kNameField = 64;

void Put16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutBytes(Bytes& b, const void* p, std::size_t n) {
    // resize + memcpy: GCC 12 misreads vector::insert from a literal as an overflow.
    if (n == 0) return;
    std::size_t at = b.size();
    b.resize(at + n);
    std::memcpy(b.data() + at, p, n);
}

} // namespace

void DescriptionWriter::addInt(const std::string& name, int32_t value) {
    Bytes b;
    Put32(b, static_cast<uint32_t>(value));
    add(name, 1, std::move(b));
}

void DescriptionWriter::add(const std::string& name, uint8_t kind, Bytes data) {
    if (name.size() > kNameField) throw std::invalid_argument("item name longer than 64 characters: " + name);
    items_.push_back({name, kind, std::move(data)});
}

std::size_t DescriptionWriter::recordOffset(std::size_t i) { return kHeaderSize + i * kRecordSize; }

Bytes DescriptionWriter::build() const {
    Bytes out;
    PutBytes(out, "CORVANESKIN2", 12);
    Put32(out, static_cast<uint32_t>(kHeaderSize));
    Put32(out, static_cast<uint32_t>(items_.size()));
    Put32(out, static_cast<uint32_t>(recordOffset(0)));

    std::size_t dataAt = recordOffset(items_.size() + 1);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Item& it = items_[i];
        char name[kNameField] = {};
        for (std::size_t k = 0; k < it.name.size(); ++k) name[k] = it.name[k];
        PutBytes(out, name, kNameField);
        out.push_back(it.kind);
        Put32(out, static_cast<uint32_t>(dataAt));
        Put32(out, static_cast<uint32_t>(it.data.size()));
        Put32(out, static_cast<uint32_t>(recordOffset(i + 1)));
        dataAt += it.data.size();
    }
    // Terminator: next offset 0, carries nothing.
    out.resize(out.size() + kRecordSize, 0);
    for (const Item& it : items_) PutBytes(out, it.data.data(), it.data.size());
    return out;
}

Bytes DeflateRaw(const Bytes& data) {
    z_stream zs{};
    if (deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    Bytes out(deflateBound(&zs, static_cast<uLong>(data.size())) + 16);
    zs.next_in = const_cast<Bytef*>(data.data());
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
    return out;
}

uint32_t Crc32(const Bytes& data) {
    return static_cast<uint32_t>(crc32(0L, data.data(), static_cast<uInt>(data.size())));
}

void ArchiveWriter::addEntry(const std::string& name, const Bytes& data, const EntryOptions& o) {
    Entry e;
    e.name = name;
    e.method = o.stored ? 0 : 8;
    e.time = o.modTime;
    e.date = o.modDate;
    e.crc = Crc32(data);
    e.usize = o.recordedSize.value_or(static_cast<uint32_t>(data.size()));
    e.flags = 0;
    Bytes packed = o.stored ? data : DeflateRaw(data);
    if (!o.password.empty()) {
        e.flags |= 1;
        if (o.dataDescriptor) e.flags |= 8;
        PkwareCipher cipher(o.password);
        // Eleven arbitrary bytes, then the check byte the reader compares.
        uint8_t header[12];
        for (int i = 0; i < 11; ++i) header[i] = static_cast<uint8_t>(0x5A ^ (i * 37) ^ data.size());
        header[11] = o.dataDescriptor ? static_cast<uint8_t>(e.time >> 8) : static_cast<uint8_t>(e.crc >> 24);
        cipher.encrypt(header, sizeof header);
        cipher.encrypt(packed.data(), packed.size());
        e.payload.assign(header, header + sizeof header);
        e.payload.insert(e.payload.end(), packed.begin(), packed.end());
    } else {
        if (o.dataDescriptor) e.flags |= 8;
        e.payload = std::move(packed);
    }
    e.csize = static_cast<uint32_t>(e.payload.size());
    entries_.push_back(std::move(e));
}

Bytes ArchiveWriter::build() const {
    Bytes out;
    std::vector<uint32_t> localAt;
    for (const Entry& e : entries_) {
        localAt.push_back(static_cast<uint32_t>(out.size()));
        out.push_back(static_cast<uint8_t>(sig_[0]));
        out.push_back(static_cast<uint8_t>(sig_[1]));
        out.push_back(3);
        out.push_back(4);
        Put16(out, 20);
        Put16(out, e.flags);
        Put16(out, e.method);
        Put16(out, e.time);
        Put16(out, e.date);
        const bool descriptor = (e.flags & 8) != 0;
        Put32(out, descriptor ? 0 : e.crc);
        Put32(out, descriptor ? 0 : e.csize);
        Put32(out, descriptor ? 0 : e.usize);
        Put16(out, static_cast<uint16_t>(e.name.size()));
        Put16(out, 0);
        PutBytes(out, e.name.data(), e.name.size());
        PutBytes(out, e.payload.data(), e.payload.size());
        if (descriptor) {
            PutBytes(out, "PK\x07\x08", 4);
            Put32(out, e.crc);
            Put32(out, e.csize);
            Put32(out, e.usize);
        }
    }
    const uint32_t centralAt = static_cast<uint32_t>(out.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        PutBytes(out, "PK\x01\x02", 4);
        Put16(out, 20);
        Put16(out, 20);
        Put16(out, e.flags);
        Put16(out, e.method);
        Put16(out, e.time);
        Put16(out, e.date);
        Put32(out, e.crc);
        Put32(out, e.csize);
        Put32(out, e.usize);
        Put16(out, static_cast<uint16_t>(e.name.size()));
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, 0);
        Put32(out, 0);
        Put32(out, localAt[i]);
        PutBytes(out, e.name.data(), e.name.size());
    }
    const uint32_t centralSize = static_cast<uint32_t>(out.size()) - centralAt;
    PutBytes(out, "PK\x05\x06", 4);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint16_t>(entries_.size()));
    Put16(out, static_cast<uint16_t>(entries_.size()));
    Put32(out, centralSize);
    Put32(out, centralAt);
    Put16(out, static_cast<uint16_t>(comment_.size()));
    PutBytes(out, comment_.data(), comment_.size());
    return out;
}

Bytes BuildSkin(const DescriptionWriter& description, const std::string& password,
                const std::vector<std::pair<std::string, Bytes>>& more) {
    ArchiveWriter archive;
    EntryOptions options;
    options.password = password;
    archive.addEntry("SKINDATA.SK2", description.build(), options);
    for (const auto& [name, data] : more) archive.addEntry(name, data, options);
    return archive.build();
}

bool WriteFile(const std::string& path, const Bytes& data) {
    std::FILE* f = ui::OpenUtf8File(path, "wb");
    if (!f) return false;
    const bool ok = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

bool ReadFile(const std::string& path, Bytes& data) {
    std::FILE* f = ui::OpenUtf8File(path, "rb");
    if (!f) return false;
    data.clear();
    uint8_t buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

} // namespace corvane::skinpack
