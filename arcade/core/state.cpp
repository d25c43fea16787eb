// The game states, their timers and keys, and the event loop's handling.
#include "core/game.h"
#include "core/world.h"
#include "core/stages.h"
#include "core/resources.h"
#include "core/sound.h"
#include "core/input.h"
#include "core/pads.h"
#include "core/display_mode.h"
#include "render/render.h"

GameState game_state;
GameState next_state;
int32_t fade_timer;
int32_t state_timer;
uint32_t stage_ticks;
int32_t stage;
int8_t selected_stage;
uint8_t title_enter_count;
bool key_down[KEY_TABLE_SIZE];

ALLEGRO_EVENT event;

void capture_canvas(void)
{
    ALLEGRO_STATE saved;

    if (!canvas || !canvas_snapshot)
        return;
    al_store_state(&saved, ALLEGRO_STATE_TARGET_BITMAP | ALLEGRO_STATE_BLENDER);
    al_set_target_bitmap(canvas_snapshot);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_draw_bitmap(canvas, 0, 0, 0);
    al_restore_state(&saved);
}

void start_fade(GameState target)
{
    next_state = target;
    game_state = Fade;
    fade_timer = FADE_TICKS;
    capture_canvas();
}

// The boss has died and fallen away: the next stage's world is set up
// behind the slide of the last picture.
void stage_cleared(void)
{
    capture_canvas();
    stage += 1;
    reset_world();
    game_state = StageClear;
    state_timer = 60;
}

// The player has dropped out of the field: the stage starts again, or the
// game is over with the last life.
void player_fell_out(void)
{
    reset_world();
    if (lives == 0) {
        capture_canvas();
        game_state = GameOver;
        score = 0;
    } else {
        start_fade(StageIntro);
    }
    state_timer = 60;
    stage_ticks = 0;
}

static void tick_title(void)
{
    stage_ticks += 1;
    if (stage_ticks >= TITLE_CYCLE)
        stage_ticks = 0;
}

static void tick_game_over(void)
{
    stage_ticks += 1;
    if (stage_ticks >= SLIDE_SHOW_TICKS) {
        new_game_values();
        start_fade(Title);
    }
}

static void tick_stage_clear(void)
{
    stage_ticks += 1;
    if (stage_ticks >= SLIDE_SHOW_TICKS) {
        state_timer = 60;
        // stage has moved past the one just cleared.
        if (stage_ends_game(stage - 1)) {
            state_timer = ENDING_TICKS;
            start_fade(Ending);
        } else {
            start_fade(StageIntro);
        }
    }
}

static void tick_ending(void)
{
    if (state_timer == 0) {
        new_game_values();
        health_meter = 0;
        reset_world();
        start_fade(Title);
    }
}

void tick_game_state(void)
{
    GameState state = game_state;

    if (state_timer > 0 && state != Fade)
        state_timer -= 1;
    if (fade_timer > 0)
        fade_timer -= 1;

    switch (state) {
    case Intro:
        if (state_timer == 0) {
            start_fade(Story);
            state_timer = STORY_TICKS;
        }
        break;
    case Title:
        tick_title();
        break;
    case StageIntro:
        if (state_timer == 0)
            start_fade(Playing);
        break;
    case Playing:
        // The stage's play follows in update_world.
        break;
    case Paused:
        break;
    case GameOver:
        tick_game_over();
        break;
    case StageClear:
        tick_stage_clear();
        break;
    case Story:
        if (state_timer == 0)
            start_fade(Title);
        break;
    case Fade:
        if (fade_timer == 0) {
            fade_timer = FADE_TICKS;
            game_state = next_state;
        }
        break;
    case Ending:
        tick_ending();
        break;
    }
}

static void enter_pressed(void)
{
    switch (game_state) {
    case Playing:
        sound_play(snd_select, 1.0f, 1.0f);
        game_state = Paused;
        break;
    case Paused:
        sound_play(snd_select, 1.0f, 1.0f);
        game_state = Playing;
        break;
    case Title:
        sound_play(snd_select, 1.0f, 1.0f);
        title_enter_count += 1;
        if (title_enter_count > 1) {
            stage = selected_stage + 1;
            start_fade(StageIntro);
            stage_ticks = 0;
            state_timer = 60;
        }
        break;
    case Story:
        sound_play(snd_choose, 2.0f, 1.0f);
        start_fade(Title);
        break;
    default:
        break;
    }
}

void pause_for_focus_loss(void)
{
    if (game_state == Playing)
        enter_pressed();
}

static void menu_key(int keycode)
{
    bool on_list = game_state == Title && title_enter_count != 0;

    if (keycode == ALLEGRO_KEY_ENTER) {
        enter_pressed();
    } else if (keycode == ALLEGRO_KEY_UP && on_list) {
        sound_play(snd_choose, 2.0f, 1.0f);
        selected_stage -= 1;
    } else if (keycode == ALLEGRO_KEY_DOWN && on_list) {
        sound_play(snd_choose, 2.0f, 1.0f);
        selected_stage += 1;
    }
    if (selected_stage > STAGE_COUNT - 1)
        selected_stage = 0;
    else if (selected_stage < 0)
        selected_stage = STAGE_COUNT - 1;
}

void handle_key_down(int keycode)
{
    if (keycode >= 0 && keycode < KEY_TABLE_SIZE)
        key_down[keycode] = true;
    player_on_key(&player, keycode, shots, &next_shot, stage, snd_throw, snd_drop);
    menu_key(keycode);
}

bool process_event(const ALLEGRO_EVENT *ev)
{
    switch (ev->type) {
    case ALLEGRO_EVENT_TIMER:
        input_tick();
        update_world();
        draw_frame(canvas);
        return true;
    case ALLEGRO_EVENT_DISPLAY_CLOSE:
        return false;
    case ALLEGRO_EVENT_KEY_UP:
        input_key_release(INPUT_KEYBOARD, ev->keyboard.keycode);
        return true;
    case ALLEGRO_EVENT_KEY_DOWN:
        if (ev->keyboard.keycode == ALLEGRO_KEY_ESCAPE)
            return false;
        if (display_switch_key(&ev->keyboard))
            display_switch();
        else
            input_key_press(INPUT_KEYBOARD, ev->keyboard.keycode);
        return true;
    case ALLEGRO_EVENT_DISPLAY_SWITCH_OUT:
        input_focus_lost();
        return true;
    case ALLEGRO_EVENT_DISPLAY_SWITCH_IN:
        input_focus_back();
        return true;
    case ALLEGRO_EVENT_DISPLAY_RESIZE:
        display_resized(&ev->display);
        return true;
    default:
        pads_event(ev);
        return true;
    }
}

bool process_next_event(void)
{
    al_wait_for_event(event_queue, &event);
    return process_event(&event);
}
