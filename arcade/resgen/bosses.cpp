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

// The stage-1 boss: a great leaf with an angry eye, flying tip first (right).
const std::vector<std::string> kBigLeaf{
    "........................",
    "........................",
    "........................",
    "........................",
    "........................",
    "...........kkkkkk.......",
    "........kkkFFFFFFkkk....",
    "......kkFFFFFFFFFFFFkk..",
    ".....kFFFlFFFFFFFkkkFFk.",
    "....kFFFFFlFFFFFkwwkFFfk",
    "...kFFlFFFFlFFFFkwkkFffk",
    "kkkllllllllllllllllllllk",
    "kh.kfffffflfffffflffffek",
    "....kefffffflffffflffek.",
    ".....keeffffffffffeeek..",
    ".......kkeeeeeeeeeekk...",
    "..........kkkkkkkkk.....",
    "........................",
    "........................",
    "........................",
    "........................",
    "........................",
    "........................",
    "........................",
};

// Bends a sheet frame like a flapping wing: columns move up or down by an
// amount that grows towards both ends.
Image bent(const Image& src, double flap) {
    Image out(src.width(), src.height());
    const double mid = src.width() / 2.0;
    for (int x = 0; x < src.width(); ++x) {
        const double u = (x + 0.5 - mid) / mid;
        const int dy = static_cast<int>(std::lround(flap * u * u * 4));
        for (int y = 0; y < src.height(); ++y) out.set(x, y + dy, src.get(x, y));
    }
    return out;
}

Image swap_colour(Image img, Rgba from, Rgba to) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.get(x, y) == from) img.set(x, y, to);
    return img;
}

Image bigleaf_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    const Image base = from_grid(kBigLeaf);
    static const double flap[6] = {0, -1, -1.6, -1, 0, 1};
    for (int i = 0; i < 6; ++i) put_frame(s, l, bent(base, flap[i]), i, 0);
    Image dead = swap_colour(swap_colour(swap_colour(base, light_green, light_orange), green, ochre), dark_green, brown);
    dead = swap_colour(swap_colour(dead, lime, pale_yellow), white, light_grey);
    Image flipped(24, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) flipped.set(x, 23 - y, dead.get(x, y));
    put_frame(s, l, flipped, 0, 1);
    return s;
}

// The stage-2 boss: a heavy orb with a glowing ring that turns round it and
// an angry face towards its flight.
void ring(Image& f, double cx, double cy, double rx, double ry, double turn, bool front) {
    for (int k = 0; k < 64; ++k) {
        const double a = k * 2 * M_PI / 64;
        // The front half passes over the orb, the back half behind it.
        if ((std::sin(a) > 0) != front) continue;
        const int x = static_cast<int>(std::lround(cx + rx * std::cos(a)));
        const int y = static_cast<int>(std::lround(cy + ry * std::sin(a)));
        const bool bright = std::fmod(a + turn + 4 * M_PI, M_PI / 2) < 0.35;
        f.set(x, y, bright ? white : yellow);
        f.set(x, y + 1, bright ? pale_yellow : ochre);
    }
}

Image bigorb_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 4; ++i) {
        Image f(32, 32);
        ring(f, 16, 17, 15, 4, i * M_PI / 8, false);
        Image orb(32, 32);
        shaded_disc(orb, 16, 16, 11.5, kPurpleTones);
        // Angry eye and brow, a grim mouth.
        orb.fill_rect(18, 11, 5, 4, white);
        orb.fill_rect(21, 12, 2, 2, black);
        orb.line(17, 9, 23, 11, black);
        orb.line(19, 20, 24, 19, black);
        f.blit(orb, 0, 0);
        ring(f, 16, 17, 15, 4, i * M_PI / 8, true);
        f.outline(black);
        put_frame(s, l, f, i, 0);
    }
    Image f(32, 32);
    shaded_disc(f, 16, 16, 11.5, kGreyTones);
    f.line(10, 6, 16, 16, black);
    f.line(16, 16, 13, 26, black);
    f.line(16, 16, 25, 19, black);
    f.line(18, 11, 22, 15, black);
    f.line(22, 11, 18, 15, black);
    put_frame(s, l, f, 0, 1);
    return s;
}

// A feathered wing hinged at (rx, ry), pointing along angle a (radians).
void wing(Image& f, double rx, double ry, double a, Rgba light, Rgba shade) {
    const double ca = std::cos(a), sa = std::sin(a);
    Image w(f.width(), f.height());
    for (int y = 0; y < f.height(); ++y)
        for (int x = 0; x < f.width(); ++x) {
            const double dx = x + 0.5 - rx, dy = y + 0.5 - ry;
            const double u = dx * ca + dy * sa, v = -dx * sa + dy * ca;
            if (u < 0 || u > 13) continue;
            const double half = 4.2 * std::sin(u / 13 * M_PI * 0.9 + 0.25);
            if (std::abs(v) > half) continue;
            // Feather tips: notches along the trailing edge.
            if (v > half - 1.5 && static_cast<int>(u) % 3 == 0 && u > 4) continue;
            w.set(x, y, v > 0.8 ? shade : light);
        }
    w.outline(black);
    f.blit(w, 0, 0);
}

