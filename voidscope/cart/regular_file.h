// Reading a file that is a regular file, and nothing else: a named pipe, a
// socket, a device or a folder is refused at once, before anything could
// wait on it (a pipe nobody writes to would hold the window forever). Every
// reader of the analysis (image, debug file, play log) opens through here.
// Names are the bytes given (UTF-8 on Windows, where the wide API is used).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class TFileFailure {
  None,
  CannotOpen,  // reason: the system's words ("No such file or directory")
  NotRegular,  // reason: what the name is ("a folder", "a named pipe", ...)
  TooLarge,    // more than the reader's limit, or than the memory at hand
  ReadFailed,  // reason: the system's words, or that the file shrank
};

struct TFileError {
  TFileFailure failure = TFileFailure::None;
  std::string reason;
};

// An open regular file, closed when the object goes.
class TRegularFile {
 public:
  TRegularFile() = default;
  ~TRegularFile();
  TRegularFile(const TRegularFile&) = delete;
  TRegularFile& operator=(const TRegularFile&) = delete;

  // Opens `name` for reading when it names a regular file; never blocks.
  bool Open(const std::string& name, TFileError& error);
  // The length measured when opened.
  std::uint64_t Size() const { return size_; }
  // For readers that go on in pieces; positioned at the start when opened.
  std::FILE* Stream() const { return file_; }
  // The first `count` bytes (at most Size()), from the start, in one read.
  // Fails when the memory cannot be had or the file yields fewer bytes.
  bool ReadFirst(std::uint64_t count, std::vector<std::uint8_t>& bytes, TFileError& error);
  void Close();

 private:
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
};

// The whole of the regular file `name`; TooLarge, before anything is read,
// when it holds more than `limit` bytes.
bool ReadRegularFile(const std::string& name, std::uint64_t limit, std::vector<std::uint8_t>& bytes,
                     TFileError& error);
