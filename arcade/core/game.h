// The game's spine: states, timers, the event loop, start-up and shutdown.
#ifndef ARCADE_CORE_GAME_H
#define ARCADE_CORE_GAME_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

// The numbers are fixed: the frame drawing picks its screen by them.
enum GameState : int32_t {
    Intro = 0,
    Title = 1,
    StageIntro = 2,
    Playing = 3,
    Paused = 4,
    GameOver = 5,
    StageClear = 6,
    Story = 7,
    Fade = 8,
    Ending = 9
};

#define CANVAS_W 256
#define CANVAS_H 240
#define FADE_TICKS 30
// The title's blink repeats every TITLE_CYCLE ticks of the stage clock; the
// game-over and stage-clear slides stay SLIDE_SHOW_TICKS; the ending and the
// story run for their state timers.
#define TITLE_CYCLE 30
// The splash and the stage card stay up this long (the state timer).
#define SCREEN_TICKS 60
#define SLIDE_SHOW_TICKS 180
#define ENDING_TICKS 900
#define STORY_TICKS 1024

extern GameState game_state;
extern GameState next_state;
extern int32_t fade_timer;
extern int32_t state_timer;
extern uint32_t stage_ticks;
extern int32_t stage;
extern int8_t selected_stage;
extern uint8_t title_enter_count;

extern ALLEGRO_EVENT event;
extern ALLEGRO_DISPLAY *display;
extern ALLEGRO_BITMAP *canvas;
extern ALLEGRO_BITMAP *canvas_snapshot;
extern ALLEGRO_FONT *font;
extern ALLEGRO_EVENT_QUEUE *event_queue;
extern ALLEGRO_TIMER *timer;

// Start-up: 1 when ready, -1 after a failure (its box has been shown).
int32_t start_up(void);
void shut_down(void);

// The event loop (loop.cpp), above the core and the rendering.
// Waits for one event and handles it; false means quit.
bool process_next_event(void);
// The handling of one event, apart from the wait.
bool process_event(const ALLEGRO_EVENT *ev);

// What input hands the state machine: a key pressed (the player's key
// handler, then the menu keys), and a focus lost before this tick.
void game_key_pressed(int keycode);
// Losing the focus in Playing pauses as Enter would; elsewhere it does nothing.
void pause_for_focus_loss(void);

// Copies the canvas as it stands into canvas_snapshot.
void capture_canvas(void);
void start_fade(GameState target);
void tick_game_state(void);
// One tick: the state machine, then in Playing the stage's play, and the
// screen changes that the play reports.
void update_world(void);
// A fresh world, the title back at its first Enter, the timed screens at
// their full time: start-up, and the end of the ending.
void reset_play(void);

#endif
