// The held cartridge image (iNES layout) and everything derived from it:
// header figures, the empty byte and the per-bank maps. No user interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "regular_file.h"

inline constexpr std::uint64_t NESHeaderSize = 16;
inline constexpr std::uint64_t PRGBankSize = 16384;
inline constexpr std::uint64_t CHRBankSize = 8192;
// One header, one PRG bank and one CHR bank: anything shorter is refused,
// unless it begins with "NES", names a bank and holds every bank it names.
inline constexpr std::uint64_t MinNESSize = NESHeaderSize + PRGBankSize + CHRBankSize;
// The largest image a header can describe; nothing past it is ever looked at.
inline constexpr std::uint64_t MaxNESSize = NESHeaderSize + 255 * PRGBankSize + 255 * CHRBankSize;

// Bank maps: 64 cells to a row, one cell per byte, in bank order.
inline constexpr int MapColumns = 64;
inline constexpr int PRGMapRows = static_cast<int>(PRGBankSize / MapColumns);  // 256
inline constexpr int CHRMapRows = static_cast<int>(CHRBankSize / MapColumns);  // 128

// Cell values; the window uses them directly as palette indices.
inline constexpr std::uint8_t CellFree = 0;
inline constexpr std::uint8_t CellUsed = 1;
// A byte the header names but the file does not hold (a truncated image).
inline constexpr std::uint8_t CellMissing = 2;

enum class TBankKind { PRG, CHR };

// The free-byte rule, the one place it is written: a PRG byte is free when
// it equals the empty byte, a CHR byte when it is $00.
inline std::uint8_t FreeValue(TBankKind kind, std::uint8_t emptyByte) {
  return kind == TBankKind::PRG ? emptyByte : std::uint8_t{0x00};
}

class TNESImage {
 public:
  // Loads the named file whole. Returns true when a new image was taken.
  // Which failures keep the previous image and which drop it is part of
  // the contract; see the .cpp.
  bool LoadNES(const std::string& name);
  // The same, saying why the file could not be read (failure None when it
  // was read but refused for its length or its signature).
  bool LoadNES(const std::string& name, TFileError& error);
  void Release();

  bool Held() const { return held_; }
  // All loaded bytes, header included (empty when none is held).
  std::span<const std::uint8_t> NESData() const { return data_; }
  // The file's length at the last successful load (more than NESData()
  // holds when bytes lie past the largest image a header can describe).
  std::uint64_t FileSize() const { return fileSize_; }
  // Last-write time recorded at the last successful load; 0 if unknown.
  std::uint64_t NESFileTime() const { return fileTime_; }

  // Header figures; only while an image is held.
  unsigned PRGCount() const { return data_[4]; }
  unsigned CHRCount() const { return data_[5]; }
  unsigned Mapper() const { return (data_[6] >> 4) | (data_[7] & 0xF0u); }

  // The byte value that fills the free space of the PRG banks.
  std::uint8_t FindEmptyByte() const;

  // Fill a bank's map into `cells`, one row of 64 cells every `stride` bytes
  // (so the rows of an 8-bit picture can be written in place).
  void PRGBankMap(unsigned bank, std::uint8_t emptyByte, std::uint8_t* cells,
                  std::size_t stride) const;
  void CHRBankMap(unsigned bank, std::uint8_t* cells, std::size_t stride) const;

  // File offset of a bank's first byte, as the header lays the banks out.
  std::uint64_t BankOffset(TBankKind kind, unsigned bank) const;
  // The loaded bytes of a bank: shorter than the bank (or empty) when the
  // file ends early.
  std::span<const std::uint8_t> Bank(TBankKind kind, unsigned bank) const;
  std::span<const std::uint8_t> PRGBank(unsigned bank) const { return Bank(TBankKind::PRG, bank); }
  std::span<const std::uint8_t> CHRBank(unsigned bank) const { return Bank(TBankKind::CHR, bank); }

 private:
  std::span<const std::uint8_t> Section(std::uint64_t offset, std::uint64_t size) const;

  std::vector<std::uint8_t> data_;
  bool held_ = false;
  std::uint64_t fileSize_ = 0;
  std::uint64_t fileTime_ = 0;
};
