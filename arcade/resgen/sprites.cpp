// Player, shots and the small enemies. Enemies face right at scale +1; the
// player faces left, as the game mirrors them that way.
#include "art.h"
#include "palette.h"
#include "shapes.h"

#include <cmath>
#include <string>
#include <vector>

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

// The hero faces left. Cap, goggled face, overalls and the rotor pack on his back.
const std::vector<std::string> kHeroRest{
    "................",
    "................",
    "......kkkkk.....",
    ".....kRRrrrk....",
    "....kRrrrrrrk...",
    "..kkkrrrrrrrk...",
    ".kxxxkkkkkkkkkk.",
    "..kkssswsshhkGgk",
    "...kskwssshhkGgk",
    "...kOssssshkkGgk",
    "....kkOOsskbkGgk",
    "...kbbkkkbbbkDgk",
    "..ksbbbybbbbkkk.",
    "..kkkbbbbbnk....",
    "...khhkknhhk....",
    "...kkkk.kkkk....",
};
// Winding up: the throwing hand raised behind the head.
const std::vector<std::string> kHeroWindup{
    "................",
    "................",
    "......kkkkk.....",
    ".....kRRrrrk.kk.",
    "....kRrrrrrrkssk",
    "..kkkrrrrrrrkssk",
    ".kxxxkkkkkkkkbbk",
    "..kkssswsshhkbgk",
    "...kskwssshhkbgk",
    "...kOssssshkbbgk",
    "....kkOOsskbbGgk",
    "...kbbbbbbbbkDgk",
    "..kbbbbybbbbkkk.",
    "..kkkbbbbbnk....",
    "...khhkknhhk....",
    "...kkkk.kkkk....",
};
// Release: the arm flung forward.
const std::vector<std::string> kHeroRelease{
    "................",
    "................",
    "......kkkkk.....",
    ".....kRRrrrk....",
    "....kRrrrrrrk...",
    "..kkkrrrrrrrk...",
    ".kxxxkkkkkkkkkk.",
    "..kkssswsshhkGgk",
    "...kskwssshhkGgk",
    "...kOssssshkkGgk",
    ".kkkkkOOsskbkGgk",
    "ksbbbbbkkbbbkDgk",
    ".kkkkbbybbbbkkk.",
    "....kbbbbbnk....",
    "...khhkknhhk....",
    "...kkkk.kkkk....",
};
// Knocked out: arms up, eyes crossed; the fall strip tumbles this round.
const std::vector<std::string> kHeroFall{
    "................",
    "..kk.....kk.....",
    ".kssk...kssk....",
    ".kbbkkkkkbbk....",
    "..kbkRRrrkbk....",
    "..kbRrrrrrbk....",
    "..kkkrrrrrrkkk..",
    ".kxxxkkkkkkkkGk.",
    "..kkskkssshhkGgk",
    "...ksksssshhkGgk",
    "...kOssssshkkGgk",
    "....kkOkkskbkGgk",
    "...kbbbbbbbbkDgk",
    "...kbbbybbbbkkk.",
    "...khhkkkkhhk...",
    "...kkk....kkk...",
};

Image rotated90(const Image& src) {
    Image out(src.height(), src.width());
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) out.set(src.height() - 1 - y, x, src.get(x, y));
    return out;
}

void propeller_frame(Image& f, int spin) {
    // The mast stands on the pack (body column 13, drawn four columns left of
    // the body's frame) and the rotor spins just above the cap.
    f.fill_rect(9, 10, 1, 6, light_grey);
    f.fill_rect(10, 10, 1, 6, grey);
    static const int left[4] = {6, 4, 1, 4}, right[4] = {5, 4, 1, 4};
    f.fill_rect(9 - left[spin], 8, left[spin] + right[spin] + 2, 1, light_grey);
    f.fill_rect(9 - left[spin], 9, left[spin] + right[spin] + 2, 1, grey);
    if (spin == 1) f.fill_rect(9 - left[spin], 8, 2, 1, white);
    if (spin == 3) f.fill_rect(10 + right[spin] - 1, 8, 2, 1, white);
    if (spin == 2) {
        // Edge-on: the blur of the blades.
        f.set(3, 8, light_grey);
        f.set(5, 9, light_grey);
        f.set(14, 8, light_grey);
        f.set(13, 9, light_grey);
    }
    f.fill_rect(8, 7, 4, 3, red);
    f.fill_rect(9, 7, 1, 1, salmon);
    f.outline(black);
}

