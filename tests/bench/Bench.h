// Tiny benchmark harness: each CORVANE_BENCH body runs once from main and prints
// the product's time beside the bare platform operation's time and their ratio.
#pragma once
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace corvane::bench {

using Clock = std::chrono::steady_clock;

struct Entry { const char* name; void (*fn)(); };
inline std::vector<Entry>& registry() { static std::vector<Entry> r; return r; }
struct Registrar { Registrar(const char* n, void (*f)()) { registry().push_back({n, f}); } };

// Best of `reps` runs, in milliseconds; `setup` runs untimed before each run.
inline double timeBest(int reps, const std::function<void()>& setup, const std::function<void()>& body) {
    double best = 1e300;
    for (int i = 0; i < reps; ++i) {
        if (setup) setup();
        auto t0 = Clock::now();
        body();
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        if (ms < best) best = ms;
    }
    return best;
}

inline void report(const std::string& what, double productMs, const std::string& bareWhat, double bareMs) {
    std::printf("%-48s product %10.3f ms | %-36s %10.3f ms | ratio %6.2f\n",
                what.c_str(), productMs, bareWhat.c_str(), bareMs, bareMs > 0 ? productMs / bareMs : 0.0);
    std::fflush(stdout);
}

inline void reportValue(const std::string& what, double value, const char* unit) {
    std::printf("%-48s %12.1f %s\n", what.c_str(), value, unit);
    std::fflush(stdout);
}

} // namespace corvane::bench

#define CORVANE_BENCH_CAT2(a, b) a##b
#define CORVANE_BENCH_CAT(a, b) CORVANE_BENCH_CAT2(a, b)
#define CORVANE_BENCH(name)                                                        \
    static void name();                                                            \
    static ::corvane::bench::Registrar CORVANE_BENCH_CAT(reg_, name)(#name, &name); \
    static void name()
