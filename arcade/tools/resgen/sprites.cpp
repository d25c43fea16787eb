// Player, shots and the small enemies. Enemies face right at scale +1; the
// player faces left, as the game mirrors them that way.
#include "art.h"
#include "palette.h"
#include "shapes.h"

#include <cmath>

namespace resgen {
namespace {

using namespace pal;

const Tones kYellowTones{ochre, yellow, pale_yellow, white};
const Tones kRedTones{maroon, red, salmon, white};
const Tones kGreyTones{charcoal, grey, light_grey, white};
const Tones kBlackTones{black, charcoal, grey, light_grey};
const Tones kBlueTones{navy, blue, sky, white};
const Tones kPurpleTones{indigo, purple, magenta, light_pink};
const Tones kGreenTones{dark_green, green, light_green, pale_green};

Image frame16() { return Image(16, 16); }

// --- player --------------------------------------------------------------

void hero_body(Image& f, int arm_pose, bool falling, int wiggle) {
    // Jet pack on the back (the right side: the hero faces left).
    f.fill_rect(10, 6, 3, 6, grey);
    f.fill_rect(10, 6, 1, 6, light_grey);
    f.fill_rect(11, 12, 2, 1, orange);
    // Legs and boots.
    const int lx = falling ? wiggle : 0;
    f.fill_rect(6 + lx, 12, 2, 2, blue);
    f.fill_rect(9 - lx, 12, 2, 2, blue);
    f.fill_rect(5 + lx, 14, 3, 1, brown);
    f.fill_rect(9 - lx, 14, 3, 1, brown);
    // Overalls.
    f.fill_rect(5, 8, 6, 4, blue);
    f.fill_rect(6, 8, 1, 2, sky);
    f.fill_rect(9, 9, 1, 1, yellow);
    // Head: face to the left, red cap with a brim forward.
    f.fill_disc(7.5, 5.0, 3.2, skin);
    f.fill_rect(4, 1, 7, 3, red);
    f.fill_rect(2, 3, 4, 1, dark_red);
    f.fill_rect(8, 1, 2, 1, salmon);
    f.set(5, 5, black);
    f.set(4, 6, light_orange);
    f.fill_rect(8, 4, 3, 3, brown); // hair at the back
    // Arm.
    if (falling) {
        f.fill_rect(3, 4 - (wiggle & 1), 2, 4, skin);
        f.fill_rect(11, 3 + (wiggle & 1), 2, 4, skin);
    } else if (arm_pose == 0) {
        f.fill_rect(10, 5, 2, 2, skin); // wound up behind
        f.fill_rect(8, 7, 3, 2, blue);
    } else if (arm_pose == 1) {
        f.fill_rect(1, 8, 5, 2, blue); // thrown forward
        f.fill_rect(0, 8, 2, 2, skin);
    } else {
        f.fill_rect(4, 9, 2, 3, blue);
        f.fill_rect(4, 11, 2, 1, skin);
    }
    f.outline(black);
}

void propeller_frame(Image& f, int spin) {
    // Mast rises from the pack; the rotor spins above the head.
    f.fill_rect(4, 11, 1, 5, grey);
    static const int half[4] = {5, 3, 1, 3};
    const int h = half[spin];
    f.fill_rect(5 - h, 9, 2 * h, 1, light_grey);
    f.fill_rect(5 - h, 10, 2 * h, 1, grey);
    if (spin == 1) f.fill_rect(5 - h, 9, 1, 1, white);
    if (spin == 3) f.fill_rect(4 + h, 9, 1, 1, white);
    f.fill_rect(4, 8, 2, 3, red);
    f.outline(black);
}

Image player_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 3; ++i) {
        Image f = frame16();
        hero_body(f, i, false, 0);
        put_frame(s, l, f, i, 0);
    }
    for (int i = 0; i < 4; ++i) {
        Image f = frame16();
        propeller_frame(f, i);
        put_frame(s, l, f, i, 1);
    }
    for (int i = 0; i < 4; ++i) {
        Image f = frame16();
        hero_body(f, 0, true, i % 2 ? 1 : -1 + i);
        put_frame(s, l, f, i, 2);
    }
    return s;
}

// --- shots -----------------------------------------------------------------

Image bullet_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 4; ++i) {
        Image f(8, 8);
        shaded_disc(f, 4, 4, 2.6, kYellowTones);
        // A spinning glint walks round the stone.
        static const int gx[4] = {3, 5, 5, 3}, gy[4] = {2, 3, 5, 4};
        f.set(gx[i], gy[i], white);
        put_frame(s, l, f, i, 0);
    }
    return s;
}

