// Frame rendering: the screen of every game state drawn into the canvas,
// then scaled onto the display.
#ifndef ARCADE_RENDER_H
#define ARCADE_RENDER_H

#include <allegro5/allegro.h>

// Draws the current state into canvas, lays the fades over it, presents it.
void draw_frame(ALLEGRO_BITMAP *canvas);

// Scales the canvas onto the display's back buffer with the filter, flips.
void present_canvas();

#endif
