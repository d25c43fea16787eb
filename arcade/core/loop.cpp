// The event loop's handling: a timer event runs one tick and draws its
// frame; input takes the keys, the pads and the focus. It sits above the
// core and the rendering, which know nothing of it.
#include "core/game.h"
#include "core/input.h"
#include "core/display_mode.h"
#include "render/render.h"

ALLEGRO_EVENT event;

bool process_event(const ALLEGRO_EVENT *ev)
{
    switch (ev->type) {
    case ALLEGRO_EVENT_TIMER:
        if (input_tick())
            pause_for_focus_loss();
        update_world();
        draw_frame(canvas);
        return true;
    case ALLEGRO_EVENT_DISPLAY_CLOSE:
        return false;
    case ALLEGRO_EVENT_DISPLAY_RESIZE:
        display_resized(&ev->display);
        return true;
    default:
        return input_event(ev);
    }
}

bool process_next_event(void)
{
    al_wait_for_event(event_queue, &event);
    return process_event(&event);
}
