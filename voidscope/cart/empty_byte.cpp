#include <array>
#include <bit>
#include <cstdint>

#include "byte_scan.h"
#include "nes_image.h"

namespace {

// Runs of at least this many equal bytes are recorded (as length - 1).
constexpr std::size_t MinRun = 9;

// Records, in file order, every run of equal bytes of at least MinRun bytes
// that ends before the bank (or the loaded part of it) does. Every such run
// covers a multiple of 8 (MinRun > 8), so only those offsets need a look;
// runs are visited in order, so a later run of a value overwrites an earlier.
void RecordRuns(std::span<const std::uint8_t> bank, std::array<std::int32_t, 256>& RunTable) {
  const std::uint8_t* b = bank.data();
  const std::size_t n = bank.size();
  std::size_t k = 0;
  while (k < n) {
    const std::uint8_t v = b[k];
    std::size_t s;  // the run around k is [s, t)
    std::size_t t;
    if (std::endian::native == std::endian::little && k >= 8 && k + 8 <= n) {
      // The equal bytes on either side of k, eight at a time: most offsets
      // are settled here without a branch per byte.
      const std::uint64_t pattern = EveryByteOne * v;
      const std::uint64_t rightDiff = Load64(b + k) ^ pattern;
      const std::uint64_t leftDiff = Load64(b + k - 8) ^ pattern;
      const std::size_t right = rightDiff ? std::countr_zero(rightDiff) / 8 : 8;
      const std::size_t left = leftDiff ? std::countl_zero(leftDiff) / 8 : 8;
      if (right < 8 && left < 8 && left + right < MinRun) {
        k += 8;
        continue;
      }
      s = k - left;
      if (left == 8)
        while (s > 0 && b[s - 1] == v) --s;
      t = right < 8 ? k + right : NextDifferent(b, k + 8, n, v);
    } else {
      const bool leftSame = k > 0 && b[k - 1] == v;
      const bool rightSame = k + 1 < n && b[k + 1] == v;
      if (!leftSame && !rightSame) {
        k += 8;
        continue;
      }
      s = k;
      while (s > 0 && b[s - 1] == v) --s;
      t = NextDifferent(b, k + 1, n, v);
    }
    if (t == n) return;  // a run still open at the bank's end is never recorded
    if (t - s >= MinRun) RunTable[v] = static_cast<std::int32_t>(t - s - 1);
    k = (t + 7) & ~std::size_t{7};
  }
}

}  // namespace

std::uint8_t TNESImage::FindEmptyByte() const {
  std::array<std::int32_t, 256> RunTable{};
  for (unsigned j = 0; j < PRGCount(); ++j) RecordRuns(PRGBank(j), RunTable);

  // Highest entry wins; ties go to the lowest value (strictly greater only).
  std::int32_t best = -1;
  std::uint8_t EmptyByte = 0;
  for (int v = 0; v < 256; ++v) {
    if (RunTable[v] > best) {
      best = RunTable[v];
      EmptyByte = static_cast<std::uint8_t>(v);
    }
  }
  return EmptyByte;
}
