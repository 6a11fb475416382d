// How many result frames the instrument link decodes per second, in both layouts.

#include "ResultFrame.h"

#include <benchmark/benchmark.h>

namespace {

void decodeFrames(benchmark::State& state, const QByteArray& frame, int32_t firmwareMajor)
{
    int32_t type = 0;
    int32_t seq = 0;
    com::Value result;
    for (auto _ : state) {
        ZeltorVTI::ReadResultFrame(frame, firmwareMajor, type, seq, result);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Decode32BitFrame(benchmark::State& state)
{
    decodeFrames(state, QByteArray::fromHex("244D3100000003E8FFFFFC180000012C000000000D"), 3);
}

void BM_Decode16BitFrame(benchmark::State& state)
{
    decodeFrames(state, QByteArray::fromHex("244D310003E8FC18012C00000D"), 2);
}

} // namespace

BENCHMARK(BM_Decode32BitFrame);
BENCHMARK(BM_Decode16BitFrame);
BENCHMARK_MAIN();
