// Held keys by who holds them. The keyboard and every pad keep their own
// marks, so letting a key go on one does not release it while another still
// holds it; key_down is set while any of them holds the key.
#ifndef ARCADE_CORE_INPUT_H
#define ARCADE_CORE_INPUT_H

#include <stdint.h>

#define INPUT_KEYBOARD 0
// The keyboard, then one source per pad slot.
#define INPUT_SOURCES 5

// Marks the key as held by source, then hands it to the loop's key-down
// handling (the player's key handler and the menu keys).
void input_key_press(int source, int keycode);
// Clears source's mark; key_down stays set while another source holds it.
void input_key_release(int source, int keycode);
// Every mark of one source dropped (a key still held elsewhere stays held).
void input_release_source(int source);
// Every mark of every source, and the whole key_down table, cleared.
void input_release_all(void);

// The display lost the focus: the key-ups may never come back, so nothing
// stays held at once. Play pauses, as Enter would, at the next tick unless
// the focus is back by then: X11 reports a loss and a return together when
// the focus only moves from the pointer's root to the window itself.
void input_focus_lost(void);
void input_focus_back(void);
// At the start of every timer event, before the tick's update.
void input_tick(void);

#endif
