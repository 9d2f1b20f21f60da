#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "skin/theme/SkinArchive.h"
#include "skin_test_util.h"

using namespace corvane::skin;

using namespace corvane;
using namespace corvane::skinpack;
using corvane::skin::skintest::TempDir;

namespace {

constexpr const char* kEntry = "SKINDATA.SK2";

Bytes pattern(std::size_t n) {
    Bytes b(n);
    uint32_t x = 12345;
    for (std::size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = static_cast<uint8_t>((i % 7 == 0) ? (x >> 24) : (i / 64));
    }
    return b;
}

struct Extracted {
    int result = -1;
    bool outputExists = false;
    Bytes output;
};

class SkinArchiveTest : public ::testing::Test {
protected:
    Extracted run(const Bytes& archive, const std::string& name = kEntry, const std::string& password = {}) {
        const std::string in = dir.file("skin.ssk"), out = dir.file("out.bin");
        EXPECT_TRUE(WriteFile(in, archive));
        return runPath(in, name, password);
    }
    Extracted runPath(const std::string& in, const std::string& name, const std::string& password) {
        const std::string out = dir.file("out.bin");
        Extracted e;
        e.result = ExtractSkinEntry(in, name, out, password);
        e.outputExists = skintest::exists(out);
        if (e.outputExists) ReadFile(out, e.output);
        return e;
    }
    static Bytes single(const Bytes& data, const EntryOptions& o = {}, const std::string& name = kEntry) {
        ArchiveWriter a;
        a.addEntry(name, data, o);
        return a.build();
    }

