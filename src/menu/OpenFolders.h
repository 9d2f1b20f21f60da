// The folders of the open Explorer windows, offered inside an Open or Save dialog.
// Explorer windows live in another process, and a hung one must not hang the dialog:
// they are asked on a worker thread, and the menu takes what arrived within its budget.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane::menu {

// Where the open folder windows come from; the real one asks the shell's window list.
class FolderWindowSource {
public:
    virtual ~FolderWindowSource() = default;
    // Reports each window's folder with its rank (lower is more recently active); ""
    // for a window showing no file-system folder. Runs on the collector's worker thread
    // in an apartment of its own, and may block for as long as a window's process hangs;
    // stops when `arrived` returns false.
    virtual void list(const std::function<bool(const std::string& folder, long rank)>& arrived) = 0;
};

std::shared_ptr<FolderWindowSource> ShellFolderWindows();

constexpr unsigned long kOpenFoldersBudgetMs = 250;
constexpr size_t kMaxOpenFolders = 10;

// What `source` reported within `budgetMs`: file-system folders only, most recent first,
// none twice and none of `exclude` (compared without case, a trailing "\" ignored), at
// most `limit`.
std::vector<std::string> CollectOpenFolders(std::shared_ptr<FolderWindowSource> source,
                                            const std::vector<std::string>& exclude,
                                            unsigned long budgetMs = kOpenFoldersBudgetMs,
                                            size_t limit = kMaxOpenFolders);

} // namespace corvane::menu
