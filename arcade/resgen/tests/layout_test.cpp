// Every committed picture against the layout table the game reads it by.
#include "res_files.h"
#include "resgen/palette.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <string>

using resgen::Image;
using resgen::Kind;
using resgen::PictureLayout;

namespace resgen {
// Names the picture in gtest's messages instead of dumping its bytes.
void PrintTo(const PictureLayout& p, std::ostream* os) { *os << p.file; }
} // namespace resgen

namespace {

struct Coverage {
    int opaque = 0, clear = 0, partial = 0;
};

Coverage count(const Image& img, int x0, int y0, int w, int h) {
    Coverage c;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const auto a = img.get(x, y).a;
            if (a == 255) ++c.opaque;
            else if (a == 0) ++c.clear;
            else ++c.partial;
        }
    return c;
}

bool same_frame(const Image& img, int w, int h, int x0, int y0, int x1, int y1) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!(img.get(x0 + x, y0 + y) == img.get(x1 + x, y1 + y))) return false;
    return true;
}

class PictureTest : public testing::TestWithParam<PictureLayout> {};

TEST_P(PictureTest, MatchesLayout) {
    const PictureLayout& l = GetParam();
    const auto img = restest::load_committed_picture(l.file);
    ASSERT_TRUE(img) << "missing or unreadable: " << l.file;
    ASSERT_EQ(img->width(), l.width) << l.file;
    ASSERT_EQ(img->height(), l.height) << l.file;

    for (const auto& px : img->pixels())
        ASSERT_FALSE(px.a == 255 && px.r == 255 && px.g == 0 && px.b == 255)
            << l.file << ": art uses a character outside the palette";

    const Coverage all = count(*img, 0, 0, l.width, l.height);
    switch (l.kind) {
    case Kind::Opaque:
        EXPECT_EQ(all.opaque, l.width * l.height) << l.file << " must be opaque everywhere";
        break;
    case Kind::Overlay:
        // The scene behind must show around the lettering.
        EXPECT_GT(all.clear, l.width * l.height * 3 / 10) << l.file;
        EXPECT_GT(all.opaque, l.width * l.height / 50) << l.file;
        break;
    case Kind::Strip:
        EXPECT_GT(all.clear, 0) << l.file << " needs open sky above the clouds";
        EXPECT_GT(all.opaque, l.width * l.height / 4) << l.file;
        break;
    case Kind::Filter:
        EXPECT_EQ(all.opaque, 0) << l.file << " must stay translucent";
        EXPECT_GT(all.partial, l.width * l.height / 4) << l.file;
        break;
    case Kind::Sprite: {
        ASSERT_GT(l.frame_w, 0);
        EXPECT_EQ(all.partial, 0) << l.file << ": sprite pixels are either opaque or clear";
        for (const auto& row : l.rows) {
            ASSERT_LE((row.row + 1) * l.frame_h, l.height) << l.file << " row " << row.row;
            ASSERT_LE(row.frames * l.frame_w, l.width) << l.file << " row " << row.row;
            for (int f = 0; f < row.frames; ++f) {
                const Coverage c = count(*img, f * l.frame_w, row.row * l.frame_h, l.frame_w, l.frame_h);
                const int area = l.frame_w * l.frame_h;
                if (row.blank_from >= 0 && f >= row.blank_from) {
                    EXPECT_EQ(c.clear, area) << l.file << " frame " << f << " of row " << row.row << " must be empty";
                    continue;
                }
                EXPECT_GE(c.opaque, std::max(6, area / 40))
                    << l.file << " frame " << f << " of row " << row.row << " is (nearly) empty";
                EXPECT_GE(c.clear, area / 8)
                    << l.file << " frame " << f << " of row " << row.row << " has no transparent ground";
            }
            if (row.frames > 1) {
                bool moves = false;
                for (int f = 1; f < row.frames && !moves; ++f)
                    moves = !same_frame(*img, l.frame_w, l.frame_h, 0, row.row * l.frame_h, f * l.frame_w,
                                        row.row * l.frame_h);
                EXPECT_TRUE(moves) << l.file << " row " << row.row << " does not animate";
            }
        }
        break;
    }
    }

    if (l.period > 0) {
        for (int y = 0; y < l.height; ++y)
            for (int x = 0; x + l.period < l.width; ++x)
                ASSERT_TRUE(img->get(x, y) == img->get(x + l.period, y))
                    << l.file << " does not repeat every " << l.period << " pixels at (" << x << ", " << y << ")";
    }
}

