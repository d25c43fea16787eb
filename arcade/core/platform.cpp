// Display opening and the native error box.
#include <stdio.h>
#include <allegro5/allegro_native_dialog.h>
#include "core/platform.h"

ErrorBoxHook error_box_hook;

void error_box(ALLEGRO_DISPLAY *parent, const char *title,
               const char *heading, const char *text)
{
    if (error_box_hook) {
        error_box_hook(parent, title, heading, text);
        return;
    }
    /* The box needs a desktop; a start from a terminal with none (no
       DISPLAY, say) would otherwise end with status 1 and no word why. */
    fprintf(stderr, "arcade: %s\n  %s\n  %s\n", title, heading, text);
    al_show_native_message_box(parent, title, heading, text, NULL,
                               ALLEGRO_MESSAGEBOX_ERROR);
}

static void attempt_add(DisplayAttempt *out, int *count, int flags, int w, int h)
{
    out[*count].flags = flags;
    out[*count].w = w;
    out[*count].h = h;
    *count += 1;
}

void display_attempts_fill(bool have_monitor, int monitor_x2, int monitor_y2,
                           DisplayAttempt *out, int *count)
{
    *count = 0;
    if (have_monitor) {
        attempt_add(out, count, ALLEGRO_FULLSCREEN, monitor_x2, monitor_y2);
        attempt_add(out, count, ALLEGRO_FULLSCREEN_WINDOW, monitor_x2, monitor_y2);
    } else {
        // No monitor size to go by: a 4x window of the canvas is a fair guess.
        attempt_add(out, count, ALLEGRO_FULLSCREEN_WINDOW, NO_ADAPTER_W, NO_ADAPTER_H);
    }
    attempt_add(out, count, ALLEGRO_FULLSCREEN, 640, 480);
    attempt_add(out, count, ALLEGRO_WINDOWED, 512, 480);
}

ALLEGRO_DISPLAY *display_open(void)
{
    DisplayAttempt attempts[DISPLAY_ATTEMPTS_MAX];
    ALLEGRO_MONITOR_INFO info = {0, 0, 0, 0};
    ALLEGRO_DISPLAY *opened = NULL;
    int count;
    int adapter = al_get_num_video_adapters() - 1;
    bool have_monitor = adapter >= 0 && al_get_monitor_info(adapter, &info);

    display_attempts_fill(have_monitor, info.x2, info.y2, attempts, &count);
    for (int i = 0; i < count && !opened; i++) {
        al_set_new_display_flags(attempts[i].flags);
        opened = al_create_display(attempts[i].w, attempts[i].h);
    }
    return opened;
}
