// The drawing operations the art is built from, and the palette and font behind it.
#include "resgen/image.h"
#include "resgen/palette.h"
#include "resgen/pixel_font.h"

#include <gtest/gtest.h>

#include <string>

using resgen::Image;
using resgen::Rgba;
using resgen::rgb;

namespace {

const Rgba kRed = rgb(255, 0, 0);
const Rgba kBlue = rgb(0, 0, 255);

int opaque_count(const Image& img) {
    int n = 0;
    for (const auto& p : img.pixels()) n += p.a == 255;
    return n;
}

TEST(Image, DrawingOutsideIsClipped) {
    Image img(4, 3);
    img.set(-1, 0, kRed);
    img.set(4, 0, kRed);
    img.set(0, 3, kRed);
    img.fill_rect(-5, -5, 7, 6, kRed); // covers (0..1, 0)
    EXPECT_EQ(opaque_count(img), 2);
    EXPECT_EQ(img.get(1, 0), kRed);
    EXPECT_EQ(img.get(-1, -1), resgen::kClear);
}

TEST(Image, BlitCopiesOnlyOpaquePixels) {
    Image dst(3, 1, kBlue);
    Image src(3, 1);
    src.set(1, 0, kRed);
    dst.blit(src, 0, 0);
    EXPECT_EQ(dst.get(0, 0), kBlue);
    EXPECT_EQ(dst.get(1, 0), kRed);
    EXPECT_EQ(dst.get(2, 0), kBlue);
    dst.blit_part(src, 1, 0, 1, 1, 2, 0);
    EXPECT_EQ(dst.get(2, 0), kRed);
}

TEST(Image, OutlineRingsShapesWithoutCorners) {
    Image img(5, 5);
    img.set(2, 2, kRed);
    img.outline(kBlue);
    EXPECT_EQ(img.get(2, 2), kRed);
    for (auto [x, y] : {std::pair{1, 2}, {3, 2}, {2, 1}, {2, 3}}) EXPECT_EQ(img.get(x, y), kBlue) << x << "," << y;
    EXPECT_EQ(img.get(1, 1), resgen::kClear);
    EXPECT_EQ(opaque_count(img), 5);
}

TEST(Image, MirrorScaleCropHalve) {
    Image img(2, 2);
    img.set(0, 0, kRed);
    img.set(1, 1, kBlue);
    const Image m = img.mirrored();
    EXPECT_EQ(m.get(1, 0), kRed);
    EXPECT_EQ(m.get(0, 1), kBlue);
    const Image s = img.scaled(3);
    EXPECT_EQ(s.width(), 6);
    EXPECT_EQ(s.get(2, 2), kRed);
    EXPECT_EQ(s.get(3, 3), kBlue);
    EXPECT_EQ(s.get(3, 0), resgen::kClear);
    const Image c = s.cropped(2, 2, 2, 2);
    EXPECT_EQ(c.get(0, 0), kRed);
    EXPECT_EQ(c.get(1, 1), kBlue);
    // Halving averages opaque pixels; a block with one opaque pixel of four stays clear.
    Image h(2, 2, rgb(100, 0, 0));
    h.set(1, 1, rgb(200, 40, 0));
    EXPECT_EQ(h.halved().get(0, 0), rgb(125, 10, 0));
    Image lone(2, 2);
    lone.set(1, 0, kRed);
    EXPECT_EQ(lone.halved().get(0, 0), resgen::kClear);
}

TEST(Image, EllipsesAreSymmetric) {
    Image img(15, 9);
    img.fill_ellipse(7.5, 4.5, 6, 3.5, kRed);
    EXPECT_EQ(img.mirrored().pixels(), img.pixels());
    EXPECT_EQ(img.get(7, 4), kRed);
    EXPECT_EQ(img.get(0, 0), resgen::kClear);
}

TEST(Image, GridsUseThePalette) {
    const Image g = resgen::from_grid({"k.w", "rr"});
    EXPECT_EQ(g.width(), 3);
    EXPECT_EQ(g.height(), 2);
    EXPECT_EQ(g.get(0, 0), resgen::pal::black);
    EXPECT_EQ(g.get(1, 0), resgen::kClear);
    EXPECT_EQ(g.get(2, 0), resgen::pal::white);
    EXPECT_EQ(g.get(1, 1), resgen::pal::red);
    EXPECT_EQ(g.get(2, 1), resgen::kClear); // short rows end transparent
}

TEST(Palette, EveryArtCharacterIsDistinct) {
    const std::string chars = "kDgGwnbBciIJpPqQxXrRhaoOyYzsefFlLjtT";
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const Rgba c = resgen::palette_colour(chars[i]);
        EXPECT_EQ(c.a, 255) << chars[i];
        EXPECT_FALSE(c == rgb(255, 0, 255)) << chars[i] << " is not in the palette";
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(c == resgen::palette_colour(chars[j])) << chars[i] << " and " << chars[j];
    }
    EXPECT_EQ(resgen::palette_colour('.').a, 0);
    EXPECT_EQ(resgen::palette_colour(' ').a, 0);
    EXPECT_EQ(resgen::palette_colour('#'), rgb(255, 0, 255));
}

TEST(PixelFont, EveryLetteringCharacterHasAGlyph) {
    const std::string chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!.,:-'?&";
    for (char ch : chars) {
        Image img(resgen::kGlyphW, resgen::kGlyphH);
        resgen::draw_text(img, std::string(1, ch), 0, 0, 1, kRed, kRed);
        EXPECT_GT(opaque_count(img), 0) << ch;
    }
    Image blank(10, 10);
    resgen::draw_text(blank, " ~", 0, 0, 1, kRed, kRed);
    EXPECT_EQ(opaque_count(blank), 0);
}

TEST(PixelFont, ScaledTextAndTwoTones) {
    Image img(40, 20);
    resgen::draw_text(img, "H", 1, 2, 2, kRed, kBlue);
    EXPECT_EQ(resgen::text_width("HH"), 11);
    EXPECT_EQ(resgen::text_width(""), 0);
    // H's left stem: top half red, bottom half blue, 2 x 2 blocks from (1, 2).
    EXPECT_EQ(img.get(1, 2), kRed);
    EXPECT_EQ(img.get(2, 3), kRed);
    EXPECT_EQ(img.get(1, 2 + 2 * 6), kBlue);
    EXPECT_EQ(img.get(0, 2), resgen::kClear);
    EXPECT_EQ(img.get(3, 2), resgen::kClear);
}

TEST(PixelFont, BannerTextIsCentredAndOutlined) {
    Image img(64, 20);
    resgen::draw_banner_text(img, "OO", 32, 4, 1, kRed, kRed, kBlue, rgb(1, 1, 1));
    int left = 64, right = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 64; ++x)
            if (img.get(x, y) == kRed) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    // "OO" is 11 pixels wide, so it starts at 32 - 5.
    EXPECT_EQ(left, 27);
    EXPECT_EQ(right, 37);
    EXPECT_EQ(img.get(left - 1, 4 + 3), kBlue);
}

} // namespace
