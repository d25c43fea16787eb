#include "regular_file.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool Fail(TFileError& error, TFileFailure failure, std::string reason) {
  error.failure = failure;
  error.reason = std::move(reason);
  return false;
}

#ifdef _WIN32

std::wstring Wide(const std::string& name) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), wide.data(), n);
  return wide;
}

std::string SystemWords(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return "No such file or directory";
    case ERROR_ACCESS_DENIED:
      return "Permission denied";
    default:
      break;
  }
  char text[256] = {};
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 code, 0, text, sizeof text, nullptr);
  std::string words(text, n);
  while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == '.'))
    words.pop_back();
  return words.empty() ? "error " + std::to_string(code) : words;
}

#endif

}  // namespace

TRegularFile::~TRegularFile() { Close(); }

void TRegularFile::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  size_ = 0;
}

#ifdef _WIN32

bool TRegularFile::Open(const std::string& name, TFileError& error) {
  Close();
  error = {};
  if (name.empty()) return Fail(error, TFileFailure::CannotOpen, "No such file or directory");
  const std::wstring wide = Wide(name);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Fail(error, TFileFailure::NotRegular, "a folder");
  HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Fail(error, TFileFailure::CannotOpen, SystemWords(GetLastError()));
  const DWORD type = GetFileType(handle);
  LARGE_INTEGER size{};
  if (type != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
    CloseHandle(handle);
    return Fail(error, TFileFailure::NotRegular, type == FILE_TYPE_PIPE ? "a named pipe" : "a device");
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return Fail(error, TFileFailure::CannotOpen, std::strerror(errno));
  }
  file_ = _fdopen(fd, "rb");
  if (!file_) {
    _close(fd);
    return Fail(error, TFileFailure::CannotOpen, std::strerror(errno));
  }
  size_ = static_cast<std::uint64_t>(size.QuadPart);
  return true;
}

#else

namespace {

const char* KindWords(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

}  // namespace

bool TRegularFile::Open(const std::string& name, TFileError& error) {
  Close();
  error = {};
  if (name.empty()) return Fail(error, TFileFailure::CannotOpen, "No such file or directory");
  // Looked at first, so that a socket is named as one rather than as a
  // failed open; the open itself does not wait for a writer either, and
  // what it opened is looked at again, in case the name changed meanwhile.
  struct stat info {};
  if (stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
    return Fail(error, TFileFailure::NotRegular, KindWords(info.st_mode));
  const int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Fail(error, TFileFailure::CannotOpen, std::strerror(errno));
  if (fstat(fd, &info) != 0) {
    const int code = errno;
    close(fd);
    return Fail(error, TFileFailure::CannotOpen, std::strerror(code));
  }
  if (!S_ISREG(info.st_mode)) {
    close(fd);
    return Fail(error, TFileFailure::NotRegular, KindWords(info.st_mode));
  }
  // Reads of a regular file never wait; the flag only kept the open quick.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  file_ = fdopen(fd, "rb");
  if (!file_) {
    const int code = errno;
    close(fd);
    return Fail(error, TFileFailure::CannotOpen, std::strerror(code));
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
  return true;
}

#endif

bool TRegularFile::ReadFirst(std::uint64_t count, std::vector<std::uint8_t>& bytes, TFileError& error) {
  error = {};
  if (!file_) return Fail(error, TFileFailure::ReadFailed, "not open");
  if (count > size_) count = size_;
  try {
    bytes.resize(static_cast<std::size_t>(count));
  } catch (const std::bad_alloc&) {
    bytes.clear();
    return Fail(error, TFileFailure::TooLarge, "more than the memory at hand");
  } catch (const std::length_error&) {
    bytes.clear();
    return Fail(error, TFileFailure::TooLarge, "more than the memory at hand");
  }
  std::rewind(file_);
  const std::size_t got = count ? std::fread(bytes.data(), 1, bytes.size(), file_) : 0;
  if (got == bytes.size()) return true;
  const bool failed = std::ferror(file_) != 0;
  const int code = errno;
  bytes.clear();
  return Fail(error, TFileFailure::ReadFailed,
              failed ? std::string(std::strerror(code)) : "the file shrank while being read");
}

bool ReadRegularFile(const std::string& name, std::uint64_t limit, std::vector<std::uint8_t>& bytes,
                     TFileError& error) {
  bytes.clear();
  TRegularFile file;
  if (!file.Open(name, error)) return false;
  if (file.Size() > limit) return Fail(error, TFileFailure::TooLarge, "more than " + std::to_string(limit) + " bytes");
  return file.ReadFirst(file.Size(), bytes, error);
}