Image bomb_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 3; ++i) {
        Image f(12, 12);
        shaded_disc(f, 5.5, 7, 4, kBlackTones);
        f.fill_rect(5, 2, 2, 1, grey);
        f.set(7, 1, ochre);
        static const Rgba spark[3] = {yellow, white, orange};
        f.set(8, 0, spark[i]);
        if (i == 1) { f.set(9, 0, yellow); f.set(8, 1, yellow); }
        put_frame(s, l, f, i, 0);
    }
    return s;
}

Image life_icon(const PictureLayout& l) {
    Image s = blank_sheet(l);
    s.fill_disc(3.5, 3.5, 3.0, red);
    s.fill_disc(8.5, 3.5, 3.0, red);
    for (int y = 4; y < 10; ++y) s.fill_rect(1 + (y - 4), y, 10 - 2 * (y - 4), 1, red);
    s.set(3, 2, white);
    s.set(2, 3, salmon);
    s.set(4, 2, salmon);
    s.fill_rect(8, 6, 2, 1, dark_red);
    s.outline(black);
    return s;
}

// --- common enemies --------------------------------------------------------

void leaf_shape(Image& f, double angle, bool withered) {
    const Rgba edge = withered ? brown : dark_green;
    const Rgba body = withered ? ochre : green;
    const Rgba vein = withered ? light_orange : light_green;
    const double ca = std::cos(angle), sa = std::sin(angle);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
            const double u = dx * ca + dy * sa, v = -dx * sa + dy * ca;
            const double half = 6.5 * std::sqrt(std::max(0.0, 1 - (u / 6.8) * (u / 6.8)));
            if (std::abs(v) > half * 0.55 + 0.3) continue;
            f.set(x, y, std::abs(v) < 0.6 ? vein : (v < 0 ? body : edge));
        }
    // Stalk at the back end.
    f.set(static_cast<int>(8 - 7.5 * ca), static_cast<int>(8 - 7.5 * sa), brown);
    f.outline(black);
}

Image leaf_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 6; ++i) {
        Image f = frame16();
        leaf_shape(f, -0.5 + 0.35 * std::sin(i * M_PI / 3), false);
        put_frame(s, l, f, i, 0);
    }
    Image f = frame16();
    leaf_shape(f, 2.4, true);
    put_frame(s, l, f, 0, 1);
    return s;
}

Image ball_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 4; ++i) {
        Image f = frame16();
        shaded_disc(f, 8, 8, 6.5, kRedTones);
        // A white band that rolls forward.
        const int bx = 3 + 3 * i;
        for (int y = 2; y < 14; ++y)
            for (int x = bx; x < bx + 2; ++x)
                if (f.get(x, y) != black && f.get(x, y).a) f.set(x, y, cream);
        f.fill_rect(10, 5, 2, 2, white); // eye
        f.set(11, 6, black);
        put_frame(s, l, f, i, 0);
    }
    Image f = frame16();
    shaded_ellipse(f, 8, 10, 7, 4.5, kRedTones);
    f.line(9, 8, 11, 10, black);
    f.line(11, 8, 9, 10, black);
    put_frame(s, l, f, 0, 1);
    return s;
}

void explosion_frame(Image& f, int i) {
    static const double r[6] = {3, 5, 7, 7.5, 6, 4};
    const double rr = r[i];
    if (i < 4) {
        f.fill_disc(8, 8, rr, i < 2 ? yellow : red);
        f.fill_disc(8, 8, rr * 0.7, i < 2 ? white : orange);
        f.fill_disc(8, 8, rr * 0.35, i < 3 ? white : yellow);
    } else {
        // Smoke clouds drifting apart.
        const double d = i == 4 ? 2.5 : 4;
        f.fill_disc(8 - d, 8 + 1, rr * 0.6, grey);
        f.fill_disc(8 + d, 8 - 1, rr * 0.6, grey);
        f.fill_disc(8, 8 - d * 0.5, rr * 0.5, light_grey);
    }
    f.outline(black);
}

Image nbomb_sheet(const PictureLayout& l, const Tones& t, Rgba fin) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 8; ++i) {
        Image f = frame16();
        // Tail fins up, nose down: it falls.
        f.fill_rect(5, 1, 6, 2, fin);
        f.fill_rect(7, 1, 2, 5, fin);
        shaded_ellipse(f, 8, 9.5, 4.5, 5, t);
        // Blinking light: warns more often as the fuse runs.
        if (i % 2 == 0) f.fill_rect(7, 8, 2, 2, i < 4 ? yellow : red);
        else f.fill_rect(7, 8, 2, 2, white);
        put_frame(s, l, f, i, 0);
    }
    for (int i = 0; i < 6; ++i) {
        Image f = frame16();
        explosion_frame(f, i);
        put_frame(s, l, f, i, 1);
    }
    return s;
}

