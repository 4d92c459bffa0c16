// ReceiveByte over a mixed stream: replies, log frames, noise and frames with
// broken checksums, as a busy terminal with a noisy line produces them.
#include "ScriptedPort.h"
#include "VirtualPump.h"
#include "link/Link.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

QByteArray mixedStream(int frames)
{
    std::mt19937 rng(42);
    QByteArray s;
    for (int i = 0; i < frames; ++i) {
        switch (rng() % 4) {
        case 0: s += terminalFrame(8, QByteArray::fromHex("E803")); break;
        case 1: s += terminalFrame(0, QByteArray::fromHex("0501") + QByteArray(40, 'x')); break;
        case 2: {
            QByteArray bad = terminalFrame(1, QByteArray("1.2.3"));
            bad[bad.size() - 1] = char(bad.back() ^ 0x55);
            s += bad;
            break;
        }
        default:
            for (int n = 0; n < 16; ++n)
                s += char(rng() & 0xFF);
        }
    }
    return s;
}

void BM_ReceiveByte(benchmark::State &state)
{
    const QByteArray stream = mixedStream(1000);
    VirtualPump pump;
    Link link(pump);
    ScriptedPort port(pump);
    port.open();
    link.setPort(&port);
    int logs = 0;
    link.HandleLogFrame = [&] { ++logs; };
    for (auto _ : state) {
        for (char c : stream)
            link.ReceiveByte(static_cast<quint8>(c));
        benchmark::DoNotOptimize(link.RingWriteIndex);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * stream.size());
    state.counters["ns/byte"] = benchmark::Counter(double(stream.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_ReceiveByte);
BENCHMARK_MAIN();
