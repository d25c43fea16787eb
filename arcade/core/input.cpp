// The one place where presses and releases arrive: held marks per source,
// the display switch keys, and the release of everything when the focus
// goes or the display is replaced.
#include "core/input.h"
#include "core/game.h"
#include "core/pads.h"
#include "core/display_mode.h"

bool key_down[KEY_TABLE_SIZE];

// Bit n set: source n holds the key.
static uint8_t key_holders[KEY_TABLE_SIZE];
static bool focus_away;

static bool key_in_table(int keycode)
{
    return keycode >= 0 && keycode < KEY_TABLE_SIZE;
}

void input_key_press(int source, int keycode)
{
    if (key_in_table(keycode)) {
        key_holders[keycode] |= (uint8_t)(1u << source);
        key_down[keycode] = true;
    }
    game_key_pressed(keycode);
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

// The key-ups may never come back, so nothing stays held at once; what a
// pad holds now waits to be let go. Play pauses at the next tick unless the
// focus is back by then.
static void focus_lost(void)
{
    pads_forget_held();
    input_release_all();
    focus_away = true;
}

// F11, or Enter while Alt is held. The key-down events of most platforms
// carry no modifiers: the held marks of the Alt keys tell instead. The
// keyboard's marks are dropped with the display, whose key-ups are lost.
static bool switch_key(const ALLEGRO_KEYBOARD_EVENT *key)
{
    bool alt = (key->modifiers & ALLEGRO_KEYMOD_ALT) || key_down[ALLEGRO_KEY_ALT] ||
               key_down[ALLEGRO_KEY_ALTGR];

    if (!display_switch_key(key->keycode, alt))
        return false;
    input_release_source(INPUT_KEYBOARD);
    display_switch();
    return true;
}

static void pads_apply(const PadReport *report)
{
    for (int i = 0; i < report->count; i++) {
        const PadChange *change = &report->changes[i];

        if (change->down)
            input_key_press(change->source, change->keycode);
        else
            input_key_release(change->source, change->keycode);
    }
}

bool input_event(const ALLEGRO_EVENT *ev)
{
    PadReport report;

    switch (ev->type) {
    case ALLEGRO_EVENT_KEY_UP:
        input_key_release(INPUT_KEYBOARD, ev->keyboard.keycode);
        return true;
    case ALLEGRO_EVENT_KEY_DOWN:
        if (ev->keyboard.keycode == ALLEGRO_KEY_ESCAPE)
            return false;
        if (!switch_key(&ev->keyboard))
            input_key_press(INPUT_KEYBOARD, ev->keyboard.keycode);
        return true;
    case ALLEGRO_EVENT_DISPLAY_SWITCH_OUT:
        focus_lost();
        return true;
    case ALLEGRO_EVENT_DISPLAY_SWITCH_IN:
        focus_away = false;
        return true;
    default:
        if (pads_event(ev, &report))
            pads_apply(&report);
        return true;
    }
}

bool input_tick(void)
{
    bool lost = focus_away;

    focus_away = false;
    return lost;
}
