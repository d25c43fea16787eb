// The eight small enemies that die from one shot. They share one record,
// which knows its kind, and one set of operations.
#ifndef ARCADE_ACTORS_ENEMIES_H
#define ARCADE_ACTORS_ENEMIES_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include "actors/actor.h"
#include "actors/info.h"
#include "actors/shot.h"
#include "actors/player.h"

#define ENEMY_HALF 8.0f

struct Enemy {
    float x;
    float y;
    SpriteAnim anim;  // 16x16; scale_x is the facing
    float vy;
    float vx;
    uint8_t dead;
    uint8_t kind;     // EnemyKind, set by init: its row of enemy_info
};

typedef Enemy Leaf;
typedef Enemy Ball;
typedef Enemy NBomb;
typedef Enemy Orb;
typedef Enemy Flame;
typedef Enemy Slime;
typedef Enemy Flame2;
typedef Enemy BulletB;

// The shared operations: the record's row says how it moves, comes back,
// scores and looks. Only an exploding type uses the land sample.
void enemy_init(Enemy *rec, EnemyKind kind, Vec2 position, float speed);
void enemy_update(Enemy *rec, uint8_t respawn, ALLEGRO_SAMPLE *land_sample);
void enemy_draw(const Enemy *rec, ALLEGRO_BITMAP *bitmap);
void enemy_hit_by_shot(Enemy *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer);
void enemy_touch_player(const Enemy *rec, Player *player, int32_t *health);
// Whether the enemy casts its shadow where it is, and the shadow's radii.
bool enemy_shadow(const Enemy *rec, float *rx, float *ry);

#endif
