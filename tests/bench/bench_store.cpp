// The store and main-window commands beside their floors: the registry calls and
// list-view messages they cannot do without, on the same key, values and list.
#include "Bench.h"
#include "MessageProfile.h"
#include "ui/Environment.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "app/SortRules.h"
#include "ui/Application.h"
#include "ui/WideText.h"
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>
#include <memory>
#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::bench;

namespace {

const char* const kBenchKey = "Software\\CorvaneBench";
const wchar_t* const kBenchKeyW = L"Software\\CorvaneBench";

struct Value {
    std::string name, text;
};

std::vector<Value> pairsOf(const std::vector<app::FavouriteRow>& rows) {
    std::vector<Value> v;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        v.push_back({app::AliasValueName(static_cast<int>(i)), rows[i].alias});
        v.push_back({app::PathValueName(static_cast<int>(i)), rows[i].path});
    }
    return v;
}

bool writeValues(HKEY h, const std::vector<Value>& values) {
    bool ok = true;
    for (const Value& v : values)
        ok = RegSetValueExA(h, v.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(v.text.c_str()),
                            static_cast<DWORD>(v.text.size() + 1)) == ERROR_SUCCESS &&
             ok;
    return ok;
}

// The floors' values in UTF-16, made before the timing: the product's store calls are the
// wide ones, and a floor must not pay for the narrow calls' conversion where the product
// does not.
struct WideValue {
    std::wstring name, text;
};

std::vector<WideValue> widened(const std::vector<Value>& values) {
    std::vector<WideValue> v;
    for (const Value& x : values) v.push_back({ui::Widen(x.name), ui::Widen(x.text)});
    return v;
}

bool writeValuesW(HKEY h, const std::vector<WideValue>& values) {
    bool ok = true;
    for (const WideValue& v : values)
        ok = RegSetValueExW(h, v.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(v.text.c_str()),
                            static_cast<DWORD>((v.text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS &&
             ok;
    return ok;
}

// The key emptied and filled with `rows`, before every run of either side.
void fillKey(const std::vector<app::FavouriteRow>& rows) {
    SHDeleteKeyA(HKEY_CURRENT_USER, kBenchKey);
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return;
    writeValues(h, pairsOf(rows));
    RegCloseKey(h);
}

std::vector<app::FavouriteRow> numberedRows(int n) {
    std::vector<app::FavouriteRow> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back({"Favourite " + std::to_string(i), "C:\\Folders\\Some place\\number " + std::to_string(i)});
    return rows;
}

// The rows in an order of their own, the same in every run.
std::vector<app::FavouriteRow> Scrambled(std::vector<app::FavouriteRow> rows) {
    uint32_t x = 12345;
    for (size_t i = rows.size(); i-- > 1;) {
        x = x * 1664525u + 1013904223u;
        std::swap(rows[i], rows[(x >> 8) % static_cast<uint32_t>(i + 1)]);
    }
    return rows;
}

// The pairs the key holds, read until the first gap, as the product reads them.
std::vector<app::FavouriteRow> keyRows() {
    std::vector<app::FavouriteRow> rows;
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, KEY_READ, &h) != ERROR_SUCCESS) return rows;
    for (int i = 0;; ++i) {
        char a[1024], p[1024];
        DWORD sa = sizeof a, sp = sizeof p;
        if (RegQueryValueExA(h, app::AliasValueName(i).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(a), &sa) ||
            RegQueryValueExA(h, app::PathValueName(i).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(p), &sp))
            break;
        rows.push_back({a, p});
    }
    RegCloseKey(h);
    return rows;
}

bool keyHoldsValue(const std::string& name) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    const bool found = RegQueryValueExA(h, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(h);
    return found;
}

std::vector<app::FavouriteRow> listRows(const app::MainForm& f) {
    std::vector<app::FavouriteRow> rows;
    for (int i = 0; i < f.rowCount(); ++i) rows.push_back({f.rowAlias(i), f.rowPath(i)});
    return rows;
}

// The program folder points at a temporary folder whose options turn the tips off.
struct BenchFolder {
    BenchFolder() {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        path = std::string(tmp) + "corvane-bench\\";
        CreateDirectoryA(path.c_str(), nullptr);
        WritePrivateProfileStringA("Options", "ShowTips", "0", (path + "options.ini").c_str());
        ui::TheEnvironment().folders.program = path;
    }
    ~BenchFolder() { ui::TheEnvironment().folders.program = ""; }
    std::string path;
};

std::unique_ptr<app::MainForm> openMain() {
    auto f = std::make_unique<app::MainForm>(nullptr, kBenchKey);
    f->create();
    // Let the first paint happen before anything is timed.
    for (int i = 0; i < 5; ++i) {
        ui::Application::instance().processMessages();
        Sleep(10);
    }
    return f;
}

void reloadList(app::MainForm& f) {
    f.list()->clear();
    f.list()->beginUpdate();
    f.LoadFavourites(kBenchKey);
    f.list()->endUpdate();
}

// The floor of a load: every value read once, each pair inserted into the same list
// with redraw off, up to the gap that ends the load.
// Wide calls, as the product's.
void readAndInsert(HWND list, const std::vector<WideValue>& names) {
    HKEY h;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kBenchKeyW, 0, KEY_READ, &h) != ERROR_SUCCESS) return;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    wchar_t alias[1024], path[1024];
    for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
        DWORD sa = sizeof alias, sp = sizeof path;
        if (RegQueryValueExW(h, names[i].name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(alias), &sa) ||
            RegQueryValueExW(h, names[i + 1].name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(path), &sp))
            break;
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i / 2);
        item.pszText = alias;
        const int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        item.iSubItem = 1;
        item.pszText = path;
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    RegCloseKey(h);
}

