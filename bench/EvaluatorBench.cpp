// Expression evaluator on long pasted entries: "1+1+...+1" and "2*1*...*1+1-1..."
// with 1 000 to 100 000 operators. The folding must stay linear in the number of
// operators (the automatic complexity fit reports O(N)).
#include <benchmark/benchmark.h>

#include <string>

#include "MiscMath.h"

namespace {

// n operators: additions only, or products and sums mixed so that two passes fold.
std::string longSum(int n, bool mixed)
{
    std::string text = "1";
    text.reserve(static_cast<std::size_t>(n) * 2 + 1);
    for (int i = 0; i < n; ++i)
        text += (mixed && i % 2 == 0) ? "*1" : "+1";
    return text;
}

void BM_EvaluateLongSum(benchmark::State& state)
{
    const std::string text = longSum(static_cast<int>(state.range(0)), false);
    for (auto _ : state)
        benchmark::DoNotOptimize(veldo::EvaluateEntry(text));
    state.SetComplexityN(state.range(0));
}

void BM_EvaluateMixedProductsAndSums(benchmark::State& state)
{
    const std::string text = longSum(static_cast<int>(state.range(0)), true);
    for (auto _ : state)
        benchmark::DoNotOptimize(veldo::EvaluateEntry(text));
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_EvaluateLongSum)->RangeMultiplier(4)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_EvaluateMixedProductsAndSums)
    ->RangeMultiplier(4)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
