// The label files of the held image as the window keeps them: those beside
// it (game.mlb, game.nes.N.nl) and those the user added, read together on
// every load and watched with the image. No user interface.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "label_map.h"

// The label files that lie beside `imagePath`: "game.mlb" for "game.nes",
// and "game.nes.N.nl" for every hexadecimal N, in bank order. The RAM list
// is left out: it names nothing in the banks.
std::vector<std::string> LabelFilesBeside(const std::string& imagePath);

class TImageLabels {
 public:
  // Reads the files beside the image (unless `readBeside` is false) and
  // `added`, all afresh, and places
  // them in `banks` of `image`. When one cannot be used the labels held
  // stay as they were and `message` says why ("game.mlb:3: ..."); skipped
  // lines leave a note there too. False only when a file was not used.
  bool Load(const std::string& imagePath, bool readBeside, const std::vector<std::string>& added,
            std::span<const std::uint8_t> image, const std::vector<TBankExtent>& banks,
            std::uint8_t emptyByte, std::string& message);
  // No labels any more (another image, or none).
  void Clear();
  // A watched file's last-write time changed, or one came or went beside the image.
  bool Changed() const;

  bool Empty() const { return files_.empty(); }
  const std::vector<TLabelFile>& Files() const { return files_; }
  const TLabelMap& Map() const { return map_; }
  // The label over byte `offset` of a bank, as the tooltip's line:
  // "Label music_data+$1A2, 2310 bytes" and the comment's lines; empty when
  // no label covers the byte.
  std::string ByteText(TBankKind kind, unsigned bank, std::uint64_t offset) const;
  // The same for the byte at `fileOffset`, whatever size the view cuts the
  // banks to.
  std::string ByteTextAt(std::uint64_t fileOffset) const;

 private:
  std::string LabelText(std::size_t row, std::uint64_t offset) const;

  std::string imagePath_;
  bool readBeside_ = true;
  std::vector<std::string> beside_;  // as found at the last load
  std::vector<std::pair<std::string, std::uint64_t>> times_;
  std::vector<TLabelFile> files_;
  TLabelMap map_;
};
