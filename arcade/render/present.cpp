// Presentation: the canvas scaled by a whole factor onto the display,
// centred, with the translucent filter over it.
#include <allegro5/allegro.h>
#include "core/game.h"
#include "core/resources.h"
#include "render/render.h"

// Only the height picks the factor, so a narrow display cuts the sides.
// A display too short for the canvas still shows it, at factor 1, centred.
void present_rect_compute(int display_w, int display_h, PresentRect *rect)
{
    int scale = display_h / CANVAS_H;

    if (scale < 1)
        scale = 1;
    rect->scale = scale;
    rect->w = (float)(CANVAS_W * scale);
    rect->h = (float)(CANVAS_H * scale);
    rect->x = (float)(display_w - CANVAS_W * scale) * 0.5f;
    rect->y = (float)(display_h - CANVAS_H * scale) * 0.5f;
}

void present_draw(ALLEGRO_BITMAP *canvas, int display_w, int display_h)
{
    PresentRect rect;

    present_rect_compute(display_w, display_h, &rect);
    al_draw_scaled_bitmap(canvas, 0, 0, CANVAS_W, CANVAS_H,
                          rect.x, rect.y, rect.w, rect.h, 0);
    al_draw_tinted_scaled_bitmap(bmp_filter, al_map_rgba_f(1, 1, 1, 0.25f),
                                 0, 0, FILTER_W, FILTER_H,
                                 rect.x, rect.y, rect.w, rect.h, 0);
}

void present_canvas(ALLEGRO_BITMAP *canvas)
{
    if (display == NULL)
        return;
    al_set_target_backbuffer(display);
    present_draw(canvas, al_get_display_width(display), al_get_display_height(display));
    al_flip_display();
}
