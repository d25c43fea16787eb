// The big enemies and the five stage bosses: one record that knows its
// kind, and one set of operations that its row of big_info dispatches.
#ifndef ARCADE_ACTORS_BOSSES_H
#define ARCADE_ACTORS_BOSSES_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include "actors/actor.h"
#include "actors/info.h"
#include "actors/shot.h"
#include "actors/player.h"
#include "actors/enemies.h"

// Fields a kind does not use stay as init left them.
struct Big {
    float x;
    float y;
    SpriteAnim anim;      // square frame of the kind; FBoss's body
    SpriteAnim top;       // FBoss: the spinning top
    float vy;
    float vx;
    float body_scale;     // FBoss: its size, 0.1 to 2.5
    int32_t hp;
    int32_t cycle_timer;  // FBoss: ticks to the next laser change
    uint8_t drop_timer;   // BigLeaf as a boss: ticks to the next bomb
    uint8_t dead;
    uint8_t growing;      // FBoss: its pulse is on the way up
    uint8_t laser_on;     // FBoss
    uint8_t kind;         // BigKind, set by init: its row of big_info
};

typedef Big BigLeaf;
typedef Big BigOrb;
typedef Big FlyGuy;
typedef Big Spirit;
typedef Big FBoss;

// What a stage-4 group member is handed: nothing to throw, no sound.
extern const BossGear no_gear;

// The operations of every kind; the record's row does the rest.
void big_init(Big *rec, BigKind kind, Vec2 position, float speed);
void big_update(Big *rec, uint8_t respawn, const BossGear *gear);
void big_draw(const Big *rec, ALLEGRO_BITMAP *bitmap);
void big_hit_by_shot(Big *rec, Shot *shot, int32_t *score, int32_t *combo,
                     int32_t *combo_timer);
void big_touch_player(const Big *rec, Player *player, int32_t *health);
// A killed boss that has fallen below the line that ends its stage.
bool big_gone(const Big *rec);

// Whether a big actor of this row casts its shadow from height y at the
// given scale, and the shadow's radii; whether it is drawn at x.
bool big_shadow_radii(const BigInfo *info, float y, float scale, float *rx, float *ry);
bool big_in_view(const BigInfo *info, float x);

#endif
