// Tiny benchmark harness. Each CORVANE_BENCH body runs once from main. A comparison
// runs the product and its floor (the bare platform work it cannot avoid) in turns,
// after a warm-up, so that a busy moment of the shared machine hits both sides; each
// line gives the median and the spread of every side and the ratio of the medians.
// A line with a failed run, or a problem(), makes the whole run fail: a benchmark
// that measures something broken must not pass quietly. In quick mode every side
// runs once, without warm-up, so a test run can check the outputs; its times are
// not worth judging.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace corvane::bench {

using Clock = std::chrono::steady_clock;

struct Entry {
    const char* name;
    void (*fn)();
};
inline std::vector<Entry>& registry() {
    static std::vector<Entry> r;
    return r;
}
struct Registrar {
    Registrar(const char* n, void (*f)()) { registry().push_back({n, f}); }
};

struct RunState {
    bool quick = false;
    int failedLines = 0; // lines with a failed run, and problems
};
inline RunState& runState() {
    static RunState s;
    return s;
}
inline bool quickMode() { return runState().quick; }

inline double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// One timed body with its untimed preparation and, after it, an untimed check of
// what it produced. A run whose body or check fails is counted, and its time left out.
struct Side {
    std::string name;
    std::function<void()> setup;
    std::function<bool()> body;
    std::function<bool()> check;
    // Instead of `body`: a run that times itself, returning milliseconds or < 0 when it failed.
    std::function<double()> selfTimed;
    std::vector<double> ms{};
    int failed = 0;   // warm-up runs included
    int attempts = 0; // warm-up runs included
};

inline Side side(std::string name, std::function<void()> setup, std::function<void()> body,
                 std::function<bool()> check = nullptr) {
    return {std::move(name), std::move(setup),
            [b = std::move(body)] {
                b();
                return true;
            },
            std::move(check), nullptr};
}
inline Side checkedSide(std::function<bool()> body, std::function<bool()> check) {
    return {"", nullptr, std::move(body), std::move(check), nullptr};
}
inline Side selfTimedSide(std::function<double()> run) { return {"", nullptr, nullptr, nullptr, std::move(run)}; }

struct Stats {
    double median = 0, min = 0, max = 0;
    int runs = 0;
};

inline Stats stats(std::vector<double> v) {
    Stats s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    s.median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    s.min = v.front();
    s.max = v.back();
    s.runs = static_cast<int>(n);
    return s;
}

inline void runOnce(Side& s, bool keep) {
    if (s.setup) s.setup();
    const auto t0 = Clock::now();
    bool ok = true;
    double ms = 0;
    if (s.selfTimed) {
        ms = s.selfTimed();
        ok = ms >= 0;
    } else {
        ok = s.body();
        ms = msSince(t0);
    }
    if (s.check) ok = s.check() && ok;
    ++s.attempts;
    if (!ok) ++s.failed;
    else if (keep) s.ms.push_back(ms);
}

// `warmUp` untimed rounds, then `rounds` timed ones; every round runs each side
// once, starting with a different side each time. Quick mode: one round, no warm-up.
inline void interleave(std::vector<Side*> sides, int warmUp, int rounds) {
    if (quickMode()) warmUp = 0, rounds = 1;
    const std::size_t k = sides.size();
    for (int r = 0; r < warmUp + rounds; ++r)
        for (std::size_t i = 0; i < k; ++i) runOnce(*sides[(r + i) % k], r >= warmUp);
}

inline std::string describe(const Side& s) {
    const Stats st = stats(s.ms);
    char buf[160];
    if (st.runs) std::snprintf(buf, sizeof buf, "%9.3f ms [%.3f-%.3f]", st.median, st.min, st.max);
    else std::snprintf(buf, sizeof buf, "%9s", "no time");
    std::string text = buf;
    if (s.failed) text += " (" + std::to_string(s.failed) + " of " + std::to_string(s.attempts) + " runs FAILED)";
    return text;
}

// A side that never ran, or failed a run, fails the line it is printed on.
inline bool sound(const Side& s) { return s.attempts > 0 && s.failed == 0 && !s.ms.empty(); }

// One line: the medians and spreads of `a` and `b` and the ratio of the medians.
inline void report(const std::string& what, const Side& a, const Side& b) {
    const double ma = stats(a.ms).median, mb = stats(b.ms).median;
    char ratio[32] = "ratio -";
    if (!a.ms.empty() && mb > 0) std::snprintf(ratio, sizeof ratio, "ratio %.2f", ma / mb);
    const bool ok = sound(a) && sound(b);
    if (!ok) ++runState().failedLines;
    std::printf("%-50s %s | %s | %s | %d timed runs%s\n", what.c_str(), describe(a).c_str(), describe(b).c_str(), ratio,
                static_cast<int>(std::max(a.ms.size(), b.ms.size())), ok ? "" : "  << FAILED");
    std::fflush(stdout);
}

// Work the product does beyond its floor, timed on its own in the same rounds.
inline void reportExtra(const Side& extra) {
    const bool ok = sound(extra);
    if (!ok) ++runState().failedLines;
    std::printf("  extra: %-42s %s%s\n", extra.name.c_str(), describe(extra).c_str(), ok ? "" : "  << FAILED");
    std::fflush(stdout);
}

inline void reportValue(const std::string& what, double value, const char* unit) {
    std::printf("  %-48s %12.0f %s\n", what.c_str(), value, unit);
    std::fflush(stdout);
}

inline void problem(const std::string& text) {
    ++runState().failedLines;
    std::printf("  !! FAILED: %s\n", text.c_str());
    std::fflush(stdout);
}

} // namespace corvane::bench

#define CORVANE_BENCH_CAT2(a, b) a##b
#define CORVANE_BENCH_CAT(a, b) CORVANE_BENCH_CAT2(a, b)
#define CORVANE_BENCH(name)                                                                                            \
    static void name();                                                                                                \
    static ::corvane::bench::Registrar CORVANE_BENCH_CAT(reg_, name)(#name, &name);                                    \
    static void name()