Image orb_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 4; ++i) {
        Image f = frame16();
        shaded_disc(f, 8, 8, 5.5, kPurpleTones);
        // An orbiting spark.
        const double a = i * M_PI / 2;
        f.fill_rect(static_cast<int>(7.5 + 6 * std::cos(a)), static_cast<int>(7.5 + 3 * std::sin(a)), 2, 1, white);
        f.outline(black);
        put_frame(s, l, f, i, 0);
    }
    Image f = frame16();
    shaded_disc(f, 8, 8, 5.5, kGreyTones);
    f.line(6, 4, 9, 9, black);
    f.line(9, 9, 8, 12, black);
    put_frame(s, l, f, 0, 1);
    return s;
}

void fire_shape(Image& f, int i, Rgba outer, Rgba mid, Rgba core) {
    // Head to the right, flickering tail to the left.
    f.fill_disc(10, 8, 4.5, outer);
    f.fill_disc(10.5, 8, 3, mid);
    f.fill_disc(11, 8, 1.6, core);
    const int w = i % 2;
    f.fill_rect(3, 6 + w, 5, 3, outer);
    f.fill_rect(1, 7 - w, 3, 2, outer);
    f.fill_rect(5, 7, 4, 2, mid);
    f.set(0, 5 + 2 * w, outer);
    f.outline(black);
}

Image flame_sheet(const PictureLayout& l, int frames, Rgba outer, Rgba mid, Rgba core) {
    Image s = blank_sheet(l);
    for (int i = 0; i < frames; ++i) {
        Image f = frame16();
        fire_shape(f, i, outer, mid, core);
        put_frame(s, l, f, i, 0);
    }
    Image f = frame16();
    f.fill_disc(7, 9, 4, grey);
    f.fill_disc(10, 7, 3, light_grey);
    f.outline(black);
    put_frame(s, l, f, 0, 1);
    return s;
}

Image slime_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 2; ++i) {
        Image f = frame16();
        if (i == 0) shaded_ellipse(f, 8, 11, 6.5, 4, kGreenTones);
        else shaded_ellipse(f, 8, 8, 4.5, 6.5, kGreenTones);
        const int ey = i == 0 ? 10 : 6;
        f.set(9, ey, black);
        f.set(11, ey, black);
        put_frame(s, l, f, i, 0);
    }
    Image f = frame16();
    shaded_ellipse(f, 8, 13, 7, 2, kGreenTones);
    put_frame(s, l, f, 0, 1);
    return s;
}

Image bulletb_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 4; ++i) {
            Image f = frame16();
            // Row 0 falls nose down, row 1 rises nose up.
            Image g = frame16();
            shaded_ellipse(g, 8, 9, 4.5, 5.5, kGreyTones);
            g.fill_rect(4, 1 + (i % 2), 8, 3, charcoal);
            g.fill_rect(6, 9, 1, 2, white);
            g.fill_rect(9, 9, 1, 2, white);
            if (row == 1) {
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x) f.set(x, 15 - y, g.get(x, y));
            } else {
                f = g;
            }
            f.outline(black);
            put_frame(s, l, f, i, row);
        }
    Image f = frame16();
    explosion_frame(f, 4);
    put_frame(s, l, f, 0, 2);
    return s;
}

} // namespace

Image make_sprite_sheet(std::string_view file) {
    const PictureLayout* l = find_picture(file);
    if (!l) return {};
    if (file == "player.png") return player_sheet(*l);
    if (file == "bullet.png") return bullet_sheet(*l);
    if (file == "bomb.png") return bomb_sheet(*l);
    if (file == "life.png") return life_icon(*l);
    if (file == "leaf.png") return leaf_sheet(*l);
    if (file == "ball.png") return ball_sheet(*l);
    if (file == "nbomb.png") return nbomb_sheet(*l, kBlackTones, red);
    if (file == "nbomb2.png") return nbomb_sheet(*l, kBlueTones, yellow);
    if (file == "orb.png") return orb_sheet(*l);
    if (file == "flame.png") return flame_sheet(*l, 4, red, orange, yellow);
    if (file == "flame2.png") return flame_sheet(*l, 5, blue, sky, white);
    if (file == "slime.png") return slime_sheet(*l);
    if (file == "bulletb.png") return bulletb_sheet(*l);
    return {};
}

} // namespace resgen
