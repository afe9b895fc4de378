// Encode and decode speed of the content codec on the two kinds of input it
// meets at the extremes: French quiz text and incompressible bytes.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/french_text.h"
#include "content/lzw_codec.h"

namespace {

constexpr std::size_t FrenchSize = 48 * 1024;
constexpr std::size_t RandomSize = 16 * 1024;

std::vector<uint8_t> frenchInput() {
    std::string text = frenchText(FrenchSize);
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> encoded(const std::vector<uint8_t>& input) {
    LzwBuffer buffer;
    int32_t length = 0;
    if (lzwEncode(input.data(), int32_t(input.size()), buffer, length) != LzwOk) return {};
    return std::vector<uint8_t>(buffer.get(), buffer.get() + length - 1);
}

void encodeBench(benchmark::State& state, const std::vector<uint8_t>& input) {
    int32_t length = 0;
    for (auto _ : state) {
        LzwBuffer buffer;
        if (lzwEncode(input.data(), int32_t(input.size()), buffer, length) != LzwOk) {
            state.SkipWithError("encoding failed");
            return;
        }
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()));
    state.counters["in"] = double(input.size());
    state.counters["out"] = double(length - 1);
    state.counters["ratio"] = double(length - 1) / double(input.size());
}

void decodeBench(benchmark::State& state, const std::vector<uint8_t>& input) {
    std::vector<uint8_t> stream = encoded(input);
    if (stream.empty()) {
        state.SkipWithError("encoding failed");
        return;
    }
    int32_t length = 0;
    for (auto _ : state) {
        LzwBuffer buffer;
        if (lzwDecode(stream.data(), int32_t(stream.size()), buffer, length) != LzwOk) {
            state.SkipWithError("decoding failed");
            return;
        }
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()));
    state.counters["in"] = double(stream.size());
    state.counters["out"] = double(length - 2);
}

void BM_EncodeFrench48K(benchmark::State& state) { encodeBench(state, frenchInput()); }
void BM_DecodeFrench48K(benchmark::State& state) { decodeBench(state, frenchInput()); }
void BM_EncodeRandom16K(benchmark::State& state) { encodeBench(state, randomBytes(RandomSize)); }
void BM_DecodeRandom16K(benchmark::State& state) { decodeBench(state, randomBytes(RandomSize)); }

BENCHMARK(BM_EncodeFrench48K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeFrench48K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EncodeRandom16K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeRandom16K)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