std::string picture_name(const testing::TestParamInfo<PictureLayout>& info) {
    std::string n(info.param.file);
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(Committed, PictureTest, testing::ValuesIn(resgen::kPictures), picture_name);

TEST(Layout, GraphicsFolderHoldsExactlyTheTable) {
    std::set<std::string> expected, found;
    for (const auto& p : resgen::kPictures) expected.insert(std::string(p.file));
    EXPECT_EQ(expected.size(), resgen::kPictures.size()) << "a file name is listed twice";
    for (const auto& e : std::filesystem::directory_iterator(restest::res_path(resgen::kGraphicsDir, "")))
        found.insert(e.path().filename().string());
    EXPECT_EQ(found, expected);
}

TEST(Layout, StageCardsFitAboveTheCardTexts) {
    // The game centres every card on (128, 96) by the size of the first; the
    // card texts start at y = 124.
    std::optional<Image> first;
    for (int s = 1; s <= 5; ++s) {
        const auto card = restest::load_committed_picture("stage" + std::to_string(s) + "_thumb.png");
        ASSERT_TRUE(card);
        if (!first) first = card;
        EXPECT_EQ(card->width(), first->width());
        EXPECT_EQ(card->height(), first->height());
    }
    EXPECT_GE(96 - first->height() / 2, 0);
    EXPECT_LE(96 + first->height() / 2, 124);
    EXPECT_LE(first->width(), 256);
}

TEST(Layout, LifeIconFitsTheStatusBar) {
    // Drawn at y = 2 every 14 pixels; the health meter runs at y = 13..15.
    const auto life = restest::load_committed_picture("life.png");
    ASSERT_TRUE(life);
    EXPECT_LE(life->width(), 14);
    EXPECT_LE(2 + life->height(), 13);
}

TEST(Layout, FilterCoversTwiceTheCanvas) {
    const auto f = restest::load_committed_picture("filter.png");
    ASSERT_TRUE(f);
    EXPECT_GE(f->width(), 512);
    EXPECT_GE(f->height(), 480);
}

TEST(Layout, FontAndLicenceAreCommitted) {
    const auto font = resgen::read_file(std::string(ARCADE_RES_DIR) + "/fonts/arial.ttf");
    ASSERT_TRUE(font);
    ASSERT_GT(font->size(), 10000u);
    // TrueType outlines start with the version 1.0 tag.
    EXPECT_EQ((*font)[0], 0x00);
    EXPECT_EQ((*font)[1], 0x01);
    EXPECT_EQ((*font)[2], 0x00);
    EXPECT_EQ((*font)[3], 0x00);
    const auto licence = resgen::read_file(std::string(ARCADE_RES_DIR) + "/fonts/LICENSE");
    ASSERT_TRUE(licence);
    const std::string text(licence->begin(), licence->end());
    EXPECT_NE(text.find("SIL Open Font License"), std::string::npos);
}

} // namespace

namespace {

// Mean x of the pixels of one colour within a frame, relative to its centre.
double colour_offset(const Image& img, int x0, int y0, int w, int h, resgen::Rgba colour) {
    double sum = 0;
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (img.get(x, y) == colour) {
                sum += x - x0 + 0.5 - w / 2.0;
                ++n;
            }
    return n ? sum / n : 0.0;
}

TEST(Layout, SpritesFaceTheWayTheGameMirrorsThem) {
    // The game draws the hero unmirrored when he faces left and every enemy
    // unmirrored when it moves right; a feature of the face must sit on that side.
    using namespace resgen::pal;
    struct Case {
        const char* file;
        int fw, fh, col, row;
        resgen::Rgba feature;
        int side; // -1 left, +1 right
    };
    const Case cases[] = {
        {"player.png", 16, 16, 2, 0, skin, -1},     // face forward, pack behind
        {"player.png", 16, 16, 2, 0, grey, +1},     // the rotor pack on his back
        {"bigleaf.png", 24, 24, 0, 0, white, +1},   // the eye towards the tip
        {"flyguy.png", 32, 32, 0, 0, yellow, +1},   // the beak
        {"flame.png", 16, 16, 0, 0, white, +1},     // the hot head leads
        {"slime.png", 16, 16, 0, 0, white, +1},     // the eyes
    };
    for (const auto& c : cases) {
        const auto img = restest::load_committed_picture(c.file);
        ASSERT_TRUE(img) << c.file;
        const double off = colour_offset(*img, c.col * c.fw, c.row * c.fh, c.fw, c.fh, c.feature);
        EXPECT_GT(off * c.side, 0.5) << c.file << " faces the wrong way";
    }
}

TEST(Layout, TitleLeavesTheMenuTextsOnTheBackdrop) {
    // "PRESS ENTER" at (90, 160), the stage list at x 98..150, y 132..192 and
    // the version mark at (224, 228) are drawn over the title picture.
    const auto title = restest::load_committed_picture("title.png");
    ASSERT_TRUE(title);
    struct Area {
        int x, y, w, h;
    };
    for (const Area a : {Area{88, 130, 66, 64}, Area{222, 226, 34, 14}})
        for (int y = a.y; y < a.y + a.h; ++y)
            for (int x = a.x; x < a.x + a.w; ++x)
                ASSERT_EQ(title->get(x, y).a, 0) << "title art under a menu text at (" << x << ", " << y << ")";
    // The logo itself is in the upper part.
    EXPECT_GT(count(*title, 0, 0, 256, 100).opaque, 2000);
}

TEST(Layout, BannersHoldTheirLettering) {
    for (const char* file : {"gameover.png", "completed.png"}) {
        const auto img = restest::load_committed_picture(file);
        ASSERT_TRUE(img) << file;
        // Lettering in the middle band; the play frame stays visible above and below.
        EXPECT_GT(count(*img, 0, 72, 256, 96).opaque, 1500) << file;
        EXPECT_EQ(count(*img, 0, 0, 256, 60).clear, 256 * 60) << file;
        EXPECT_EQ(count(*img, 0, 180, 256, 60).clear, 256 * 60) << file;
    }
    const auto splash = restest::load_committed_picture("creator.png");
    ASSERT_TRUE(splash);
    int lit = 0;
    for (const auto& p : splash->pixels()) lit += (p.r | p.g | p.b) != 0;
    EXPECT_GT(lit, 1000) << "the splash is blank";
}

TEST(Layout, FilterDarkensAlternateLines) {
    const auto f = restest::load_committed_picture("filter.png");
    ASSERT_TRUE(f);
    for (int y = 0; y + 1 < f->height(); y += 2) {
        long even = 0, odd = 0;
        for (int x = 0; x < f->width(); ++x) {
            even += f->get(x, y).a;
            odd += f->get(x, y + 1).a;
        }
        ASSERT_GT(odd, even * 2) << "line " << y + 1 << " is not a scanline";
    }
}

} // namespace
