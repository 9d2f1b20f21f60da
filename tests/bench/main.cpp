#include "Bench.h"
#include <cstdio>
#include <cstring>
#if defined(_WIN32)
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
int BareWindowMain();
int ProductWindowMain();
#endif

// corvane_bench [--quick] [WORD]: runs every registered benchmark, or only those whose
// name contains WORD. --quick runs each side once and checks its output, for the test
// run. Exits 1 when any line failed, or when WORD names no benchmark.
// The start-up benchmark starts this exe again with --bare-window or --product-window.
int main(int argc, char** argv) {
#if defined(_WIN32)
    // Both start-up sides set up common controls and COM, as the program's entry does.
    const bool bare = argc > 1 && std::strcmp(argv[1], "--bare-window") == 0;
    const bool product = argc > 1 && std::strcmp(argv[1], "--product-window") == 0;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    if (bare || product) {
        const int rc = bare ? BareWindowMain() : ProductWindowMain();
        OleUninitialize();
        return rc;
    }
#endif
    const char* filter = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) corvane::bench::runState().quick = true;
        else if (argv[i][0] == '-') {
            std::fprintf(stderr, "corvane_bench: unknown option %s (usage: corvane_bench [--quick] [WORD])\n", argv[i]);
            return 2;
        } else filter = argv[i];
    }
    if (corvane::bench::quickMode()) std::printf("quick mode: one run per side, outputs checked, times not judged\n");
    int ran = 0;
    for (auto& e : corvane::bench::registry())
        if (!filter || std::strstr(e.name, filter)) {
            ++ran;
            e.fn();
        }
    const int failed = corvane::bench::runState().failedLines;
    if (ran == 0) std::printf("no benchmark is named with \"%s\"\n", filter ? filter : "");
    else if (failed) std::printf("%d benchmark line(s) FAILED\n", failed);
    else std::printf("%d benchmark(s), every line sound\n", ran);
    return ran == 0 || failed ? 1 : 0;
}
