// Frame rendering: the screen of every game state drawn into the canvas,
// scaled onto the display, and the texts of every screen.
//
// The renderer only reads the game's variables; it changes none of them.
#ifndef ARCADE_RENDER_H
#define ARCADE_RENDER_H

#include <allegro5/allegro.h>

#define STORY_LINES 17
#define ENDING_LINES 18
#define FILTER_W 512
#define FILTER_H 480

// frame.cpp: the pipeline of one frame.
// Draws the current state into canvas, lays the fade over it, presents it.
void draw_frame(ALLEGRO_BITMAP *canvas);
// Everything that goes into the canvas, without presenting. Needs no display.
void frame_compose(ALLEGRO_BITMAP *canvas);

// present.cpp: the canvas scaled by a whole factor, centred on the display.
struct PresentRect {
    int scale;
    float x;
    float y;
    float w;
    float h;
};
// Where the canvas goes on a display of this size; only the height picks the factor.
void present_rect_compute(int display_w, int display_h, PresentRect *rect);
// The scaled canvas and the filter over it, into the current target of that size.
void present_draw(ALLEGRO_BITMAP *canvas, int display_w, int display_h);
// Scales canvas onto the display's back buffer with the filter, then flips.
void present_canvas(ALLEGRO_BITMAP *canvas);

// screens.cpp: the screens of the states outside play.
void screen_intro_draw(void);
void screen_title_draw(void);
void screen_stage_intro_draw(void);
void screen_game_over_draw(void);
void screen_stage_clear_draw(void);
void screen_story_draw(void);
void screen_fade_draw(void);
void screen_ending_draw(void);
// The background at the top, its ground strip at y = 192.
void backdrop_draw(ALLEGRO_BITMAP *background, ALLEGRO_BITMAP *surface);
// Black over the whole canvas, alpha 0 (none) to 255 (all black).
void shade_draw(int alpha);

// play.cpp: the running world.
void screen_playing_draw(void);

// texts.cpp: the texts of the menus, the stage card, the story and the ending.
extern const char *const story_text[STORY_LINES];
extern const char *const ending_text[ENDING_LINES];
void draw_title_texts(void);
void draw_stage_card_texts(void);
void draw_story_text(void);
void draw_ending_text(void);

// hud.cpp: the status bar and the popups of the play screen.
void draw_popups(void);
void draw_hud(void);

#endif
