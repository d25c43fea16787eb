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

// Each type's own names for them.
void leaf_init(Leaf *rec, Vec2 position, float speed);
void leaf_update(Leaf *rec, uint8_t respawn);
void leaf_draw(const Leaf *rec, ALLEGRO_BITMAP *bitmap);
void leaf_hit_by_shot(Leaf *rec, Shot *shot, int32_t *score, int32_t *combo,
                      int32_t *combo_timer);
void leaf_touch_player(const Leaf *rec, Player *player, int32_t *health);

void ball_init(Ball *rec, Vec2 position, float speed);
void ball_update(Ball *rec, uint8_t respawn);
void ball_draw(const Ball *rec, ALLEGRO_BITMAP *bitmap);
void ball_hit_by_shot(Ball *rec, Shot *shot, int32_t *score, int32_t *combo,
                      int32_t *combo_timer);
void ball_touch_player(const Ball *rec, Player *player, int32_t *health);

void nbomb_init(NBomb *rec, Vec2 position, float speed);
void nbomb_update(NBomb *rec, uint8_t respawn, ALLEGRO_SAMPLE *land_sample);
void nbomb_draw(const NBomb *rec, ALLEGRO_BITMAP *bitmap);
void nbomb_hit_by_shot(NBomb *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer);
void nbomb_touch_player(const NBomb *rec, Player *player, int32_t *health);

void orb_init(Orb *rec, Vec2 position, float speed);
void orb_update(Orb *rec, uint8_t respawn);
void orb_draw(const Orb *rec, ALLEGRO_BITMAP *bitmap);
void orb_hit_by_shot(Orb *rec, Shot *shot, int32_t *score, int32_t *combo,
                     int32_t *combo_timer);
void orb_touch_player(const Orb *rec, Player *player, int32_t *health);

void flame_init(Flame *rec, Vec2 position, float speed);
void flame_update(Flame *rec, uint8_t respawn);
void flame_draw(const Flame *rec, ALLEGRO_BITMAP *bitmap);
void flame_hit_by_shot(Flame *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer);
void flame_touch_player(const Flame *rec, Player *player, int32_t *health);

void slime_init(Slime *rec, Vec2 position, float speed);
void slime_update(Slime *rec, uint8_t respawn);
void slime_draw(const Slime *rec, ALLEGRO_BITMAP *bitmap);
void slime_hit_by_shot(Slime *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer);
void slime_touch_player(const Slime *rec, Player *player, int32_t *health);

void flame2_init(Flame2 *rec, Vec2 position, float speed);
void flame2_update(Flame2 *rec, uint8_t respawn);
void flame2_draw(const Flame2 *rec, ALLEGRO_BITMAP *bitmap);
void flame2_hit_by_shot(Flame2 *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer);
void flame2_touch_player(const Flame2 *rec, Player *player, int32_t *health);

void bulletb_init(BulletB *rec, Vec2 position, float speed);
void bulletb_update(BulletB *rec, uint8_t respawn);
void bulletb_draw(const BulletB *rec, ALLEGRO_BITMAP *bitmap);
void bulletb_hit_by_shot(BulletB *rec, Shot *shot, int32_t *score, int32_t *combo,
                         int32_t *combo_timer);
void bulletb_touch_player(const BulletB *rec, Player *player, int32_t *health);

#endif
