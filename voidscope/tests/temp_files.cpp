#include "temp_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
// The same tests run as a Windows program under Wine.
TempDir::TempDir() {
  for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("voidscope-test-" + std::to_string(n));
    if (CreateDirectoryW(dir.c_str(), nullptr)) {
      path_ = dir.string();
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot make a temporary folder");
  }
}
#else
TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "voidscope-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}
#endif

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& name, const Bytes& bytes) const {
  const std::string full = File(name);
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + full);
  return full;
}

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#ifdef _WIN32
void SetWriteTime(const std::string& path, std::int64_t seconds, long nanoseconds) {
  // 100-nanosecond steps since 1601.
  const std::uint64_t ticks = static_cast<std::uint64_t>(seconds + 11644473600LL) * 10000000u +
                              static_cast<std::uint64_t>(nanoseconds / 100);
  const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const bool set = file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, &time, &time);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!set) throw std::runtime_error("cannot set the time of " + path);
}
#else
void SetWriteTime(const std::string& path, std::int64_t seconds, long nanoseconds) {
  const timespec times[2] = {{static_cast<time_t>(seconds), nanoseconds},
                             {static_cast<time_t>(seconds), nanoseconds}};
  if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
    throw std::runtime_error("cannot set the time of " + path);
}
#endif

std::size_t PRGOffset(unsigned bank) { return 16 + 16384 * std::size_t{bank}; }

std::size_t CHROffset(unsigned prgCount, unsigned bank) {
  return 16 + 16384 * std::size_t{prgCount} + 8192 * std::size_t{bank};
}

Bytes MakeNES(unsigned prgCount, unsigned chrCount, std::uint8_t flags6, std::uint8_t flags7) {
  Bytes image(CHROffset(prgCount, chrCount), 0);
  if (image.size() < 24592) image.resize(24592, 0);
  image[0] = 'N';
  image[1] = 'E';
  image[2] = 'S';
  image[3] = 0x1A;
  image[4] = static_cast<std::uint8_t>(prgCount);
  image[5] = static_cast<std::uint8_t>(chrCount);
  image[6] = flags6;
  image[7] = flags7;
  std::fill(image.begin() + PRGOffset(0), image.begin() + CHROffset(prgCount, 0), 0xEA);
  std::fill(image.begin() + CHROffset(prgCount, 0), image.begin() + CHROffset(prgCount, chrCount),
            0x55);
  return image;
}

Bytes MakeCodeNES(unsigned prgCount, unsigned chrCount) {
  Bytes image = MakeNES(prgCount, chrCount, 0x40, 0x10);
  for (std::size_t o = PRGOffset(0); o < PRGOffset(prgCount); ++o)
    image[o] = static_cast<std::uint8_t>(o % 200 + 1);
  return image;
}
