// LoadNES, the whole analysis and the summary on arbitrary files. Short inputs are grown
// into images of realistic length (runs of bytes, any header), so the
// fuzzer reaches the analysis and not only the length test.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cart/nes_image.h"
#include "cart/summary.h"
#include "cart/summary_format.h"
#include "reference_empty_byte.h"

namespace {

std::string ScratchFile() {
  static std::string name = [] {
    // In memory where the system has it: the file is rewritten per input.
    std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/voidscope-fuzz-XXXXXX"
                                                        : "/tmp/voidscope-fuzz-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) std::abort();
    close(fd);
    return pattern;
  }();
  return name;
}

std::vector<std::uint8_t> Grow(const std::uint8_t* data, std::size_t size) {
  if (size < 20) return {data, data + size};
  // From just under the minimum up to a little over five PRG banks.
  const std::size_t length = MinNESSize - 64 + (std::size_t{data[1]} << 8 | data[2]);
  std::vector<std::uint8_t> file(data + 3, data + 19);
  if (data[0] & 2) file[0] = 'N', file[1] = 'E', file[2] = 'S';
  std::size_t i = 19;
  while (file.size() < length) {
    if (i + 1 >= size) {
      file.resize(length, 0);
      break;
    }
    const std::size_t count = std::size_t{data[i]} * (data[0] & 4 ? 64 : 1) + 1;
    file.insert(file.end(), std::min(count, length - file.size()), data[i + 1]);
    i += 2;
    if (i + 1 >= size) i = 19;
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> file =
      size > 0 && (data[0] & 1) ? std::vector<std::uint8_t>(data + 1, data + size) : Grow(data, size);
  const std::string name = ScratchFile();
  if (std::FILE* out = std::fopen(name.c_str(), "wb")) {
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
  }
  static TNESImage image;  // kept across inputs, as the window keeps it
  const bool loaded = image.LoadNES(name);
  std::remove(name.c_str());
  if (!loaded) return 0;
  const std::uint8_t empty = image.FindEmptyByte();
  if (empty != ReferenceEmptyByte(image)) std::abort();
  // The summary must agree with the maps cell for cell.
  const TCartSummary summary = SummariseNES(image);
  if (summary.emptyByte != empty || summary.banks.size() != image.PRGCount() + image.CHRCount())
    std::abort();
  static std::uint8_t cells[64 * 256];
  for (const TBankSummary& row : summary.banks) {
    const bool prg = row.kind == TBankKind::PRG;
    if (prg) image.PRGBankMap(row.index, empty, cells, 64);
    else image.CHRBankMap(row.index, cells, 64);
    std::uint64_t free = 0, missing = 0;
    for (std::uint64_t o = 0; o < row.size; ++o) {
      free += cells[o] == CellFree;
      missing += cells[o] == CellMissing;
    }
    const TFreeRun run = row.largestFreeRun;
    if (row.free != free || row.missing != missing || row.used + free + missing != row.size ||
        run.length > free || run.offset + run.length > row.size)
      std::abort();
    for (std::uint64_t o = run.offset; o < run.offset + run.length; ++o)
      if (cells[o] != CellFree) std::abort();
    // A byte's readout: its state as the map has it, its run within the bank.
    for (const std::uint64_t o : {std::uint64_t{0}, row.size / 3, row.size - 1}) {
      const TByteInfo info = DescribeByte(image, row.kind, row.index, o, empty);
      const std::uint8_t cell = info.state == TByteState::Free   ? CellFree
                                : info.state == TByteState::Used ? CellUsed
                                                                 : CellMissing;
      if (cell != cells[o]) std::abort();
      if (info.state == TByteState::Free &&
          (info.run.offset > o || info.run.offset + info.run.length <= o ||
           info.run.length > run.length))
        std::abort();
    }
  }
  // The same bytes cut in other bank sizes: the grouping changes, which
  // bytes are free does not, and every row agrees with its map.
  const TBankSizes sizes{PRGBankSizes[size % 3], CHRBankSizes[size / 3 % 4]};
  const TCartSummary cut = SummariseNES(image, {false, sizes.prg, sizes.chr});
  const TBankLayout layout(image, sizes);
  if (cut.banks.size() != layout.Banks().size() || cut.emptyByte != empty ||
      cut.prg.free != summary.prg.free || cut.prg.missing != summary.prg.missing ||
      cut.chr.free != summary.chr.free || cut.chr.missing != summary.chr.missing)
    std::abort();
  static std::uint8_t bigCells[64 * 512];
  for (std::size_t r = 0; r < cut.banks.size(); ++r) {
    const TBankSpan& bank = layout.Banks()[r];
    BankMap(image, bank, empty, bigCells, 64);
    std::uint64_t free = 0, missing = 0;
    for (std::uint64_t o = 0; o < bank.size; ++o) {
      free += bigCells[o] == CellFree;
      missing += bigCells[o] == CellMissing;
    }
    if (cut.banks[r].free != free || cut.banks[r].missing != missing || bank.Missing() != missing)
      std::abort();
  }
  const std::string name8(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 24));
  (void)SummaryText(cut, name8, true);
  (void)SummaryText(summary, name8, true);
  (void)SummaryJSON(summary, name8);
  return 0;
}
