#include "headless.h"

#include <stdio.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include "core/game.h"
#include "core/input.h"
#include "core/resources.h"
#include "sound/sound.h"
#include "core/world.h"
#include "core/tests/test_support.h"

static char sample_stand_ins[SAMPLE_COUNT];

static void silence(ALLEGRO_SAMPLE *sample, float gain, float speed)
{
    (void)sample;
    (void)gain;
    (void)speed;
}

static bool path_join(char *out, size_t size, const char *dir, const char *file)
{
    int n = snprintf(out, size, "%s/%s", dir, file);

    return n > 0 && (size_t)n < size;
}

bool headless_start(const char *game_dir)
{
    char path[1024];

    if (!al_init() || !al_init_primitives_addon() || !al_init_image_addon())
        return false;
    al_init_font_addon();
    if (!al_init_ttf_addon())
        return false;
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);

    if (!path_join(path, sizeof path, game_dir, FONT_PATH))
        return false;
    font = al_load_ttf_font(path, FONT_SIZE, ALLEGRO_TTF_MONOCHROME);
    if (!font)
        return false;
    for (int i = 0; i < BITMAP_COUNT; i++) {
        if (!path_join(path, sizeof path, game_dir, bitmap_table[i].path))
            return false;
        *bitmap_table[i].handle = al_load_bitmap(path);
        if (!*bitmap_table[i].handle)
            return false;
    }
    // Without a sound device: distinct stand-ins, heard only by the hook.
    for (int i = 0; i < SAMPLE_COUNT; i++)
        *sample_table[i].handle = reinterpret_cast<ALLEGRO_SAMPLE *>(&sample_stand_ins[i]);
    sound_hook = silence;
    canvas = al_create_bitmap(CANVAS_W, CANVAS_H);
    canvas_snapshot = al_create_bitmap(CANVAS_W, CANVAS_H);
    return canvas && canvas_snapshot;
}

static void bitmap_release(ALLEGRO_BITMAP **bitmap)
{
    if (*bitmap)
        al_destroy_bitmap(*bitmap);
    *bitmap = NULL;
}

void headless_stop(void)
{
    for (int i = 0; i < BITMAP_COUNT; i++)
        bitmap_release(bitmap_table[i].handle);
    for (int i = 0; i < SAMPLE_COUNT; i++)
        *sample_table[i].handle = NULL;
    sound_hook = NULL;
    bitmap_release(&canvas);
    bitmap_release(&canvas_snapshot);
    if (font)
        al_destroy_font(font);
    font = NULL;
}

void headless_new_game(void)
{
    start_new_game();
}

bool headless_timer_tick(void)
{
    ALLEGRO_EVENT ev = {};

    ev.type = ALLEGRO_EVENT_TIMER;
    return process_event(&ev);
}

bool headless_key_down(int keycode)
{
    ALLEGRO_EVENT ev = key_event(ALLEGRO_EVENT_KEY_DOWN, keycode);

    return process_event(&ev);
}

bool headless_key_up(int keycode)
{
    ALLEGRO_EVENT ev = key_event(ALLEGRO_EVENT_KEY_UP, keycode);

    return process_event(&ev);
}
