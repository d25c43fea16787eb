// FindEmptyByte, a full DrawInfo and the summary on the largest image a
// header allows (255 PRG and 255 CHR banks).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "UnitMain.h"
#include "cart/segment_map.h"
#include "cart/summary_format.h"
#include "dialogs.h"

namespace {

enum class Content { Mixed, Noise, ShortRuns, QualifyingRuns, Alternating };

// Mixed: code-like bytes with free areas of $FF, as real cartridges have.
// Noise: random bytes, no runs. ShortRuns: runs of 2 to 8 bytes everywhere.
// QualifyingRuns: runs of 9 to 24 bytes everywhere, each one recorded.
// Alternating: every other byte free (the most free runs there can be), and
// one long free area per PRG bank so that $FF is the empty byte.
std::string LargestImage(Content content) {
  std::vector<std::uint8_t> bytes(MaxNESSize);
  std::mt19937 random(12345);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  if (content == Content::Mixed) {
    // A free area of 1000 to 7000 bytes in every PRG bank.
    for (std::size_t o = 16; o < 16 + 255 * PRGBankSize; o += PRGBankSize)
      std::fill_n(bytes.begin() + o + random() % 8192, 1000 + random() % 6000, 0xFF);
  } else if (content == Content::Alternating) {
    for (std::size_t o = 16; o < bytes.size(); o += 2)
      bytes[o] = o < 16 + 255 * PRGBankSize ? 0xFF : 0x00;
    for (std::size_t o = 16; o < 16 + 255 * PRGBankSize; o += PRGBankSize)
      std::fill_n(bytes.begin() + o + 5000, 100, 0xFF);
  } else if (content != Content::Noise) {
    const bool qualifying = content == Content::QualifyingRuns;
    for (std::size_t o = 16; o < bytes.size();) {
      const std::size_t n = qualifying ? 9 + random() % 16 : 2 + random() % 7;
      const auto v = static_cast<std::uint8_t>(random());
      for (std::size_t i = 0; i < n && o < bytes.size(); ++i) bytes[o++] = v;
    }
  }
  bytes[0] = 'N', bytes[1] = 'E', bytes[2] = 'S', bytes[3] = 0x1A, bytes[4] = 255, bytes[5] = 255;
  const std::string name = "/tmp/voidscope-bench-" + std::to_string(getpid()) + "-" +
                           std::to_string(static_cast<int>(content)) + ".nes";
  std::FILE* out = std::fopen(name.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
  return name;
}

void BM_FindEmptyByte(benchmark::State& state) {
  const std::string name = LargestImage(static_cast<Content>(state.range(0)));
  TNESImage image;
  image.LoadNES(name);
  std::remove(name.c_str());
  for (auto _ : state) benchmark::DoNotOptimize(image.FindEmptyByte());
  state.SetBytesProcessed(state.iterations() * 255 * std::int64_t{PRGBankSize});
}
BENCHMARK(BM_FindEmptyByte)->ArgName("content")->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_DrawInfo(benchmark::State& state) {
  const std::string name = LargestImage(Content::Mixed);
  TQtDialogs dialogs;
  TFormMain form(dialogs, QString::fromStdString(name));
  std::remove(name.c_str());
  QImage canvas(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&canvas);
    painter.setFont(form.font());
    form.DrawInfo(painter, canvas.width(), canvas.height());
  }
}
BENCHMARK(BM_DrawInfo)->Args({649, 505})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// The figures alone, on an image already held.
void BM_SummariseNES(benchmark::State& state) {
  const std::string name = LargestImage(static_cast<Content>(state.range(0)));
  TNESImage image;
  image.LoadNES(name);
  std::remove(name.c_str());
  for (auto _ : state) {
    const TCartSummary summary = SummariseNES(image);
    benchmark::DoNotOptimize(summary.banks.data());
  }
}
BENCHMARK(BM_SummariseNES)->ArgName("content")->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// All of `--summary`'s own work: the load from a file in the page cache,
// the figures and the output (0 text, 1 text with bars, 2 JSON).
void BM_SummaryCommand(benchmark::State& state) {
  const std::string name = LargestImage(static_cast<Content>(state.range(0)));
  const auto format = state.range(1);
  for (auto _ : state) {
    TNESImage image;
    image.LoadNES(name);
    const TCartSummary summary = SummariseNES(image);
    const std::string out = format == 2 ? SummaryJSON(summary, name)
                                        : SummaryText(summary, name, format == 1);
    benchmark::DoNotOptimize(out.data());
  }
  std::remove(name.c_str());
}
BENCHMARK(BM_SummaryCommand)
    ->ArgNames({"content", "format"})
    ->ArgsProduct({{0, 1, 4}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

// A debug file's segments tiling the whole of the largest image in pieces of
// `size` bytes, as a linker would write them, headed by the header segment.
TDebugInfo TiledSegments(std::uint64_t size) {
  TDebugInfo info;
  auto add = [&](std::uint64_t offset, std::uint64_t bytes) {
    TDbgSegment s;
    s.id = static_cast<unsigned>(info.segments.size());
    s.name = "SEG" + std::to_string(s.id);
    s.size = bytes;
    s.readOnly = s.hasOutput = true;
    s.outputName = "build/largest.nes";
    s.outputOffset = offset;
    info.segments.push_back(s);
  };
  add(0, NESHeaderSize);
  for (std::uint64_t o = NESHeaderSize; o < MaxNESSize; o += size) add(o, std::min(size, MaxNESSize - o));
  return info;
}

// What --dbg adds to --summary once the debug file is read and placed: the
// figures per segment and their output (arg: segment size; 0 text, 2 JSON),
// against BM_SummaryCommand's plain figures.
// The largest image with segments of the given size placed over it.
struct TSegmentedImage {
  std::string name = LargestImage(Content::Mixed);
  TNESImage image;
  TDebugInfo info;
  TSegmentMap map;

  explicit TSegmentedImage(benchmark::State& state)
      : info(TiledSegments(static_cast<std::uint64_t>(state.range(0)))) {
    image.LoadNES(name);
    std::remove(name.c_str());
    std::string error;
    if (!PlaceSegments(info, "largest.nes", 255, 255, map, error)) state.SkipWithError(error.c_str());
  }
};

void BM_SummaryWithSegments(benchmark::State& state) {
  const TSegmentedImage cart(state);
  for (auto _ : state) {
    const TCartSummary summary = SummariseNES(cart.image);
    const TSegmentSummary segments = SummariseSegments(cart.image, summary, cart.map, "largest.dbg");
    TSummaryAdditions additions;
    additions.segments = &segments;
    const std::string out = state.range(1) == 2 ? SummaryJSON(summary, cart.name, additions)
                                                : SummaryText(summary, cart.name, false, additions);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["segments"] = static_cast<double>(cart.info.segments.size());
}
BENCHMARK(BM_SummaryWithSegments)
    ->ArgNames({"segment_size", "format"})
    ->ArgsProduct({{256, 4096}, {0, 2}})
    ->Unit(benchmark::kMillisecond);

// The segment view at full HD on the same image and segments.
void BM_SegmentView(benchmark::State& state) {
  const TSegmentedImage cart(state);
  TViewOptions view;
  view.segments = &cart.map;
  for (auto _ : state) benchmark::DoNotOptimize(InfoPicture(cart.image, "largest.nes", 1920, 1080, view));
}
BENCHMARK(BM_SegmentView)->ArgName("segment_size")->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int toolkitArgc = 1;
  QApplication application(toolkitArgc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
