// Conversion throughput for inputs of 1 to 64 MiB. Flat figures across the
// sizes mean the pass is linear; the bare-line-feed text with no ";" or "="
// is the case where a rescanning label look-ahead would go quadratic.
#include <benchmark/benchmark.h>

#include <string>

#include "input_text.h"
#include "output.h"
#include "pass.h"

namespace {

using namespace srcmorph;

constexpr std::size_t kMiB = std::size_t{1} << 20;

const char kDriverLines[] =
    "tb_update\r\n"
    "\tldy #0\r\n"
    ".next\r\n"
    "\tlda [TB_ZP_PTR],y\t; a zero ends the song\r\n"
    "\tbeq .done\r\n"
    "\tlda #LOW(tb_song)\r\n"
    "\t.ifdef TB_SFX_ENABLE\r\n"
    "\t.byte $3F, $1F, 0\r\n"
    "TB_ZP_VEC = $12\r\n";

const char kBareLines[] = "tb_label lda tb_table,x\n\tsta tb_out\n";

std::string repeat_to(const char* lines, std::size_t size)
{
    const std::string unit(lines);
    std::string s;
    s.reserve(size + unit.size());
    while (s.size() < size)
        s += unit;
    s.resize(size);
    return s;
}

void convert(benchmark::State& state, const char* lines, Target target)
{
    const std::size_t size = static_cast<std::size_t>(state.range(0)) * kMiB;
    const InputText input(repeat_to(lines, size));
    Output out(initial_output_capacity(input.size()));
    // One untimed pass first: the program's own passes write into pages the
    // first one already touched, and so do the timed ones.
    run_pass(input, target, out);
    for (auto _ : state) {
        run_pass(input, target, out);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    const double bytes = static_cast<double>(size) * static_cast<double>(state.iterations());
    state.counters["MB/s"] = benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

void BM_DriverCa65(benchmark::State& s) { convert(s, kDriverLines, Target::ca65); }
void BM_DriverAsm6(benchmark::State& s) { convert(s, kDriverLines, Target::asm6); }
void BM_BareLineFeedCa65(benchmark::State& s) { convert(s, kBareLines, Target::ca65); }
void BM_BareLineFeedAsm6(benchmark::State& s) { convert(s, kBareLines, Target::asm6); }

// Sizes in MiB.
#define SIZES RangeMultiplier(4)->Range(1, 64)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_DriverCa65)->SIZES;
BENCHMARK(BM_DriverAsm6)->SIZES;
BENCHMARK(BM_BareLineFeedCa65)->SIZES;
BENCHMARK(BM_BareLineFeedAsm6)->SIZES;

} // namespace

BENCHMARK_MAIN();
