// Stage scenery: far sky, layered hills or clouds, and the ground strips.
// Stage 1 a green meadow by day, 2 volcanic hills at sunset, 3 a moonlit
// forest (also the title's backdrop), 4 high above the clouds, 5 the rampart
// of the last fortress under a storm sky.
#include "art.h"
#include "palette.h"
#include "shapes.h"

#include <cmath>
#include <vector>

namespace resgen {
namespace {

using namespace pal;

// Vertical gradient through colour bands, dithered where one band meets the next.
void sky_bands(Image& img, int y0, int y1, const std::vector<Rgba>& bands) {
    const int n = static_cast<int>(bands.size());
    for (int y = y0; y < y1; ++y) {
        const double t = static_cast<double>(y - y0) / (y1 - y0) * (n - 1);
        const int i = std::min(n - 2, static_cast<int>(t));
        const double frac = t - i;
        for (int x = 0; x < img.width(); ++x)
            img.set(x, y, bayer4(x, y) < frac * 16 ? bands[i + 1] : bands[i]);
    }
}

// A range of hills whose crest is a sum of sines that repeat across the width.
void hills(Image& img, double base, double amp, int seed, Rgba fill, Rgba crest, int bottom) {
    const int w = img.width();
    for (int x = 0; x < w; ++x) {
        const double p = 2 * M_PI * x / w;
        const double top = base - amp * (0.55 * std::sin(p * 2 + seed) + 0.3 * std::sin(p * 5 + seed * 2.1) +
                                         0.15 * std::sin(p * 11 + seed * 0.7));
        const int ty = static_cast<int>(top);
        img.fill_rect(x, ty, 1, bottom - ty, fill);
        img.set(x, ty, crest);
    }
}

void cloud(Image& img, int cx, int cy, int size, Rgba body, Rgba shade, Rgba rim) {
    const double r = size;
    Image c(img.width(), img.height());
    c.fill_ellipse(cx, cy, r * 2.2, r * 0.8, shade);
    c.fill_disc(cx - r, cy - r * 0.2, r * 0.8, body);
    c.fill_disc(cx + r * 0.3, cy - r * 0.6, r * 1.0, body);
    c.fill_disc(cx + r * 1.3, cy - r * 0.1, r * 0.7, body);
    c.fill_ellipse(cx, cy + r * 0.35, r * 2.0, r * 0.35, shade);
    c.outline(rim);
    img.blit(c, 0, 0);
}

void tree(Image& img, int x, int ground, int h, Rgba leaf, Rgba dark, Rgba trunk) {
    img.fill_rect(x - 1, ground - h / 3, 3, h / 3, trunk);
    for (int k = 0; k < 3; ++k) {
        const int ty = ground - h + k * h / 5;
        const int half = 2 + k * 2 + h / 10;
        for (int y = 0; y < h / 3; ++y) {
            const int hw = half * y / (h / 3) + 1;
            img.fill_rect(x - hw, ty + y, hw, 1, leaf);
            img.fill_rect(x, ty + y, hw + 1, 1, dark);
        }
    }
}

// A round leafy tree: a trunk under three lit clumps.
void round_tree(Image& img, int x, int ground, int size) {
    img.fill_rect(x - 1, ground - size, 3, size, brown);
    img.fill_rect(x - 1, ground - size, 1, size, ochre);
    const Tones leaves{dark_green, forest, green, light_green};
    Image crown(img.width(), img.height());
    shaded_disc(crown, x - size * 0.35, ground - size * 1.05, size * 0.45, leaves);
    shaded_disc(crown, x + size * 0.35, ground - size * 1.0, size * 0.42, leaves);
    shaded_disc(crown, x, ground - size * 1.35, size * 0.5, leaves);
    img.blit(crown, 0, 0);
}

// The ending's white words scroll up over this picture (kEndingWordsLeft to
// kEndingWordsRight), so the sky is a deep midday blue, the white clouds keep
// to the sides, and the greens the words cross are the darker ones; light
// tones stay in thin crests and small highlights.

Image stage1_background() {
    Image img(256, 192);
    sky_bands(img, 0, 150, {navy, blue, blue, azure});
    cloud(img, 4, 34, 6, white, pale_blue, light_grey);
    cloud(img, 240, 22, 5, white, pale_blue, light_grey);
    cloud(img, 244, 70, 4, white, pale_blue, light_grey);
    hills(img, 132, 22, 1, dark_teal, teal, 192);
    hills(img, 156, 16, 4, forest, green, 192);
    for (int x = 8; x < 256; x += 37) tree(img, x, 176 + (x % 3) * 3, 26 + (x % 5) * 3, green, dark_green, brown);
    hills(img, 178, 6, 2, dark_green, forest, 192);
    // Leafy trees and bushes in front, at the edge of the meadow.
    const int trees[3][2] = {{34, 20}, {128, 16}, {214, 23}};
    for (const auto& t : trees) round_tree(img, t[0], 190, t[1]);
    const Tones bush{dark_green, forest, green, light_green};
    Rng rng(11);
    Image bushes(256, 192);
    for (int i = 0; i < 11; ++i) {
        const int bx = rng.below(256), rx = 6 + rng.below(8), ry = 4 + rng.below(4);
        shaded_ellipse(bushes, bx, 192 - ry / 2.0, rx, ry, bush);
        if (rng.below(2)) shaded_ellipse(bushes, bx + rx * 0.8, 193 - ry / 3.0, rx * 0.6, ry * 0.7, bush);
    }
    img.blit(bushes, 0, 0);
    return img;
}

// Grass on top, a band of earth with stones below; `tone` picks the stage's colours.
Image ground(Rgba grass_light, Rgba grass, Rgba grass_dark, Rgba soil, Rgba soil_dark, Rgba stone, int seed) {
    Image img(256, 48, soil);
    Rng rng(static_cast<unsigned>(seed));
    img.fill_rect(0, 0, 256, 14, grass);
    for (int x = 0; x < 256; ++x) {
        // Tufts along the top edge and a ragged edge into the soil.
        if (x % 4 == 0) img.fill_rect(x, 0, 1, 2, grass_light);
        const int lip = 14 + ((x * 7 + seed) % 5 == 0 ? 2 : (x % 3 == 0 ? 1 : 0));
        img.fill_rect(x, 12, 1, lip - 12, grass_dark);
    }
    // Lighter rows far away, darker near: the ground lies flat towards the viewer.
    for (int y = 3; y < 12; y += 3)
        for (int x = (y * 5) % 8; x < 256; x += 8) img.fill_rect(x, y, 3, 1, y < 6 ? grass_light : grass_dark);
    for (int y = 16; y < 48; ++y)
        for (int x = 0; x < 256; ++x)
            if (bayer4(x, y) < (y - 16) / 3) img.set(x, y, soil_dark);
    for (int i = 0; i < 18; ++i) {
        const int x = rng.below(256), y = 20 + rng.below(24);
        const int w = 3 + rng.below(5);
        img.fill_ellipse(x, y, w, w * 0.5, stone);
        img.fill_rect(x - w / 2, y - 1, w / 2, 1, grass_light.r > 200 ? light_grey : stone);
        img.set(x + w - 1, y + 1, soil_dark);
    }
    return img;
}

// Volcanic ground: a crust of dark rock with glowing cracks and embers.
Image lava_ground() {
    Image img(256, 48, maroon);
    Rng rng(22);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 256; ++x) {
            if (y < 3) img.set(x, y, y == 0 ? orange : dark_red);
            else if (bayer4(x, y) < (y - 3) / 3) img.set(x, y, brown);
        }
    // Glowing cracks run across the flat ground, longer towards the viewer.
    for (int i = 0; i < 22; ++i) {
        int y = 6 + rng.below(40);
        int x = rng.below(256);
        const int len = 10 + y + rng.below(20);
        for (int k = 0; k < len; ++k, ++x) {
            if (rng.below(3) == 0) y += rng.below(3) - 1;
            if (y < 5 || y > 47) break;
            img.set(x & 255, y, k % 7 == 3 ? yellow : orange);
            if (y > 24) img.set(x & 255, y + 1, red);
        }
    }
    // Boulders with lit tops.
    for (int i = 0; i < 10; ++i) {
        const int x = rng.below(256), y = 14 + rng.below(28), w = 4 + rng.below(5);
        img.fill_ellipse(x, y, w, w * 0.55, charcoal);
        img.fill_rect(x - w / 2, y - static_cast<int>(w * 0.55) + 1, w, 1, grey);
    }
    return img;
}

Image stage2_background() {
    Image img(256, 192);
    sky_bands(img, 0, 160, {indigo, purple, magenta, salmon, light_orange, pale_yellow});
    img.fill_disc(196, 120, 18, pale_yellow);
    img.fill_disc(196, 120, 14, cream);
    // Thin cloud streaks across the sun.
    for (int y : {108, 116, 126})
        for (int x = 150; x < 240; ++x)
            if ((x + y) % 13 < 9) img.set(x, y, salmon);
    hills(img, 120, 30, 3, purple, magenta, 192);
    // Volcano with a glowing crater.
    for (int y = 84; y < 192; ++y) {
        const int half = 8 + (y - 84);
        img.fill_rect(70 - half, y, 2 * half, 1, maroon);
        img.fill_rect(70, y, half, 1, dark_red);
    }
    img.fill_rect(62, 84, 16, 3, orange);
    img.fill_rect(66, 82, 8, 2, yellow);
    for (int k = 0; k < 4; ++k) img.line(64 + k * 4, 87, 60 + k * 5, 100 + k * 6, orange);
    hills(img, 160, 14, 6, dark_red, orange, 192);
    hills(img, 180, 7, 9, maroon, dark_red, 192);
    return img;
}

Image stage3_background() {
    Image img(256, 192);
    sky_bands(img, 0, 170, {black, navy, indigo, periwinkle});
    Rng rng(3);
    for (int i = 0; i < 70; ++i) {
        const int x = rng.below(256), y = rng.below(120);
        img.set(x, y, i % 5 == 0 ? white : light_grey);
        if (i % 11 == 0) {
            img.set(x - 1, y, grey);
            img.set(x + 1, y, grey);
            img.set(x, y - 1, grey);
            img.set(x, y + 1, grey);
        }
    }
    // A crescent moon: the lit disc minus a disc shifted towards the upper right.
    for (int y = 44; y < 76; ++y)
        for (int x = 212; x < 244; ++x) {
            const double ax = x + 0.5 - 228, ay = y + 0.5 - 60;
            const double bx = ax - 6, by = ay + 4;
            if (ax * ax + ay * ay <= 13 * 13 && bx * bx + by * by > 11.5 * 11.5)
                img.set(x, y, ax * ax + ay * ay > 11.5 * 11.5 ? pale_yellow : cream);
        }
    hills(img, 140, 24, 5, indigo, periwinkle, 192);
    hills(img, 160, 12, 2, dark_teal, teal, 192);
    for (int x = 4; x < 256; x += 23) tree(img, x, 186, 30 + (x * 7) % 14, dark_teal, black, black);
    return img;
}

Image stage4_background() {
    Image img(256, 192);
    sky_bands(img, 0, 192, {blue, periwinkle, sky, pale_blue, white});
    // The sun high up with rays of dithered light.
    img.fill_disc(200, 40, 16, pale_yellow);
    img.fill_disc(200, 40, 12, white);
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        img.line(200 + static_cast<int>(20 * std::cos(a)), 40 + static_cast<int>(20 * std::sin(a)),
                 200 + static_cast<int>(27 * std::cos(a)), 40 + static_cast<int>(27 * std::sin(a)), pale_yellow);
    }
    cloud(img, 60, 70, 6, white, pale_blue, lavender);
    cloud(img, 130, 100, 5, white, pale_blue, lavender);
    return img;
}

