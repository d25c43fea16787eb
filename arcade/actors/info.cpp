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

// frame: square frame size; shot, touch, player: the half-sizes of the boxes
// against a shot, of the actor against the player, and of the player itself;
// strips are {row, first, last, period}; back: where a stage-4 member comes
// back; shadow: {top, rx, rx div, ry, ry div}.
const BigInfo big_info[BIG_TYPE_COUNT] = {
    // frame  shot   touch  player  alive          boss  dying          fall   kill     boss  group  kill   draw    back    back
    //        half   half   half    strip          last  strip          grav   base     hp    hp     level  margin  left    right   shadow
    /* BigLeaf */
    {  24.0f, 12.0f, 12.0f, 8.0f,  {0, 0, 5, 2},  5,    {1, 0, 0, 1},  0.1f,  1000,    30,   3,     0,     12.0f,  -64.0f, 320.0f,
       {ENEMY_SHADOW_ANY_HEIGHT, 12.0f, 100.0f, 4.0f, 200.0f}},
    /* BigOrb: its shot test is a circle */
    {  32.0f, 32.0f, 16.0f, 4.0f,  {0, 0, 3, 2},  3,    {1, 0, 0, 1},  0.25f, 2000,    60,   3,     0,     8.0f,   -64.0f, 320.0f,
       {ENEMY_SHADOW_ANY_HEIGHT, 16.0f, 75.0f, 6.0f, 150.0f}},
    /* FlyGuy */
    {  32.0f, 16.0f, 16.0f, 4.0f,  {0, 0, 7, 0},  15,   {1, 0, 0, 1},  0.25f, 3000,    75,   3,     0,     8.0f,   -96.0f, 360.0f,
       {-16.0f, 16.0f, 75.0f, 4.0f, 150.0f}},
    /* Spirit */
    {  48.0f, 24.0f, 24.0f, 4.0f,  {0, 0, 5, 0},  5,    {0, 0, 0, 1},  0.25f, 4000,    128,  0,     16,    8.0f,   0.0f,   0.0f,
       {-16.0f, 24.0f, 75.0f, 6.0f, 150.0f}},
    /* FBoss */
    {  64.0f, 32.0f, 28.0f, 4.0f,  {0, 0, 0, 0},  0,    {0, 1, 1, 0},  0.25f, 1000000, 255,  0,     16,    8.0f,   0.0f,   0.0f,
       {ENEMY_SHADOW_ANY_HEIGHT, 32.0f, 75.0f, 8.0f, 150.0f}},
};

const EnemyStrip fboss_top_strip = {1, 0, 3, 0};
