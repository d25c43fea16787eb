// Play logs: the code/data logs that emulators write while someone plays,
// merged and laid over the held image's banks. Which used bytes no log
// reached is what the developer may reclaim. No user interface.
//
// Two layouts are read, both one flag byte per PRG byte (all PRG banks in
// file order) followed by one per CHR ROM byte (none for CHR RAM):
// - raw: nothing else;
// - headed: "CDLv2", then the CRC-32 of all the image's PRG bytes
//   (little-endian), then the flags.
// The layouts give PRG flag bits different meanings; each log is turned
// into the normalised flags below as it is merged.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "bank_layout.h"
#include "nes_image.h"
#include "summary.h"

enum class TLogLayout { Raw, Headed };

// "raw", "headed".
const char* LayoutName(TLogLayout layout);

// Normalised flags of one byte. A PRG byte is code or data, a CHR byte
// drawn or read; the bits are shared between the two kinds.
inline constexpr std::uint8_t FlagReached = 1;  // some flag was set
inline constexpr std::uint8_t FlagCode = 2;     // PRG: run as code
inline constexpr std::uint8_t FlagData = 4;     // PRG: read as data or as sample audio
inline constexpr std::uint8_t FlagDrawn = 2;    // CHR: drawn
inline constexpr std::uint8_t FlagRead = 4;     // CHR: read by the program

// One log byte as a normalised flag byte.
std::uint8_t NormalisePRGFlags(TLogLayout layout, std::uint8_t logFlags);
std::uint8_t NormaliseCHRFlags(std::uint8_t logFlags);

// "code", "data, drawn" ... for a reached byte ("reached" when no named
// flag is set), "never reached" for one no log reached.
std::string ReachWords(TBankKind kind, std::uint8_t flags);

struct TPlayLogFile {
  std::string file;  // the name as given
  TLogLayout layout = TLogLayout::Raw;
};

enum class TAddOutcome {
  Merged,         // read and merged
  AlreadyMerged,  // the same file as a log merged before: nothing changes
  Refused,        // not a log of this image: nothing changes
};

// The figures of one bank. Only bytes the file holds count (missing bytes
// are neither used nor free, and the log cannot say what they were).
struct TBankPlay {
  TBankKind kind = TBankKind::PRG;
  unsigned index = 0;
  std::uint64_t reached = 0;       // used or free, reached by some log
  std::uint64_t neverReached = 0;  // used, reached by no log
  std::uint64_t code = 0;          // PRG only
  std::uint64_t data = 0;          // PRG only
  std::uint64_t drawn = 0;         // CHR only
  std::uint64_t read = 0;          // CHR only
};

// The merge of any number of logs for one image. A byte is reached when any
// log reached it, code when any log ran it, and so on.
class TPlayLog {
 public:
  // For no image (none is held): every log is refused.
  TPlayLog() = default;
  // For this image's header: its bank counts and the CRC-32 of its PRG
  // bytes (those the file holds) are taken now; the image is not kept.
  explicit TPlayLog(const TNESImage& image);

  // Reads the named regular file and merges it. On Refused or
  // AlreadyMerged `message` says why ("game.cdl: ..."), naming the check
  // that failed and the sizes or checksums; on Merged it is cleared.
  TAddOutcome AddFile(const std::string& name, std::string& message);
  // AddFile's second half: a log from an open stream (left open) that
  // should hold `size` bytes, as measured; one that ends early or goes on
  // is refused as changed while being read. Never AlreadyMerged.
  TAddOutcome AddStream(std::FILE* file, std::uint64_t size, const std::string& name,
                        std::string& message);
  // The same for a log already in memory; `name` is only for the list and
  // the message. Never AlreadyMerged.
  TAddOutcome AddLog(std::span<const std::uint8_t> bytes, const std::string& name,
                     std::string& message);

  // The logs merged so far, in the order given.
  const std::vector<TPlayLogFile>& Logs() const { return logs_; }
  bool Empty() const { return logs_.empty(); }

  unsigned PRGCount() const { return prgCount_; }
  unsigned CHRCount() const { return chrCount_; }
  std::uint32_t PRGCRC32() const { return prgCRC_; }
  // The only two sizes a log of this image may have.
  std::uint64_t RawSize() const;
  std::uint64_t HeadedSize() const;

  // Normalised flags of a bank, one per byte of the bank's full size
  // (empty for a bank the header does not name).
  std::span<const std::uint8_t> PRGFlags(unsigned bank) const;
  std::span<const std::uint8_t> CHRFlags(unsigned bank) const;
  std::span<const std::uint8_t> BankFlags(TBankKind kind, unsigned bank) const;
  // One byte's normalised flags (0 outside the banks).
  std::uint8_t ByteFlags(TBankKind kind, unsigned bank, std::uint64_t offset) const;
  // The flags of the file bytes from `fileOffset` on, up to `n` of them (fewer,
  // or none, past the log's banks): the log's flags lie in file order.
  std::span<const std::uint8_t> FileFlags(std::uint64_t fileOffset, std::uint64_t n) const;

  // Per bank of `sizes`, PRG first, in the order of SummariseNES. `image`
  // is the one this merge was made for; `emptyByte` is its free PRG value.
  std::vector<TBankPlay> BankFigures(const TNESImage& image, std::uint8_t emptyByte,
                                     TBankSizes sizes = {}) const;
  // Used bytes no log reached within [offset, offset + length) of a bank;
  // the part of the range beyond the bank or the loaded bytes counts nothing.
  std::uint64_t NeverReached(const TNESImage& image, TBankKind kind, unsigned bank,
                             std::uint64_t offset, std::uint64_t length,
                             std::uint8_t emptyByte) const;
  // The same for the file bytes [fileOffset, fileOffset + length) of one
  // kind's area, whatever banks they lie in.
  std::uint64_t NeverReachedAt(const TNESImage& image, TBankKind kind, std::uint64_t fileOffset,
                               std::uint64_t length, std::uint8_t emptyByte) const;

 private:
  // The flags of `n` bytes from `areaOffset` into the kind's area; nullptr
  // before the first log or past the log's area.
  const std::uint8_t* AreaFlags(TBankKind kind, std::uint64_t areaOffset, std::uint64_t n) const;
  // How much of the kind's area both the log and the image have, in bytes.
  std::uint64_t SharedArea(const TNESImage& image, TBankKind kind) const;
  std::string SizeMessage(const std::string& name, std::uint64_t size) const;
  // Whether a log of `size` bytes fits this image, and in which layout;
  // then whether a headed one's header (its first bytes) is right.
  bool CheckSize(std::uint64_t size, const std::string& name, std::string& message,
                 TLogLayout& layout) const;
  bool CheckHeader(std::span<const std::uint8_t> head, std::uint64_t size,
                   const std::string& name, std::string& message) const;
  // Merges `n` flag bytes (no header) that start at `at` of the flags.
  void Merge(const std::uint8_t* in, std::uint64_t at, std::uint64_t n, TLogLayout layout,
             int plane);

  bool forImage_ = false;
  unsigned prgCount_ = 0;
  unsigned chrCount_ = 0;
  std::uint32_t prgCRC_ = 0;
  std::vector<std::uint8_t> flags_;  // PRG banks then CHR banks, normalised
  std::vector<TPlayLogFile> logs_;
};
