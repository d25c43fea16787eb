#include "nes_image.h"

#include <algorithm>
#include <cstring>

#include "file_time.h"

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

  // 3. The length test.
  if (length < MinNESSize) return false;

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

  // 7. Last-write time by the same name; 0 when it cannot be read.
  std::uint64_t time = 0;
  fileTime_ = QueryNESFileTime(name, time) ? time : 0;

  // 8.
  return true;
}

void TNESImage::Release() {
  std::vector<std::uint8_t>().swap(data_);
  held_ = false;
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
