// The big enemies and the stage bosses.
#include "art.h"
#include "palette.h"
#include "shapes.h"

#include <cmath>

namespace resgen {
namespace {

using namespace pal;

const Tones kOrangeTones{maroon, orange, light_orange, cream};
const Tones kPurpleTones{indigo, purple, magenta, light_pink};
const Tones kGreyTones{charcoal, grey, light_grey, white};
const Tones kSteelTones{navy, indigo, periwinkle, lavender};
const Tones kGhostTones{periwinkle, lavender, pale_blue, white};

void big_leaf(Image& f, double flap, bool withered) {
    const int n = 24;
    const double c = n / 2.0;
    const Rgba edge = withered ? brown : dark_green, body = withered ? ochre : green;
    const Rgba light = withered ? light_orange : light_green;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const double u = (x + 0.5 - c) / 10.5, v = (y + 0.5 - c - flap * u * 3) / 6.0;
            if (u * u + v * v > 1.0) continue;
            f.set(x, y, std::abs(v) < 0.12 ? light : (v < 0 ? body : edge));
        }
    // Face: the leaf is alive, with an angry eye towards its flight (right).
    if (!withered) {
        f.fill_rect(15, 8 + static_cast<int>(flap * 2), 3, 3, white);
        f.set(17, 9 + static_cast<int>(flap * 2), black);
        f.line(14, 7 + static_cast<int>(flap * 2), 18, 8 + static_cast<int>(flap * 2), black);
    }
    f.outline(black);
}

Image bigleaf_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 6; ++i) {
        Image f(24, 24);
        big_leaf(f, std::sin(i * M_PI / 3) * 0.6, false);
        put_frame(s, l, f, i, 0);
    }
    Image f(24, 24);
    big_leaf(f, -0.6, true);
    put_frame(s, l, f, 0, 1);
    return s;
}

Image bigorb_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 4; ++i) {
        Image f(32, 32);
        shaded_disc(f, 16, 16, 13, kPurpleTones);
        // A ring of sparks turning round it.
        for (int k = 0; k < 3; ++k) {
            const double a = i * M_PI / 6 + k * 2 * M_PI / 3;
            f.fill_rect(static_cast<int>(15 + 14 * std::cos(a)), static_cast<int>(15 + 6 * std::sin(a)), 2, 2, white);
        }
        f.fill_rect(19, 11, 4, 4, white);
        f.fill_rect(21, 12, 2, 2, black);
        f.outline(black);
        put_frame(s, l, f, i, 0);
    }
    Image f(32, 32);
    shaded_disc(f, 16, 16, 13, kGreyTones);
    f.line(10, 6, 16, 16, black);
    f.line(16, 16, 13, 26, black);
    f.line(16, 16, 25, 19, black);
    put_frame(s, l, f, 0, 1);
    return s;
}

void fly_guy(Image& f, int wing, bool mouth_open, bool dead) {
    // A round-bodied flier with a beak facing right and big wings.
    const Tones body = dead ? kGreyTones : kOrangeTones;
    static const int wy[4] = {-6, -2, 3, -2};
    const int w = wy[wing % 4];
    f.fill_ellipse(11, 12 + w, 7, 4, dead ? grey : yellow);
    f.fill_ellipse(11, 12 + w, 5, 2.5, dead ? light_grey : pale_yellow);
    shaded_disc(f, 16, 17, 9, body);
    f.fill_rect(19, 12, 4, 4, white);
    f.fill_rect(21, 13, 2, 2, black);
    if (mouth_open) {
        f.fill_rect(24, 17, 6, 5, red);
        f.fill_rect(25, 18, 4, 3, dark_red);
    } else {
        f.fill_rect(24, 18, 6, 2, yellow);
        f.fill_rect(24, 20, 5, 1, ochre);
    }
    f.fill_rect(12, 26, 2, 3, red);
    f.fill_rect(18, 26, 2, 3, red);
    if (dead) {
        f.line(19, 12, 22, 15, black);
        f.line(22, 12, 19, 15, black);
    }
    f.outline(black);
}

Image flyguy_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 16; ++i) {
        Image f(32, 32);
        // The second half of the strip is the boss's spitting cycle.
        fly_guy(f, i, i >= 9 && i <= 12, false);
        put_frame(s, l, f, i, 0);
    }
    Image f(32, 32);
    fly_guy(f, 2, false, true);
    put_frame(s, l, f, 0, 1);
    return s;
}

Image spirit_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 6; ++i) {
        Image f(48, 48);
        shaded_ellipse(f, 24, 20, 15, 15, kGhostTones);
        // A waving hem under the round head.
        for (int x = 9; x < 40; ++x) {
            const int len = 8 + static_cast<int>(3 * std::sin((x + i * 2) * 0.6));
            f.fill_rect(x, 20, 1, 12 + len, x < 14 || x > 34 ? periwinkle : lavender);
        }
        f.fill_ellipse(18, 19, 3, 4, navy);
        f.fill_ellipse(30, 19, 3, 4, navy);
        f.set(17, 17, white);
        f.set(29, 17, white);
        f.fill_ellipse(24, 28, 3, 2 + (i % 3) * 0.5, navy);
        f.outline(black);
        put_frame(s, l, f, i, 0);
    }
    return s;
}

void fboss_body(Image& f, bool hit) {
    const Tones t = hit ? Tones{maroon, red, salmon, white} : kSteelTones;
    shaded_ellipse(f, 32, 32, 28, 22, t);
    f.fill_rect(10, 30, 44, 4, hit ? dark_red : navy);
    // Big single eye and the laser port below it.
    f.fill_ellipse(32, 24, 9, 7, white);
    f.fill_ellipse(32, 25, 4, 5, hit ? red : magenta);
    f.fill_ellipse(32, 25, 2, 3, black);
    f.fill_rect(24, 44, 16, 6, charcoal);
    f.fill_rect(26, 46, 12, 3, hit ? yellow : red);
    for (int i = 0; i < 6; ++i) f.fill_rect(9 + i * 8, 31, 2, 2, hit ? yellow : sky);
    f.outline(black);
}

void fboss_top(Image& f, int spin) {
    // Rotor hub centred on column 16 (over the body's centre), mast below.
    f.fill_rect(15, 32, 3, 12, grey);
    f.fill_rect(15, 32, 1, 12, light_grey);
    static const int half[4] = {15, 10, 3, 10};
    const int h = half[spin];
    f.fill_rect(16 - h, 29, 2 * h + 1, 2, light_grey);
    f.fill_rect(16 - h, 31, 2 * h + 1, 1, grey);
    f.fill_rect(13, 27, 7, 5, red);
    f.fill_rect(14, 27, 2, 2, salmon);
    f.outline(black);
}

Image fboss_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 2; ++i) {
        Image f(64, 64);
        fboss_body(f, i == 1);
        put_frame(s, l, f, i, 0);
    }
    for (int i = 0; i < 4; ++i) {
        Image f(64, 64);
        fboss_top(f, i);
        put_frame(s, l, f, i, 1);
    }
    return s;
}

} // namespace

Image make_boss_sheet(std::string_view file) {
    const PictureLayout* l = find_picture(file);
    if (!l) return {};
    if (file == "bigleaf.png") return bigleaf_sheet(*l);
    if (file == "bigorb.png") return bigorb_sheet(*l);
    if (file == "flyguy.png") return flyguy_sheet(*l);
    if (file == "spirit.png") return spirit_sheet(*l);
    if (file == "fboss.png") return fboss_sheet(*l);
    return {};
}

} // namespace resgen
