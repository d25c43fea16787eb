// The eight small enemies that die from one shot. They share one record.
#ifndef ARCADE_ACTORS_ENEMIES_H
#define ARCADE_ACTORS_ENEMIES_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include "actors/actor.h"
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
};

typedef Enemy Leaf;
typedef Enemy Ball;
typedef Enemy NBomb;
typedef Enemy Orb;
typedef Enemy Flame;
typedef Enemy Slime;
typedef Enemy Flame2;
typedef Enemy BulletB;

#define ENEMY_OPS(name, T)                                                    \
    void name##_init(T *rec, Vec2 position, float speed);                     \
    void name##_draw(const T *rec, ALLEGRO_BITMAP *bitmap);                   \
    void name##_hit_by_shot(T *rec, Shot *shot, int32_t *score,               \
                            int32_t *combo, int32_t *combo_timer);            \
    void name##_touch_player(const T *rec, Player *player, int32_t *health);

ENEMY_OPS(leaf, Leaf)
ENEMY_OPS(ball, Ball)
ENEMY_OPS(nbomb, NBomb)
ENEMY_OPS(orb, Orb)
ENEMY_OPS(flame, Flame)
ENEMY_OPS(slime, Slime)
ENEMY_OPS(flame2, Flame2)
ENEMY_OPS(bulletb, BulletB)
#undef ENEMY_OPS

void leaf_update(Leaf *rec, uint8_t respawn);
void ball_update(Ball *rec, uint8_t respawn);
void nbomb_update(NBomb *rec, uint8_t respawn, ALLEGRO_SAMPLE *land_sample);
void orb_update(Orb *rec, uint8_t respawn);
void flame_update(Flame *rec, uint8_t respawn);
void slime_update(Slime *rec, uint8_t respawn);
void flame2_update(Flame2 *rec, uint8_t respawn);
void bulletb_update(BulletB *rec, uint8_t respawn);

#endif
