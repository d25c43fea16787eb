// Pixel probes for drawing tests: a cleared memory canvas, a sprite strip with
// one known colour per row, and a pixel read back as 0xRRGGBB.
#ifndef ARCADE_ACTORS_TESTS_CANVAS_PROBE_H
#define ARCADE_ACTORS_TESTS_CANVAS_PROBE_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

inline const uint32_t PROBE_BACKGROUND = 0x404040u, PROBE_BLACK = 0u, PROBE_WHITE = 0xffffffu;
inline const uint32_t probe_row_colour[3] = {0xff0000u, 0x00ff00u, 0x0000ffu};

// Leaves the new canvas as the drawing target.
inline ALLEGRO_BITMAP *probe_canvas(int w, int h)
{
    ALLEGRO_BITMAP *canvas = al_create_bitmap(w, h);
    al_set_target_bitmap(canvas);
    al_clear_to_color(al_map_rgb(0x40, 0x40, 0x40));
    return canvas;
}

// Frames of w x h, cols of them in each of three rows.
inline ALLEGRO_BITMAP *probe_strip(int w, int h, int cols)
{
    ALLEGRO_BITMAP *old = al_get_target_bitmap();
    ALLEGRO_BITMAP *strip = al_create_bitmap(w * cols, h * 3);
    al_set_target_bitmap(strip);
    for (int r = 0; r < 3; r++) {
        uint32_t c = probe_row_colour[r];
        al_draw_filled_rectangle(0, r * h, w * cols, (r + 1) * h,
                                 al_map_rgb(c >> 16, (c >> 8) & 0xff, c & 0xff));
    }
    al_set_target_bitmap(old);
    return strip;
}

inline uint32_t probe_pixel(ALLEGRO_BITMAP *canvas, int x, int y)
{
    unsigned char r, g, b;
    al_unmap_rgb(al_get_pixel(canvas, x, y), &r, &g, &b);
    return ((uint32_t)r << 16) | ((uint32_t)g << 8) | b;
}

#endif
