// The open Explorer windows offered in a file dialog, through fake window lists: Wine
// runs no Explorer whose windows the shell's list would hold.
#include "menu/OpenFolders.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

using corvane::menu::CollectOpenFolders;
using corvane::menu::FolderWindowSource;

namespace {

struct Window {
    std::string folder;
    long rank;
};

// Reports `windows` in turn; with `hangAfter` set, blocks after that many until released,
// as a window of a hung Explorer would.
class FakeWindows : public FolderWindowSource {
public:
    explicit FakeWindows(std::vector<Window> windows, int hangAfter = -1)
        : windows_(std::move(windows)), hangAfter_(hangAfter), release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~FakeWindows() override {
        CloseHandle(release_);
        CloseHandle(done_);
    }
    void list(const std::function<bool(const std::string&, long)>& arrived) override {
        for (int i = 0; i < static_cast<int>(windows_.size()); ++i) {
            if (i == hangAfter_) WaitForSingleObject(release_, 20000);
            if (!arrived(windows_[i].folder, windows_[i].rank)) break;
        }
        SetEvent(done_);
    }
    void release() { SetEvent(release_); }
    bool finished(DWORD ms) { return WaitForSingleObject(done_, ms) == WAIT_OBJECT_0; }

private:
    std::vector<Window> windows_;
    int hangAfter_;
    HANDLE release_, done_;
};

} // namespace

TEST(OpenFolders, MostRecentFirstWithoutDuplicatesFavouritesOrNonFolders) {
    const std::vector<std::string> favourites = {"C:\\Work", "D:\\"};
    struct Case {
        const char* what;
        std::vector<Window> windows;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"no windows", {}, {}},
        {"by rank", {{"C:\\B", 2}, {"C:\\A", 0}, {"C:\\C", 1}}, {"C:\\A", "C:\\C", "C:\\B"}},
        {"twice, in other case and with a trailing backslash",
         {{"C:\\Docs", 0}, {"c:\\DOCS\\", 1}, {"C:\\Docs", 2}},
         {"C:\\Docs"}},
        {"favourites left out", {{"c:\\work\\", 0}, {"D:\\", 1}, {"C:\\Other", 2}}, {"C:\\Other"}},
        {"Control Panel and other non-folders left out", {{"", 0}, {"C:\\Real", 1}, {"", 2}}, {"C:\\Real"}},
        {"Cyrillic names fold too",
         {{"C:\\\xD0\x9C\xD1\x83\xD0\xB7", 0}, {"C:\\\xD0\xBC\xD0\xA3\xD0\x97", 1}},
         {"C:\\\xD0\x9C\xD1\x83\xD0\xB7"}},
    };
    for (const Case& c : cases) {
        auto source = std::make_shared<FakeWindows>(c.windows);
        EXPECT_EQ(c.expected, CollectOpenFolders(source, favourites, 5000)) << c.what;
    }

    std::vector<Window> many;
    for (int i = 0; i < 14; ++i) many.push_back({"C:\\F" + std::to_string(i), i});
    const auto ten = CollectOpenFolders(std::make_shared<FakeWindows>(many), favourites, 5000);
    ASSERT_EQ(10u, ten.size());
    EXPECT_EQ("C:\\F0", ten.front());
    EXPECT_EQ("C:\\F9", ten.back());
}

// A window that hangs costs the menu its budget, not the dialog its life: what arrived
// before it is offered, and the worker, released later, ends on its own.
TEST(OpenFolders, AHungWindowGivesWhatArrivedInTime) {
    auto source = std::make_shared<FakeWindows>(
        std::vector<Window>{{"C:\\First", 1}, {"C:\\Second", 0}, {"C:\\Late", 2}}, 2);
    EXPECT_EQ((std::vector<std::string>{"C:\\Second", "C:\\First"}), CollectOpenFolders(source, {}, 200));
    EXPECT_FALSE(source->finished(0)) << "the worker should still be waiting on the hung window";
    source->release();
    EXPECT_TRUE(source->finished(10000));
}
