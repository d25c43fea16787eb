// Held marks per source, and the release of all of them when the focus goes.
#include "core/input.h"
#include "core/game.h"
#include "core/pads.h"

// Bit n set: source n holds the key.
static uint8_t key_holders[KEY_TABLE_SIZE];
static bool focus_away;

static bool key_in_table(int keycode)
{
    return keycode >= 0 && keycode < KEY_TABLE_SIZE;
}

void input_key_press(int source, int keycode)
{
    if (key_in_table(keycode))
        key_holders[keycode] |= (uint8_t)(1u << source);
    handle_key_down(keycode);
}

void input_key_release(int source, int keycode)
{
    if (!key_in_table(keycode))
        return;
    key_holders[keycode] &= (uint8_t)~(1u << source);
    key_down[keycode] = key_holders[keycode] != 0;
}

void input_release_source(int source)
{
    for (int k = 0; k < KEY_TABLE_SIZE; k++)
        if (key_holders[k] & (1u << source))
            input_key_release(source, k);
}

void input_release_all(void)
{
    for (int k = 0; k < KEY_TABLE_SIZE; k++) {
        key_holders[k] = 0;
        key_down[k] = false;
    }
}

void input_focus_lost(void)
{
    pads_forget_held();
    input_release_all();
    focus_away = true;
}

void input_focus_back(void)
{
    focus_away = false;
}

void input_tick(void)
{
    if (focus_away) {
        focus_away = false;
        pause_for_focus_loss();
    }
}
