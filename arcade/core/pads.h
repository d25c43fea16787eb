// Gamepads as a second keyboard: the d-pad and the left stick hold the
// arrows, the south face button throws (Z), the east one drops (X), Start
// is Enter. A pad reports its presses and releases to input, which handles
// them as the keyboard's, so nothing further on can tell the two apart.
#ifndef ARCADE_CORE_PADS_H
#define ARCADE_CORE_PADS_H

#include <stdint.h>
#include <allegro5/allegro.h>

enum PadKey : uint8_t {
    PAD_LEFT,
    PAD_RIGHT,
    PAD_UP,
    PAD_DOWN,
    PAD_THROW,
    PAD_DROP,
    PAD_START,
    PAD_KEY_COUNT
};

#define PAD_SLOTS 4
#define PAD_BUTTONS 32
#define PAD_STICKS 16
#define PAD_NO_KEY (-1)
// A stick holds its direction past PAD_PRESS and lets go below PAD_LET_GO,
// so a resting or trembling stick neither holds nor chatters.
#define PAD_PRESS 0.5f
#define PAD_LET_GO 0.35f

// What the driver tells of a pad's controls.
struct PadControls {
    int buttons;
    const char *button_name[PAD_BUTTONS];
    int sticks;
    const char *stick_name[PAD_STICKS];
    int stick_flags[PAD_STICKS];
    int stick_axes[PAD_STICKS];
};

// Which key each button stands for, and which sticks steer.
struct PadMap {
    int8_t button_key[PAD_BUTTONS];
    uint8_t steers[PAD_STICKS];
};

struct Pad {
    ALLEGRO_JOYSTICK *joy;  // null: a free slot
    PadMap map;
    uint32_t buttons;                // bit b: button b is down
    uint8_t stick_bits[PAD_STICKS];  // PadKey bits each stick holds
    uint8_t sent;     // PadKey bits this pad has pressed and not released
    uint8_t blocked;  // held when the focus went: ignored until let go
};

extern Pad pads[PAD_SLOTS];

// What the pads pressed and let go in one event, in order. A pad is the
// input source 1 + its slot (0 is the keyboard).
struct PadChange {
    int source;
    int keycode;
    bool down;
};

#define PAD_CHANGES_MAX (2 * PAD_SLOTS * PAD_KEY_COUNT)

struct PadReport {
    int count;
    PadChange changes[PAD_CHANGES_MAX];
};

// By the names the driver gives where it names them ("A", "B", "Start",
// "DPad", "Left Stick"); else by the usual numbering of common pads.
void pad_map_build(const PadControls *controls, PadMap *map);

// Start-up: the joystick driver (a failure only means no pads), its events
// on the queue, and the pads already plugged in.
void pads_start(ALLEGRO_EVENT_QUEUE *queue);
// A joystick event: true when it was one; what it pressed and let go goes
// into report, emptied first.
bool pads_event(const ALLEGRO_EVENT *ev, PadReport *report);
// Pads plugged in or pulled out; a pad gone lets go of what it held.
void pads_configure(PadReport *report);
// Focus lost: the marks go elsewhere; what is held now waits to be let go.
void pads_forget_held(void);

// Tests list their pads here; when set, it is asked instead of the driver.
typedef int (*PadScanHook)(ALLEGRO_JOYSTICK **joys, PadControls *controls, int max);
extern PadScanHook pad_scan_hook;

#endif
