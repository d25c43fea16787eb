// The world's values and actor arrays, its reset and its per-tick update.
#include <stdlib.h>
#include <time.h>
#include "core/game.h"
#include "core/world.h"

int32_t score;
int32_t previous_score;
uint8_t lives;
int32_t health;
int32_t health_meter;
int32_t combo;
int32_t combo_timer;
int32_t extra_life_scores[EXTRA_LIFE_STEPS];
bool extra_life_awarded[EXTRA_LIFE_STEPS];
Vec2 extra_life_popup;
uint8_t group1_count;
uint8_t group2_count;
uint8_t group3_count;
uint8_t boss_pending;
float scroll[3];

Player player;
Puff puffs[PUFF_SLOTS];
int32_t next_puff;
Shot shots[SHOT_SLOTS];
int32_t next_shot;

Leaf leaves[ENEMY_SLOTS];
Ball balls[ENEMY_SLOTS];
NBomb nbombs[ENEMY_SLOTS];
Orb orbs[ENEMY_SLOTS];
Flame flames[ENEMY_SLOTS];
Slime slimes[ENEMY_SLOTS];
Flame2 flame2s[ENEMY_SLOTS];
BulletB bulletbs[ENEMY_SLOTS];
BigLeaf bigleaves[ENEMY_SLOTS];
BigOrb bigorbs[ENEMY_SLOTS];
FlyGuy flyguys[ENEMY_SLOTS];

BigLeaf boss_bigleaf;
BigOrb boss_bigorb;
FlyGuy boss_flyguy;
Spirit boss_spirit;
FBoss boss_fboss;

int32_t next_child_bigleaf;
int32_t next_child_bigorb;
int32_t next_child_flames;

// Placing the actors comes with the world-reset work; for now the reset
// clears the per-stage values that the states and screens rely on.
void reset_world(void)
{
    extra_life_popup = make_vec2(-32.0f, -32.0f);
    srand((unsigned)time(NULL));

    health = 5;
    combo = 0;
    combo_timer = 0;
    group1_count = 0;
    group2_count = 0;
    group3_count = 0;
    next_child_bigleaf = 0;
    next_child_bigorb = 0;
    next_child_flames = 0;
    state_timer = 60;
    stage_ticks = 0;
    title_enter_count = 0;
    health_meter = 0;
    scroll[0] = 0.0f;
    scroll[1] = 0.0f;
    scroll[2] = 0.0f;
    boss_pending = 1;
}

// Thresholds 20000 n^2: 20000, 80000, 180000, ... 8000000.
void reset_extra_lives(void)
{
    for (int n = 1; n <= EXTRA_LIFE_STEPS; n++) {
        extra_life_scores[n - 1] = 20000 * n * n;
        extra_life_awarded[n - 1] = false;
    }
}

// The stage timeline, the actors and the scoring of a Playing tick come
// with the stage-play work.
void stage_tick(void)
{
}

void update_world(void)
{
    GameState state = game_state;

    tick_game_state();
    if (state == Playing)
        stage_tick();
}
