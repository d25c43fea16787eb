// The generator is deterministic and the committed files are its current output.
#include "res_files.h"
#include "resgen/generate.h"
#include "resgen/pixel_font.h"
#include "resgen/wav_io.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(Generator, SameBytesEveryRun) {
    for (const auto& p : resgen::kPictures) {
        const auto a = resgen::encode_png(resgen::make_picture(p.file));
        const auto b = resgen::encode_png(resgen::make_picture(p.file));
        ASSERT_FALSE(a.empty()) << p.file;
        EXPECT_EQ(a, b) << p.file;
    }
    for (auto s : resgen::kSounds) {
        const auto a = resgen::encode_wav(resgen::make_sound(s));
        EXPECT_EQ(a, resgen::encode_wav(resgen::make_sound(s))) << s;
    }
}

TEST(Generator, CommittedPicturesAreCurrent) {
    for (const auto& p : resgen::kPictures) {
        const auto committed = restest::load_committed_picture(p.file);
        ASSERT_TRUE(committed) << p.file;
        const resgen::Image fresh = resgen::make_picture(p.file);
        ASSERT_EQ(fresh.width(), committed->width()) << p.file;
        ASSERT_EQ(fresh.height(), committed->height()) << p.file;
        // Clear pixels carry no colour in the files.
        int differing = 0;
        for (std::size_t i = 0; i < fresh.pixels().size(); ++i) {
            auto f = fresh.pixels()[i];
            if (f.a == 0) f = resgen::kClear;
            if (!(f == committed->pixels()[i])) ++differing;
        }
        EXPECT_EQ(differing, 0) << p.file << " is stale: run arcade_resgen";
    }
}

TEST(Generator, CommittedSoundsAreCurrent) {
    for (auto s : resgen::kSounds) {
        const auto committed = resgen::read_file(restest::res_path(resgen::kAudioDir, s));
        ASSERT_TRUE(committed) << s;
        EXPECT_EQ(*committed, resgen::encode_wav(resgen::make_sound(s))) << s << " is stale: run arcade_resgen";
    }
}

TEST(Generator, UnknownNamesGiveNothing) {
    EXPECT_EQ(resgen::make_picture("nosuch.png").width(), 0);
    EXPECT_TRUE(resgen::make_sound("nosuch.wav").empty());
}

TEST(Png, RoundTripsPixels) {
    resgen::Image img(3, 2);
    img.set(0, 0, resgen::rgb(1, 2, 3));
    img.set(2, 1, resgen::Rgba{200, 100, 50, 128});
    const auto decoded = resgen::decode_png(resgen::encode_png(img));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels(), img.pixels());
}

TEST(Png, RejectsDamagedData) {
    auto bytes = resgen::encode_png(resgen::Image(4, 4, resgen::rgb(9, 9, 9)));
    EXPECT_FALSE(resgen::decode_png({bytes.begin(), bytes.begin() + 20}));
    bytes[1] = 'X';
    EXPECT_FALSE(resgen::decode_png(bytes));
    EXPECT_FALSE(resgen::decode_png({}));
}

TEST(PixelFont, LettersHaveTheirShapes) {
    resgen::Image img(12, 8);
    resgen::draw_text(img, "IL", 0, 0, 1, resgen::rgb(255, 255, 255), resgen::rgb(255, 255, 255));
    EXPECT_EQ(resgen::text_width("IL"), 11);
    // I: a centre stem; L: a full bottom bar starting one column after the I's cell.
    EXPECT_EQ(img.get(2, 3).a, 255);
    EXPECT_EQ(img.get(0, 3).a, 0);
    for (int x = 6; x < 11; ++x) EXPECT_EQ(img.get(x, 6).a, 255) << x;
    EXPECT_EQ(img.get(7, 0).a, 0);
}

} // namespace

namespace {

TEST(Generator, WritesEveryFileUnderItsName) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(testing::TempDir()) / "arcade_res_out";
    fs::remove_all(dir);
    ASSERT_EQ(resgen::write_all(dir.string()), 0);
    std::size_t pictures = 0, sounds = 0;
    for (const auto& e : fs::directory_iterator(dir / std::string(resgen::kGraphicsDir))) {
        (void)e;
        ++pictures;
    }
    for (const auto& e : fs::directory_iterator(dir / std::string(resgen::kAudioDir))) {
        (void)e;
        ++sounds;
    }
    EXPECT_EQ(pictures, resgen::kPictures.size());
    EXPECT_EQ(sounds, resgen::kSounds.size());
    const auto written = resgen::read_file((dir / std::string(resgen::kGraphicsDir) / "player.png").string());
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, resgen::encode_png(resgen::make_picture("player.png")));
    fs::remove_all(dir);
}

TEST(Generator, ReportsAnUnwritableFolder) {
    // A plain file where the folder should be: nothing can be written below it.
    namespace fs = std::filesystem;
    const fs::path blocker = fs::path(testing::TempDir()) / "arcade_res_blocker";
    fs::remove_all(blocker);
    ASSERT_TRUE(resgen::write_file(blocker.string(), {1, 2, 3}));
    EXPECT_EQ(resgen::write_all(blocker.string()),
              static_cast<int>(resgen::kPictures.size() + resgen::kSounds.size()));
    fs::remove_all(blocker);
}

} // namespace
