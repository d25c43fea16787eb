// Full-screen pictures (splash, title, game over, stage completed), the stage
// cards and the scanline filter.
#include "art.h"
#include "generate.h"
#include "palette.h"
#include "pixel_font.h"
#include "shapes.h"

#include <string>

namespace resgen {
namespace {

using namespace pal;

Image filter() {
    // Every second line darkened; the game lays it over the scaled picture at a quarter strength.
    Image img(512, 480);
    for (int y = 1; y < 480; y += 2) img.fill_rect(0, y, 512, 1, Rgba{0, 0, 0, 192});
    for (int y = 0; y < 480; y += 2)
        for (int x = 2; x < 512; x += 3) img.set(x, y, Rgba{0, 0, 0, 48});
    return img;
}

// One frame of a sheet, scaled up.
Image sprite_frame(std::string_view file, int col, int row, int scale) {
    const PictureLayout* l = find_picture(file);
    const Image sheet = make_picture(file);
    return sheet.cropped(col * l->frame_w, row * l->frame_h, l->frame_w, l->frame_h).scaled(scale);
}

// The hero with the propeller in place, facing left, as the game draws it.
Image hero(int scale) {
    Image img(24 * scale, 26 * scale);
    img.blit(sprite_frame("player.png", 0, 1, scale), 8 * scale, 0);
    img.blit(sprite_frame("player.png", 2, 0, scale), 4 * scale, 10 * scale);
    return img;
}

Image title() {
    Image img(256, 240);
    draw_banner_text(img, "PROPELLER", 128, 22, 3, yellow, orange, black, maroon, cream);
    draw_banner_text(img, "PANIC", 128, 52, 4, salmon, red, black, maroon, light_pink);
    // The hero flying beside the logo, a trail of puffs behind him.
    const Image h = hero(2).mirrored();
    img.blit(h, 190, 84);
    for (int i = 0; i < 3; ++i) img.fill_disc(187 - i * 9, 126 + i * 2, 4 - i * 0.8, white);
    return img;
}

Image banner(std::string_view line1, std::string_view line2, Rgba top, Rgba bottom) {
    Image img(256, 240);
    const int band_top = line2.empty() ? 84 : 72;
    const int band_h = line2.empty() ? 52 : 76;
    img.fill_rect(0, band_top, 256, band_h, Rgba{0, 0, 0, 160});
    img.fill_rect(0, band_top, 256, 2, black);
    img.fill_rect(0, band_top + band_h - 2, 256, 2, black);
    draw_banner_text(img, line1, 128, band_top + 12, 4, top, bottom, black, charcoal, white);
    if (!line2.empty()) draw_banner_text(img, line2, 128, band_top + 44, 3, top, bottom, black, charcoal, white);
    return img;
}

Image creator() {
    Image img(256, 240, black);
    // The maker's mark: the hero hovering over a ring of light, then the name.
    img.fill_ellipse(128, 118, 30, 6, navy);
    img.fill_ellipse(128, 118, 22, 4, indigo);
    img.fill_ellipse(128, 118, 12, 2, periwinkle);
    const Image h = hero(3);
    img.blit(h, 128 - h.width() / 2 - 6, 28);
    draw_banner_text(img, "TINY ROTOR", 128, 136, 3, white, light_grey, black, charcoal);
    draw_text(img, "PRESENTS", 128 - text_width("PRESENTS") / 2, 172, 1, grey, grey);
    return img;
}

// A stage card: the stage's own scene at half size, its boss in front, framed.
Image stage_card(int stage) {
    Image scene(256, 240, black);
    if (stage == 5) {
        scene.blit(make_picture("background5.png"), 0, 0);
    } else {
        const std::string n = stage == 1 ? "" : std::to_string(stage);
        scene.blit(make_picture("background" + n + ".png"), 0, 0);
        if (stage == 4) {
            const Image c = make_picture("clouds.png");
            scene.blit(c, 0, 144);
        }
        scene.blit(make_picture("surface" + n + ".png"), 0, 192);
    }
    Image card = scene.halved().cropped(0, 48, kCardW, kCardH);
    static const char* bosses[5] = {"bigleaf.png", "bigorb.png", "flyguy.png", "spirit.png", "fboss.png"};
    const PictureLayout* l = find_picture(bosses[stage - 1]);
    Image boss = make_picture(bosses[stage - 1]).cropped(0, 0, l->frame_w, l->frame_h);
    if (stage == 5) {
        boss = boss.halved();
        Image top = make_picture("fboss.png").cropped(0, 64, 64, 64).halved();
        // The rotor sits where the game draws it: 16 s right of and 40 s above the body.
        card.blit(top, 88, -4);
        card.blit(boss, 80, 16);
    } else if (stage == 4) {
        boss = boss.halved();
        card.blit(boss, 88, 12);
    } else {
        // Bosses face right in their sheets; on the card they face the hero.
        card.blit(boss.mirrored(), 92 - l->frame_w / 2, 22 - l->frame_h / 2);
    }
    // The hero faces the boss.
    card.blit(hero(1).mirrored(), 18, 14);
    // Frame: black edge and a white rule inside it.
    for (int x = 0; x < kCardW; ++x) {
        card.set(x, 0, black); card.set(x, kCardH - 1, black);
        card.set(x, 1, white); card.set(x, kCardH - 2, white);
    }
    for (int y = 0; y < kCardH; ++y) {
        card.set(0, y, black); card.set(kCardW - 1, y, black);
        if (y > 0 && y < kCardH - 1) { card.set(1, y, white); card.set(kCardW - 2, y, white); }
    }
    return card;
}

} // namespace

Image make_screen(std::string_view file) {
    if (file == "filter.png") return filter();
    if (file == "title.png") return title();
    if (file == "gameover.png") return banner("GAME OVER", "", red, dark_red);
    if (file == "completed.png") return banner("STAGE", "COMPLETED!", yellow, orange);
    if (file == "creator.png") return creator();
    for (int s = 1; s <= 5; ++s)
        if (file == "stage" + std::to_string(s) + "_thumb.png") return stage_card(s);
    return {};
}

} // namespace resgen
