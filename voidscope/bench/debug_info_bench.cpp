// Reading a 20 MB linker debug file and placing its segments, and the
// per-byte lookup that runs on every mouse move.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "cart/segment_map.h"

namespace {

constexpr unsigned PRGBanks = 64;
constexpr unsigned CHRBanks = 32;

// A debug file as ld65 writes it for a large program: one segment per bank,
// a span every 5 bytes of PRG with its source line (in ld65's scattered line
// order), a routine-sized span every 256 bytes named by a macro call's line,
// a label every 100 bytes. About 20 MB.
std::string LargeDebugText() {
  std::mt19937 random(7);
  const unsigned segments = PRGBanks + CHRBanks;
  std::vector<std::string> spanLines, lineLines, symLines, segLines;
  char buf[256];
  for (unsigned s = 0; s < segments; ++s) {
    const bool prg = s < PRGBanks;
    const unsigned size = prg ? 16384 : 8192;
    const unsigned ooffs = prg ? 16 + s * 16384 : 16 + PRGBanks * 16384 + (s - PRGBanks) * 8192;
    std::snprintf(buf, sizeof buf,
                  "seg\tid=%u,name=\"BANK%u\",start=0x%06X,size=0x%04X,addrsize=absolute,type=ro,"
                  "oname=\"build/large.nes\",ooffs=%u\n",
                  s, s, prg ? 0x8000 : 0, size, ooffs);
    segLines.push_back(buf);
    if (!prg) continue;
    for (unsigned o = 0; o < size; o += 5) {
      const unsigned big = o % 256 == 0 && o + 256 <= size;
      for (unsigned k = 0; k <= big; ++k) {
        const unsigned id = static_cast<unsigned>(spanLines.size());
        std::snprintf(buf, sizeof buf, "span\tid=%u,seg=%u,start=%u,size=%u%s\n", id, s, o,
                      k ? 256 : std::min(5u, size - o), k ? "" : ",type=3");
        spanLines.push_back(buf);
        lineLines.push_back(std::to_string(s % 40) + "," + std::to_string(1 + o / 5 + k) + "," +
                            std::to_string(id));
      }
      if (o % 100 == 0) {
        std::snprintf(buf, sizeof buf,
                      "sym\tid=%zu,name=\"label_%u_%u\",addrsize=absolute,scope=0,def=%u,ref=%u+%u,"
                      "val=0x%X,seg=%u,type=lab\n",
                      symLines.size(), s, o, o, o + 1, o + 2, 0x8000 + o, s);
        symLines.push_back(buf);
      }
    }
  }
  std::vector<unsigned> order(lineLines.size());
  std::iota(order.begin(), order.end(), 0u);
  std::shuffle(order.begin(), order.end(), random);
  std::string text = "version\tmajor=2,minor=0\n";
  std::snprintf(buf, sizeof buf,
                "info\tcsym=0,file=40,lib=0,line=%zu,mod=0,scope=0,seg=%u,span=%zu,sym=%zu,type=0\n",
                lineLines.size(), segments, spanLines.size(), symLines.size());
  text += buf;
  for (unsigned f = 0; f < 40; ++f)
    text += "file\tid=" + std::to_string(f) + ",name=\"src/levels/part" + std::to_string(f) +
            ".s\",size=123456,mtime=0x5F000000,mod=" + std::to_string(f) + "\n";
  for (const unsigned id : order) {
    const std::string& l = lineLines[id];
    const std::size_t a = l.find(','), b = l.find(',', a + 1);
    text += "line\tid=" + std::to_string(id) + ",file=" + l.substr(0, a) + ",line=" +
            l.substr(a + 1, b - a - 1) + ",span=" + l.substr(b + 1) + "\n";
  }
  for (const auto* part : {&segLines, &spanLines, &symLines})
    for (const std::string& line : *part) text += line;
  return text;
}

const std::string& LargeDebugFile() {
  static const std::string name = [] {
    const std::string path = "/tmp/voidscope-bench-" + std::to_string(getpid()) + ".dbg";
    const std::string text = LargeDebugText();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
    return path;
  }();
  return name;
}

// The whole of what loading a debug file costs: the read from a file in the
// page cache, the parse, the placement and its indices.
void BM_LoadAndPlace(benchmark::State& state) {
  const std::string& path = LargeDebugFile();
  std::string error;
  for (auto _ : state) {
    TDebugInfo info;
    TSegmentMap map;
    if (!LoadDebugInfo(path, info, error) ||
        !PlaceSegments(info, "large.nes", PRGBanks, CHRBanks, map, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(map.parts.data());
  }
  std::FILE* in = std::fopen(path.c_str(), "rb");
  std::fseek(in, 0, SEEK_END);
  state.counters["file_MB"] = static_cast<double>(std::ftell(in)) / 1e6;
  std::fclose(in);
}
BENCHMARK(BM_LoadAndPlace)->Unit(benchmark::kMillisecond);

void BM_PlaceSegments(benchmark::State& state) {
  TDebugInfo info;
  std::string error;
  LoadDebugInfo(LargeDebugFile(), info, error);
  for (auto _ : state) {
    TSegmentMap map;
    PlaceSegments(info, "large.nes", PRGBanks, CHRBanks, map, error);
    benchmark::DoNotOptimize(map.parts.data());
  }
}
BENCHMARK(BM_PlaceSegments)->Unit(benchmark::kMillisecond);

// One tooltip's lookup at a random byte of the image.
void BM_DescribeOrigin(benchmark::State& state) {
  TDebugInfo info;
  TSegmentMap map;
  std::string error;
  LoadDebugInfo(LargeDebugFile(), info, error);
  PlaceSegments(info, "large.nes", PRGBanks, CHRBanks, map, error);
  std::mt19937 random(3);
  const std::uint64_t end = 16 + PRGBanks * 16384 + CHRBanks * 8192;
  for (auto _ : state) {
    const TByteOrigin origin = DescribeOrigin(info, map, random() % end);
    benchmark::DoNotOptimize(origin.sourceLine);
  }
}
BENCHMARK(BM_DescribeOrigin)->Unit(benchmark::kNanosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(LargeDebugFile().c_str());
  return 0;
}
