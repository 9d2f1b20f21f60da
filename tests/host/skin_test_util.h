#pragma once
// Shared helpers of the skin tests: a private temporary folder and byte pokes.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "skinpack/SkinWriter.h"

namespace corvane::skin::skintest {

class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("corvane-skin-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
                 std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void poke32(skinpack::Bytes& b, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}
inline void poke16(skinpack::Bytes& b, std::size_t at, uint16_t v) {
    b.at(at) = static_cast<uint8_t>(v);
    b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}

inline bool exists(const std::string& path) { return std::filesystem::exists(path); }

} // namespace corvane::skin::skintest
