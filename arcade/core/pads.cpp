// Pad controls turned into key presses and releases.
#include <string.h>
#include "core/pads.h"

Pad pads[PAD_SLOTS];
PadScanHook pad_scan_hook;

static const int pad_keycodes[PAD_KEY_COUNT] = {
    ALLEGRO_KEY_LEFT, ALLEGRO_KEY_RIGHT, ALLEGRO_KEY_UP, ALLEGRO_KEY_DOWN,
    ALLEGRO_KEY_Z, ALLEGRO_KEY_X, ALLEGRO_KEY_ENTER};

// Unnamed buttons: south and east first, Start eighth (Xbox-style pads,
// 11 buttons) or tenth (PlayStation-style pads, 13 buttons).
#define FALLBACK_START 7
#define FALLBACK_START_13 9

static uint8_t key_bit(int key)
{
    return (uint8_t)(1u << key);
}

static bool name_is(const char *name, const char *wanted)
{
    return name && strcmp(name, wanted) == 0;
}

static bool controls_named(const PadControls *c)
{
    for (int b = 0; b < c->buttons && b < PAD_BUTTONS; b++)
        if (name_is(c->button_name[b], "A") || name_is(c->button_name[b], "Start"))
            return true;
    return false;
}

static void map_by_names(const PadControls *c, PadMap *map)
{
    for (int b = 0; b < c->buttons && b < PAD_BUTTONS; b++) {
        if (name_is(c->button_name[b], "A"))
            map->button_key[b] = PAD_THROW;
        else if (name_is(c->button_name[b], "B"))
            map->button_key[b] = PAD_DROP;
        else if (name_is(c->button_name[b], "Start"))
            map->button_key[b] = PAD_START;
    }
    for (int s = 0; s < c->sticks && s < PAD_STICKS; s++)
        map->steers[s] = name_is(c->stick_name[s], "DPad") ||
                         name_is(c->stick_name[s], "Left Stick");
}

// Hats are digital sticks; the left stick is the first analogue one.
static void map_by_numbers(const PadControls *c, PadMap *map)
{
    int start = c->buttons == 13 ? FALLBACK_START_13 : FALLBACK_START;
    bool left_stick_found = false;

    if (c->buttons > 0)
        map->button_key[0] = PAD_THROW;
    if (c->buttons > 1)
        map->button_key[1] = PAD_DROP;
    if (c->buttons > start)
        map->button_key[start] = PAD_START;
    for (int s = 0; s < c->sticks && s < PAD_STICKS; s++) {
        if (c->stick_axes[s] < 2)
            continue;
        if (c->stick_flags[s] & ALLEGRO_JOYFLAG_DIGITAL) {
            map->steers[s] = 1;
        } else if (!left_stick_found) {
            map->steers[s] = 1;
            left_stick_found = true;
        }
    }
}

void pad_map_build(const PadControls *controls, PadMap *map)
{
    for (int b = 0; b < PAD_BUTTONS; b++)
        map->button_key[b] = PAD_NO_KEY;
    for (int s = 0; s < PAD_STICKS; s++)
        map->steers[s] = 0;
    if (controls_named(controls))
        map_by_names(controls, map);
    else
        map_by_numbers(controls, map);
}

static uint8_t pad_wanted(const Pad *pad)
{
    uint8_t bits = 0;

    for (int b = 0; b < PAD_BUTTONS; b++)
        if ((pad->buttons >> b & 1u) && pad->map.button_key[b] != PAD_NO_KEY)
            bits |= key_bit(pad->map.button_key[b]);
    for (int s = 0; s < PAD_STICKS; s++)
        if (pad->map.steers[s])
            bits |= pad->stick_bits[s];
    return bits;
}

static void report_add(PadReport *report, int source, int keycode, bool down)
{
    if (report->count < PAD_CHANGES_MAX)
        report->changes[report->count++] = PadChange{source, keycode, down};
}

// Presses and releases what changed since the pad's last event.
static void pad_sync(Pad *pad, PadReport *report)
{
    int source = 1 + (int)(pad - pads);
    uint8_t wanted = pad_wanted(pad);
    uint8_t up;
    uint8_t down;

    pad->blocked &= wanted;
    wanted &= (uint8_t)~pad->blocked;
    up = pad->sent & (uint8_t)~wanted;
    down = wanted & (uint8_t)~pad->sent;
    pad->sent = wanted;
    for (int k = 0; k < PAD_KEY_COUNT; k++)
        if (up & key_bit(k))
            report_add(report, source, pad_keycodes[k], false);
    for (int k = 0; k < PAD_KEY_COUNT; k++)
        if (down & key_bit(k))
            report_add(report, source, pad_keycodes[k], true);
}

// One axis of a stick: the negative and the positive direction it holds.
static uint8_t axis_bits(uint8_t old, float pos, int negative, int positive)
{
    uint8_t bits = 0;
    float neg_at = (old & key_bit(negative)) ? PAD_LET_GO : PAD_PRESS;
    float pos_at = (old & key_bit(positive)) ? PAD_LET_GO : PAD_PRESS;

    if (pos < -neg_at)
        bits |= key_bit(negative);
    if (pos > pos_at)
        bits |= key_bit(positive);
    return bits;
}

