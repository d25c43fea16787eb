// The per-type tables of the actors.
#include <math.h>
#include "actors/info.h"

// ---- The eight common enemies ----

// Shadows of 16-pixel actors; the falling types show theirs only once they
// are nearly in view.
#define ENEMY_SHADOW_16 8.0f, 75.0f, 3.0f, 150.0f
#define ENEMY_SHADOW_ANY_HEIGHT (-HUGE_VALF)
#define ENEMY_NO_ROLL {0, 0, 1.0f}

const EnemyInfo enemy_info[ENEMY_KINDS] = {
    // alive strip, rising strip, dying strip, gravity, vy limit, bounce roll, band, half,
    // gone, returns, return speed, score, a shot restarts the strip, shadow
    /* Leaf */
    {{0, 0, 5, 2}, {0, 0, 5, 2}, {1, 0, 0, 1}, 0.025f, 1.0f, ENEMY_NO_ROLL, 0.0f, 0.0f, 8.0f,
     GONE_BELOW_OR_AHEAD, RETURN_SIDE, {2000, 1000, 1000.0f}, 100, 0,
     {ENEMY_SHADOW_ANY_HEIGHT, ENEMY_SHADOW_16}},
    /* Ball */
    {{0, 0, 3, 2}, {0, 0, 3, 2}, {1, 0, 0, 1}, 0.25f, 0.0f, {750, 100, 100.0f}, 0.0f, 0.0f, 8.0f,
     GONE_BELOW_OR_AHEAD, RETURN_SIDE, {2000, 1000, 1000.0f}, 150, 0,
     {ENEMY_SHADOW_ANY_HEIGHT, ENEMY_SHADOW_16}},
    /* NBomb */
    {{0, 0, 7, 1}, {0, 0, 7, 1}, {1, 0, 5, 2}, 0.1f, 2.0f, ENEMY_NO_ROLL, 0.0f, 0.0f, 8.0f,
     GONE_EXPLODED, RETURN_ABOVE, ENEMY_NO_ROLL, 200, 1,
     {-16.0f, ENEMY_SHADOW_16}},
    /* Orb */
    {{0, 0, 3, 2}, {0, 0, 3, 2}, {1, 0, 0, 1}, 0.25f, 0.0f, {750, 100, 100.0f}, 0.0f, 0.0f, 8.0f,
     GONE_BELOW, RETURN_SIDE, {2500, 1500, 1000.0f}, 250, 0,
     {ENEMY_SHADOW_ANY_HEIGHT, ENEMY_SHADOW_16}},
    /* Flame */
    {{0, 0, 3, 2}, {0, 0, 3, 2}, {1, 0, 0, 1}, 0.0f, 0.0f, ENEMY_NO_ROLL, 0.0f, 0.0f, 8.0f,
     GONE_BELOW_OR_AHEAD, RETURN_SIDE, {3000, 1500, 1000.0f}, 300, 0,
     {ENEMY_SHADOW_ANY_HEIGHT, ENEMY_SHADOW_16}},
    /* Slime */
    {{0, 0, 0, 2}, {0, 1, 1, 2}, {1, 0, 0, 1}, 0.2f, 0.0f, {750, 100, 100.0f}, 0.0f, 0.0f, 8.0f,
     GONE_BELOW, RETURN_SIDE, {2500, 1500, 1000.0f}, 350, 0,
     {ENEMY_SHADOW_ANY_HEIGHT, ENEMY_SHADOW_16}},
    /* Flame2 */
    {{0, 0, 4, 2}, {0, 0, 4, 2}, {1, 0, 0, 1}, 0.05f, 3.0f, {30, 20, 10.0f}, 8.0f, 232.0f, 8.0f,
     GONE_BELOW_OR_AHEAD, RETURN_SIDE, {2000, 1000, 1000.0f}, 400, 0,
     {ENEMY_SHADOW_ANY_HEIGHT, ENEMY_SHADOW_16}},
    /* BulletB */
    {{0, 0, 3, 1}, {1, 0, 3, 1}, {2, 0, 0, 1}, 0.0f, 0.0f, {30, 10, 10.0f}, 16.0f, 216.0f, 8.0f,
     GONE_DEAD_BELOW, RETURN_ABOVE, ENEMY_NO_ROLL, 450, 1,
     {-16.0f, ENEMY_SHADOW_16}},
};

// ---- The big enemies and bosses ----
