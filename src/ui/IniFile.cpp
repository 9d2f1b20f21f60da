#include "ui/IniFile.h"
#include "ui/Handles.h"
#include "ui/WideText.h"
#include <windows.h>
#include <vector>

namespace corvane::ui {

namespace {
// A value cut at the buffer's end must not end in half a surrogate pair.
std::wstring_view WholeCharacters(const wchar_t* text, size_t n) {
    if (n > 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    return std::wstring_view(text, n);
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    FileHandle f(CreateFileW(WideArg(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.get(), &size) || size.QuadPart > (1LL << 28)) return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    return bytes.empty() ||
           (ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size());
}
} // namespace

std::string IniFile::readString(const std::string& section, const std::string& key, const std::string& def,
                                unsigned maxChars) const {
    std::vector<wchar_t> buf(maxChars + 1, L'\0');
    DWORD n = GetPrivateProfileStringW(WideArg(section), WideArg(key), WideArg(def), buf.data(),
                                       static_cast<DWORD>(buf.size()), WideArg(path_));
    return Narrow(n + 1 >= buf.size() ? WholeCharacters(buf.data(), n) : std::wstring_view(buf.data(), n));
}

std::string IniFile::readWholeString(const std::string& section, const std::string& key, const std::string& def) const {
    const WideArg wsection(section), wkey(key), wdef(def), wpath(path_);
    // A value that fills the buffer to its last character may have been cut.
    for (unsigned size = 2048;; size *= 2) {
        std::vector<wchar_t> buf(size, L'\0');
        const DWORD n = GetPrivateProfileStringW(wsection, wkey, wdef, buf.data(), size, wpath);
        if (n + 1 < size || size >= (1u << 26)) return Narrow(std::wstring_view(buf.data(), n));
    }
}

bool IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) const {
    return WritePrivateProfileStringW(WideArg(section), WideArg(key), WideArg(value), WideArg(path_)) != FALSE;
}

std::vector<std::string> IniFile::keyNames(const std::string& section) const {
    const WideArg wsection(section), wpath(path_);
    for (DWORD size = 4096;; size *= 2) {
        std::vector<wchar_t> buf(size, L'\0');
        const DWORD n = GetPrivateProfileStringW(wsection, nullptr, L"", buf.data(), size, wpath);
        if (n + 2 < size || size >= (1u << 26)) {
            std::vector<std::string> keys;
            for (size_t i = 0; i < n;) {
                const std::wstring_view k(buf.data() + i);
                i += k.size() + 1;
                if (!k.empty()) keys.push_back(Narrow(k));
            }
            return keys;
        }
    }
}

TextEncoding FileTextEncoding(const std::string& path) {
    FileHandle f(CreateFileW(WideArg(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    unsigned char head[3] = {};
    DWORD got = 0;
    if (!f || !ReadFile(f.get(), head, sizeof head, &got, nullptr)) return TextEncoding::CodePage;
    if (got >= 2 && head[0] == 0xFF && head[1] == 0xFE) return TextEncoding::Utf16Le;
    if (got >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) return TextEncoding::Utf8;
    return TextEncoding::CodePage;
}

bool RewriteAsUtf16(const std::string& path) {
    std::string bytes;
    if (GetFileAttributesW(WideArg(path)) != INVALID_FILE_ATTRIBUTES && !ReadFileBytes(path, bytes)) return false;
    std::wstring text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE)
        return true;
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text = Widen(std::string_view(bytes).substr(3));
    } else if (!bytes.empty()) {
        text = WidenFromCodePage(bytes);
        if (text.empty()) return false;
    }
    text.insert(text.begin(), L'\xFEFF');
    FileHandle f(CreateFileW(WideArg(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return false;
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD written = 0;
    return WriteFile(f.get(), text.data(), size, &written, nullptr) && written == size;
}

} // namespace corvane::ui
