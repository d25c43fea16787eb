// F11 and Alt+Enter: full screen as start-up opened it, or a resizable
// window of the largest whole multiple of the canvas that fits the desktop.
#ifndef ARCADE_CORE_DISPLAY_MODE_H
#define ARCADE_CORE_DISPLAY_MODE_H

#include <allegro5/allegro.h>

// False: the full-screen display of start-up; true: the window.
extern bool display_windowed;

// Remembers the mode start-up opened, to come back to it from the window.
void display_mode_remember(void);
// F11, or Enter while Alt is held.
bool display_switch_key(int keycode, bool alt_held);
// Between full screen and the window. The display is replaced; the pictures
// carry over. Allegro's own held keys are dropped, since their key-ups go to
// the window that is gone (input drops its marks likewise).
void display_switch(void);
// The window's size changed: the presentation re-centres on the next frame.
void display_resized(const ALLEGRO_DISPLAY_EVENT *resize);

// The largest whole multiple of the canvas that fits the area, at least 1.
int window_scale_fit(int area_w, int area_h);

#endif