Image player_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    // Row 0: the throw (wind-up, release) and the resting frame 2.
    put_frame(s, l, from_grid(kHeroWindup), 0, 0);
    put_frame(s, l, from_grid(kHeroRelease), 1, 0);
    put_frame(s, l, from_grid(kHeroRest), 2, 0);
    for (int i = 0; i < 4; ++i) {
        Image f = frame16();
        propeller_frame(f, i);
        put_frame(s, l, f, i, 1);
    }
    // Row 2: tumbling out of the sky, a quarter turn per frame.
    Image f = from_grid(kHeroFall);
    for (int i = 0; i < 4; ++i) {
        put_frame(s, l, f, i, 2);
        f = rotated90(f);
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

// A leaf riding the wind, stalk at the back: tilted up, level, and withered.
const std::vector<std::string> kLeafTilted{
    "................",
    "...........kkk..",
    ".........kkFFk..",
    ".......kkFFFfk..",
    ".....kkFFFFffk..",
    "....kFFFFlfffk..",
    "...kFFFFlffffk..",
    "..kFFFlffffeek..",
    "..kFFlffffeek...",
    ".kFFlfffeeek....",
    ".kFlffeeekk.....",
    ".klfeeekk.......",
    "khkkkkk.........",
    "kh..............",
    "k...............",
    "................",
};
const std::vector<std::string> kLeafLevel{
    "................",
    "................",
    "................",
    "................",
    ".......kkkkk....",
    "....kkkFFFFFkk..",
    "..kkFFFFFFFFFfk.",
    ".kFFFFlFFFlFffek",
    "khllllllllllleek",
    "kh.kffflfffleek.",
    "....kkeeeeeekk..",
    "......kkkkkk....",
    "................",
    "................",
    "................",
    "................",
};

Image recoloured(Image img, Rgba from, Rgba to) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.get(x, y) == from) img.set(x, y, to);
    return img;
}

Image flipped_vertically(const Image& src) {
    Image out(src.width(), src.height());
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) out.set(x, src.height() - 1 - y, src.get(x, y));
    return out;
}

Image leaf_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    const Image up = from_grid(kLeafTilted);
    const Image level = from_grid(kLeafLevel);
    const Image down = flipped_vertically(up);
    // It rocks: up, level, down, down, level, up.
    const Image* cycle[6] = {&up, &level, &down, &down, &level, &up};
    for (int i = 0; i < 6; ++i) {
        Image f(16, 16);
        f.blit(*cycle[i], 0, i == 2 || i == 3 ? (i == 3 ? 1 : 0) : 0);
        put_frame(s, l, f, i, 0);
    }
    Image dead = recoloured(recoloured(recoloured(recoloured(down, light_green, light_orange), green, ochre),
                                       dark_green, brown), lime, pale_yellow);
    put_frame(s, l, dead, 0, 1);
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

