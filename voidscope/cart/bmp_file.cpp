#include "bmp_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "file_path.h"

namespace {

void Put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::string BMPBytes(int width, int height, const std::uint32_t* pixels, std::size_t stride) {
  const auto w = static_cast<std::uint32_t>(width);
  const auto h = static_cast<std::uint32_t>(height);
  const std::uint32_t rowBytes = (w * 3 + 3) / 4 * 4;
  const std::uint32_t headers = 14 + 40;
  std::string out;
  out.reserve(headers + std::size_t{rowBytes} * h);
  out += "BM";
  Put32(out, headers + rowBytes * h);
  Put32(out, 0);
  Put32(out, headers);
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h);  // positive: the bottom row comes first
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // no compression
  Put32(out, rowBytes * h);
  Put32(out, 2835);  // 72 pixels per inch, as picture programs expect
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (std::uint32_t r = h; r-- > 0;) {
    const std::uint32_t* row = pixels + r * stride;
    for (std::uint32_t c = 0; c < w; ++c) {
      out.push_back(static_cast<char>(row[c] & 0xFF));
      out.push_back(static_cast<char>((row[c] >> 8) & 0xFF));
      out.push_back(static_cast<char>((row[c] >> 16) & 0xFF));
    }
    out.append(rowBytes - w * 3, '\0');
  }
  return out;
}

bool WriteBMP(const std::string& name, int width, int height, const std::uint32_t* pixels,
              std::size_t stride, std::string& error) {
  const std::string bytes = BMPBytes(width, height, pixels, stride);
  // Beside the file, so that the replace stays on one file system.
  const std::string part = name + ".part";
  std::string reason;
  std::FILE* file = OpenFile(part, "wb");
  if (!file) {
    reason = std::strerror(errno);
  } else {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written) reason = std::strerror(writeErrno);
    else if (!closed) reason = std::strerror(errno);
    if (!reason.empty() || !ReplaceFileWith(part, name, reason)) RemoveFile(part);
  }
  if (reason.empty()) return true;
  error = "Cannot write the report \"" + name + "\": " + reason;
  return false;
}
