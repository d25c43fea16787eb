// The thin layer over the Allegro display and dialogs that start-up uses.
#ifndef ARCADE_CORE_PLATFORM_H
#define ARCADE_CORE_PLATFORM_H

#include <allegro5/allegro.h>

// Native error box with no buttons.
void error_box(ALLEGRO_DISPLAY *parent, const char *title,
               const char *heading, const char *text);

// Tests listen here; when set, it is called instead of the native box.
typedef void (*ErrorBoxHook)(ALLEGRO_DISPLAY *parent, const char *title,
                             const char *heading, const char *text);
extern ErrorBoxHook error_box_hook;

struct DisplayAttempt {
    int flags;
    int w;
    int h;
};

#define DISPLAY_ATTEMPTS_MAX 5
#define NO_ADAPTER_W 1280
#define NO_ADAPTER_H 960

// The display modes to try in turn. have_monitor is false when no video
// adapter is reported; then a 1280 x 960 full-screen window goes first.
void display_attempts_fill(bool have_monitor, int monitor_x2, int monitor_y2,
                           DisplayAttempt *out, int *count);

// Opens the first display that works, or returns null.
ALLEGRO_DISPLAY *display_open(void);

#endif