void benchLoad(int n) {
    const std::vector<app::FavouriteRow> rows = numberedRows(n);
    fillKey(rows);
    BenchFolder folder;
    auto form = openMain();
    // The names of the n pairs and of the pair that ends the load.
    const std::vector<WideValue> names = widened(pairsOf(numberedRows(n + 1)));
    auto clear = [&] { form->list()->clear(); };
    auto listIsKey = [&] { return listRows(*form) == rows; };
    Side product = side(
        "", clear,
        [&] {
            form->list()->beginUpdate();
            form->LoadFavourites(kBenchKey);
            form->list()->endUpdate();
        },
        listIsKey);
    Side floor = side(
        "", clear, [&] { readAndInsert(form->list()->handle(), names); }, listIsKey);
    interleave({&product, &floor}, 2, n > 5000 ? 7 : 15);
    report("load " + std::to_string(n) + " favourites vs reads+inserts", product, floor);
    form.reset();
    SHDeleteKeyA(HKEY_CURRENT_USER, kBenchKey);
}

} // namespace

CORVANE_BENCH(store_load) {
    benchLoad(1000);
    benchLoad(10000);
}

CORVANE_BENCH(store_delete_and_sort) {
    const int n = 1000;
    BenchFolder folder;
    const std::vector<app::FavouriteRow> rows = numberedRows(n);
    fillKey(rows);
    auto form = openMain();
    form->options().askDelete = false;

    // Delete row 0: the pair n-1 goes, pairs 0..n-2 take the rows after it.
    const std::vector<app::FavouriteRow> afterDelete(rows.begin() + 1, rows.end());
    const std::vector<WideValue> deleteWrites = widened(pairsOf(afterDelete));
    const std::string lastAlias = app::AliasValueName(n - 1), lastPath = app::PathValueName(n - 1);
    const std::wstring lastAliasW = ui::Widen(lastAlias), lastPathW = ui::Widen(lastPath);
    auto refillAndReload = [&] {
        fillKey(rows);
        reloadList(*form);
        form->list()->select(0);
    };
    Side delProduct = side(
        "", refillAndReload, [&] { form->deleteItem(); },
        [&] {
            return form->rowCount() == n - 1 && keyRows() == afterDelete && !keyHoldsValue(lastAlias) &&
                   listRows(*form) == afterDelete;
        });
    Side delFloor = side(
        "", [&] { fillKey(rows); },
        [&] {
            HKEY h;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, kBenchKeyW, 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) return;
            RegDeleteValueW(h, lastAliasW.c_str());
            RegDeleteValueW(h, lastPathW.c_str());
            writeValuesW(h, deleteWrites);
            RegCloseKey(h);
        },
        [&] { return keyRows() == afterDelete && !keyHoldsValue(lastAlias); });
    // The list is the only copy of the rows: the row goes from it, and the rest
    // are read back from it for the rewrite.
    Side delList = side(
        "list: delete row 0, redraw off", [&] { reloadList(*form); },
        [&] {
            form->list()->beginUpdate();
            form->list()->deleteItem(0);
            form->list()->endUpdate();
        });
    Side delRead = side(
        "list: read back 999 rows", [&] { reloadList(*form); }, [&] { listRows(*form); });
    interleave({&delProduct, &delFloor, &delList, &delRead}, 2, 11);
    report("delete row 0 of 1,000 vs the same writes", delProduct, delFloor);
    reportExtra(delList);
    reportExtra(delRead);

    // Sort: the rows in a scrambled order, sorted ascending; the floor writes the
    // very values the sort leaves.
    const std::vector<app::FavouriteRow> scrambled = Scrambled(rows);
    std::vector<app::FavouriteRow> sorted = scrambled;
    app::ExchangeSort(sorted, true);
    const std::vector<WideValue> sortWrites = widened(pairsOf(sorted));
    Side sortProduct = side(
        "",
        [&] {
            fillKey(scrambled);
            reloadList(*form);
            form->setSortAscending(true);
        },
        [&] { form->sortRows(); }, [&] { return keyRows() == sorted && listRows(*form) == sorted; });
    Side sortFloor = side(
        "", [&] { fillKey(scrambled); },
        [&] {
            HKEY h;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, kBenchKeyW, 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) return;
            writeValuesW(h, sortWrites);
            RegCloseKey(h);
        },
        [&] { return keyRows() == sorted; });
    std::vector<app::FavouriteRow> work;
    Side sortInMemory = side(
        "exchange sort of 1,000 rows in memory", [&] { work = scrambled; }, [&] { app::ExchangeSort(work, true); });
    // Read once for the sort and once more for the rewrite.
    Side sortRead = side(
        "list: read back 1,000 rows (twice)", [&] { reloadList(*form); },
        [&] {
            listRows(*form);
            listRows(*form);
        });
    // The list shown in its new order: every text of a row that moved set again.
    Side sortList = side(
        "list: 2,000 texts set, redraw off",
        [&] {
            fillKey(scrambled);
            reloadList(*form);
        },
        [&] {
            ui::ListUpdate batch(*form->list());
            for (int r = 0; r < n; ++r) {
                form->list()->setCaption(r, sorted[static_cast<std::size_t>(r)].alias);
                form->list()->setSubItem(r, sorted[static_cast<std::size_t>(r)].path);
            }
        });
    interleave({&sortProduct, &sortFloor, &sortInMemory, &sortRead, &sortList}, 2, 11);
    report("sort 1,000 rows vs writing the sorted values", sortProduct, sortFloor);
    reportExtra(sortInMemory);
    reportExtra(sortRead);
    reportExtra(sortList);

    form.reset();
    SHDeleteKeyA(HKEY_CURRENT_USER, kBenchKey);
}

