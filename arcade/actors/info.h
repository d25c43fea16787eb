// Per-type numbers of the actors, a row per type, so that a number is read
// and changed in one place.
#ifndef ARCADE_ACTORS_INFO_H
#define ARCADE_ACTORS_INFO_H

#include <stdint.h>
#include "actors/actor.h"

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

// Where a type waits at the world reset. A flyer's slots below left_slots
// start beside the left edge at x = -margin - rand() % 640, facing right;
// the others at x = rand() % 640 + right, facing left; at a speed rolled
// from `speed`. A faller starts above the field at y = -top - rand() % 640.
struct EnemyEntry {
    int32_t left_slots = 0;
    int32_t margin = 0;
    int32_t right = 0;
    EnemyRoll speed = {0, 0, 1.0f};
    int32_t top = 0;
};

struct EnemyShadow {
    float top;     // none at or above this line
    float rx0;     // radii on the line, shrinking by the height over div
    float rx_div;
    float ry0;
    float ry_div;
};

struct Enemy;
struct EnemyInfo;

// A common type's alive motion for one tick.
typedef void (*EnemyMove)(Enemy *rec, const EnemyInfo *info);

struct EnemyInfo {
    EnemyMove move;
    EnemyStrip alive;
    EnemyStrip rising;    // shown instead while alive with vy < 0
    EnemyStrip dying;
    float gravity;        // vy gained per alive tick
    float vy_limit;       // Leaf flutters back from it, Flame2 flaps at it, NBomb stops gaining
    EnemyRoll bounce;     // |vy| of a floor bounce, a flap or a turn in the band
    float band_top = 0.0f;  // Flame2 and BulletB stay between these lines
    float band_bottom = 0.0f;
    float half;           // box half-size against shots and against the player
    EnemyGone gone;
    EnemyReturn returns;
    EnemyRoll return_speed;
    int32_t score;        // kill score base, times (combo + 1)
    uint8_t hit_restarts; // a shot starts its dying strip at frame 0
    EnemyShadow shadow;
    EnemyEntry entry = {};
};

#define ENEMY_FALL 0.25f  // vy gained per tick while shot and falling

extern const EnemyInfo enemy_info[ENEMY_KINDS];

// The motions of the rows, in enemies.cpp.
void leaf_move(Enemy *rec, const EnemyInfo *info);
void ball_move(Enemy *rec, const EnemyInfo *info);
void nbomb_move(Enemy *rec, const EnemyInfo *info);
void orb_move(Enemy *rec, const EnemyInfo *info);
void flame_move(Enemy *rec, const EnemyInfo *info);
void flame2_move(Enemy *rec, const EnemyInfo *info);
void bulletb_move(Enemy *rec, const EnemyInfo *info);

// ---- The big enemies and bosses ----

enum BigType { BIG_LEAF, BIG_ORB, BIG_FLYGUY, BIG_SPIRIT, BIG_FBOSS, BIG_TYPE_COUNT };

// Spirit and FBoss grow and shrink: their box and shadow sizes below are
// multiplied by their scale at the moment they are used. Strips and shadows
// are laid out as the common enemies' ones.
struct BigInfo {
    float frame;           // square frame, pixels
    float shot_half;       // box against a shot (BigOrb: circle radius)
    float touch_half;      // box against the player
    float player_half;     // the player's own box against this type
    EnemyStrip alive;      // as a stage-4 group member
    int boss_last;         // last alive frame when the boss is given its children
    EnemyStrip dying;
    float fall_gravity;    // added to vy per tick while dead
    int32_t kill_base;     // award base, times (combo + 1)
    int32_t boss_hp;       // set by init
    int32_t group_hp;      // after coming back as a stage-4 group member
    int32_t kill_level;    // the hit that reaches it is awarded; the update kills at it
    float draw_margin;     // drawn while -margin < x < 256 + margin
    float back_left = 0.0f;   // coming back on the left at back_left - rand() % 640
    float back_right = 0.0f;  // or on the right at rand() % 640 + back_right
    EnemyRoll back_speed = {0, 0, 1.0f};  // with this speed
    EnemyShadow shadow;
    EnemyEntry entry = {};    // as a stage-4 group member
};

extern const BigInfo big_info[BIG_TYPE_COUNT];

// Lines the big actors keep to: they bounce at the floor and the ceiling,
// turn at the right wall, and above the view top they neither fire nor cast
// a shadow.
#define BIG_FLOOR_Y 208.0f
#define BIG_CEILING_Y 16.0f
#define BIG_RIGHT_WALL 255.0f
#define BIG_VIEW_TOP -16.0f
// Spirit and FBoss come down from their set-up place at this speed.
#define BOSS_ENTRY_VY 4.0f
// Boss child arrays (bombs, orbs, flames) have ten slots; the index wraps.
#define BOSS_CHILD_SLOTS 10

#define FLYGUY_SPIT_FRAME 11

// The stage-1 boss drops a bomb every (BIGLEAF_DROP_EVERY + 1) ticks over the field.
#define BIGLEAF_FIRST_DROP 40
#define BIGLEAF_DROP_EVERY 20
#define BIGLEAF_DROP_SPEED 0.75f

// The last boss: laser off for 90 ticks (60 the first time), on for 60;
// its size swings between 0.1 and 2.5 by 0.01 per tick.
#define FBOSS_FIRST_LASER 60
#define FBOSS_LASER_ON 60
#define FBOSS_LASER_OFF 90
#define FBOSS_PULSE 0.01f
#define FBOSS_SMALLEST 0.1f
#define FBOSS_LARGEST 2.5f
#define FBOSS_TOP_OFFSET 16.0f   // the rotor hub sits on column 16 of its frame
#define FBOSS_TOP_RAISE 72.0f
#define FBOSS_BEAM_HALF 16.0f    // beam half-width; it starts that far below the centre
#define FBOSS_BEAM_BANDS 8
#define FBOSS_BEAM_BELOW 32.0f   // the player counts as below past this
#define FBOSS_BEAM_PLAYER_HALF 8.0f
extern const EnemyStrip fboss_top_strip;  // the spinning rotor above the body

#endif
