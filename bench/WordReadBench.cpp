// Memory of the word reader per byte of input: the peak of the heap while a file is
// opened and every word read, divided by the file's size (counter "bytes_per_byte").
// Three kinds of text: project-like records, one number a line, and empty lines only
// (the most lines a byte can make). Every allocation of this program is counted.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include <malloc.h>
#include <unistd.h>

#include "WordRead.h"

namespace {

std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};

void* allocate(std::size_t size)
{
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p)
        throw std::bad_alloc();
    const std::size_t now = live += ::malloc_usable_size(p);
    for (std::size_t seen = peak; now > seen && !peak.compare_exchange_weak(seen, now);) {
    }
    return p;
}

void release(void* p) noexcept
{
    if (!p)
        return;
    live -= ::malloc_usable_size(p);
    std::free(p);
}

constexpr std::size_t kInputBytes = std::size_t{16} << 20;

// About kInputBytes of text of the kind given.
std::string text(int kind)
{
    std::string line = kind == 0   ? "  1.000E+01  2.500E+00  3.0  0.35  120.0  1  0  1\r\n"
                       : kind == 1 ? "12.5\n"
                                   : "\n";
    std::string all;
    all.reserve(kInputBytes + line.size());
    while (all.size() < kInputBytes)
        all += line;
    return all;
}

void BM_WordReaderMemoryPerInputByte(benchmark::State& state)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("veldo_wordread_bench_" + std::to_string(::getpid()));
    std::size_t size = 0;
    {
        const std::string content = text(static_cast<int>(state.range(0)));
        std::ofstream(file, std::ios::binary) << content;
        size = content.size();
    }
    double perByte = 0;
    for (auto _ : state) {
        const std::size_t before = live;
        peak = before;
        {
            veldo::TWordReader reader(file);
            while (!reader.Eof())
                benchmark::DoNotOptimize(reader.ReadLine());
        }
        perByte = static_cast<double>(peak - before) / static_cast<double>(size);
    }
    std::filesystem::remove(file);
    state.counters["bytes_per_byte"] = perByte;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_WordReaderMemoryPerInputByte)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_WordReaderWordsPerInputByte(benchmark::State& state)
{
    const std::string content = text(0);
    double perByte = 0;
    for (auto _ : state) {
        const std::size_t before = live;
        peak = before;
        {
            veldo::TWordReader reader = veldo::TWordReader::FromText(content);
            try {
                for (;;)
                    benchmark::DoNotOptimize(reader.ReadWord());
            } catch (const veldo::EInOutError&) {
                // the end of the text
            }
        }
        perByte = static_cast<double>(peak - before) / static_cast<double>(content.size());
    }
    state.counters["bytes_per_byte"] = perByte; // FromText copies the text: one byte of it is the copy
}
BENCHMARK(BM_WordReaderWordsPerInputByte)->Unit(benchmark::kMillisecond);

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

BENCHMARK_MAIN();
