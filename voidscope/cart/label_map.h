// The labels of label files placed in one image's banks: what each label
// spans, how many of its bytes are used, and the label a byte lies under.
// No user interface.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "label_file.h"
#include "nes_image.h"

// Where one bank lies in the file, by whatever bank rule is in force.
struct TBankExtent {
  TBankKind kind = TBankKind::PRG;
  unsigned index = 0;
  std::uint64_t offset = 0;  // file offset of the first byte
  std::uint64_t size = 0;
};

// The banks of a header naming `prgCount` and `chrCount` banks of 16 and 8 KB.
std::vector<TBankExtent> HeaderBankExtents(unsigned prgCount, unsigned chrCount);

// The file offset of the PRG ROM's first byte: after the header, and after
// the 512-byte trainer when the header's trainer bit (byte 6, bit 2) is set.
std::uint64_t PRGROMStart(std::span<const std::uint8_t> image);

struct TPlacedLabel {
  std::string name;
  std::string comment;
  std::uint64_t offset = 0;  // from the bank's first byte
  std::uint64_t size = 0;    // within the bank
  std::uint64_t used = 0;    // of its bytes, used by the map's rule
};

struct TLabelMap {
  std::vector<TBankExtent> banks;                // as given
  std::vector<std::vector<TPlacedLabel>> labels; // beside `banks`, offset order
  std::uint64_t outside = 0;  // labels at an offset no bank holds
  std::uint64_t shared = 0;   // left out: an earlier label holds their offset
};

// Places every label of `files` (in that order) at PRG ROM start + its PRG
// offset, in the bank that holds that offset. `banks` must be in file order
// without overlapping. A label spans to the next label of its bank or the
// bank's end, or the size its file gives, cut at the bank's end. Of two
// labels at one offset the first wins. `used` is left 0: see CountLabelUse.
TLabelMap PlaceLabels(std::span<const TLabelFile> files, std::span<const TBankExtent> banks,
                      std::uint64_t prgROMStart);

// Fills in `used`: a PRG byte is used when it is not the empty byte, a CHR
// byte when it is not $00; bytes past the end of `image` are not used.
void CountLabelUse(TLabelMap& map, std::span<const std::uint8_t> image, std::uint8_t emptyByte);

// The label whose span covers `offset` of the bank in row `bank` of
// `map.banks`, the one that starts last when spans overlap; nullptr when none.
const TPlacedLabel* LabelAt(const TLabelMap& map, std::size_t bank, std::uint64_t offset);

// "music_data" at its first byte, "music_data+$1A2" further in.
std::string LabelDistanceText(const TPlacedLabel& label, std::uint64_t offset);
