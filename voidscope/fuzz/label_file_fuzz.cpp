// The label-file readers and the placement on arbitrary input. The first
// byte picks the file's name (a Mesen file, an FCEUX bank list, the FCEUX
// RAM list, or a name without a bank number), the second the image's PRG
// and CHR bank counts and its trainer bit; the rest is the file. Whatever
// the readers accept, the placement must lay inside the banks.
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cart/label_map.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

const char* const Names[] = {"fuzz.mlb", "fuzz.nes.3.nl", "fuzz.nes.ram.nl", "fuzz.nl",
                             "fuzz.nes.0.nl", "fuzz.nes.A.nl", "dir/fuzz.nes.1f.nl", "fuzz.txt"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string name = Names[data[0] % 8];
  const unsigned prgCount = 1 + (data[1] & 3), chrCount = (data[1] >> 2) & 3;
  const bool trainer = (data[1] & 0x10) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  TLabelFile file;
  std::string error;
  if (!ParseLabelFile(text, name, file, error)) {
    Check(error.rfind(name + ":", 0) == 0 && file.labels.empty() && file.file.empty());
    return 0;
  }
  Check(file.file == name && (file.badLines == 0) == (file.firstBadLine == 0));
  for (const TLabel& label : file.labels) Check(!label.name.empty());

  // An image whose every other byte is free, a little shorter than its banks.
  std::vector<std::uint8_t> image(NESHeaderSize + prgCount * PRGBankSize + chrCount * CHRBankSize - 100);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = i % 2 ? 0xFF : 0x00;
  image[6] = trainer ? 0x04 : 0x00;
  const std::vector<TBankExtent> banks = HeaderBankExtents(prgCount, chrCount);
  const std::vector<TLabelFile> files = {file};
  TLabelMap map = PlaceLabels(files, banks, PRGROMStart(image));
  CountLabelUse(map, image, 0xFF);
  std::uint64_t placed = 0;
  for (std::size_t r = 0; r < banks.size(); ++r) {
    std::uint64_t previous = 0;
    for (const TPlacedLabel& l : map.labels[r]) {
      Check(l.size > 0 && l.offset + l.size <= banks[r].size && l.used <= l.size);
      Check(placed == 0 || &l == &map.labels[r].front() || l.offset > previous);
      previous = l.offset;
      ++placed;
      const TPlacedLabel* at = LabelAt(map, r, l.offset);
      Check(at != nullptr && at->offset <= l.offset && l.offset - at->offset < at->size);
      Check(LabelDistanceText(*at, l.offset).rfind(at->name, 0) == 0);
    }
  }
  Check(placed + map.outside + map.shared == file.labels.size());
  return 0;
}
