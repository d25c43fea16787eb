// The switch between full screen and a window, and the window's resizing.
// al_clear_keyboard_state is still in Allegro's unstable part; this file
// calls no al_init, so the unstable mark asks for no exact library version.
#define ALLEGRO_UNSTABLE
#include <limits.h>
#include "core/display_mode.h"
#include "core/game.h"
#include "core/platform.h"
#include "core/work_area.h"

bool display_windowed;

// The mode start-up opened; a display is always replaced rather than changed,
// because a window can only be made resizable when it is created.
static int full_flags = ALLEGRO_WINDOWED;
static int full_w = 2 * CANVAS_W;
static int full_h = 2 * CANVAS_H;

#define FULL_FLAG_MASK (ALLEGRO_WINDOWED | ALLEGRO_FULLSCREEN | ALLEGRO_FULLSCREEN_WINDOW)

void display_mode_remember(void)
{
    if (!display)
        return;
    full_flags = al_get_display_flags(display) & FULL_FLAG_MASK;
    full_w = al_get_display_width(display);
    full_h = al_get_display_height(display);
    display_windowed = false;
}

bool display_switch_key(int keycode, bool alt_held)
{
    return keycode == ALLEGRO_KEY_F11 || (keycode == ALLEGRO_KEY_ENTER && alt_held);
}

int window_scale_fit(int area_w, int area_h)
{
    int by_width = area_w / CANVAS_W;
    int by_height = area_h / CANVAS_H;
    int scale = by_width < by_height ? by_width : by_height;

    return scale < 1 ? 1 : scale;
}

static ALLEGRO_DISPLAY *display_create(int flags, int w, int h, int x, int y)
{
    ALLEGRO_DISPLAY *opened;

    al_set_new_display_flags(flags);
    al_set_new_window_position(x, y);
    opened = al_create_display(w, h);
    al_set_new_window_position(INT_MAX, INT_MAX);
    return opened;
}

static ALLEGRO_DISPLAY *window_open(void)
{
    WorkArea area;
    int scale;

    work_area_get(&area);
    scale = window_scale_fit(area.w, area.h);
    return display_create(ALLEGRO_WINDOWED | ALLEGRO_RESIZABLE, CANVAS_W * scale,
                          CANVAS_H * scale, area.x + (area.w - CANVAS_W * scale) / 2,
                          area.y + (area.h - CANVAS_H * scale) / 2);
}

static ALLEGRO_DISPLAY *full_open(void)
{
    return display_create(full_flags, full_w, full_h, INT_MAX, INT_MAX);
}

// Destroying the display turns its pictures into memory bitmaps; creating the
// next one makes them video bitmaps again (the call below makes sure of it
// where the platform does not). Should neither mode open, the start-up
// attempts are tried once more; with no display at all, frames only go
// unseen.
static void display_replace(void)
{
    al_destroy_display(display);
    display = display_windowed ? window_open() : full_open();
    if (!display) {
        display_windowed = !display_windowed;
        display = display_windowed ? window_open() : full_open();
    }
    if (!display) {
        display = display_open();
        display_windowed = false;
    }
    if (!display)
        return;
    al_convert_memory_bitmaps();
    al_register_event_source(event_queue, al_get_display_event_source(display));
    if (display_windowed)
        al_show_mouse_cursor(display);
    else
        al_hide_mouse_cursor(display);
}

// The release of the switch key (and of any key let go meanwhile) may have
// gone to the window that is gone, or to none while the new one waits for
// the focus: Allegro would still hold the key and take its next press for a
// repeat. After a switch nothing is held until it is pressed again.
void display_switch(void)
{
    display_windowed = !display_windowed;
    if (display)
        display_replace();
    if (al_is_keyboard_installed())
        al_clear_keyboard_state(display);
}

void display_resized(const ALLEGRO_DISPLAY_EVENT *resize)
{
    if (display && resize->source == display)
        al_acknowledge_resize(display);
}
