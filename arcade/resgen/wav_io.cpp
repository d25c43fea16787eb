#include "wav_io.h"

#include <cstring>
#include <string_view>

namespace resgen {
namespace {

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put_tag(std::vector<std::uint8_t>& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

std::uint32_t get32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

} // namespace

std::vector<std::uint8_t> encode_wav(const std::vector<std::int16_t>& samples, int rate) {
    const std::uint32_t data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + data_bytes);
    put_tag(out, "RIFF");
    put32(out, 36 + data_bytes);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate) * 2);
    put16(out, 2);
    put16(out, 16);
    put_tag(out, "data");
    put32(out, data_bytes);
    for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
    return out;
}

std::optional<WavInfo> decode_wav(const std::vector<std::uint8_t>& b) {
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    if (get32(b.data() + 4) != b.size() - 8) return std::nullopt;
    WavInfo info;
    bool have_fmt = false;
    std::size_t pos = 12;
    while (pos + 8 <= b.size()) {
        const std::uint32_t len = get32(b.data() + pos + 4);
        const std::uint8_t* body = b.data() + pos + 8;
        if (len > b.size() - pos - 8) return std::nullopt;
        if (std::memcmp(b.data() + pos, "fmt ", 4) == 0) {
            if (len < 16 || get16(body) != 1) return std::nullopt;
            info.channels = get16(body + 2);
            info.rate = static_cast<int>(get32(body + 4));
            info.bits = get16(body + 14);
            const std::uint32_t block = get16(body + 12);
            if (info.bits != 16 || info.channels < 1 || block != 2u * info.channels ||
                get32(body + 8) != block * static_cast<std::uint32_t>(info.rate))
                return std::nullopt;
            have_fmt = true;
        } else if (std::memcmp(b.data() + pos, "data", 4) == 0) {
            if (!have_fmt || len % 2 != 0) return std::nullopt;
            for (std::uint32_t i = 0; i < len; i += 2)
                info.samples.push_back(static_cast<std::int16_t>(get16(body + i)));
            return info;
        }
        pos += 8 + len + (len & 1);
    }
    return std::nullopt;
}

} // namespace resgen
