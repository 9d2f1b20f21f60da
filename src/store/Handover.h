// How the Corvane menu hands a folder to a running editor: WM_COPYDATA with a tag and
// the alias and path, each ended by a NUL.
#pragma once
#include <cstddef>
#include <string>

namespace corvane::store {

// The texts in UTF-8.
constexpr unsigned long kAddFolderUtf8Tag = 0x43564175; // "CVAu"
// The texts in the sender's code page: what a menu of an older version, still loaded in
// Explorer after an upgrade, sends.
constexpr unsigned long kAddFolderTag = 0x43564164; // "CVAd"
constexpr size_t kMaxHandoverBytes = 65536;

std::string EncodeFolderHandover(const std::string& alias, const std::string& path);
// False for anything but two NUL-ended texts filling the data exactly, with a path,
// within kMaxHandoverBytes.
bool DecodeFolderHandover(const void* data, size_t size, std::string& alias, std::string& path);

} // namespace corvane::store
