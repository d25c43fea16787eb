// Free space in figures: one row per bank, the totals per kind, the change
// since an earlier build, and what a single byte is. The same free test as
// the bank maps: a PRG byte is free when it equals the empty byte, a CHR
// byte when it is $00; bytes the header names but the file lacks are missing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bank_layout.h"
#include "mapper_banks.h"
#include "nes_header.h"
#include "nes_image.h"

// A run of free bytes: its first offset within the bank and its length.
struct TFreeRun {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

struct TBankSummary {
  TBankKind kind = TBankKind::PRG;
  unsigned index = 0;        // in the summary's bank size
  std::uint64_t offset = 0;  // file offset of the bank's first byte
  std::uint64_t size = 0;    // as the header and the bank size make it
  std::uint64_t used = 0;    // size - free - missing
  std::uint64_t free = 0;
  std::uint64_t missing = 0;
  TFreeRun largestFreeRun;   // the first of equal longest; {0, 0} when none
  std::int64_t usedDelta = 0;  // since the earlier build, when compared
};

struct TKindTotals {
  std::uint64_t size = 0;
  std::uint64_t used = 0;
  std::uint64_t free = 0;
  std::uint64_t missing = 0;
  std::int64_t usedDelta = 0;
};

struct TCartSummary {
  unsigned mapper = 0;
  unsigned prgCount = 0;
  unsigned chrCount = 0;
  std::uint8_t emptyByte = 0;
  TBankSizes sizes;                 // the banks' sizes
  bool sizesFromMapper = false;     // asked for the mapper's sizes
  const TMapperBanks* mapperBanks = nullptr;  // the mapper's row, when in the table
  TNESHeader header;
  std::uint64_t trailingBytes = 0;  // in the file after the last bank
  std::vector<TBankSummary> banks;  // file order, PRG first
  TKindTotals prg;
  TKindTotals chr;
  bool compared = false;  // usedDelta holds a change
};

// Only while an image is held. The banks in the sizes chosen (16 KB and
// 8 KB unless asked otherwise); the empty byte is picked over the 16 KB
// banks whatever the sizes.
TCartSummary SummariseNES(const TNESImage& image, const TBankSizeChoice& choice = {});

// Fills in the change of used bytes per bank since `old` (summarised in
// the same sizes); a bank that `old` lacks counts from 0. The totals' change counts the banks `now` lacks too.
void CompareSummaries(TCartSummary& now, const TCartSummary& old);

// One line per PRG bank with fewer than `minFree` free bytes, in the form
// "PRG $07: 212 bytes free, below 1024".
std::vector<std::string> BanksBelow(const TCartSummary& summary, std::uint64_t minFree);

// What one byte of a bank is, for the readout under the mouse.
enum class TByteState { Used, Free, Missing };
struct TByteInfo {
  TBankKind kind = TBankKind::PRG;
  unsigned bank = 0;
  std::uint64_t offset = 0;      // within the bank
  std::uint64_t fileOffset = 0;
  TByteState state = TByteState::Missing;
  std::uint8_t value = 0;        // not meaningful when missing
  TFreeRun run;                  // the free run the byte lies in, when free
};

// Only while an image is held, for a bank the header names and an offset
// within the bank's size.
TByteInfo DescribeByte(const TNESImage& image, TBankKind kind, unsigned bank,
                       std::uint64_t offset, std::uint8_t emptyByte);

// The same for a bank of any size (`offset` within `bank`'s size).
TByteInfo DescribeByte(const TNESImage& image, const TBankSpan& bank, std::uint64_t offset,
                       std::uint8_t emptyByte);

// "PRG $03", "CHR $0A".
std::string BankLabel(TBankKind kind, unsigned index);