// A burst with a ragged, spiky edge, then drifting smoke.
void explosion_frame(Image& f, int i) {
    static const double r[5] = {3.5, 5.5, 7.2, 7.5, 6};
    const double rr = r[i];
    if (i < 4) {
        const Rgba rings[3] = {i < 2 ? yellow : red, i < 2 ? white : orange, i < 3 ? white : yellow};
        const double size[3] = {1.0, 0.68, 0.36};
        for (int k = 0; k < 3; ++k)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
                    const double a = std::atan2(dy, dx);
                    const double edge = rr * size[k] * (1 + 0.22 * std::sin(8 * a + i * 0.9));
                    if (std::hypot(dx, dy) <= edge) f.set(x, y, rings[k]);
                }
    } else {
        // Smoke clouds drifting apart.
        f.fill_disc(5.5, 9, 3.6, grey);
        f.fill_disc(10.5, 7, 3.6, grey);
        f.fill_disc(8, 6.5, 3, light_grey);
    }
    f.outline(black);
}

// A finned bomb falling nose down; its warning lamp blinks faster as it drops.
const std::vector<std::string> kNBomb{
    "....kkk..kkk....",
    "...krrk..krrk...",
    "...kRrkkkkrrk...",
    "....kkgGGgkk....",
    "......kgGk......",
    "....kkDggDkk....",
    "...kDgGGggDDk...",
    "..kDgGwGgggDDk..",
    "..kDGwGgggggDk..",
    "..kDgGgggggDDk..",
    "..kDggggggDDDk..",
    "..kDDggggDDDkk..",
    "...kDDDDDDDkk...",
    "....kkDDDkk.....",
    "......kkk.......",
    "................",
};

Image nbomb_sheet(const PictureLayout& l, bool stage2) {
    Image s = blank_sheet(l);
    Image base = from_grid(kNBomb);
    if (stage2) {
        base = recoloured(recoloured(recoloured(base, charcoal, navy), grey, blue), light_grey, sky);
        base = recoloured(recoloured(base, red, yellow), salmon, pale_yellow);
    }
    for (int i = 0; i < 8; ++i) {
        Image f = base;
        const Rgba lamp = i % 2 == 0 ? (i < 4 ? (stage2 ? pale_yellow : yellow) : red) : white;
        f.fill_rect(8, 9, 2, 2, lamp);
        put_frame(s, l, f, i, 0);
    }
    // Frame 5 stays empty: the explosion is over.
    for (int i = 0; i < 5; ++i) {
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
        // A spark of light runs round its rim.
        static const int sx[4] = {8, 11, 8, 4}, sy[4] = {3, 7, 12, 8};
        f.fill_rect(sx[i], sy[i], 2, 2, white);
        f.set(6, 5, light_pink);
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
    // A teardrop: round head to the right, a tail that waves and tapers to the left.
    const double phase = i * M_PI / 2;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            double w, d;
            if (px >= 10) {
                w = 5.0;
                d = std::hypot(px - 10, py - 8);
            } else {
                const double t = px / 10; // 0 at the tail's end
                w = 5.0 * std::pow(t, 0.75) + 0.3;
                const double spine = 8 + (1 - t) * 2.2 * std::sin(phase + (1 - t) * 4);
                d = std::abs(py - spine);
            }
            if (d > w) continue;
            const double k = d / w;
            Rgba c = k < 0.4 ? core : (k < 0.72 ? mid : outer);
            if (px > 9 && px < 13 && py > 6 && py < 10 && k < 0.3) c = white;
            f.set(x, y, c);
        }
    // Sparks thrown off the tail.
    f.set(1 + i, 3 + (i % 2) * 9, mid);
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

const std::vector<std::string> kSlimeSquat{
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "......kkkk......",
    "....kkLFFFkk....",
    "...kLFFFFFFfk...",
    "..kLFFFwkFwkfk..",
    "..kFFFFwkFwkfk..",
    ".kFFFFFFFFFFffk.",
    ".kFFfFFFkkkFfek.",
    ".kfffffffffffek.",
    "..keeeeeeeeeek..",
    "...kkkkkkkkkk...",
};
const std::vector<std::string> kSlimeJump{
    "................",
    ".......kk.......",
    "......kLFk......",
    ".....kLFFFk.....",
    "....kLFFFFfk....",
    "....kFFwkwkfk...",
    "....kFFwkwkfk...",
    "...kFFFFFFFffk..",
    "...kFFFFkkFffk..",
    "...kFFFFkkFffk..",
    "...kfFFFFFFfek..",
    "...kffFFFFffek..",
    "....kfffffffek..",
    "....keeeeeeek...",
    ".....kkeeekk....",
    ".......kkk......",
};
const std::vector<std::string> kSlimeSplat{
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "....kkkkkkkk....",
    "..kkLFkFFkFFkk..",
    ".kFFFFFFFFFFFfk.",
    "kfffffffffffffek",
    "kkkkkkkkkkkkkkkk",
};

Image slime_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    put_frame(s, l, from_grid(kSlimeSquat), 0, 0);
    put_frame(s, l, from_grid(kSlimeJump), 1, 0);
    put_frame(s, l, from_grid(kSlimeSplat), 0, 1);
    return s;
}