void fly_guy(Image& f, int frame, bool mouth_open, bool dead) {
    // A round-bodied flier with a beak facing right and big wings.
    const Tones body = dead ? kGreyTones : kOrangeTones;
    static const double angles[4] = {-2.3, -2.9, 2.6, -2.9};
    shaded_disc(f, 16, 17, 9, body);
    // Belly and crest.
    f.fill_ellipse(17, 21, 5, 3.5, dead ? light_grey : cream);
    f.fill_rect(12, 6, 2, 3, dead ? grey : red);
    f.fill_rect(15, 5, 2, 3, dead ? grey : red);
    f.fill_rect(19, 12, 4, 4, white);
    f.fill_rect(21, 13, 2, 2, black);
    f.line(18, 11, 22, 12, black);
    if (mouth_open) {
        f.fill_rect(24, 16, 6, 6, yellow);
        f.fill_rect(25, 18, 5, 2, dark_red);
    } else {
        f.fill_rect(24, 17, 6, 2, yellow);
        f.fill_rect(24, 19, 5, 1, ochre);
    }
    f.fill_rect(13, 26, 2, 3, ochre);
    f.fill_rect(18, 26, 2, 3, ochre);
    if (dead) {
        f.fill_rect(19, 12, 4, 4, white);
        f.line(19, 12, 22, 15, black);
        f.line(22, 12, 19, 15, black);
    }
    f.outline(black);
    wing(f, 13, 15, angles[frame % 4], dead ? light_grey : white, dead ? grey : lavender);
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

// The stage-4 boss: a storm spirit with a curling tail, angry eyes and fangs,
// in purples that stand out against the pale sky.
void spirit_frame(Image& f, int i) {
    const double phase = i * M_PI / 3;
    const Tones t{indigo, purple, magenta, light_pink};
    Image body(48, 48);
    // Tail: tapers and curls below the head, swaying with the frame.
    for (int y = 22; y < 47; ++y) {
        const double u = (y - 22) / 25.0;
        const double cx = 24 + std::sin(u * M_PI * 1.4 + phase) * 7 * u;
        const double half = 12 * std::pow(1 - u, 0.9) + 0.8;
        for (int x = 0; x < 48; ++x) {
            const double v = (x + 0.5 - cx) / half;
            if (std::abs(v) > 1) continue;
            body.set(x, y, v < -0.35 ? t.light : (v < 0.45 ? t.mid : t.dark));
        }
    }
    // Stubby arms waving on both sides.
    const double wave = std::sin(phase) * 3;
    body.fill_ellipse(9, 27 + wave, 4, 3, purple);
    body.fill_ellipse(39, 27 - wave, 4, 3, indigo);
    shaded_ellipse(body, 24, 18, 14, 13, t);
    body.outline(black);
    // Angry eyes under slanted brows.
    body.fill_ellipse(18.5, 17, 3.2, 3.6, yellow);
    body.fill_ellipse(29.5, 17, 3.2, 3.6, yellow);
    body.fill_rect(19, 17, 2, 3, black);
    body.fill_rect(28, 17, 2, 3, black);
    body.line(14, 12, 21, 15, black);
    body.line(34, 12, 27, 15, black);
    body.line(14, 13, 21, 16, black);
    body.line(34, 13, 27, 16, black);
    // Grinning mouth with two fangs; it opens and closes.
    const double open = 1.2 + 0.8 * (1 + std::sin(phase * 2)) / 2;
    body.fill_ellipse(24, 25, 6, open, black);
    body.set(21, 25, white);
    body.set(27, 25, white);
    body.set(21, 24, white);
    body.set(27, 24, white);
    f.blit(body, 0, 0);
}

Image spirit_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 6; ++i) {
        Image f(48, 48);
        spirit_frame(f, i);
        put_frame(s, l, f, i, 0);
    }
    return s;
}

// The last boss: an armoured flying fortress with one eye, two thrusters and
// the laser port underneath. The hit frame flashes it red.
void fboss_body(Image& f, bool hit) {
    const Tones t = hit ? Tones{maroon, red, salmon, white} : kSteelTones;
    const Rgba trim = hit ? dark_red : navy;
    // Side thrusters behind the hull.
    for (int side : {0, 1}) {
        const int x = side ? 54 : 2;
        f.fill_rect(x, 26, 8, 12, grey);
        f.fill_rect(x, 26, 8, 2, light_grey);
        f.fill_rect(x + (side ? 6 : 0), 30, 2, 4, hit ? yellow : orange);
    }
    shaded_ellipse(f, 32, 31, 27, 22, t);
    // Armour seams and a belt of lights.
    f.fill_rect(6, 33, 52, 4, trim);
    for (int i = 0; i < 7; ++i) f.fill_rect(9 + i * 7, 34, 3, 2, hit ? yellow : (i % 2 ? sky : turquoise));
    for (int x = 10; x < 56; ++x) {
        const double u = (x - 32) / 27.0;
        const int y = 31 - static_cast<int>(22 * std::sqrt(std::max(0.0, 1 - u * u)) * 0.62);
        if (x % 6 == 0) f.set(x, y, light_grey);
    }
    f.line(32, 10, 32, 15, trim);
    // The eye.
    f.fill_ellipse(32, 23, 9, 7, black);
    f.fill_ellipse(32, 23, 8, 6, white);
    f.fill_ellipse(33, 24, 4, 5, hit ? red : magenta);
    f.fill_ellipse(33, 24, 2, 3, black);
    f.set(30, 20, white);
    f.fill_rect(31, 21, 1, 1, white);
    // Laser port under the belt, where the beam comes out.
    for (int y = 40; y < 52; ++y) {
        const int half = 9 - (y - 40) / 3;
        f.fill_rect(32 - half, y, 2 * half, 1, charcoal);
    }
    f.fill_ellipse(32, 46, 5, 3, hit ? yellow : red);
    f.fill_ellipse(32, 45.5, 2.5, 1.5, hit ? white : salmon);
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
