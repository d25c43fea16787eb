// Pixel probes for drawing tests: a cleared memory canvas, a sprite strip with
// one known colour per row, and pixels read back as 0xRRGGBB or as letters.
#ifndef ARCADE_ACTORS_TESTS_CANVAS_PROBE_H
#define ARCADE_ACTORS_TESTS_CANVAS_PROBE_H

#include <stdint.h>
#include <string>
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

inline const uint32_t PROBE_BACKGROUND = 0x404040u, PROBE_BLACK = 0u, PROBE_WHITE = 0xffffffu;
inline const uint32_t probe_row_colour[3] = {0xff0000u, 0x00ff00u, 0x0000ffu};

// Leaves the new canvas, cleared to grey, as the drawing target.
inline ALLEGRO_BITMAP *probe_canvas(int w, int h)
{
    ALLEGRO_BITMAP *canvas = al_create_bitmap(w, h);
    al_set_target_bitmap(canvas);
    al_clear_to_color(al_map_rgb(64, 64, 64));
    return canvas;
}

// cols frames of w x h in each of three rows: row 0 red, 1 green, 2 blue.
inline ALLEGRO_BITMAP *probe_strip(int w, int h, int cols)
{
    ALLEGRO_BITMAP *old = al_get_target_bitmap();
    ALLEGRO_BITMAP *strip = al_create_bitmap(w * cols, h * 3);
    al_set_target_bitmap(strip);
    for (int r = 0; r < 3; r++)
        al_draw_filled_rectangle(0, r * h, w * cols, (r + 1) * h,
                                 al_map_rgb(r == 0 ? 255 : 0, r == 1 ? 255 : 0, r == 2 ? 255 : 0));
    al_set_target_bitmap(old);
    return strip;
}

inline uint32_t probe_pixel(ALLEGRO_BITMAP *canvas, int x, int y)
{
    unsigned char r, g, b;
    al_unmap_rgb(al_get_pixel(canvas, x, y), &r, &g, &b);
    return ((uint32_t)r << 16) | ((uint32_t)g << 8) | b;
}

// n pixels from (x, y) in steps of (dx, dy), one letter each: '.' grey,
// 'k' black, 'w' white, 'R', 'G', 'B' the strip's rows, '?' anything else.
inline std::string probe_run(ALLEGRO_BITMAP *canvas, int x, int y, int dx, int dy, int n)
{
    static const struct { unsigned char r, g, b; char letter; } known[] = {
        {64, 64, 64, '.'}, {0, 0, 0, 'k'}, {255, 255, 255, 'w'},
        {255, 0, 0, 'R'}, {0, 255, 0, 'G'}, {0, 0, 255, 'B'},
    };
    std::string out;
    for (int i = 0; i < n; i++, x += dx, y += dy) {
        unsigned char r, g, b;
        char letter = '?';
        al_unmap_rgb(al_get_pixel(canvas, x, y), &r, &g, &b);
        for (const auto &k : known)
            if (k.r == r && k.g == g && k.b == b)
                letter = k.letter;
        out += letter;
    }
    return out;
}

#endif
