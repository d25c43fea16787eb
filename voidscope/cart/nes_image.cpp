#include "nes_image.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>

#include "file_path.h"
#include "file_time.h"

// The load steps, in their order. Failing before the length test keeps the
// held image and its time; once a file of sufficient length is opened the old
// image is gone, whatever happens next. Only a successful load records a time.
bool TNESImage::LoadNES(const std::string& name) {
  // 1. Open. Only a regular file is an image: a directory is not a file,
  // whatever the C library lets us open, and opening a pipe would block the
  // window until something writes to it.
  std::error_code ec;
  if (name.empty() || !std::filesystem::is_regular_file(NativePath(name), ec)) return false;
  std::ifstream file(NativePath(name), std::ios::binary);
  if (!file) return false;

  // 2. Length, 64-bit. A stream that cannot seek cannot be measured.
  file.seekg(0, std::ios::end);
  const std::streamoff end = file.tellg();
  file.seekg(0, std::ios::beg);
  if (end < 0 || !file) return false;
  const auto length = static_cast<std::uint64_t>(end);

  // 3. The length test.
  if (length < MinNESSize) return false;

  // 4. From here on the previous image is released.
  Release();

  // 5. Signature.
  char header[NESHeaderSize];
  if (!file.read(header, sizeof header) || std::memcmp(header, "NES", 3) != 0) return false;

  // 6. The whole file in one read; bytes no header can reach are left unread.
  const std::uint64_t wanted = std::min(length, MaxNESSize);
  try {
    data_.resize(static_cast<std::size_t>(wanted));
  } catch (const std::bad_alloc&) {
    Release();
    return false;
  }
  file.seekg(0, std::ios::beg);
  file.read(reinterpret_cast<char*>(data_.data()), static_cast<std::streamsize>(wanted));
  if (static_cast<std::uint64_t>(file.gcount()) != wanted) {
    // The file shrank under us or could not be read: hold nothing rather
    // than a partly filled buffer.
    Release();
    return false;
  }
  file.close();
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
