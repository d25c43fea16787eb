// Frame pipeline: the state's screen drawn into the canvas, the fade-in
// laid over it, then the canvas presented on the display.
#include <allegro5/allegro.h>
#include "core/game.h"
#include "render/render.h"

static void screen_draw(int state)
{
    switch (state) {
    case Intro: screen_intro_draw(); break;
    case Title: screen_title_draw(); break;
    case StageIntro: screen_stage_intro_draw(); break;
    case Playing: screen_playing_draw(); break;
    case GameOver: screen_game_over_draw(); break;
    case StageClear: screen_stage_clear_draw(); break;
    case Story: screen_story_draw(); break;
    case Fade: screen_fade_draw(); break;
    case Ending: screen_ending_draw(); break;
    default: break;
    }
}

// A pause leaves the canvas as it was, so the last frame of play stays up;
// a fade-in still running darkens it further each tick.
void frame_compose(ALLEGRO_BITMAP *canvas)
{
    al_set_target_bitmap(canvas);
    if (game_state != Paused) {
        al_clear_to_color(al_map_rgb(0, 0, 0));
        screen_draw(game_state);
    }
    if (fade_timer != 0 && game_state != Fade)
        shade_draw(8 * fade_timer);
}

void draw_frame(ALLEGRO_BITMAP *canvas)
{
    // The back buffer's black is the border around the scaled picture.
    if (display != NULL) {
        al_set_target_backbuffer(display);
        al_clear_to_color(al_map_rgb(0, 0, 0));
    }
    frame_compose(canvas);
    present_canvas(canvas);
}
