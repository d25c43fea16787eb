// Everything the player does ends here: the keyboard, the pads, the focus
// and the display switch keys. Input owns the held marks, and hands the
// state machine each key pressed.
//
// Held keys are marked by who holds them. The keyboard and every pad keep
// their own marks, so letting a key go on one does not release it while
// another still holds it; key_down is set while any of them holds the key.
#ifndef ARCADE_CORE_INPUT_H
#define ARCADE_CORE_INPUT_H

#include <stdint.h>
#include <allegro5/allegro.h>

#define KEY_TABLE_SIZE 256
#define INPUT_KEYBOARD 0
// The keyboard, then one source per pad slot.
#define INPUT_SOURCES 5

// Held keys by Allegro key code. Only the player's update reads it.
extern bool key_down[KEY_TABLE_SIZE];

// One event of the keyboard, a pad, the focus or the display; every other
// event is left alone. False: the player quits (Escape).
bool input_event(const ALLEGRO_EVENT *ev);
// At the start of every timer event, before the tick's update: true when
// the focus went and did not come back, so that play pauses now. X11
// reports a loss and a return together when the focus only moves from the
// pointer's root to the window itself.
bool input_tick(void);

// Marks the key as held by source, then hands it to the state machine.
void input_key_press(int source, int keycode);
// Clears source's mark; key_down stays set while another source holds it.
void input_key_release(int source, int keycode);
// Every mark of one source dropped (a key still held elsewhere stays held).
void input_release_source(int source);
// Every mark of every source, and the whole key_down table, cleared.
void input_release_all(void);

#endif
