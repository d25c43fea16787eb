#include "image_labels.h"

#include <algorithm>
#include <filesystem>

#include "file_time.h"

namespace {

bool HexNumber(const std::string& text, unsigned& value) {
  if (text.empty() || text.size() > 4) return false;
  value = 0;
  for (const char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : -1;
    if (digit < 0) return false;
    value = value << 4 | static_cast<unsigned>(digit);
  }
  return true;
}

std::uint64_t TimeOf(const std::string& name) {
  std::uint64_t time = 0;
  return QueryNESFileTime(name, time) ? time : 0;
}

}  // namespace

std::vector<std::string> LabelFilesBeside(const std::string& imagePath) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  if (imagePath.empty()) return files;
  const fs::path image(imagePath);
  std::error_code ec;
  fs::path mlb = image;
  mlb.replace_extension(".mlb");
  if (fs::exists(mlb, ec)) files.push_back(mlb.string());
  // "game.nes.N.nl": the image's whole name, a bank number, ".nl".
  const std::string prefix = image.filename().string() + ".";
  std::vector<std::pair<unsigned, std::string>> banks;
  const fs::path folder = image.has_parent_path() ? image.parent_path() : fs::path(".");
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() + 3 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 3, 3, ".nl") != 0)
      continue;
    unsigned bank = 0;
    if (HexNumber(name.substr(prefix.size(), name.size() - 3 - prefix.size()), bank))
      banks.emplace_back(bank, (image.has_parent_path() ? (folder / name) : fs::path(name)).string());
  }
  std::sort(banks.begin(), banks.end());
  for (auto& [bank, name] : banks) files.push_back(std::move(name));
  return files;
}

bool TImageLabels::Load(const std::string& imagePath, bool readBeside, const std::vector<std::string>& added,
                        std::span<const std::uint8_t> image, const std::vector<TBankExtent>& banks,
                        std::uint8_t emptyByte, std::string& message) {
  message.clear();
  if (imagePath != imagePath_) Clear();
  imagePath_ = imagePath;
  readBeside_ = readBeside;
  beside_ = readBeside ? LabelFilesBeside(imagePath) : std::vector<std::string>();
  std::vector<std::string> names = beside_;
  names.insert(names.end(), added.begin(), added.end());
  // Times first: a write after them shows as a change at the next check.
  times_.clear();
  for (const std::string& name : names) times_.emplace_back(name, TimeOf(name));

  std::vector<TLabelFile> files(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string error;
    if (!LoadLabelFile(names[i], files[i], error)) {
      message = error;
      return false;
    }
    const std::string note = LabelFileNote(files[i]);
    if (!note.empty()) message += (message.empty() ? "" : "; ") + note;
  }
  files_ = std::move(files);
  map_ = PlaceLabels(files_, banks, PRGROMStart(image));
  CountLabelUse(map_, image, emptyByte);
  return true;
}

void TImageLabels::Clear() {
  imagePath_.clear();
  beside_.clear();
  times_.clear();
  files_.clear();
  map_ = TLabelMap();
}

bool TImageLabels::Changed() const {
  if (imagePath_.empty()) return false;
  for (const auto& [name, was] : times_)
    if (TimeOf(name) != was) return true;
  return readBeside_ && LabelFilesBeside(imagePath_) != beside_;
}

std::string TImageLabels::ByteText(TBankKind kind, unsigned bank, std::uint64_t offset) const {
  std::size_t row = 0;
  while (row < map_.banks.size() && (map_.banks[row].kind != kind || map_.banks[row].index != bank)) ++row;
  return LabelText(row, offset);
}

std::string TImageLabels::ByteTextAt(std::uint64_t fileOffset) const {
  std::size_t row = 0;
  while (row < map_.banks.size() &&
         !(map_.banks[row].offset <= fileOffset && fileOffset - map_.banks[row].offset < map_.banks[row].size))
    ++row;
  if (row == map_.banks.size()) return {};
  return LabelText(row, fileOffset - map_.banks[row].offset);
}

std::string TImageLabels::LabelText(std::size_t row, std::uint64_t offset) const {
  const TPlacedLabel* label = LabelAt(map_, row, offset);
  if (!label) return {};
  std::string text = "Label " + LabelDistanceText(*label, offset) + ", " + std::to_string(label->size) +
                     (label->size == 1 ? " byte" : " bytes");
  if (!label->comment.empty()) text += "\n" + label->comment;
  return text;
}
