// The summary page and the Markdown summary of the largest image a header
// allows (255 PRG and 255 CHR banks): code-like bytes with a free area in
// every PRG bank, as real cartridges have. The page carries every used
// byte's value, so its size follows the used bytes; it is reported as a
// counter.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "cart/summary_markdown.h"
#include "picture/summary_page.h"

namespace {

struct Largest {
  TNESImage image;
  TNESImage earlier;
  TCartSummary summary;

  Largest() {
    std::vector<std::uint8_t> bytes(MaxNESSize);
    std::mt19937 random(12345);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    for (std::size_t o = 16; o < 16 + 255 * PRGBankSize; o += PRGBankSize)
      std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(o + random() % 8192), 1000 + random() % 6000, 0xFF);
    bytes[0] = 'N', bytes[1] = 'E', bytes[2] = 'S', bytes[3] = 0x1A, bytes[4] = 255, bytes[5] = 255;
    image = Load(bytes, "now");
    // The earlier build: the same with a few hundred bytes freed in every bank.
    for (std::size_t o = 16 + 9000; o < bytes.size(); o += PRGBankSize) std::fill_n(bytes.begin() + o, 300, 0xFF);
    earlier = Load(bytes, "earlier");
    summary = SummariseNES(image);
  }

  static TNESImage Load(const std::vector<std::uint8_t>& bytes, const char* what) {
    const std::string name = "/tmp/voidscope-page-bench-" + std::to_string(getpid()) + "-" + what + ".nes";
    std::FILE* out = std::fopen(name.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    TNESImage image;
    image.LoadNES(name);
    std::remove(name.c_str());
    return image;
  }
};

const Largest& Fixture() {
  static const Largest largest;
  return largest;
}

void BM_SummaryHTML(benchmark::State& state) {
  const Largest& largest = Fixture();
  TCartSummary summary = largest.summary;
  TPageSources sources;
  sources.image = &largest.image;
  if (state.range(0)) {
    CompareSummaries(summary, SummariseNES(largest.earlier));
    sources.earlier = &largest.earlier;
  }
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string page = SummaryHTML(summary, "largest.nes", {}, sources);
    size = page.size();
    benchmark::DoNotOptimize(page.data());
  }
  state.counters["page_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_SummaryHTML)->ArgName("against")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// From the image to the file on disk, as --html does it.
void BM_WritePage(benchmark::State& state) {
  const Largest& largest = Fixture();
  TPageSources sources;
  sources.image = &largest.image;
  const std::string name = "/tmp/voidscope-page-bench-" + std::to_string(getpid()) + ".html";
  for (auto _ : state) {
    std::string error;
    const TCartSummary summary = SummariseNES(largest.image);
    benchmark::DoNotOptimize(WriteTextFile(name, SummaryHTML(summary, "largest.nes", {}, sources), error));
  }
  std::remove(name.c_str());
}
BENCHMARK(BM_WritePage)->Unit(benchmark::kMillisecond);

void BM_SummaryMarkdown(benchmark::State& state) {
  const Largest& largest = Fixture();
  for (auto _ : state) benchmark::DoNotOptimize(SummaryMarkdown(largest.summary, "largest.nes").size());
}
BENCHMARK(BM_SummaryMarkdown)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
