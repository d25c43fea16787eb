// Reading label files of 100,000 labels and placing them in a 1 MB image
// (the target: under 50 ms), in both layouts, and the lookup under the mouse.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "cart/label_map.h"

namespace {

constexpr unsigned PRGBanks = 64;
constexpr unsigned CHRBanks = 32;
constexpr unsigned Labels = 100000;
// One label every 10 bytes of PRG, filling all but the last few banks.
constexpr unsigned Spacing = PRGBanks * 16384 / Labels;

std::string Scratch(const std::string& name) {
  return "/tmp/voidscope-bench-" + std::to_string(getpid()) + "-" + name;
}

void Write(const std::string& path, const std::string& text) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
}

// As an assembler writes them: every tenth label a range, every fifth a
// comment, some comments over two lines; RAM labels between.
const std::string& MesenFile() {
  static const std::string path = [] {
    std::string text;
    char buf[160];
    for (unsigned k = 0; k < Labels; ++k) {
      const unsigned offset = k * Spacing;
      if (k % 10 == 0)
        std::snprintf(buf, sizeof buf, "P:%X-%X:table_%u\n", offset, offset + 7, k);
      else if (k % 5 == 0)
        std::snprintf(buf, sizeof buf, "P:%X:routine_%u:called from the main loop\\nkeeps X\n", offset, k);
      else
        std::snprintf(buf, sizeof buf, "NesPrgRom:%X:label_%u\n", offset, k);
      text += buf;
      if (k % 100 == 0) text += "R:" + std::to_string(k % 0x800) + ":ram_" + std::to_string(k) + "\n";
    }
    const std::string name = Scratch("large.mlb");
    Write(name, text);
    return name;
  }();
  return path;
}

// The same labels as FCEUX name lists, one file per 16 KB bank.
const std::vector<std::string>& FCEUXFiles() {
  static const std::vector<std::string> paths = [] {
    std::vector<std::string> names;
    std::vector<std::string> texts(PRGBanks);
    char buf[160];
    for (unsigned k = 0; k < Labels; ++k) {
      const unsigned offset = k * Spacing;
      const unsigned address = 0x8000 + offset % 0x4000;
      if (k % 10 == 0) std::snprintf(buf, sizeof buf, "$%04X/8#table_%u#\n", address, k);
      else if (k % 5 == 0)
        std::snprintf(buf, sizeof buf, "$%04X#routine_%u#called from the main loop\n\\keeps X\n", address, k);
      else std::snprintf(buf, sizeof buf, "$%04X#label_%u#\n", address, k);
      texts[offset / 0x4000] += buf;
    }
    for (unsigned b = 0; b < PRGBanks; ++b) {
      if (texts[b].empty()) continue;  // the labels end before the last banks
      char name[32];
      std::snprintf(name, sizeof name, "large.nes.%X.nl", b);
      names.push_back(Scratch(name));
      Write(names.back(), texts[b]);
    }
    return names;
  }();
  return paths;
}

std::vector<std::uint8_t> Image() {
  std::vector<std::uint8_t> image(NESHeaderSize + PRGBanks * PRGBankSize + CHRBanks * CHRBankSize);
  std::mt19937 random(5);
  for (std::uint8_t& b : image) b = random() % 3 == 0 ? 0xFF : static_cast<std::uint8_t>(random());
  image[4] = PRGBanks;
  image[5] = CHRBanks;
  return image;
}

// The whole of what the files cost: read from the page cache, parsed,
// placed, and their used bytes counted.
void LoadAndPlace(benchmark::State& state, const std::vector<std::string>& paths) {
  const std::vector<std::uint8_t> image = Image();
  const std::vector<TBankExtent> banks = HeaderBankExtents(PRGBanks, CHRBanks);
  std::string error;
  for (auto _ : state) {
    std::vector<TLabelFile> files(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i)
      if (!LoadLabelFile(paths[i], files[i], error)) {
        state.SkipWithError(error.c_str());
        return;
      }
    TLabelMap map = PlaceLabels(files, banks, PRGROMStart(image));
    CountLabelUse(map, image, 0xFF);
    benchmark::DoNotOptimize(map.labels.data());
  }
}

void BM_MesenLoadAndPlace(benchmark::State& state) { LoadAndPlace(state, {MesenFile()}); }
BENCHMARK(BM_MesenLoadAndPlace)->Unit(benchmark::kMillisecond);

void BM_FCEUXLoadAndPlace(benchmark::State& state) { LoadAndPlace(state, FCEUXFiles()); }
BENCHMARK(BM_FCEUXLoadAndPlace)->Unit(benchmark::kMillisecond);

// One tooltip's lookup at a random byte of PRG.
void BM_LabelAt(benchmark::State& state) {
  std::vector<TLabelFile> files(1);
  std::string error;
  LoadLabelFile(MesenFile(), files[0], error);
  const std::vector<TBankExtent> banks = HeaderBankExtents(PRGBanks, CHRBanks);
  const TLabelMap map = PlaceLabels(files, banks, NESHeaderSize);
  std::mt19937 random(3);
  for (auto _ : state) {
    const TPlacedLabel* label = LabelAt(map, random() % PRGBanks, random() % PRGBankSize);
    benchmark::DoNotOptimize(label);
  }
}
BENCHMARK(BM_LabelAt)->Unit(benchmark::kNanosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(MesenFile().c_str());
  for (const std::string& path : FCEUXFiles()) std::remove(path.c_str());
  return 0;
}
