// The world: every actor array and world value, owned by the game core.
#ifndef ARCADE_CORE_WORLD_H
#define ARCADE_CORE_WORLD_H

#include <stdint.h>
#include "actors/actor.h"
#include "actors/player.h"
#include "actors/shot.h"
#include "actors/enemies.h"
#include "actors/bosses.h"

#define ENEMY_SLOTS 10
#define EXTRA_LIFE_STEPS 20
#define STAGE_TICKS_MAX 2147483647u

extern int32_t score;
extern int32_t previous_score;
extern uint8_t lives;
extern int32_t health;
extern int32_t health_meter;
extern int32_t combo;
extern int32_t combo_timer;
extern int32_t extra_life_scores[EXTRA_LIFE_STEPS];
extern bool extra_life_awarded[EXTRA_LIFE_STEPS];
extern Vec2 extra_life_popup;
extern uint8_t group1_count;
extern uint8_t group2_count;
extern uint8_t group3_count;
extern uint8_t boss_pending;
extern float scroll[3];

extern Player player;
extern Puff puffs[PUFF_SLOTS];
extern int32_t next_puff;
extern Shot shots[SHOT_SLOTS];
extern int32_t next_shot;

extern Leaf leaves[ENEMY_SLOTS];
extern Ball balls[ENEMY_SLOTS];
extern NBomb nbombs[ENEMY_SLOTS];
extern Orb orbs[ENEMY_SLOTS];
extern Flame flames[ENEMY_SLOTS];
extern Slime slimes[ENEMY_SLOTS];
extern Flame2 flame2s[ENEMY_SLOTS];
extern BulletB bulletbs[ENEMY_SLOTS];
extern BigLeaf bigleaves[ENEMY_SLOTS];
extern BigOrb bigorbs[ENEMY_SLOTS];
extern FlyGuy flyguys[ENEMY_SLOTS];

// One boss per stage.
extern BigLeaf boss_bigleaf;
extern BigOrb boss_bigorb;
extern FlyGuy boss_flyguy;
extern Spirit boss_spirit;
extern FBoss boss_fboss;

// Next child slot of the firing bosses: stage 1 (nbombs), stage 2 (orbs),
// stages 3 and 4 share one (flame2s).
extern int32_t next_child_bigleaf;
extern int32_t next_child_bigorb;
extern int32_t next_child_flames;

// Every record and per-stage value back to its start; the game's own
// values (lives, score, the extra lives, the stage) and the screens' stay.
void reset_world(void);
void reset_extra_lives(void);
// A new game: three lives, no score, full health, every extra life to win.
void new_game_values(void);
// How a Playing tick ended. A cleared stage and a fall-out have already
// reset the world in the middle of the tick (the rest of it ran on the
// fresh one); the state machine changes the screen after it.
enum WorldEnd {
    WORLD_PLAYING,
    WORLD_STAGE_CLEARED,  // the boss has died and fallen away
    WORLD_FELL_OUT        // the player has dropped out of the field
};

// The play of one Playing tick (the stage timeline, actors, scoring).
WorldEnd stage_tick(void);

#endif
