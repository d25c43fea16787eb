// The stage-1 backdrop also carries the ending's scrolling white words: it
// must stay dark enough behind them and still look like a meadow by day.
#include "res_files.h"

#include <gtest/gtest.h>

#include <cmath>

using resgen::Image;
using resgen::Rgba;

namespace {

double channel_linear(int c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// How far white text stands out from this pixel (1 = not at all, 21 = on black).
double contrast_with_white(Rgba p) {
    const double lum = 0.2126 * channel_linear(p.r) + 0.7152 * channel_linear(p.g) +
                       0.0722 * channel_linear(p.b);
    return 1.05 / (lum + 0.05);
}

// Below this row the bushes and trees at the meadow's edge stand.
constexpr int kMeadowEdgeY = 150;

struct Band {
    int pale = 0;  // pixels where white words would be hard to read
    int all = 0;
};

// Words are drawn on every row above the ground strip as they scroll.
Band pale_in_row(const Image& img, int y) {
    Band b;
    for (int x = resgen::kEndingWordsLeft; x < resgen::kEndingWordsRight; ++x) {
        b.pale += contrast_with_white(img.get(x, y)) < 3.0;
        ++b.all;
    }
    return b;
}

TEST(EndingBackdrop, WhiteWordsReadOnEveryRow) {
    const auto img = restest::load_committed_picture("background.png");
    ASSERT_TRUE(img);
    ASSERT_EQ(img->height(), 192);
    Band total;
    for (int y = 0; y < img->height(); ++y) {
        const Band row = pale_in_row(*img, y);
        // In the sky and over the hills only a crest line or a star of light
        // may be pale (a cloud there would be a stretch of it); at the
        // meadow's edge the lit tops of bushes and trees may be more.
        if (y < kMeadowEdgeY)
            EXPECT_LE(row.pale * 20, row.all) << "row " << y << " has a pale stretch behind the words";
        else
            EXPECT_LE(row.pale * 5, row.all) << "row " << y << " is pale across a fifth of the words";
        total.pale += row.pale;
        total.all += row.all;
    }
    EXPECT_LE(total.pale * 25, total.all) << total.pale << " of " << total.all << " pixels are pale";
}

TEST(EndingBackdrop, StaysAMeadowUnderABlueSky) {
    const auto img = restest::load_committed_picture("background.png");
    ASSERT_TRUE(img);
    int blue = 0, green = 0, white = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 256; ++x) {
            const Rgba p = img->get(x, y);
            blue += p.b > p.r && p.b > p.g;
            white += p.r > 240 && p.g > 240 && p.b > 240;
        }
    for (int y = 164; y < 192; ++y)
        for (int x = 0; x < 256; ++x) {
            const Rgba p = img->get(x, y);
            green += p.g > p.r && p.g > p.b;
        }
    EXPECT_GT(blue, 256 * 100 * 85 / 100) << "the upper sky is not blue";
    EXPECT_GT(white, 60) << "no clouds left in the sky";
    EXPECT_GT(green, 256 * 28 * 60 / 100) << "the meadow's edge is not green";
}

} // namespace
