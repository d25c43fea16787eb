// Per-type numbers of the actors, a row per type, so that a number is read
// and changed in one place.
#ifndef ARCADE_ACTORS_INFO_H
#define ARCADE_ACTORS_INFO_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
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
    int32_t left_slots = 0;  // slots that start on the left
    int32_t margin = 0;      // the left ones start this far out at least
    int32_t right = 0;       // the right ones start this far right at least
    EnemyRoll speed = {0, 0, 1.0f};  // their speed
    int32_t top = 0;         // a faller starts this far above the field at least
};

struct Enemy;
struct EnemyInfo;

// A common type's alive motion for one tick: the row's update.
typedef void (*EnemyUpdate)(Enemy *rec, const EnemyInfo *info);

struct EnemyInfo {
    EnemyUpdate update;   // the alive motion of one tick
    EnemyStrip alive;     // the strip while alive
    EnemyStrip rising;    // shown instead while alive with vy < 0
    EnemyStrip dying;     // the strip once shot
    float gravity;        // vy gained per alive tick
    float vy_limit;       // Leaf flutters back from it, Flame2 flaps at it, NBomb stops gaining
    EnemyRoll bounce;     // |vy| of a floor bounce, a flap or a turn in the band
    float band_top = 0.0f;  // Flame2 and BulletB stay between these lines
    float band_bottom = 0.0f;
    float half;           // box half-size against shots and against the player
    EnemyGone gone;       // when it has left the field
    EnemyReturn returns;  // where it comes back
    EnemyRoll return_speed;  // the speed it comes back at, beside the field
    int32_t score;        // kill score base, times (combo + 1)
    uint8_t hit_restarts; // a shot starts its dying strip at frame 0
    EnemyShadow shadow;   // its shadow
    EnemyEntry entry = {};  // where it waits at the world reset
};

#define ENEMY_FALL 0.25f  // vy gained per tick while shot and falling

extern const EnemyInfo enemy_info[ENEMY_KINDS];

// The rows' updates, in enemies.cpp. Slime moves as Orb does.
void leaf_update(Enemy *rec, const EnemyInfo *info);
void ball_update(Enemy *rec, const EnemyInfo *info);
void nbomb_update(Enemy *rec, const EnemyInfo *info);
void orb_update(Enemy *rec, const EnemyInfo *info);
void flame_update(Enemy *rec, const EnemyInfo *info);
void flame2_update(Enemy *rec, const EnemyInfo *info);
void bulletb_update(Enemy *rec, const EnemyInfo *info);

// ---- The big enemies and bosses ----

enum BigKind { BIG_LEAF, BIG_ORB, BIG_FLYGUY, BIG_SPIRIT, BIG_FBOSS, BIG_KINDS };

struct Big;
struct Shot;
struct Player;

// What a boss is handed: the array it throws into with its next slot
// there, and its sounds. Stage-4 group members are handed none of it.
struct BossGear {
    Enemy *children;          // the common enemies' array it fills, or null
    int32_t *next_child;      // its next slot there
    ALLEGRO_SAMPLE *sound;    // BigLeaf's drop, FBoss's laser
    ALLEGRO_SAMPLE *sound2;   // FBoss's propeller
};

// The operations every big kind offers, one signature each.
typedef void (*BigUpdate)(Big *rec, uint8_t respawn, const BossGear *gear);
typedef void (*BigDraw)(const Big *rec, ALLEGRO_BITMAP *bitmap);
typedef void (*BigHit)(Big *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer);
typedef void (*BigTouch)(const Big *rec, Player *player, int32_t *health);

// How a kind's boxes and shadow grow and shrink: Spirit with its hp, FBoss
// with its pulse.
enum BigScale { SCALE_NONE, SCALE_HP, SCALE_BODY };

