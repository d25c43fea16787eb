// The screens of the states outside play: splash, title, stage card, the
// game-over and stage-clear slides, story, fade and ending.
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>
#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"
#include "core/stages.h"
#include "render/render.h"

#define SLIDE_TICKS 60
#define SLIDE_STEP 4

static ALLEGRO_COLOR backdrop_grey(void)
{
    return al_map_rgb(93, 93, 93);
}

// A backdrop: the background, and the ground strip along the bottom.
void backdrop_draw(ALLEGRO_BITMAP *background, ALLEGRO_BITMAP *surface)
{
    al_draw_bitmap(background, 0, 0, 0);
    al_draw_bitmap(surface, 0, 192, 0);
}

void shade_draw(int alpha)
{
    if (alpha <= 0)
        return;
    if (alpha > 255)
        alpha = 255;
    al_draw_filled_rectangle(0, 0, CANVAS_W, CANVAS_H, al_map_rgba(0, 0, 0, alpha));
}

void screen_intro_draw(void)
{
    al_draw_bitmap(bmp_creator, 0, 0, 0);
}

void screen_title_draw(void)
{
    al_clear_to_color(backdrop_grey());
    backdrop_draw(bmp_background3, bmp_surface);
    al_draw_bitmap(bmp_title, 0, 0, 0);
    draw_title_texts();
}

// Every card is placed by the size of the first, centred on (128, 96).
void screen_stage_intro_draw(void)
{
    const StageRow *row = stage_row(stage);
    int w = al_get_bitmap_width(*stage_rows[0].card);
    int h = al_get_bitmap_height(*stage_rows[0].card);

    if (row)
        al_draw_bitmap(*row->card, 128 - w / 2, 96 - h / 2, 0);
    draw_stage_card_texts();
}

// The picture slides down four pixels a tick over the frozen last frame of
// play, from wholly above the canvas to rest at the top from tick 60 on.
static void slide_draw(ALLEGRO_BITMAP *picture)
{
    int y = 0;

    if (stage_ticks < SLIDE_TICKS)
        y = SLIDE_STEP * (int)stage_ticks - CANVAS_H;
    al_clear_to_color(backdrop_grey());
    al_draw_bitmap(canvas_snapshot, 0, 0, 0);
    al_draw_bitmap(picture, 0, y, 0);
}

void screen_game_over_draw(void)
{
    slide_draw(bmp_gameover);
}

void screen_stage_clear_draw(void)
{
    slide_draw(bmp_completed);
}

void screen_story_draw(void)
{
    draw_story_text();
}

// The picture captured when the fade began, sinking to black in steps of 8.
void screen_fade_draw(void)
{
    al_draw_bitmap(canvas_snapshot, 0, 0, 0);
    shade_draw(255 - 8 * fade_timer);
}

// The text scrolls up behind the ground strip, drawn again over it.
void screen_ending_draw(void)
{
    al_clear_to_color(backdrop_grey());
    backdrop_draw(bmp_background, bmp_surface);
    draw_ending_text();
    al_draw_bitmap(bmp_surface, 0, 192, 0);
}
