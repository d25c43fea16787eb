// Four play logs of the largest image a header allows (255 PRG and 255 CHR
// banks, 6.3 MB of flags each): the merge alone, the reading of the files
// alone, and both together, as the command line and the window do them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "cart/crc32.h"
#include "cart/nes_image.h"
#include "cart/play_log.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Scratch(const std::string& what) {
  return "/tmp/voidscope-bench-" + std::to_string(getpid()) + "-" + what;
}

void Write(const std::string& name, const Bytes& bytes) {
  std::FILE* out = std::fopen(name.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

// Random bytes with a free area in every PRG bank, and four logs of it: two
// raw and two headed, each reaching a different part of every bank with
// flags of every kind, as players who got to different stages would.
struct Fixture {
  TNESImage image;
  std::vector<Bytes> logs;
  std::vector<std::string> files;

  Fixture() {
    std::mt19937 random(2026);
    Bytes bytes(MaxNESSize);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    for (std::size_t o = 16; o < 16 + 255 * PRGBankSize; o += PRGBankSize)
      std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(o + 4000), 3000, 0xFF);
    bytes[0] = 'N', bytes[1] = 'E', bytes[2] = 'S', bytes[3] = 0x1A, bytes[4] = 255, bytes[5] = 255;
    const std::string nes = Scratch("largest.nes");
    Write(nes, bytes);
    image.LoadNES(nes);
    std::remove(nes.c_str());

    const std::size_t prg = 255 * PRGBankSize, size = prg + 255 * CHRBankSize;
    std::uint32_t crc = 0;
    for (unsigned j = 0; j < 255; ++j) crc = CRC32(image.PRGBank(j), crc);
    for (int n = 0; n < 4; ++n) {
      Bytes log(size, 0);
      for (std::size_t o = 0; o < size; ++o)
        if ((o / 1024) % 4 == static_cast<std::size_t>(n) || random() % 8 == 0)
          log[o] = static_cast<std::uint8_t>(random());
      if (n >= 2) {
        const std::uint8_t head[9] = {'C', 'D', 'L', 'v', '2', static_cast<std::uint8_t>(crc),
                                      static_cast<std::uint8_t>(crc >> 8),
                                      static_cast<std::uint8_t>(crc >> 16),
                                      static_cast<std::uint8_t>(crc >> 24)};
        log.insert(log.begin(), head, head + 9);
      }
      files.push_back(Scratch("log" + std::to_string(n) + ".cdl"));
      Write(files.back(), log);
      logs.push_back(std::move(log));
    }
  }
  ~Fixture() {
    for (const std::string& f : files) std::remove(f.c_str());
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

// Everything beyond the reading: the checksum of the PRG bytes, the checks
// and the merge of the four logs.
void BM_MergeFourLogs(benchmark::State& state) {
  Fixture& f = Shared();
  std::string message;
  for (auto _ : state) {
    TPlayLog log(f.image);
    for (std::size_t n = 0; n < 4; ++n)
      if (log.AddLog(f.logs[n], f.files[n], message) != TAddOutcome::Merged)
        state.SkipWithError(message.c_str());
    benchmark::DoNotOptimize(log.PRGFlags(0).data());
  }
}
BENCHMARK(BM_MergeFourLogs)->Unit(benchmark::kMillisecond);

// The reading alone, from the page cache, for comparison.
void BM_ReadFourLogFiles(benchmark::State& state) {
  Fixture& f = Shared();
  Bytes buffer(f.logs[2].size() + 1);
  for (auto _ : state)
    for (const std::string& name : f.files) {
      std::FILE* in = std::fopen(name.c_str(), "rb");
      benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), in));
      std::fclose(in);
    }
}
BENCHMARK(BM_ReadFourLogFiles)->Unit(benchmark::kMillisecond);

// Both, as `--cdl` given four times does them.
void BM_ReadAndMergeFourLogs(benchmark::State& state) {
  Fixture& f = Shared();
  std::string message;
  for (auto _ : state) {
    TPlayLog log(f.image);
    for (const std::string& name : f.files)
      if (log.AddFile(name, message) != TAddOutcome::Merged) state.SkipWithError(message.c_str());
    benchmark::DoNotOptimize(log.PRGFlags(0).data());
  }
}
BENCHMARK(BM_ReadAndMergeFourLogs)->Unit(benchmark::kMillisecond);

// The per-bank figures of the merge, which a summary adds to every bank.
void BM_BankFigures(benchmark::State& state) {
  Fixture& f = Shared();
  TPlayLog log(f.image);
  std::string message;
  for (std::size_t n = 0; n < 4; ++n) log.AddLog(f.logs[n], f.files[n], message);
  const std::uint8_t empty = f.image.FindEmptyByte();
  for (auto _ : state) {
    const std::vector<TBankPlay> rows = log.BankFigures(f.image, empty);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_BankFigures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