// Strips and shadows are laid out as the common enemies' ones. Rolls a kind
// does not make are left at nothing.
struct BigInfo {
    BigUpdate update;      // one tick
    BigDraw draw;          // shadow, sprite (and FBoss's beam)
    BigHit hit_by_shot;    // one shot against it
    BigTouch touch_player; // it against the player
    float frame;           // square frame, pixels
    BigScale scale;        // what its boxes and shadow are multiplied by
    float shot_half;       // box against a shot (BigOrb: circle radius)
    float touch_half;      // box against the player
    float player_half;     // the player's own box against this type
    EnemyStrip alive;      // as a stage-4 group member
    int boss_last;         // last alive frame when the boss is given its children
    EnemyStrip dying;      // the strip once dead
    float fall_gravity;    // added to vy per tick while dead
    int32_t kill_base;     // award base, times (combo + 1)
    int32_t boss_hp;       // set by init
    int32_t group_hp;      // as a stage-4 group member, placed or back
    int32_t kill_level;    // the hit that reaches it is awarded; the update kills at it
    float draw_margin;     // drawn while -margin < x < 256 + margin
    int shadow_hidden_frame;  // a dead one on this frame casts none; -1: always cast
    EnemyRoll start_vy;    // vy set by init
    float gravity = 0.0f;  // vy gained per alive tick
    float flap_at = 0.0f;  // BigLeaf: past this vy it flaps
    EnemyRoll flap = {0, 0, 1.0f};    // BigLeaf: the upward speed of a flap
    EnemyRoll turn = {0, 0, 1.0f};    // BigLeaf: |vx| after a turn past the edge
    EnemyRoll bounce = {0, 0, 1.0f};  // |vy| off the floor (and the ceiling)
    EnemyRoll wall_left = {0, 0, 1.0f};   // vx off the left wall (BigOrb: past it)
    EnemyRoll wall_right = {0, 0, 1.0f};  // |vx| off the right wall (BigOrb: past it)
    EnemyRoll wander = {0, 0, 1.0f};  // Spirit: the new vx of a bounce, the new vy off a wall
    EnemyRoll speed_factor = {0, 0, 1.0f};  // FBoss: a bounce scales its other speed by it
    EnemyRoll child_speed = {0, 0, 1.0f};   // BigOrb: the speed of a thrown orb
    float child_vx = 0.0f; // FlyGuy: a flame's speed, times its own vx
    int first_drop = 0;    // BigLeaf: ticks before the first bomb (FBoss: the first laser)
    float back_left = 0.0f;   // coming back on the left at back_left - rand() % 640
    float back_right = 0.0f;  // or on the right at rand() % 640 + back_right
    EnemyRoll back_speed = {0, 0, 1.0f};  // with this speed
    EnemyRoll back_vy = {0, 0, 1.0f};     // and this vy (FlyGuy's only)
    EnemyShadow shadow;    // its shadow, at scale 1
    EnemyEntry entry = {}; // as a stage-4 group member
};

extern const BigInfo big_info[BIG_KINDS];

// The rows' operations, in bosses.cpp: BigLeaf and BigOrb draw, and all but
// BigOrb meet a shot and all but FBoss the player, in the shared way.
void bigleaf_update(Big *rec, uint8_t respawn, const BossGear *gear);
void bigorb_update(Big *rec, uint8_t respawn, const BossGear *gear);
void flyguy_update(Big *rec, uint8_t respawn, const BossGear *gear);
void spirit_update(Big *rec, uint8_t respawn, const BossGear *gear);
void fboss_update(Big *rec, uint8_t respawn, const BossGear *gear);
void big_shared_draw(const Big *rec, ALLEGRO_BITMAP *bitmap);
void spirit_draw(const Big *rec, ALLEGRO_BITMAP *bitmap);
void fboss_draw(const Big *rec, ALLEGRO_BITMAP *bitmap);
void big_shared_hit(Big *rec, Shot *shot, int32_t *score, int32_t *combo,
                    int32_t *combo_timer);
void bigorb_hit_by_shot(Big *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer);
void big_shared_touch(const Big *rec, Player *player, int32_t *health);
void fboss_touch_player(const Big *rec, Player *player, int32_t *health);

// Lines the big actors keep to: they bounce at the floor and the ceiling,
// turn at the right wall, and above the view top they neither fire nor cast
// a shadow.
#define BIG_FLOOR_Y 208.0f
#define BIG_CEILING_Y 16.0f
#define BIG_RIGHT_WALL 255.0f
#define BIG_VIEW_TOP -16.0f
// Boss child arrays (bombs, orbs, flames) have ten slots; the index wraps.
#define BOSS_CHILD_SLOTS 10

#define FLYGUY_SPIT_FRAME 11

// The stage-1 boss drops a bomb every (BIGLEAF_DROP_EVERY + 1) ticks over the field.
#define BIGLEAF_DROP_EVERY 20
#define BIGLEAF_DROP_SPEED 0.75f

// The last boss: laser off for 90 ticks (the row's first_drop the first
// time), on for 60; its size swings between 0.1 and 2.5 by 0.01 per tick.
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
