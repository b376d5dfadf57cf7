// Building basis pairs: the fast constructions for small and large (k,n),
// the literal construction for comparison, and the check of all groups.
// Peak memory: run one case at a time under /usr/bin/time -v, e.g.
//   /usr/bin/time -v bench_basis --benchmark_filter='BuildKN/5/9$'

#include "Literal.h"
#include "basis/BasisPair.h"
#include "basis/Elementary.h"
#include "basis/Verify.h"
#include "imaging/Report.h"

#include <benchmark/benchmark.h>
#include <bit>

namespace {

using namespace lumisplit;

class SilentSink final : public ReportSink {
public:
    void Report(std::string_view) override {}
};

// Arguments: k, n. Refused parameters measure the refusal.
void BuildKN(benchmark::State& state) {
    const int k = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    SilentSink sink;
    ScopedReportSink scope(sink);
    int m = -1;
    for (auto _ : state) {
        const std::optional<BasisPair> pair = BuildBasisPair(kSchemeKN, n, k, nullptr);
        m = pair ? pair->S0.GetCols() : -1;
        benchmark::DoNotOptimize(m);
    }
    state.counters["m"] = m; // -1: refused
}
BENCHMARK(BuildKN)
    ->Args({4, 6})
    ->Args({5, 9})
    ->Args({4, 9})
    ->Args({7, 7})
    ->Args({6, 9})
    ->Args({8, 9})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BuildKN)->Args({9, 9})->Unit(benchmark::kMillisecond)->Iterations(1);

// The construction exactly as first described: N! decodings, one HasCol scan
// per decoding, columns appended one by one, the removal pair by pair.
void LiteralKN(benchmark::State& state) {
    const int k = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    int m = 0;
    for (auto _ : state) {
        const int N = (n + k - 1) / k * k;
        const CMatrix D = literal::DistributionMatrix(N, k);
        CMatrix s0 = literal::BasisKN(D, BasisNNS0(k), n);
        CMatrix s1 = literal::BasisKN(D, BasisNNS1(k), n);
        literal::RemoveCommonCols(s1, s0);
        m = s0.GetCols();
        benchmark::DoNotOptimize(m);
    }
    state.counters["m"] = m;
}
BENCHMARK(LiteralKN)->Args({4, 6})->Unit(benchmark::kMillisecond)->Iterations(1);

// basis --verify: every group of participants against the built pair.
void VerifyKN(benchmark::State& state) {
    const int k = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    const std::optional<BasisPair> pair = BuildBasisPair(kSchemeKN, n, k, nullptr);
    for (auto _ : state) {
        const PairVerdict verdict =
            VerifyBasisPair(*pair, [k](std::uint32_t group) { return std::popcount(group) >= k; });
        benchmark::DoNotOptimize(verdict.passed);
    }
}
BENCHMARK(VerifyKN)->Args({4, 9})->Args({5, 9})->Unit(benchmark::kMillisecond);

} // namespace
