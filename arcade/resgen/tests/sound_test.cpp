// The committed sounds are valid 16-bit PCM, short, audible and click-free,
// and the WAV reader rejects what the game's loader would choke on.
#include "res_files.h"
#include "resgen/wav_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

class SoundTest : public testing::TestWithParam<std::string_view> {};

TEST_P(SoundTest, IsShortAudiblePcm) {
    const auto bytes = resgen::read_file(restest::res_path(resgen::kAudioDir, GetParam()));
    ASSERT_TRUE(bytes) << "missing: " << GetParam();
    const auto wav = resgen::decode_wav(*bytes);
    ASSERT_TRUE(wav) << GetParam() << " is not 16-bit PCM";
    EXPECT_EQ(wav->bits, 16);
    EXPECT_EQ(wav->channels, 1);
    EXPECT_EQ(wav->rate, resgen::kSampleRate);
    const double seconds = static_cast<double>(wav->samples.size()) / wav->rate;
    EXPECT_GE(seconds, 0.03) << GetParam();
    EXPECT_LE(seconds, 1.0) << GetParam() << ": effects must be short";
    int peak = 0;
    for (auto s : wav->samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GE(peak, 8000) << GetParam() << " is too quiet";
    // Starting and ending near zero keeps the effect from clicking.
    EXPECT_LT(std::abs(static_cast<int>(wav->samples.front())), 4000) << GetParam();
    EXPECT_LT(std::abs(static_cast<int>(wav->samples.back())), 4000) << GetParam();
}

std::string sound_name(const testing::TestParamInfo<std::string_view>& info) {
    std::string n(info.param);
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return "s" + n;
}

INSTANTIATE_TEST_SUITE_P(Committed, SoundTest, testing::ValuesIn(resgen::kSounds), sound_name);

TEST(Wav, RoundTripsSamples) {
    const std::vector<std::int16_t> samples{0, 1, -1, 32767, -32768, 1234};
    const auto bytes = resgen::encode_wav(samples, 11025);
    EXPECT_EQ(bytes.size(), 44u + 2 * samples.size());
    const auto wav = resgen::decode_wav(bytes);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->rate, 11025);
    EXPECT_EQ(wav->samples, samples);
}

TEST(Wav, RejectsBrokenFiles) {
    const auto good = resgen::encode_wav({1, 2, 3, 4});
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint8_t value;
    };
    const Case cases[] = {
        {"not RIFF", 0, 'X'},
        {"not WAVE", 8, 'X'},
        {"compressed format tag", 20, 3},
        {"8-bit samples", 34, 8},
        {"wrong byte rate", 28, 0},
        {"data longer than the file", 40, 200},
    };
    for (const auto& c : cases) {
        auto bad = good;
        bad[c.offset] = c.value;
        EXPECT_FALSE(resgen::decode_wav(bad)) << c.what;
    }
    auto truncated = good;
    truncated.resize(good.size() - 2);
    EXPECT_FALSE(resgen::decode_wav(truncated)) << "truncated";
}

} // namespace
