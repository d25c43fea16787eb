// Start-up and shutdown: the library, the display, every resource, the loop's
// queue and timer. Everything is loaded here once and held to the end.
#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_ttf.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_acodec.h>
#include "core/game.h"
#include "core/world.h"
#include "core/resources.h"
#include "core/platform.h"
#include "core/display_mode.h"
#include "core/pads.h"

ALLEGRO_DISPLAY *display;
ALLEGRO_BITMAP *canvas;
ALLEGRO_BITMAP *canvas_snapshot;
ALLEGRO_FONT *font;
ALLEGRO_EVENT_QUEUE *event_queue;
ALLEGRO_TIMER *timer;

#define RESERVED_SAMPLES 10

// The box of a failed step; over the display once there is one.
static int32_t fail(const char *heading, const char *text)
{
    error_box(display, "Error occurred!", heading, text);
    return -1;
}

static int32_t init_library(void)
{
    if (!al_init())
        return fail("E_INIT", "Could not initialize Allegro!");
    if (!al_install_keyboard())
        return fail("E_KB", "Could not install keyboard!");
    if (!al_install_mouse())
        return fail("E_MOUSE", "Could not install mouse!");
    if (!al_init_primitives_addon())
        return fail("E_ADDON", "Could not initialize primitives addon!");
    if (!al_init_image_addon())
        return fail("E_ADDON", "Could not initialize image addon!");
    if (!al_install_audio())
        return fail("E_AUDIO", "Could not install audio!");
    if (!al_reserve_samples(RESERVED_SAMPLES))
        return fail("E_AUDIO", "Could not reserve samples!");
    if (!al_init_acodec_addon())
        return fail("E_ADDON", "Could not initialize audio codec addon!");
    al_init_font_addon();
    al_init_ttf_addon();
    return 1;
}

static int32_t open_screen(void)
{
    display = display_open();
    if (!display)
        return fail("E_DISP", "Could not create display!");
    al_hide_mouse_cursor(display);
    display_mode_remember();
    canvas = al_create_bitmap(CANVAS_W, CANVAS_H);
    if (!canvas)
        return fail("E_CANVAS", "Could not create canvas!");
    canvas_snapshot = al_create_bitmap(CANVAS_W, CANVAS_H);
    if (!canvas_snapshot)
        return fail("E_CANVAS", "Could not create canvas snapshot!");
    return 1;
}

static int32_t load_files(void)
{
    font = al_load_ttf_font(FONT_PATH, FONT_SIZE, ALLEGRO_TTF_MONOCHROME);
    if (!font)
        return fail("E_FONT", "Could not load font '" FONT_PATH "'!");

    for (int i = 0; i < BITMAP_COUNT; i++) {
        *bitmap_table[i].handle = al_load_bitmap(bitmap_table[i].path);
        if (!*bitmap_table[i].handle) {
            al_destroy_display(display);
            display = NULL;
            error_box(NULL, "Error occurred! A Bitmap is missing!", "Error E_BMP!",
                      bitmap_table[i].path);
            return -1;
        }
    }
    for (int i = 0; i < SAMPLE_COUNT; i++) {
        *sample_table[i].handle = al_load_sample(sample_table[i].path);
        if (!*sample_table[i].handle) {
            error_box(NULL, "Error E_AUDIO!", "Error occurred! An audio file is missing!",
                      sample_table[i].path);
            return -1;
        }
    }
    return 1;
}

static void new_game(void)
{
    new_game_values();
    reset_play();
    game_state = Intro;
    state_timer = SCREEN_TICKS;
    fade_timer = FADE_TICKS;
}

static int32_t start_clock(void)
{
    event_queue = al_create_event_queue();
    if (!event_queue)
        return fail("E_EVENTS", "Could not create event queue!");
    timer = al_create_timer(1.0 / 30.0);
    if (!timer)
        return fail("E_EVENTS", "Could not create event timer!");
    al_register_event_source(event_queue, al_get_display_event_source(display));
    al_register_event_source(event_queue, al_get_timer_event_source(timer));
    al_register_event_source(event_queue, al_get_keyboard_event_source());
    al_register_event_source(event_queue, al_get_mouse_event_source());
    pads_start(event_queue);
    al_start_timer(timer);
    return 1;
}

int32_t start_up(void)
{
    if (init_library() < 0)
        return -1;
    if (open_screen() < 0)
        return -1;
    if (load_files() < 0)
        return -1;
    new_game();
    return start_clock();
}

static void release_bitmap(ALLEGRO_BITMAP **bitmap)
{
    if (*bitmap)
        al_destroy_bitmap(*bitmap);
    *bitmap = NULL;
}

static void release_sample(ALLEGRO_SAMPLE **sample)
{
    if (*sample)
        al_destroy_sample(*sample);
    *sample = NULL;
}

// Every picture and sound in the order of their tables, with the canvas and
// the font. The filter, the snapshot, the timer, the queue and the display
// go with the library's own shutdown at process exit.
void shut_down(void)
{
    for (int i = 0; i < BITMAP_COUNT; i++) {
        if (bitmap_table[i].handle != &bmp_filter)
            release_bitmap(bitmap_table[i].handle);
    }
    release_bitmap(&canvas);
    if (font)
        al_destroy_font(font);
    font = NULL;
    for (int i = 0; i < SAMPLE_COUNT; i++)
        release_sample(sample_table[i].handle);
}
