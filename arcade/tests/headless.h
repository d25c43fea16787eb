// The game without a display or a sound device: memory bitmaps, the game's
// own pictures, sounds and font, and events handed to the loop's handler.
// Shared by the whole-game run and the benchmarks.
#ifndef ARCADE_TESTS_HEADLESS_H
#define ARCADE_TESTS_HEADLESS_H

#include <stdint.h>

// Loads the font and every picture start-up loads, from the folder that
// holds res/, into memory bitmaps, and creates the canvas and its snapshot.
// The sounds are stand-ins that only sound_hook hears (it starts silent).
// False on failure.
bool headless_start(const char *game_dir);
void headless_stop(void);

// The values start-up leaves: Intro with its timers, a new game, no key held.
void headless_new_game(void);

// One event through process_event, as the loop hands it over.
bool headless_timer_tick(void);
bool headless_key_down(int keycode);
bool headless_key_up(int keycode);

#endif
