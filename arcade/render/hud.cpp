// The status bar and the popups of the play screen.
#include <stdio.h>
#include <string.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>
#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"
#include "render/render.h"

#define SCORE_DIGITS 9
#define SCORE_RIGHT 96
#define ZEROS_LEFT 42
#define DIGIT_W 6

// The combo count floats above the player as a shadowed "x" and the number.
static void combo_draw(float px, float py)
{
    ALLEGRO_COLOR grey = al_map_rgb(199, 199, 199);
    ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    char number[12];

    sprintf(number, "%i", (int)combo);
    al_draw_text(font, grey, px - 7, py - 20, ALLEGRO_ALIGN_LEFT, "x");
    al_draw_text(font, grey, px - 1, py - 20, ALLEGRO_ALIGN_LEFT, number);
    al_draw_text(font, white, px - 6, py - 20, ALLEGRO_ALIGN_LEFT, "x");
    al_draw_text(font, white, px, py - 20, ALLEGRO_ALIGN_LEFT, number);
}

void draw_popups(void)
{
    float x = extra_life_popup.x;
    float y = extra_life_popup.y;

    if (combo > 0)
        combo_draw(player.x, player.y);

    // Always drawn: the game core parks it off the canvas when idle.
    al_draw_text(font, al_map_rgb(199, 199, 199), x - 1, y, ALLEGRO_ALIGN_LEFT, "1 UP!");
    al_draw_text(font, al_map_rgb(255, 255, 255), x, y, ALLEGRO_ALIGN_LEFT, "1 UP!");
}

// Nine digits ending at x = 96, padded with zeros. A longer number (ten
// digits, or nine and a minus sign) gets no zeros and is drawn whole,
// right-aligned at the same place, so it grows to the left.
static void score_draw(ALLEGRO_COLOR white)
{
    char number[12];
    int zeros;
    int k;

    sprintf(number, "%i", (int)score);
    zeros = SCORE_DIGITS - (int)strlen(number);
    for (k = 0; k < zeros; k++)
        al_draw_text(font, white, ZEROS_LEFT + DIGIT_W * k, 3, ALLEGRO_ALIGN_LEFT, "0");
    al_draw_text(font, white, SCORE_RIGHT, 3, ALLEGRO_ALIGN_RIGHT, number);
}

// One life picture per point of health, from the right edge leftwards.
static void health_draw(void)
{
    int k;

    for (k = 1; k <= health; k++)
        al_draw_bitmap(bmp_life, 256 - 14 * k, 2, 0);
}

void draw_hud(void)
{
    ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    char number[12];

    al_draw_filled_rectangle(0, 0, 256, 16, al_map_rgb(0, 0, 0));
    al_draw_text(font, white, 1, 3, ALLEGRO_ALIGN_LEFT, "SCORE:");
    score_draw(white);
    health_draw();

    // The refill meter: two pixels high, 100 wide when full at 200.
    al_draw_filled_rectangle(158, 13, 158 + health_meter * 0.5f, 15, white);

    al_draw_text(font, white, 106, 3, ALLEGRO_ALIGN_LEFT, "STAGE:");
    sprintf(number, "%i", (int)stage);
    al_draw_text(font, white, 146, 3, ALLEGRO_ALIGN_LEFT, number);
}
