// The file theme: loads a skin file and answers the skinned controls'
// questions for pictures, colours, integers and flags by key.
#pragma once
#include <windows.h>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "skin/theme/FileThemeManager.h"
#include "ui/Environment.h"
#include "skin/theme/SkinKeys.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/UIStyle.h"
#include "ui/Component.h"
#include "ui/Handles.h"

namespace corvane::skin {

// A GDI bitmap made from the bytes of a BMP file, which are checked first;
// none when they are not a sound BMP file.
ui::BitmapHandle BitmapFromBmpBytes(std::span<const uint8_t> bytes);

class FileTheme : public ui::Component {
public:
    explicit FileTheme(ui::Component* owner, std::string name = {});
    ~FileTheme() override;

    // Given a name, looks for it in the current folder, beside the executable,
    // in the Windows folder and in the system folder (ui::TheEnvironment() may point
    // them elsewhere), and loads the first one found, extracting the description to
    // the temporary folder. When none is found nothing changes. The file found last
    // loaded, at the same full path, size and write time and with the same password,
    // is not read again: its description and pictures are shared.
    const std::string& themeFile() const { return themeFile_; }
    void setThemeFile(const std::string& name);

    // A non-empty password reloads the current file with it.
    const std::string& password() const { return password_; }
    void setPassword(const std::string& password);

    bool ready() const { return ready_; }
    // Stored window descriptions may write it; the load alone decides.
    void setReady(bool) {}

    // The skin's pictures and integers are 96-DPI values; they are answered at the DPI
    // of the window the theme belongs to (its owner's), scaled once per load and DPI.
    int dpi() const;

    // Lent: the theme keeps it, until its next load. None when absent.
    HBITMAP lookupBitmap(BitmapKey key) const;
    // The picture as the file holds it, at 96 DPI: for cutting into parts before scaling.
    HBITMAP designBitmap(BitmapKey key) const;
    // The transparent colour, when the file names one.
    std::optional<COLORREF> transparentKey() const;
    // Changes with every load, successful or not: lent pictures of an older load are gone.
    uint32_t bitmapsGeneration() const { return bitmapGeneration_; }
    // With both numbers non-zero part partNo of partCount equal parts; otherwise
    // a copy of the whole picture (empty when absent).
    ui::BitmapHandle lookupBitmapPart(BitmapKey key, int partCount, int partNo) const;
    bool lookupBool(BoolKey key) const;
    // -1 when absent.
    int32_t lookupColor(ColorKey key) const;
    int32_t lookupInt(IntKey key) const;
    // The integer as the file holds it, at 96 DPI; -1 when absent.
    int32_t designInt(IntKey key) const { return manager_.lookupInt(key); }

    // The file's pictures drawn at 150 and 200 percent, read when first asked for, and
    // its pictures at each DPI asked for, made once: shared by every theme that loaded the
    // same file, so each dialog that opens finds them made.
    struct LargerArt;

private:
    void syncBitmaps();
    void refreshFormComponents(bool firstLoad);

    FileThemeManager manager_;
    std::string themeFile_;
    std::string password_;
    bool ready_ = false;
    using Bitmaps = std::array<ui::BitmapHandle, kBitmapKeyCount>;
    // Shared with the last load's cache and every theme that loaded the same file.
    std::shared_ptr<const Bitmaps> bitmaps_;
    uint32_t bitmapGeneration_ = 0;
    std::shared_ptr<LargerArt> larger_;
    Renditions renditions(BitmapKey key, int dpi) const;
};

// Whether a control draws from its file theme (true) or from the built-in
// style put in `out`; a missing or unready theme gives DeepBlue.
bool ResolveUIStyle(const FileTheme* fileTheme, UIStyle given, UIStyle& out);

} // namespace corvane::skin
