// Throughput of the byte streams and chunk framing that documents, recordings and undo
// data go through.
#include "foundation/core/LByteBuffer.h"
#include "foundation/streams/CBufferedForkStream.h"
#include "foundation/streams/CIffChunk.h"
#include "foundation/streams/CMemStream.h"
#include "platform/files/FileSpecText.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string ScratchPath()
{
    const char* tmp = getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/sonalyx-stream-bench";
}

// Many small writes, as a text or record writer makes them.
void BM_BufferedForkSmallWrites(benchmark::State& state)
{
    const std::string path = ScratchPath();
    const std::string line = "0123456789abcdef0123456789abcdef\n";
    for (auto _ : state) {
        std::ofstream(path, std::ios::trunc);
        CBufferedForkStream stream(path, LStream::kReadWrite);
        for (int i = 0; i < state.range(0); ++i)
            stream.Write(line.data(), line.size());
        benchmark::DoNotOptimize(stream.position);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * int64_t(line.size()));
    std::remove(path.c_str());
}
BENCHMARK(BM_BufferedForkSmallWrites)->Arg(1000)->Arg(30000);

void BM_BufferedForkSmallReads(benchmark::State& state)
{
    const std::string path = ScratchPath();
    std::ofstream(path, std::ios::trunc) << std::string(size_t(state.range(0)), 'x');
    char chunk[24];
    for (auto _ : state) {
        CBufferedForkStream stream(path, LStream::kReadOnly);
        uint64_t count = sizeof chunk;
        do {
            count = sizeof chunk;
            stream.Read(chunk, &count);
        } while (count == sizeof chunk);
        benchmark::DoNotOptimize(stream.position);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
    std::remove(path.c_str());
}
BENCHMARK(BM_BufferedForkSmallReads)->Arg(1 << 20);

// A tree of small chunks in memory, as record copies and clipboard data are written.
void BM_IffChunkTreeInMemory(benchmark::State& state)
{
    for (auto _ : state) {
        LByteBuffer buffer;
        CMemStream stream(buffer);
        CIffChunk form;
        form.BeginWrite(&stream, 0x464F524D);
        for (int i = 0; i < state.range(0); ++i) {
            CIffChunk field;
            field.BeginSub(form, 0x4649454C);
            field.WriteU32(uint32_t(i));
            field.WriteString("a value\r\nwith a line end");
            field.EndWrite();
        }
        form.EndWrite();
        benchmark::DoNotOptimize(stream.Length());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_IffChunkTreeInMemory)->Arg(1000);

void BM_FileSpecRoundTrip(benchmark::State& state)
{
    const std::string path = "/home/someone/Documents/Sound files/take 1 (final).wav";
    for (auto _ : state) {
        const std::string fileSpec = plat::SpecFromPosixPath(path);
        benchmark::DoNotOptimize(plat::PosixPathFromSpec(fileSpec));
    }
}
BENCHMARK(BM_FileSpecRoundTrip);

} // namespace
