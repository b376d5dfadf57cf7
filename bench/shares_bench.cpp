// Share construction and stacking on a 4096 x 4096 secret, in megapixels of
// secret per second (Mpx/s).

#include "basis/BasisPair.h"
#include "random/RandomSource.h"
#include "shares/Shares.h"
#include "shares/Stack.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

using namespace lumisplit;

constexpr int kSide = 4096;

// Half black, half white at random: the column draws do not favour either.
CBmpImage RandomSecret() {
    CBmpImage secret("secret.bmp", kSide, kSide);
    SeededRandom random(7);
    for (int r = 0; r < kSide; ++r) {
        std::uint8_t* row = secret.Row(r);
        for (std::size_t i = 0; i < secret.Stride(); i += 8) {
            const std::uint64_t word = random.Below(1u << 31) |
                                       (std::uint64_t{random.Below(1u << 31)} << 31) |
                                       (std::uint64_t{random.Below(4)} << 62);
            std::memcpy(row + i, &word, std::min<std::size_t>(8, secret.Stride() - i));
        }
    }
    return secret;
}

const CBmpImage& Secret() {
    static const CBmpImage secret = RandomSecret();
    return secret;
}

void SetRate(benchmark::State& state, double pixels) {
    state.counters["Mpx/s"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void Split(benchmark::State& state, int method, int scheme, int n, int k) {
    auto pair = BuildBasisPair(scheme, n, k, nullptr);
    if (!pair) {
        state.SkipWithError("no basis pair");
        return;
    }
    std::vector<CBmpImage> covers;
    if (method == kExtendedPreserveSize || method == kExtendedPreserveDetail)
        for (int p = 0; p < n; ++p)
            covers.push_back(RandomSecret());
    SystemRandom random;
    for (auto _ : state) {
        auto shares = MakeShares(method, Secret(), pair->S0, pair->S1, random, covers);
        if (!shares) {
            state.SkipWithError("the split was refused");
            return;
        }
        benchmark::DoNotOptimize(shares);
    }
    state.counters["m"] = pair->S0.GetCols();
    SetRate(state, double{kSide} * kSide);
}

void BM_Stack(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    std::vector<CBmpImage> layers;
    std::vector<const CBmpImage*> pointers;
    for (int i = 0; i < count; ++i)
        layers.push_back(RandomSecret());
    for (const CBmpImage& layer : layers)
        pointers.push_back(&layer);
    for (auto _ : state) {
        auto result = StackLayers(pointers, "resultado.bmp");
        if (!result) {
            state.SkipWithError("the layers were refused");
            return;
        }
        benchmark::DoNotOptimize(result);
    }
    SetRate(state, double{kSide} * kSide);
}

BENCHMARK_CAPTURE(Split, RandomColumn22, kRandomBasisColumn, kScheme22, 2, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Split, RandomColumnKN35, kRandomBasisColumn, kSchemeKN, 5, 3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Split, Square22, kSquareSubpixelExpansion, kScheme22, 2, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Split, ExtendedSize22, kExtendedPreserveSize, kScheme22, 2, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Stack)->Arg(2)->Arg(9)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
