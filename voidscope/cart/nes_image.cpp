#include "nes_image.h"

#include <algorithm>
#include <cstring>

#include "file_time.h"

namespace {

// Whether a file shorter than MinNESSize is nevertheless an image: it
// begins with "NES", names at least one bank and holds every bank it names.
bool HoldsEveryBank(TRegularFile& file, std::uint64_t length) {
  std::vector<std::uint8_t> header;
  TFileError ignored;  // a file that cannot be read here fails the length test
  if (length < NESHeaderSize || !file.ReadFirst(NESHeaderSize, header, ignored) ||
      std::memcmp(header.data(), "NES", 3) != 0)
    return false;
  const std::uint64_t named = PRGBankSize * header[4] + CHRBankSize * header[5];
  return named > 0 && NESHeaderSize + named <= length;
}

}  // namespace

// The load steps, in their order. Failing before the length test keeps the
// held image and its time; once a file of sufficient length is opened the old
// image is gone, whatever happens next. Only a successful load records a time.
bool TNESImage::LoadNES(const std::string& name) {
  TFileError error;
  return LoadNES(name, error);
}

bool TNESImage::LoadNES(const std::string& name, TFileError& error) {
  // 1. Open. Only a regular file is an image: a folder is not a file, and
  // a pipe or a device would keep the window waiting on it.
  TRegularFile file;
  if (!file.Open(name, error)) return false;

  // 2. Length, 64-bit, as measured when opened.
  const std::uint64_t length = file.Size();

  // 3. The length test. A shorter file passes when it is a whole small
  // image: a 16 KB game on CHR RAM is 16400 bytes and complete.
  if (length < MinNESSize && !HoldsEveryBank(file, length)) return false;

  // 4. From here on the previous image is released.
  Release();

  // 5. Signature.
  std::vector<std::uint8_t> header;
  if (!file.ReadFirst(NESHeaderSize, header, error) || std::memcmp(header.data(), "NES", 3) != 0)
    return false;

  // 6. The whole file in one read; bytes no header can reach are left unread.
  // A file that shrank under us or could not be read leaves nothing held
  // rather than a partly filled buffer.
  if (!file.ReadFirst(std::min(length, MaxNESSize), data_, error)) {
    Release();
    return false;
  }
  file.Close();
  held_ = true;
  fileSize_ = length;

  // 7. Last-write time by the same name; 0 when it cannot be read.
  std::uint64_t time = 0;
  fileTime_ = QueryNESFileTime(name, time) ? time : 0;

  // 8.
  return true;
}

void TNESImage::Release() {
  std::vector<std::uint8_t>().swap(data_);
  held_ = false;
  fileSize_ = 0;
}

std::span<const std::uint8_t> TNESImage::Section(std::uint64_t offset, std::uint64_t size) const {
  const std::uint64_t loaded = data_.size();
  if (offset >= loaded) return {};
  return {data_.data() + offset, static_cast<std::size_t>(std::min(size, loaded - offset))};
}

std::uint64_t TNESImage::BankOffset(TBankKind kind, unsigned bank) const {
  if (kind == TBankKind::PRG) return NESHeaderSize + PRGBankSize * bank;
  return NESHeaderSize + PRGBankSize * PRGCount() + CHRBankSize * bank;
}

std::span<const std::uint8_t> TNESImage::Bank(TBankKind kind, unsigned bank) const {
  return Section(BankOffset(kind, bank), kind == TBankKind::PRG ? PRGBankSize : CHRBankSize);
}
