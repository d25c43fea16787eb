// The report's file format, known to no toolkit: a Windows bitmap (BMP).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes `width` x `height` pixels (0x00RRGGBB, row 0 at the top, rows
// `stride` pixels apart) as a 24-bit BMP under `name`, whatever its
// extension. The file is replaced only once the whole picture is written;
// on failure an earlier file stays and `error` says what went wrong.
bool WriteBMP(const std::string& name, int width, int height, const std::uint32_t* pixels,
              std::size_t stride, std::string& error);

// The same picture as a BMP file holds it.
std::string BMPBytes(int width, int height, const std::uint32_t* pixels, std::size_t stride);
