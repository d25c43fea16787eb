// The texts of the title menu, the stage card, the story and the ending.
#include <stdio.h>
#include <string.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>
#include "core/game.h"
#include "core/world.h"
#include "core/stages.h"
#include "render/render.h"

// Line 1 the heading, line 2 empty, then the prose; each line under 45 characters.
const char *const story_text[STORY_LINES] = {
    "THE STILL SKY",
    "",
    "For a hundred years the winds of Gale Vale",
    "spun its mills and lifted its kites.",
    "Then one grey day the sky went still.",
    "Up in the clouds the old Storm Lord had",
    "bottled every breeze for himself, and his",
    "creatures spilled down over the valleys:",
    "living leaves, fire sprites and slimes,",
    "and bombs that fall like hail.",
    "Only one flyer is left: young Pip, with",
    "the propeller pack Grandpa built from a",
    "broken windmill and a bag of bolts.",
    "Pack of stones, sack of bombs, full tank.",
    "Fly east through the valleys, break the",
    "Storm Lord's guards, and set the wind free!",
    "Good luck, Pip.",
};

// Two lines, empty, seven lines, empty, one line, four empty, the closing line, empty.
const char *const ending_text[ENDING_LINES] = {
    "The last guard tumbles out of the clouds",
    "and the Storm Lord's bottles burst open.",
    "",
    "A warm wind rolls down into Gale Vale.",
    "The mills creak and start to spin again,",
    "kites climb over every rooftop,",
    "and the leaves are only leaves once more.",
    "Pip glides home on the first breeze,",
    "lands on the village green, and the",
    "propeller pack sputters to a proud stop.",
    "",
    "THANK YOU FOR PLAYING!",
    "",
    "",
    "",
    "",
    "THE END",
    "",
};

static ALLEGRO_COLOR text_white(void)
{
    return al_map_rgb(255, 255, 255);
}

static ALLEGRO_COLOR title_grey(void)
{
    return al_map_rgb(199, 199, 199);
}

static ALLEGRO_COLOR story_grey(void)
{
    return al_map_rgb(192, 192, 192);
}

// A shadow one pixel to the left first, the white text over it.
static void text_draw_shadowed(float x, float y, ALLEGRO_COLOR shadow, const char *text)
{
    al_draw_text(font, shadow, x - 1, y, ALLEGRO_ALIGN_LEFT, text);
    al_draw_text(font, text_white(), x, y, ALLEGRO_ALIGN_LEFT, text);
}

// Centred on x = 128 by a nominal character width of five pixels.
static void text_draw_centred(float y, const char *line)
{
    float half = 2.5f * (float)strlen(line);

    text_draw_shadowed(128.0f - half, y, story_grey(), line);
}

void draw_title_texts(void)
{
    static const char *const stage_names[STAGE_COUNT] = {
        "STAGE 1", "STAGE 2", "STAGE 3", "STAGE 4", "STAGE 5"
    };
    int i;

    // The prompt blinks: 15 ticks on, 15 off.
    if (stage_ticks <= 14 && title_enter_count == 0)
        text_draw_shadowed(90, 160, title_grey(), "PRESS ENTER");

    if (title_enter_count == 1) {
        for (i = 0; i < STAGE_COUNT; i++)
            text_draw_shadowed(106, 132 + 12 * i, title_grey(), stage_names[i]);
        text_draw_shadowed(98, 132 + 12 * selected_stage, title_grey(), ">");
    }

    text_draw_shadowed(224, 228, title_grey(), "v. 0.75");
}

void draw_stage_card_texts(void)
{
    char number[12];

    al_draw_text(font, text_white(), 104, 124, ALLEGRO_ALIGN_LEFT, "STAGE:");
    sprintf(number, "%i", (int)stage);
    al_draw_text(font, text_white(), 144, 124, ALLEGRO_ALIGN_LEFT, number);

    al_draw_text(font, text_white(), 104, 140, ALLEGRO_ALIGN_LEFT, "LIVES:");
    sprintf(number, "%i", (int)lives);
    al_draw_text(font, text_white(), 144, 140, ALLEGRO_ALIGN_LEFT, number);
}

void draw_story_text(void)
{
    int i;

    for (i = 0; i < STORY_LINES; i++)
        text_draw_centred(4 + 12 * i, story_text[i]);

    // The curtain: its top edge starts at y = 24 and sinks one pixel every
    // four ticks, uncovering the story line by line.
    al_draw_filled_rectangle(0, 280 - state_timer / 4, 256, 240, al_map_rgb(0, 0, 0));
}

void draw_ending_text(void)
{
    float rise = (float)(state_timer - 450) * 0.5f;
    int i;

    // Rises half a pixel per tick, from behind the ground strip to past the top.
    for (i = 0; i < ENDING_LINES; i++)
        text_draw_centred(4 + 12 * i + rise, ending_text[i]);
}
