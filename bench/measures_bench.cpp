// The edit distance on the longest texts an answer box holds.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/french_text.h"
#include "checking/measures.h"
#include "content/text260.h"

namespace {

// 259 characters of French without NUL, different for each seed.
std::string longAnswer(uint32_t seed) {
    std::string text = frenchText(TextMaxLength, seed);
    for (char& c : text)
        if (c == '\0') c = ' ';
    return text;
}

void BM_EditDistance259(benchmark::State& state) {
    const std::string typed = longAnswer(1);
    const std::string expected = longAnswer(2);
    int distance = 0;
    for (auto _ : state) {
        distance = editDistance(typed.c_str(), expected.c_str());
        benchmark::DoNotOptimize(distance);
    }
    state.counters["distance"] = distance;
    state.counters["length"] = double(typed.size());
}

BENCHMARK(BM_EditDistance259)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
