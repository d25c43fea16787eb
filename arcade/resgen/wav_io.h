// 16-bit PCM mono WAV files, written by hand (RIFF header + samples).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace resgen {

constexpr int kSampleRate = 22050;

std::vector<std::uint8_t> encode_wav(const std::vector<std::int16_t>& samples, int rate = kSampleRate);

struct WavInfo {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples; // interleaved when channels > 1
};

// Accepts only uncompressed 16-bit PCM with a consistent header; nullopt otherwise.
std::optional<WavInfo> decode_wav(const std::vector<std::uint8_t>& bytes);

} // namespace resgen