// A shell with an angry face; falling nose down with its exhaust on top.
const std::vector<std::string> kShell{
    "................",
    "................",
    "...kkkkkkkkkk...",
    "...kgGGGGGGgk...",
    "...kkkkkkkkkk...",
    "....kDgGGgDk....",
    "...kDggGGggDk...",
    "...kDwwgGwwDk...",
    "...kDwkgGkwDk...",
    "...kDggggggDk...",
    "...kDgkkkkgDk...",
    "...kDggggggDk...",
    "....kDggggDk....",
    ".....kDggDk.....",
    "......kDDk......",
    ".......kk.......",
};

// Rising: nose up, exhaust below, the face still upright.
const std::vector<std::string> kShellUp{
    ".......kk.......",
    "......kDDk......",
    ".....kDggDk.....",
    "....kDggggDk....",
    "...kDggggggDk...",
    "...kDwwgGwwDk...",
    "...kDwkgGkwDk...",
    "...kDggggggDk...",
    "...kDgkkkkgDk...",
    "...kDggGGggDk...",
    "....kDgGGgDk....",
    "...kkkkkkkkkk...",
    "...kgGGGGGGgk...",
    "...kkkkkkkkkk...",
    "................",
    "................",
};

Image bulletb_sheet(const PictureLayout& l) {
    Image s = blank_sheet(l);
    for (int i = 0; i < 4; ++i) {
        Image f = from_grid(kShell);
        // Exhaust flicker above the tail.
        static const int w[4] = {4, 6, 3, 5};
        f.fill_rect(8 - w[i] / 2, 1, w[i], 1, i % 2 ? yellow : orange);
        f.fill_rect(8 - w[i] / 4 - 1, 0, w[i] / 2 + 1, 1, i % 2 ? orange : red);
        put_frame(s, l, f, i, 0);
        Image up = from_grid(kShellUp);
        up.fill_rect(8 - w[i] / 2, 14, w[i], 1, i % 2 ? yellow : orange);
        up.fill_rect(8 - w[i] / 4 - 1, 15, w[i] / 2 + 1, 1, i % 2 ? orange : red);
        put_frame(s, l, up, i, 1);
    }
    Image wreck = recoloured(recoloured(flipped_vertically(from_grid(kShell)), light_grey, grey), white, light_grey);
    wreck.fill_rect(5, 7, 2, 1, black);
    wreck.fill_rect(9, 7, 2, 1, black);
    put_frame(s, l, wreck, 0, 2);
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
    if (file == "nbomb.png") return nbomb_sheet(*l, false);
    if (file == "nbomb2.png") return nbomb_sheet(*l, true);
    if (file == "orb.png") return orb_sheet(*l);
    if (file == "flame.png") return flame_sheet(*l, 4, red, orange, yellow);
    if (file == "flame2.png") return flame_sheet(*l, 5, blue, sky, white);
    if (file == "slime.png") return slime_sheet(*l);
    if (file == "bulletb.png") return bulletb_sheet(*l);
    return {};
}

} // namespace resgen
