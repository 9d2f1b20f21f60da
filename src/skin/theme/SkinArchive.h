#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane::skin {

// Results of ExtractSkinEntry.
enum : int {
    kSkinEntryExtracted = 0,
    kSkinArchiveUnreadable = 1,   // archive or entry cannot be read
    kSkinEntryUndecipherable = 2, // no or wrong password, or the length disagrees
};

// Entry names longer than this are never matched.
constexpr std::size_t kSkinEntryNameMax = 259;

// Copies the entry `entryName` of the skin archive at `archivePath` into a new
// file at `outputPath`, inflated and, when the entry is encrypted, deciphered
// with `password`. The output file does not exist after a non-zero result.
// An entry whose recorded size exceeds `maxSize` is refused with 1 before
// anything is written.
int ExtractSkinEntry(const std::string& archivePath, const std::string& entryName, const std::string& outputPath,
                     const std::string& password, uint64_t maxSize = UINT64_MAX);

// Traditional PKWARE stream cipher; the packer uses it to encrypt.
class PkwareCipher {
public:
    explicit PkwareCipher(const std::string& password);
    void decrypt(uint8_t* data, std::size_t n);
    void encrypt(uint8_t* data, std::size_t n);

private:
    uint8_t keyStream() const;
    void update(uint8_t p);

    uint32_t key0_ = 0x12345678u;
    uint32_t key1_ = 0x23456789u;
    uint32_t key2_ = 0x34567890u;
};

} // namespace corvane::skin
