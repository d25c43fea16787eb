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

ACTOR_OPS(leaf, Leaf)
ACTOR_OPS(ball, Ball)
ACTOR_OPS(nbomb, NBomb)
ACTOR_OPS(orb, Orb)
ACTOR_OPS(flame, Flame)
ACTOR_OPS(slime, Slime)
ACTOR_OPS(flame2, Flame2)
ACTOR_OPS(bulletb, BulletB)

void leaf_update(Leaf *rec, uint8_t respawn);
void ball_update(Ball *rec, uint8_t respawn);
void nbomb_update(NBomb *rec, uint8_t respawn, ALLEGRO_SAMPLE *land_sample);
void orb_update(Orb *rec, uint8_t respawn);
void flame_update(Flame *rec, uint8_t respawn);
void slime_update(Slime *rec, uint8_t respawn);
void flame2_update(Flame2 *rec, uint8_t respawn);
void bulletb_update(BulletB *rec, uint8_t respawn);

#endif