// Three layers of this strip scroll at different speeds; it repeats every 256
// pixels so the game can wrap its offset.
Image cloud_strip() {
    Image tile(256, 64);
    const int bumps[][3] = {{16, 30, 14}, {52, 22, 18}, {92, 34, 12}, {126, 24, 20},
                            {168, 30, 15}, {206, 20, 19}, {240, 30, 14}};
    for (const auto& b : bumps)
        for (int dx : {-256, 0, 256}) {
            tile.fill_disc(b[0] + dx, b[1] + 6, b[2], light_grey);
            tile.fill_disc(b[0] + dx - 2, b[1] + 3, b[2] - 2, white);
        }
    tile.fill_rect(0, 34, 256, 30, white);
    for (int y = 40; y < 64; ++y)
        for (int x = 0; x < 256; ++x)
            if (bayer4(x, y) < (y - 40) / 3) tile.set(x, y, light_grey);
    tile.outline(lavender);
    Image strip(512, 64);
    strip.blit(tile, 0, 0);
    strip.blit(tile, 256, 0);
    return strip;
}

Image stage4_surface() {
    // The top of a cloud bank as the floor: rows of puffs, larger towards the viewer.
    Image img(256, 48, white);
    const int rows[4][2] = {{0, 12}, {8, 20}, {19, 28}, {33, 40}};
    for (int k = 0; k < 4; ++k) {
        const int y0 = rows[k][0], w = rows[k][1];
        const int shift = (k * 7) % w;
        for (int x = 0; x < 256; ++x) {
            const double u = ((x + shift) % w + 0.5 - w / 2.0) / (w / 2.0);
            const int dip = static_cast<int>(std::lround((1 - std::sqrt(std::max(0.0, 1 - u * u))) * w * 0.22));
            const int y = y0 + 3 + dip;
            img.set(x, y, pale_blue);
            img.set(x, y + 1, lavender);
            if (k > 1) img.set(x, y + 2, pale_blue);
        }
    }
    for (int x = 0; x < 256; ++x) img.set(x, 0, pale_blue);
    return img;
}

