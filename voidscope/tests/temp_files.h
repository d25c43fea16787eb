// Scratch files for tests, and cartridge images built to order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes `bytes` to `name` in this folder and returns the full path.
  std::string Write(const std::string& name, const Bytes& bytes) const;

 private:
  std::string path_;
};

Bytes ReadAll(const std::string& path);
void SetWriteTime(const std::string& path, std::int64_t seconds, long nanoseconds);

// An iNES image with the given header figures; PRG bytes $EA (used), CHR
// bytes $55 (used), padded to the smallest accepted length.
Bytes MakeNES(unsigned prgCount, unsigned chrCount, std::uint8_t flags6 = 0,
              std::uint8_t flags7 = 0);
// The same with PRG banks of code-like bytes instead: never $00 or $FF and
// never two equal in a row, so the only runs are those a test puts there.
Bytes MakeCodeNES(unsigned prgCount, unsigned chrCount);
// Offsets of a bank inside such an image.
std::size_t PRGOffset(unsigned bank);
std::size_t CHROffset(unsigned prgCount, unsigned bank);
