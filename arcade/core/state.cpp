// The game states, their timers and keys, and the event loop's handling.
#include "core/game.h"
#include "core/world.h"
#include "core/stages.h"
#include "core/resources.h"
#include "sound/sound.h"

GameState game_state;
GameState next_state;
int32_t fade_timer;
int32_t state_timer;
uint32_t stage_ticks;
int32_t stage;
int8_t selected_stage;
uint8_t title_enter_count;

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

// A fresh world for a new start: the title asks for its first Enter again
// and the next timed screen runs its full time.
void reset_play(void)
{
    reset_world();
    title_enter_count = 0;
    state_timer = SCREEN_TICKS;
}

// The boss has died and fallen away, and the world has set up the next
// stage's start behind the slide of the last picture.
static void stage_cleared(void)
{
    capture_canvas();
    stage += 1;
    title_enter_count = 0;
    game_state = StageClear;
    state_timer = SCREEN_TICKS;
}

// The player has dropped out of the field and the world has started again:
// the stage follows its card, or the game is over with the last life.
static void player_fell_out(void)
{
    title_enter_count = 0;
    if (lives == 0) {
        capture_canvas();
        game_state = GameOver;
    } else {
        start_fade(StageIntro);
    }
    state_timer = SCREEN_TICKS;
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
        state_timer = SCREEN_TICKS;
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
        reset_play();
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

// One tick: the state machine, then in Playing the stage's play, and what
// the play reports changes the screen.
void update_world(void)
{
    GameState state = game_state;

    tick_game_state();
    if (state != Playing)
        return;
    switch (stage_tick()) {
    case WORLD_STAGE_CLEARED:
        stage_cleared();
        break;
    case WORLD_FELL_OUT:
        player_fell_out();
        break;
    case WORLD_PLAYING:
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
            state_timer = SCREEN_TICKS;
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

// Every key pressed, in every state: the player's key handler first, which
// throws or drops whatever the screen, then the menu keys.
void game_key_pressed(int keycode)
{
    player_on_key(&player, keycode, shots, &next_shot, stage, snd_throw, snd_drop);
    menu_key(keycode);
}