Image stage5_background() {
    // Everything repeats every 16 pixels across, so the game's 16-pixel wrap is invisible.
    Image img(256, 240);
    sky_bands(img, 0, 130, {black, purple, dark_red, red});
    // Rolls of storm cloud, scalloped every 16 pixels, their tops lit by lightning.
    const int bands[3][2] = {{34, 0}, {66, 8}, {98, 4}};
    const Rgba fill[3] = {indigo, purple, maroon};
    const Rgba rim[3] = {periwinkle, magenta, red};
    for (int k = 0; k < 3; ++k)
        for (int x = 0; x < 256; ++x) {
            const double u = (((x + bands[k][1]) & 15) + 0.5 - 8) / 8;
            const int top = bands[k][0] - static_cast<int>(std::lround(std::sqrt(std::max(0.0, 1 - u * u)) * 6));
            img.fill_rect(x, top, 1, bands[k][0] + 6 - top, fill[k]);
            img.set(x, top, rim[k]);
            for (int y = bands[k][0] + 6; y < bands[k][0] + 10; ++y)
                if (bayer4(x, y) < 16 - 4 * (y - bands[k][0] - 6)) img.set(x, y, fill[k]);
        }
    // Battlements: merlons 8 wide every 16.
    const int wall_top = 128;
    for (int x = 0; x < 256; ++x) {
        const bool merlon = (x & 15) < 8;
        const int top = merlon ? wall_top - 10 : wall_top;
        img.fill_rect(x, top, 1, 240 - top, grey);
        if ((x & 15) == 0 || (x & 15) == 7) img.fill_rect(x, top, 1, 10, charcoal);
    }
    // Bricks 16 x 8 with every other course shifted by 8.
    for (int y = wall_top; y < 216; ++y)
        for (int x = 0; x < 256; ++x) {
            const int course = (y - wall_top) / 8;
            const int bx = (x + (course & 1) * 8) & 15;
            const int by = (y - wall_top) & 7;
            Rgba c = grey;
            if (by == 7 || bx == 15) c = charcoal;
            else if (by == 0 || bx == 0) c = light_grey;
            img.set(x, y, c);
        }
    // Arrow slits in every brick of one course.
    for (int x = 0; x < 256; x += 16) img.fill_rect(x + 6, 160, 3, 14, black);
    // Flagstones of the walk on top of the wall.
    for (int y = 216; y < 240; ++y)
        for (int x = 0; x < 256; ++x) {
            Rgba c = (y - 216) < 4 ? light_grey : charcoal;
            if (((x & 15) == 0 && y > 219) || y == 219) c = black;
            else if ((y - 216) >= 4 && bayer4(x, y) < 4) c = grey;
            img.set(x, y, c);
        }
    return img;
}

} // namespace

Image make_backdrop(std::string_view file) {
    if (file == "background.png") return stage1_background();
    if (file == "surface.png") return ground(lime, green, dark_green, ochre, brown, light_grey, 1);
    if (file == "background2.png") return stage2_background();
    if (file == "surface2.png") return lava_ground();
    if (file == "background3.png") return stage3_background();
    if (file == "surface3.png") return ground(teal, dark_teal, navy, indigo, navy, grey, 3);
    if (file == "background4.png") return stage4_background();
    if (file == "surface4.png") return stage4_surface();
    if (file == "clouds.png") return cloud_strip();
    if (file == "background5.png") return stage5_background();
    return {};
}

} // namespace resgen
