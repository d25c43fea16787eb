// PNG encoding and decoding through libpng (8-bit RGBA, no time stamps, so
// the same picture always gives the same bytes).
#pragma once

#include "image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace resgen {

std::vector<std::uint8_t> encode_png(const Image& img);
// Any PNG libpng can read, converted to 8-bit RGBA; nullopt when unreadable.
std::optional<Image> decode_png(const std::vector<std::uint8_t>& bytes);

std::optional<std::vector<std::uint8_t>> read_file(const std::string& path);
bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace resgen
