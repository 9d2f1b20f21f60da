#include "Bench.h"
#include <cstring>

// Runs every registered benchmark, or only those whose name contains argv[1].
int main(int argc, char** argv) {
    for (auto& e : corvane::bench::registry())
        if (argc < 2 || std::strstr(e.name, argv[1])) e.fn();
    return 0;
}