// Where the Sort's time goes: the command under the message hooks, and its pieces alone.
CORVANE_BENCH(store_sort_profile) {
    const int n = 1000;
    BenchFolder folder;
    const std::vector<app::FavouriteRow> scrambled = Scrambled(numberedRows(n));
    std::vector<app::FavouriteRow> sorted = scrambled;
    app::ExchangeSort(sorted, true);
    fillKey(scrambled);
    auto form = openMain();
    const int runs = quickMode() ? 1 : 8;
    MessageProfile p;
    p.start();
    std::vector<app::FavouriteRow> work;
    for (int i = 0; i < runs; ++i) {
        fillKey(scrambled);
        reloadList(*form);
        form->setSortAscending(true);
        p.run("sort 1,000 rows", [&] { form->sortRows(); });
        if (listRows(*form) != sorted) problem("store_sort_profile: the list is not sorted");
        fillKey(scrambled);
        reloadList(*form);
        p.run("piece: list read, 1,000 rows", [&] { work = listRows(*form); });
        p.run("piece: exchange sort in memory", [&] { app::ExchangeSort(work, true); });
        p.run("piece: list rewritten, 2,000 texts, redraw off", [&] {
            ui::ListUpdate batch(*form->list());
            for (int r = 0; r < n; ++r) {
                form->list()->setCaption(r, work[static_cast<std::size_t>(r)].alias);
                form->list()->setSubItem(r, work[static_cast<std::size_t>(r)].path);
            }
        });
        fillKey(scrambled);
        p.run("piece: store rewritten from the list", [&] { form->RewriteStoreRange(kBenchKey, 0, n - 1); });
        p.run("piece: repaint of the list", [&] {
            form->list()->invalidate();
            UpdateWindow(form->list()->handle());
        });
    }
    p.stop();
    for (const char* what : {"sort 1,000 rows", "piece: list read, 1,000 rows", "piece: exchange sort in memory",
                             "piece: list rewritten, 2,000 texts, redraw off", "piece: store rewritten from the list",
                             "piece: repaint of the list"})
        p.print(what, runs);
    form.reset();
    SHDeleteKeyA(HKEY_CURRENT_USER, kBenchKey);
}
