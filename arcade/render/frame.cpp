// Frame pipeline: clear, draw the state's screen into the canvas, fade, present.
#include "render.h"

void draw_frame(ALLEGRO_BITMAP *canvas)
{
    (void)canvas;
}

void present_canvas()
{
}
