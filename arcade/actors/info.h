// Per-type numbers of the actors, a row per type, so that a number is read
// and changed in one place.
#ifndef ARCADE_ACTORS_INFO_H
#define ARCADE_ACTORS_INFO_H

#include <stdint.h>

// ---- The eight common enemies ----

enum EnemyKind {
    ENEMY_LEAF,
    ENEMY_BALL,
    ENEMY_NBOMB,
    ENEMY_ORB,
    ENEMY_FLAME,
    ENEMY_SLIME,
    ENEMY_FLAME2,
    ENEMY_BULLETB,
    ENEMY_KINDS
};

// When a common enemy has left the field (and may come back).
enum EnemyGone {
    GONE_BELOW_OR_AHEAD,  // below the screen, or past the side it moves towards
    GONE_BELOW,           // below the screen only: it turns at the walls
    GONE_DEAD_BELOW,      // shot and fallen below the screen
    GONE_EXPLODED         // explodes in place instead of falling; gone on its last frame
};

// Where a common enemy comes back.
enum EnemyReturn {
    RETURN_SIDE,  // beside the field, flying in, with a new speed
    RETURN_ABOVE  // above the field, falling
};

// A strip for anim_step.
struct EnemyStrip {
    int row;
    int first;
    int last;
    int period;
};

// A roll of (rand() % range + base) / div; range 0 is no roll.
struct EnemyRoll {
    int32_t range;
    int32_t base;
    float div;
};

struct EnemyShadow {
    float top;     // none at or above this line
    float rx0;     // radii on the line, shrinking by the height over div
    float rx_div;
    float ry0;
    float ry_div;
};

struct EnemyInfo {
    EnemyStrip alive;
    EnemyStrip rising;    // shown instead while alive with vy < 0
    EnemyStrip dying;
    float gravity;        // vy gained per alive tick
    float vy_limit;       // Leaf flutters back from it, Flame2 flaps at it, NBomb stops gaining
    EnemyRoll bounce;     // |vy| of a floor bounce, a flap or a turn in the band
    float band_top;       // Flame2 and BulletB stay between these lines
    float band_bottom;
    float half;           // box half-size against shots and against the player
    EnemyGone gone;
    EnemyReturn returns;
    EnemyRoll return_speed;
    int32_t score;        // kill score base, times (combo + 1)
    uint8_t hit_restarts; // a shot starts its dying strip at frame 0
    EnemyShadow shadow;
};

#define ENEMY_FALL 0.25f  // vy gained per tick while shot and falling

extern const EnemyInfo enemy_info[ENEMY_KINDS];

// ---- The big enemies and bosses ----

#endif