    TempDir dir;
};

TEST_F(SkinArchiveTest, ExtractsDeflatedEntryAndReplacesExistingOutput) {
    const Bytes data = pattern(200000);
    ASSERT_TRUE(WriteFile(dir.file("out.bin"), Bytes(300000, 0xAA)));
    Extracted e = run(single(data));
    EXPECT_EQ(e.result, 0);
    EXPECT_EQ(e.output, data);
}

TEST_F(SkinArchiveTest, RefusesWhatIsNotASkinArchive) {
    const Bytes good = single(pattern(1000));

    EXPECT_EQ(runPath(dir.file("missing.ssk"), kEntry, "").result, 1);

    ArchiveWriter zip;
    zip.setSignature('P', 'K');
    zip.addEntry(kEntry, pattern(1000));
    EXPECT_EQ(run(zip.build()).result, 1);

    ArchiveWriter commented;
    commented.setComment("hello");
    commented.addEntry(kEntry, pattern(1000));
    EXPECT_EQ(run(commented.build()).result, 1);
    Bytes claimsComment = good;
    skintest::poke16(claimsComment, good.size() - 2, 5);
    EXPECT_EQ(run(claimsComment).result, 1);

    EXPECT_EQ(run(Bytes{'S', 'K', 3}).result, 1);
    EXPECT_EQ(run(Bytes(good.begin(), good.begin() + 21)).result, 1);
    Bytes trailing = good;
    trailing.push_back(0);
    EXPECT_EQ(run(trailing).result, 1);

    Extracted none = run(good, "OTHER.SK2");
    EXPECT_EQ(none.result, 1);
    EXPECT_FALSE(none.outputExists);
}

TEST_F(SkinArchiveTest, NamesMatchIgnoringCaseOfAToZOnlyAndFirstMatchWins) {
    const Bytes first = pattern(500), second = pattern(900);
    ArchiveWriter a;
    a.addEntry("other", pattern(10));
    a.addEntry("skindata.sk2", first);
    a.addEntry("SkinData.Sk2", second);
    Extracted e = run(a.build());
    EXPECT_EQ(e.result, 0);
    EXPECT_EQ(e.output, first);

    // Letters beyond a-z are compared as they are.
    EXPECT_EQ(run(single(first, {}, "\xE9.sk2"), "\xC9.SK2").result, 1);
    EXPECT_EQ(run(single(first, {}, "\xE9.sk2"), "\xE9.SK2").result, 0);

    EXPECT_EQ(run(single(first), std::string(kSkinEntryNameMax + 1, 'A')).result, 1);
}

TEST_F(SkinArchiveTest, EncryptedEntries) {
    const Bytes data = pattern(70000);
    EntryOptions o;
    o.password = "s3cret";
    Extracted ok = run(single(data, o), kEntry, "s3cret");
    EXPECT_EQ(ok.result, 0);
    EXPECT_EQ(ok.output, data);

    o.dataDescriptor = true;
    o.modTime = 0xA1B2;
    Extracted viaTime = run(single(data, o), kEntry, "s3cret");
    EXPECT_EQ(viaTime.result, 0);
    EXPECT_EQ(viaTime.output, data);

    for (const char* wrong : {"", "S3cret"}) {
        Extracted e = run(single(data, o), kEntry, wrong);
        EXPECT_EQ(e.result, 2) << wrong;
        EXPECT_FALSE(e.outputExists) << wrong;
    }
}

TEST_F(SkinArchiveTest, LengthRules) {
    Extracted empty = run(single(Bytes{}));
    EXPECT_EQ(empty.result, 1);
    EXPECT_FALSE(empty.outputExists);

    const Bytes data = pattern(5000);
    for (uint32_t recorded : {4999u, 5001u, 0u}) {
        EntryOptions o;
        o.recordedSize = recorded;
        Extracted e = run(single(data, o));
        EXPECT_EQ(e.result, 2) << recorded;
        EXPECT_FALSE(e.outputExists) << recorded;
    }

    // Refused before anything is written when the caller caps the size.
    const std::string in = dir.file("capped.ssk");
    ASSERT_TRUE(WriteFile(in, single(data)));
    EXPECT_EQ(ExtractSkinEntry(in, kEntry, dir.file("capped.out"), "", 4999), 1);
    EXPECT_FALSE(skintest::exists(dir.file("capped.out")));
    EXPECT_EQ(ExtractSkinEntry(in, kEntry, dir.file("capped.out"), "", 5000), 0);
}

TEST_F(SkinArchiveTest, HostileStructuresFailCleanly) {
    const Bytes data = pattern(3000);
    const Bytes good = single(data);
    const std::size_t end = good.size() - 22;
    const std::size_t central = end - 46 - std::string(kEntry).size();

    auto expectFails = [&](Bytes b, int result, const char* what) {
        Extracted e = run(b);
        EXPECT_EQ(e.result, result) << what;
        EXPECT_FALSE(e.outputExists) << what;
    };

    Bytes b = good;
    skintest::poke32(b, end + 16, 0xFFFFFFF0u);
    expectFails(b, 1, "central directory beyond the file");

    b = good;
    skintest::poke16(b, central + 28, 0xFFFF);
    expectFails(b, 1, "name runs past the end record");

    b = good;
    skintest::poke16(b, central + 30, 30);
    expectFails(b, 1, "extra field runs into the end record");

    // Past this point the output exists, so the length check turns 1 into 2.
    b = good;
    skintest::poke32(b, central + 42, 0x7FFFFFF0u);
    expectFails(b, 2, "local header beyond the file");

    b = good;
    skintest::poke16(b, 28, 0xFFFF);
    expectFails(b, 2, "local extra field beyond the file");

    b = good;
    b.erase(b.begin() + 30 + 12 + 100, b.begin() + static_cast<std::ptrdiff_t>(central) - 10);
    skintest::poke32(b, b.size() - 22 + 16, static_cast<uint32_t>(b.size() - 22 - 46 - 12));
    expectFails(b, 2, "deflate stream cut short");

    b = good;
    for (std::size_t i = 30 + 12; i < 30 + 12 + 40; ++i) b[i] = 0xFF;
    expectFails(b, 2, "garbage instead of deflate data");

    EntryOptions o;
    o.password = "pw";
    Bytes enc = single(data, o);
    const std::size_t encEnd = enc.size() - 22;
    skintest::poke32(enc, encEnd - 46 - 12 + 42, static_cast<uint32_t>(encEnd - 10));
    Extracted e = run(enc, kEntry, "pw");
    EXPECT_EQ(e.result, 2);
    EXPECT_FALSE(e.outputExists);
}

TEST_F(SkinArchiveTest, DecodingStopsOnceOutputPassesTheRecordedSize) {
    // 64 MiB of zeros deflate to about 64 KiB; the entry claims 10 bytes.
    EntryOptions o;
    o.recordedSize = 10;
    Extracted e = run(single(Bytes(64u << 20, 0), o));
    EXPECT_EQ(e.result, 2);
    EXPECT_FALSE(e.outputExists);
}

TEST(PkwareCipher, MatchesAnIndependentImplementation) {
    // Bytes 0..15 deciphered with the password "key" by another zip reader.
    const Bytes expected{0x0b, 0x27, 0x50, 0x12, 0x54, 0xd6, 0xa3, 0x77,
                         0x2b, 0x43, 0xe9, 0x33, 0xb2, 0xb8, 0xe9, 0x0a};
    Bytes work(16);
    for (int i = 0; i < 16; ++i) work[i] = static_cast<uint8_t>(i);
    PkwareCipher dec("key");
    dec.decrypt(work.data(), work.size());
    EXPECT_EQ(work, expected);

    Bytes plain = pattern(1000), cipher = plain;
    PkwareCipher("key").encrypt(cipher.data(), cipher.size());
    EXPECT_NE(cipher, plain);
    PkwareCipher("key").decrypt(cipher.data(), cipher.size());
    EXPECT_EQ(cipher, plain);
}

// The cipher written out byte by byte, as the format describes it.
Bytes decipherByteByByte(const std::string& password, Bytes data) {
    uint32_t crc[256];
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        crc[n] = c;
    }
    uint32_t k0 = 0x12345678u, k1 = 0x23456789u, k2 = 0x34567890u;
    auto update = [&](uint8_t p) {
        k0 = crc[(k0 ^ p) & 0xFFu] ^ (k0 >> 8);
        k1 = (k1 + (k0 & 0xFFu)) * 134775813u + 1u;
        k2 = crc[(k2 ^ (k1 >> 24)) & 0xFFu] ^ (k2 >> 8);
    };
    for (char c : password) update(static_cast<uint8_t>(c));
    for (uint8_t& b : data) {
        const uint16_t t = static_cast<uint16_t>(k2 | 2u);
        b ^= static_cast<uint8_t>((t * (t ^ 1u)) >> 8);
        update(b);
    }
    return data;
}

TEST(PkwareCipher, DecipherMatchesByteByByteOnRandomData) {
    std::mt19937 rng(20261208);
    const std::string passwords[] = {"", "k", "bench", std::string("\xFF\x80\x01 high", 8), std::string(300, 'p')};
    for (const std::string& password : passwords) {
        Bytes data(70000);
        for (uint8_t& b : data) b = static_cast<uint8_t>(rng());
        // Random piece sizes, 0 included: the keys carry over from one call to the next.
        Bytes work = data;
        PkwareCipher cipher(password);
        for (std::size_t at = 0; at < work.size();) {
            const std::size_t n = std::min<std::size_t>(rng() % 5000, work.size() - at);
            cipher.decrypt(work.data() + at, n);
            at += n;
        }
        EXPECT_EQ(work, decipherByteByByte(password, data)) << "password length " << password.size();
    }
}

} // namespace
