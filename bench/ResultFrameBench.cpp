// How many result frames the instrument link decodes per second, in both layouts, and how many
// the streaming buffer cuts from the byte stream, in step and when stray bytes make it look for
// the next frame start.

#include "ResultFrame.h"

#include "serial/FrameBuffer.h"

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

// Cuts 1000 ventilator frames of the 32-bit layout, arriving in chunks of 64 bytes; with
// `strayEvery` > 0 a stray byte follows every strayEvery-th frame.
void cutStream(benchmark::State& state, int strayEvery)
{
    const QByteArray frame = QByteArray::fromHex("244D3100000003E8FFFFFC180000012C000000000D");
    QByteArray stream;
    for (int i = 0; i < 1000; ++i) {
        stream += frame;
        if (strayEvery > 0 && i % strayEvery == 0)
            stream += 'x';
    }
    int64_t frames = 0;
    for (auto _ : state) {
        serial::FrameBuffer buffer([] { return int64_t{0}; });
        buffer.setMode(serial::edlmStreaming);
        buffer.setFrameSize(static_cast<int32_t>(frame.size()));
        buffer.setFrameStart([](QByteArrayView bytes, bool inStep) {
            return ZeltorVTI::IsResultFrameStart(bytes, ZeltorVTI::ResultStream::Ventilator, inStep);
        });
        for (qsizetype at = 0; at < stream.size(); at += 64) {
            buffer.append(stream.mid(at, 64));
            while (buffer.frameCount() > 0) {
                benchmark::DoNotOptimize(buffer.takeFrame());
                ++frames;
            }
        }
    }
    state.SetItemsProcessed(frames);
}

void BM_CutStreamInStep(benchmark::State& state) { cutStream(state, 0); }
void BM_CutStreamStrayByteEveryTenFrames(benchmark::State& state) { cutStream(state, 10); }

} // namespace

BENCHMARK(BM_Decode32BitFrame);
BENCHMARK(BM_Decode16BitFrame);
BENCHMARK(BM_CutStreamInStep);
BENCHMARK(BM_CutStreamStrayByteEveryTenFrames);
BENCHMARK_MAIN();
