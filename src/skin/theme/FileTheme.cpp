#include "skin/theme/FileTheme.h"
#include "ui/WideText.h"

#include <objbase.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "skin/theme/BmpCheck.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/Themed.h"
#include "ui/Environment.h"
#include "ui/Files.h"
#include "ui/Form.h"
#include "ui/Gdi.h"

namespace corvane::skin {

namespace {

std::string FileNamePart(const std::string& name) {
    const auto slash = name.find_last_of("\\/:");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// A name no other load uses at the same time: a fresh GUID in its registry form.
std::string TemporaryName(const std::string& folder) {
    GUID g{};
    if (CoCreateGuid(&g) == S_OK) {
        char text[40];
        std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                      static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                      g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
        return folder + text;
    }
    // Without COM's generator the system still hands out a unique name.
    wchar_t buf[MAX_PATH] = {};
    if (GetTempFileNameW(ui::WideArg(folder), L"skn", 0, buf)) return ui::Narrow(buf);
    return {};
}

// What tells a skin file from the same file rewritten, and the password it was read with.
struct SkinStamp {
    std::wstring fullPath;
    uint64_t size = 0;
    uint64_t writeTime = 0;
    std::string password;
    bool operator==(const SkinStamp&) const = default;
};

std::optional<SkinStamp> StampOf(const std::string& path, const std::string& password) {
    const std::wstring wide = ui::Widen(path);
    const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return std::nullopt;
    std::wstring full(n, L'\0');
    const DWORD got = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    if (got == 0 || got >= n) return std::nullopt;
    full.resize(got);
    WIN32_FILE_ATTRIBUTE_DATA a{};
    if (!GetFileAttributesExW(full.c_str(), GetFileExInfoStandard, &a)) return std::nullopt;
    SkinStamp s;
    s.fullPath = std::move(full);
    s.size = (static_cast<uint64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
    s.writeTime = (static_cast<uint64_t>(a.ftLastWriteTime.dwHighDateTime) << 32) | a.ftLastWriteTime.dwLowDateTime;
    s.password = password;
    return s;
}

} // namespace

struct FileTheme::LargerArt {
    std::string path;
    std::string password;
    std::mutex lock;
    std::map<int, Bitmaps> read; // by art DPI; all empty when the file has no such entry
    std::mutex madeLock;         // apart: making a picture reads the entries above
    std::map<int, Bitmaps> made; // by the DPI they were made for

    const Bitmaps& at(int artDpi) {
        std::lock_guard<std::mutex> hold(lock);
        auto [it, fresh] = read.try_emplace(artDpi);
        if (!fresh) return it->second;
        const std::string temp = TemporaryName(ui::TempFolder());
        if (temp.empty()) return it->second;
        const SkinFileReader reader(path, password, temp,
                                    artDpi == 144 ? SkinFileReader::kEntry150 : SkinFileReader::kEntry200);
        DeleteFileW(ui::WideArg(temp));
        if (!reader.ready()) return it->second;
        for (int k = 0; k < kBitmapKeyCount; ++k) {
            const auto bytes = reader.lookupBitmap(SkinKeyName(static_cast<BitmapKey>(k)));
            if (!bytes.empty()) it->second[static_cast<std::size_t>(k)] = BitmapFromBmpBytes(bytes);
        }
        return it->second;
    }
};

namespace {

// The last skin loaded: every dialog loads the same file again when it opens.
struct LastSkin {
    SkinStamp stamp;
    std::shared_ptr<const SkinFileReader> reader;
    std::shared_ptr<const std::array<ui::BitmapHandle, kBitmapKeyCount>> bitmaps;
    std::shared_ptr<FileTheme::LargerArt> larger;
};

std::mutex& LastSkinLock() {
    static std::mutex m;
    return m;
}

std::optional<LastSkin>& TheLastSkin() {
    static std::optional<LastSkin> last;
    return last;
}

} // namespace

ui::BitmapHandle BitmapFromBmpBytes(std::span<const uint8_t> bytes) {
    const auto layout = CheckBmp(bytes.data(), bytes.size());
    if (!layout || layout->bitsOffset <= layout->infoOffset) return {};
    // The header and colour table, copied to storage aligned for BITMAPINFO.
    const std::size_t infoBytes = layout->bitsOffset - layout->infoOffset;
    std::vector<uint32_t> info((infoBytes + 3) / 4 + 1, 0);
    std::memcpy(info.data(), bytes.data() + layout->infoOffset, infoBytes);
    const auto* bmi = reinterpret_cast<const BITMAPINFO*>(info.data());
    const LONG w = bmi->bmiHeader.biWidth,
               h = bmi->bmiHeader.biHeight < 0 ? -bmi->bmiHeader.biHeight : bmi->bmiHeader.biHeight;
    ui::BitmapHandle picture = ui::NewPicture(w, h);
    const ui::BitmapDc converter(nullptr);
    // The file's rows in whatever depth and order it gives, converted as the platform converts them.
    if (!picture || SetDIBits(converter.get(), picture.get(), 0, static_cast<UINT>(h),
                              bytes.data() + layout->bitsOffset, bmi, DIB_RGB_COLORS) != h)
        return {};
    return picture;
}

FileTheme::FileTheme(ui::Component* owner, std::string name) : ui::Component(owner, std::move(name)) {}

FileTheme::~FileTheme() = default;

void FileTheme::setThemeFile(const std::string& name) {
    const bool firstLoad = themeFile_.empty();
    const std::string file = FileNamePart(name);
    std::string found;
    for (const std::string& candidate :
         {name, ui::ProgramFolder() + file, ui::WindowsFolderPath() + file, ui::SystemFolder() + file})
        if (ui::FileExists(candidate)) { // folders are no theme files
            found = candidate;
            break;
        }
    if (found.empty()) return;

    themeFile_ = found;
    const std::optional<SkinStamp> stamp = StampOf(themeFile_, password_);
    bool reused = false;
    if (stamp) {
        std::lock_guard<std::mutex> lock(LastSkinLock());
        const std::optional<LastSkin>& last = TheLastSkin();
        if (last && last->stamp == *stamp) {
            manager_.adopt(last->reader);
            bitmaps_ = last->bitmaps;
            larger_ = last->larger;
            bitmapGeneration_ = manager_.generation();
            reused = ready_ = true;
        }
    }
    if (!reused) {
        const std::string temp = TemporaryName(ui::TempFolder());
        ready_ = !temp.empty() && manager_.load(themeFile_, password_, temp);
        // The reader removes its copy; this covers a load cut short by an exception.
        if (!temp.empty()) DeleteFileW(ui::WideArg(temp));
        syncBitmaps();
        larger_.reset();
        if (ready_) {
            larger_ = std::make_shared<LargerArt>();
            larger_->path = themeFile_;
            larger_->password = password_;
        }
        if (ready_ && stamp) {
            std::lock_guard<std::mutex> lock(LastSkinLock());
            TheLastSkin() = LastSkin{*stamp, manager_.sharedReader(), bitmaps_, larger_};
        }
    }
    if (ready_) refreshFormComponents(firstLoad);
}

void FileTheme::setPassword(const std::string& password) {
    password_ = password;
    if (!password_.empty()) setThemeFile(themeFile_);
}

void FileTheme::syncBitmaps() {
    if (bitmapGeneration_ == manager_.generation()) return;
    bitmapGeneration_ = manager_.generation();
    auto fresh = std::make_shared<Bitmaps>();
    for (int k = 0; k < kBitmapKeyCount; ++k) {
        const auto bytes = manager_.lookupBitmap(static_cast<BitmapKey>(k));
        (*fresh)[static_cast<std::size_t>(k)] = bytes.empty() ? ui::BitmapHandle() : BitmapFromBmpBytes(bytes);
    }
    bitmaps_ = std::move(fresh);
}

void FileTheme::refreshFormComponents(bool firstLoad) {
    auto* form = dynamic_cast<ui::Form*>(owner());
    if (!form) return;
    const std::vector<ui::Component*> owned = form->components();
    bool frameUsesTheme = false;
    for (ui::Component* c : owned)
        if (auto* frame = dynamic_cast<ThemedFrame*>(c); frame && frame->fileTheme() == this) frameUsesTheme = true;
    // Every skinned component of the form publishes FileTheme through Themed;
    // setting it afresh makes it read its look again.
    for (ui::Component* c : owned)
        if (auto* t = dynamic_cast<Themed*>(c); t && t->fileTheme() == this) {
            t->setFileTheme(nullptr);
            t->setFileTheme(this);
        }
    if (frameUsesTheme && !firstLoad && form->handle())
        SetWindowPos(form->handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int FileTheme::dpi() const {
    for (const ui::Component* o = owner(); o; o = o->owner())
        if (auto* w = dynamic_cast<const ui::WinControl*>(o); w && w->handle()) return ui::DpiOf(w->handle());
    return ui::ScreenDpi();
}

HBITMAP FileTheme::designBitmap(BitmapKey key) const {
    const auto k = static_cast<std::size_t>(key);
    return bitmaps_ && k < bitmaps_->size() ? (*bitmaps_)[k].get() : nullptr;
}

std::optional<COLORREF> FileTheme::transparentKey() const {
    const int32_t key = lookupColor(ColorKey::TRANSCOLOR);
    return key >= 0 ? std::optional<COLORREF>(static_cast<COLORREF>(key)) : std::nullopt;
}

HBITMAP FileTheme::lookupBitmap(BitmapKey key) const {
    const auto k = static_cast<std::size_t>(key);
    HBITMAP design = designBitmap(key);
    const int at = dpi();
    if (!design || at == ui::kDesignDpi || !larger_) return design;
    std::lock_guard<std::mutex> hold(larger_->madeLock);
    ui::BitmapHandle& slot = larger_->made[at][k];
    // The transparent colour stays exact, so the region scan and the screen see no blend of it.
    if (!slot) slot = PictureAtDpi(renditions(key, at), at, transparentKey());
    return slot ? slot.get() : design;
}

Renditions FileTheme::renditions(BitmapKey key, int dpi) const {
    Renditions r{designBitmap(key)};
    const int wanted = ui::ArtDpiFor(dpi);
    if (!r.design || wanted == ui::kDesignDpi || !larger_) return r;
    const auto k = static_cast<std::size_t>(key);
    if (wanted == 144) r.at144 = larger_->at(144)[k].get();
    if (wanted == 192 || !r.at144) r.at192 = larger_->at(192)[k].get();
    return r;
}

ui::BitmapHandle FileTheme::lookupBitmapPart(BitmapKey key, int partCount, int partNo) const {
    if (partCount == 0 || partNo == 0) return ui::CopyBitmap(lookupBitmap(key));
    // Cut where the parts are whole pixels wide: in the picture drawn at this scale, or
    // at 96 DPI before scaling.
    const int at = dpi();
    return PictureAtDpi(renditions(key, at), at, transparentKey(), partCount, partNo);
}

bool FileTheme::lookupBool(BoolKey key) const { return manager_.lookupBool(key); }
int32_t FileTheme::lookupColor(ColorKey key) const { return manager_.lookupColor(key); }
int32_t FileTheme::lookupInt(IntKey key) const {
    const int32_t v = manager_.lookupInt(key);
    return v < 0 ? v : ui::ScaleToDpi(v, dpi()); // -1: absent
}

bool ResolveUIStyle(const FileTheme* fileTheme, UIStyle given, UIStyle& out) {
    return ResolveUIStyle(fileTheme != nullptr && fileTheme->ready(), given, out);
}

} // namespace corvane::skin
