// The play-log reader on arbitrary logs for small images of every shape
// (1 to 3 PRG banks, CHR RAM or 1 to 2 CHR banks, whole or truncated).
// The first input byte picks the image and how the rest becomes a log: as
// it is, or grown to a size that fits (with a right header when asked), so
// that the fuzzer reaches the merge and not only the size test.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cart/crc32.h"
#include "cart/nes_image.h"
#include "cart/play_log.h"

namespace {

std::string ScratchFile(const char* what) {
  std::string pattern = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                        "/voidscope-fuzz-" + what + "-XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) std::abort();
  close(fd);
  return pattern;
}

void WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::FILE* out = std::fopen(name.c_str(), "wb");
  if (!out) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

// Code-like bytes with a $FF area in every PRG bank and a $00 area in every
// CHR bank, so that the figures see used and free bytes.
const TNESImage& Image(unsigned prg, unsigned chr, bool truncated) {
  static TNESImage images[3][3][2];
  TNESImage& image = images[prg - 1][chr][truncated];
  if (image.Held()) return image;
  std::vector<std::uint8_t> bytes(16 + PRGBankSize * prg + CHRBankSize * chr);
  for (std::size_t o = 16; o < bytes.size(); ++o) bytes[o] = static_cast<std::uint8_t>(o % 200 + 1);
  for (unsigned j = 0; j < prg; ++j) std::fill_n(bytes.begin() + 16 + PRGBankSize * j + 300, 900, 0xFF);
  for (unsigned j = 0; j < chr; ++j)
    std::fill_n(bytes.begin() + 16 + PRGBankSize * prg + CHRBankSize * j + 100, 2000, 0x00);
  bytes[0] = 'N', bytes[1] = 'E', bytes[2] = 'S', bytes[4] = static_cast<std::uint8_t>(prg),
  bytes[5] = static_cast<std::uint8_t>(chr);
  if (truncated || bytes.size() < MinNESSize) bytes.resize(MinNESSize);
  const std::string name = ScratchFile("nes");
  WriteFile(name, bytes);
  if (!image.LoadNES(name)) std::abort();
  std::remove(name.c_str());
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t shape = data[0];
  const unsigned prg = 1 + (shape & 3) % 3;
  const unsigned chr = ((shape >> 2) & 3) % 3;
  const TNESImage& image = Image(prg, chr, shape & 0x10);
  TPlayLog log(image);

  std::vector<std::uint8_t> bytes(data + 1, data + size);
  if (shape & 0x20 && size > 1) {
    // Grown: the input repeated up to the raw size, then headed when asked.
    std::vector<std::uint8_t> grown(log.RawSize());
    for (std::size_t i = 0; i < grown.size(); ++i) grown[i] = bytes[i % bytes.size()];
    if (shape & 0x40) {
      const std::uint32_t crc = log.PRGCRC32();
      const std::uint8_t head[9] = {'C', 'D', 'L', 'v', '2', static_cast<std::uint8_t>(crc),
                                    static_cast<std::uint8_t>(crc >> 8),
                                    static_cast<std::uint8_t>(crc >> 16),
                                    static_cast<std::uint8_t>(crc >> 24)};
      grown.insert(grown.begin(), head, head + 9);
    }
    bytes.swap(grown);
  }

  std::string message;
  TAddOutcome outcome;
  if (shape & 0x80) {
    static const std::string name = ScratchFile("cdl");
    WriteFile(name, bytes);
    outcome = log.AddFile(name, message);
    // The same file again changes nothing and says so.
    if (outcome == TAddOutcome::Merged &&
        (log.AddFile(name, message) != TAddOutcome::AlreadyMerged || log.Logs().size() != 1))
      std::abort();
  } else {
    outcome = log.AddLog(bytes, "fuzz.cdl", message);
  }
  if (outcome == TAddOutcome::Refused) {
    if (message.empty() || !log.Empty() || !log.PRGFlags(0).empty()) std::abort();
    return 0;
  }
  if (outcome != TAddOutcome::Merged || log.Logs().size() != 1) std::abort();

  // Each flag as the one-byte rule has it, whatever its place in the merge.
  const bool headed = log.Logs()[0].layout == TLogLayout::Headed;
  const std::size_t skip = headed ? 9 : 0;
  for (unsigned j = 0; j < prg; ++j)
    for (std::size_t o = 0; o < PRGBankSize; ++o)
      if (log.PRGFlags(j)[o] !=
          NormalisePRGFlags(log.Logs()[0].layout, bytes[skip + PRGBankSize * j + o]))
        std::abort();
  for (unsigned j = 0; j < chr; ++j)
    for (std::size_t o = 0; o < CHRBankSize; ++o)
      if (log.CHRFlags(j)[o] !=
          NormaliseCHRFlags(bytes[skip + PRGBankSize * prg + CHRBankSize * j + o]))
        std::abort();

  // Merging the same bytes again is harmless.
  const std::uint8_t* flags = log.PRGFlags(0).data();
  const std::vector<std::uint8_t> before(flags, flags + log.RawSize());
  if (log.AddLog(bytes, "again.cdl", message) != TAddOutcome::Merged ||
      !std::equal(before.begin(), before.end(), log.PRGFlags(0).data()))
    std::abort();
  // A log with every flag set that ends early or goes on while it is read
  // changes nothing either.
  std::vector<std::uint8_t> full(bytes.size() + 1, 0xFF);
  std::copy_n(bytes.begin(), headed ? 9 : 0, full.begin());
  const std::size_t length =
      data[size - 1] & 1 ? full.size() : 1 + data[size - 1] % (bytes.size() - 1);
  std::FILE* in = fmemopen(full.data(), length, "rb");
  if (log.AddStream(in, bytes.size(), "live.cdl", message) != TAddOutcome::Refused ||
      !std::equal(before.begin(), before.end(), log.PRGFlags(0).data()))
    std::abort();
  std::fclose(in);

  // Figures that hang together: every used byte is reached or not, and a
  // whole-bank range agrees with the bank's figure.
  const std::uint8_t empty = image.FindEmptyByte();
  for (const TBankPlay& row : log.BankFigures(image, empty)) {
    const bool isPRG = row.kind == TBankKind::PRG;
    const auto loaded = isPRG ? image.PRGBank(row.index) : image.CHRBank(row.index);
    const auto flags = log.BankFlags(row.kind, row.index);
    std::uint64_t used = 0, usedReached = 0;
    for (std::size_t o = 0; o < loaded.size(); ++o) {
      const bool isUsed = loaded[o] != (isPRG ? empty : 0x00);
      used += isUsed;
      usedReached += isUsed && (flags[o] & FlagReached);
    }
    const std::uint64_t first = isPRG ? row.code : row.drawn;
    const std::uint64_t second = isPRG ? row.data : row.read;
    if (row.neverReached + usedReached != used || row.reached > loaded.size() ||
        first > row.reached || second > row.reached ||
        log.NeverReached(image, row.kind, row.index, 0, ~std::uint64_t{0}, empty) !=
            row.neverReached)
      std::abort();
  }
  return 0;
}