static void pad_stick_moved(Pad *pad, int stick, int axis, float pos, PadReport *report)
{
    uint8_t old;

    if (stick < 0 || stick >= PAD_STICKS || !pad->map.steers[stick])
        return;
    old = pad->stick_bits[stick];
    if (axis == 0)
        pad->stick_bits[stick] = (uint8_t)((old & (key_bit(PAD_UP) | key_bit(PAD_DOWN))) |
                                           axis_bits(old, pos, PAD_LEFT, PAD_RIGHT));
    else if (axis == 1)
        pad->stick_bits[stick] = (uint8_t)((old & (key_bit(PAD_LEFT) | key_bit(PAD_RIGHT))) |
                                           axis_bits(old, pos, PAD_UP, PAD_DOWN));
    else
        return;
    pad_sync(pad, report);
}

static void pad_button(Pad *pad, int button, bool down, PadReport *report)
{
    if (button < 0 || button >= PAD_BUTTONS)
        return;
    if (down)
        pad->buttons |= 1u << button;
    else
        pad->buttons &= ~(1u << button);
    pad_sync(pad, report);
}

static Pad *pad_of(const ALLEGRO_JOYSTICK *joy)
{
    for (int i = 0; i < PAD_SLOTS; i++)
        if (joy && pads[i].joy == joy)
            return &pads[i];
    return NULL;
}

bool pads_event(const ALLEGRO_EVENT *ev, PadReport *report)
{
    Pad *pad;

    report->count = 0;
    switch (ev->type) {
    case ALLEGRO_EVENT_JOYSTICK_CONFIGURATION:
        pads_configure(report);
        return true;
    case ALLEGRO_EVENT_JOYSTICK_AXIS:
        pad = pad_of(ev->joystick.id);
        if (pad)
            pad_stick_moved(pad, ev->joystick.stick, ev->joystick.axis, ev->joystick.pos,
                            report);
        return true;
    case ALLEGRO_EVENT_JOYSTICK_BUTTON_DOWN:
    case ALLEGRO_EVENT_JOYSTICK_BUTTON_UP:
        pad = pad_of(ev->joystick.id);
        if (pad)
            pad_button(pad, ev->joystick.button,
                       ev->type == ALLEGRO_EVENT_JOYSTICK_BUTTON_DOWN, report);
        return true;
    default:
        return false;
    }
}

// Lets go of everything the pad held, then frees its slot.
static void pad_drop(Pad *pad, PadReport *report)
{
    pad->buttons = 0;
    memset(pad->stick_bits, 0, sizeof pad->stick_bits);
    pad->blocked = 0;
    pad_sync(pad, report);
    pad->joy = NULL;
}

static void pad_attach(Pad *pad, ALLEGRO_JOYSTICK *joy, const PadMap *map)
{
    memset(pad, 0, sizeof *pad);
    pad->joy = joy;
    pad->map = *map;
}

static void controls_read(ALLEGRO_JOYSTICK *joy, PadControls *c)
{
    c->buttons = al_get_joystick_num_buttons(joy);
    if (c->buttons > PAD_BUTTONS)
        c->buttons = PAD_BUTTONS;
    for (int b = 0; b < c->buttons; b++)
        c->button_name[b] = al_get_joystick_button_name(joy, b);
    c->sticks = al_get_joystick_num_sticks(joy);
    if (c->sticks > PAD_STICKS)
        c->sticks = PAD_STICKS;
    for (int s = 0; s < c->sticks; s++) {
        c->stick_name[s] = al_get_joystick_stick_name(joy, s);
        c->stick_flags[s] = al_get_joystick_stick_flags(joy, s);
        c->stick_axes[s] = al_get_joystick_num_axes(joy, s);
    }
}

static int pads_scan(ALLEGRO_JOYSTICK **joys, PadControls *controls, int max)
{
    int found = 0;

    if (pad_scan_hook)
        return pad_scan_hook(joys, controls, max);
    if (!al_is_joystick_installed())
        return 0;
    al_reconfigure_joysticks();
    for (int i = 0; i < al_get_num_joysticks() && found < max; i++) {
        ALLEGRO_JOYSTICK *joy = al_get_joystick(i);

        if (!joy || !al_get_joystick_active(joy))
            continue;
        joys[found] = joy;
        controls_read(joy, &controls[found]);
        found++;
    }
    return found;
}

void pads_configure(PadReport *report)
{
    ALLEGRO_JOYSTICK *joys[PAD_SLOTS];
    PadControls controls[PAD_SLOTS];
    PadMap maps[PAD_SLOTS];
    int count = pads_scan(joys, controls, PAD_SLOTS);

    for (int i = 0; i < count; i++)
        pad_map_build(&controls[i], &maps[i]);
    // A pad gone, or a slot the driver reused for another pad, lets go first.
    for (int p = 0; p < PAD_SLOTS; p++) {
        bool kept = false;

        if (!pads[p].joy)
            continue;
        for (int i = 0; i < count; i++)
            if (joys[i] == pads[p].joy)
                kept = memcmp(&maps[i], &pads[p].map, sizeof(PadMap)) == 0;
        if (!kept)
            pad_drop(&pads[p], report);
    }
    for (int i = 0; i < count; i++) {
        if (pad_of(joys[i]))
            continue;
        for (int p = 0; p < PAD_SLOTS; p++) {
            if (!pads[p].joy) {
                pad_attach(&pads[p], joys[i], &maps[i]);
                break;
            }
        }
    }
}

void pads_forget_held(void)
{
    for (int p = 0; p < PAD_SLOTS; p++) {
        pads[p].blocked = pad_wanted(&pads[p]);
        pads[p].sent = 0;
    }
}

// Nothing is held yet: the first configuration reports nothing.
void pads_start(ALLEGRO_EVENT_QUEUE *queue)
{
    PadReport none = {};

    if (!al_install_joystick())
        return;
    al_register_event_source(queue, al_get_joystick_event_source());
    pads_configure(&none);
}
