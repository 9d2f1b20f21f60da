#include "Bench.h"
#include <cstring>
#if defined(_WIN32)
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
int BareWindowMain();
int ProductWindowMain();
#endif

// Runs every registered benchmark, or only those whose name contains argv[1].
// The start-up benchmark starts this exe again with --bare-window or --product-window.
int main(int argc, char** argv) {
#if defined(_WIN32)
    if (argc > 1 && std::strcmp(argv[1], "--bare-window") == 0) return BareWindowMain();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    if (argc > 1 && std::strcmp(argv[1], "--product-window") == 0) {
        const int rc = ProductWindowMain();
        OleUninitialize();
        return rc;
    }
#endif
    for (auto& e : corvane::bench::registry())
        if (argc < 2 || std::strstr(e.name, argv[1])) e.fn();
    return 0;
}
