// The eight small enemies that die from one shot. They share one record and
// the steps of dying, coming back, drawing and being hit; their row of
// enemy_info and their own motion function tell them apart.
#include <math.h>
#include <stdlib.h>
#include "actors/enemies.h"
#include "actors/info.h"
#include "core/sound.h"

// A 16-pixel actor is drawn, and counts as still on the field, strictly
// between these two x.
#define VIEW_LEFT (-8.0f)
#define VIEW_RIGHT 264.0f

#define NBOMB_LAND_GAIN 1.0f
#define NBOMB_LAND_SPEED 0.75f

typedef void (*EnemyMove)(Enemy *rec, const EnemyInfo *info);

// ---- Motion of the alive types ----

// Leaf: straight on, its vertical speed a sawtooth between -limit and limit.
static void leaf_move(Enemy *rec, const EnemyInfo *info)
{
    rec->x += rec->vx;
    rec->y += rec->vy;
    if (rec->vy + info->gravity > info->vy_limit)
        rec->vy = -info->vy_limit;
    else
        rec->vy += info->gravity;
}

static void floor_bounce(Enemy *rec, const EnemyInfo *info)
{
    if (rec->y > FLOOR_Y)
        rec->vy = -roll(info->bounce);
}

static void ball_move(Enemy *rec, const EnemyInfo *info)
{
    rec->x += rec->vx;
    rec->y += rec->vy;
    rec->vy += info->gravity;
    floor_bounce(rec, info);
}

// NBomb: falls, gaining speed up to its limit; landing is its update's.
static void nbomb_move(Enemy *rec, const EnemyInfo *info)
{
    rec->x += rec->vx;
    rec->y += rec->vy;
    if (rec->vy < info->vy_limit)
        rec->vy += info->gravity;
}

// Orb and Slime: turn at the walls instead of leaving, face the way they go.
static void orb_move(Enemy *rec, const EnemyInfo *info)
{
    if (rec->vx > 0.0f && rec->x > FIELD_W)
        rec->vx = -fabsf(rec->vx);
    if (rec->vx < 0.0f && rec->x < 0.0f)
        rec->vx = fabsf(rec->vx);
    rec->x += rec->vx;
    rec->y += rec->vy;
    rec->anim.scale_x = rec->vx <= 0.0f ? -1.0f : 1.0f;
    rec->vy += info->gravity;
    floor_bounce(rec, info);
}

static void flame_move(Enemy *rec, const EnemyInfo *)
{
    rec->x += rec->vx;
    rec->y += rec->vy;
}

// Flame2: sinks slowly and flaps up, kept within its band.
static void flame2_move(Enemy *rec, const EnemyInfo *info)
{
    rec->x += rec->vx;
    rec->y += rec->vy;
    rec->vy += info->gravity;
    if (rec->vy > info->vy_limit)
        rec->vy = -roll(info->bounce);
    if (rec->y < info->band_top) {
        rec->y = info->band_top;
        rec->vy = 0.0f;
    } else if (rec->y > info->band_bottom) {
        rec->y = info->band_bottom;
        rec->vy = -roll(info->bounce);
    }
}

// BulletB: turns at either edge of its band with a new speed, no gravity.
static void bulletb_move(Enemy *rec, const EnemyInfo *info)
{
    if (rec->y > info->band_bottom && rec->vy >= 0.0f) {
        rec->y = info->band_bottom;
        rec->vy = -roll(info->bounce);
    } else if (rec->y < info->band_top && rec->vy < 0.0f) {
        rec->y = info->band_top;
        rec->vy = roll(info->bounce);
    }
    rec->x += rec->vx;
    rec->y += rec->vy;
}

// ---- The shared steps ----

static void enemy_init(Enemy *rec, Vec2 position, float speed)
{
    rec->x = position.x;
    rec->y = position.y;
    anim_init(&rec->anim, 16.0f, 16.0f);
    rec->vy = 0.0f;
    rec->vx = speed;
    rec->dead = 0;
}

// An exploding type whose explosion shows its last frame: it rests there.
static bool enemy_exploded(const Enemy *rec, const EnemyInfo *info)
{
    return info->gone == GONE_EXPLODED && rec->dead &&
           rec->anim.frame == info->dying.last;
}

static bool enemy_left_field(const Enemy *rec, const EnemyInfo *info)
{
    switch (info->gone) {
    case GONE_BELOW_OR_AHEAD:
        return rec->y > RESPAWN_LINE_Y ||
               (rec->vx > 0.0f && rec->x > VIEW_RIGHT) ||
               (rec->vx < 0.0f && rec->x < VIEW_LEFT);
    case GONE_BELOW:
        return rec->y > RESPAWN_LINE_Y;
    case GONE_DEAD_BELOW:
        return rec->dead && rec->y > RESPAWN_LINE_Y;
    case GONE_EXPLODED:
        break;
    }
    return false;
}

// Beside the field on a coin toss (heads: left), flying in with a new speed.
static void enemy_return_side(Enemy *rec, const EnemyInfo *info)
{
    if (rand() % 2 == 1) {
        rec->x = (float)-(rand() % 640);
        rec->anim.scale_x = 1.0f;
        rec->vx = roll(info->return_speed);
    } else {
        rec->x = (float)(rand() % 640 + 256);
        rec->anim.scale_x = -1.0f;
        rec->vx = -roll(info->return_speed);
    }
    rec->y = (float)(rand() % 240 - 32);
    rec->vy = 0.0f;
    rec->dead = 0;
}

// Above the field, falling again; a type with a bounce falls in at a
// freshly rolled speed.
static void enemy_return_above(Enemy *rec, const EnemyInfo *info)
{
    rec->x = (float)((rand() & 255) - 8);
    rec->y = (float)(-160 - rand() % 640);
    rec->vx = 0.0f;
    rec->vy = roll(info->bounce);
    rec->anim.scale_x = 1.0f;
    rec->anim.frame = 0;
    rec->dead = 0;
}

static void enemy_come_back(Enemy *rec, const EnemyInfo *info)
{
    if (info->returns == RETURN_SIDE)
        enemy_return_side(rec, info);
    else
        enemy_return_above(rec, info);
}

static void enemy_die_step(Enemy *rec, const EnemyInfo *info)
{
    if (info->gone != GONE_EXPLODED) {
        rec->vy += ENEMY_FALL;
        rec->y += rec->vy;
    }
    strip_step(&rec->anim, &info->dying);
}

static void enemy_update(Enemy *rec, uint8_t respawn, EnemyKind kind, EnemyMove move)
{
    const EnemyInfo *info = &enemy_info[kind];

    // A finished explosion rests through the update that finished it and
    // comes back on a later one.
    if (enemy_exploded(rec, info)) {
        if (respawn)
            enemy_come_back(rec, info);
        return;
    }
    if (!rec->dead) {
        move(rec, info);
        strip_step(&rec->anim, rec->vy < 0.0f ? &info->rising : &info->alive);
    } else {
        enemy_die_step(rec, info);
    }
    if (respawn && enemy_left_field(rec, info))
        enemy_come_back(rec, info);
}

static void enemy_draw(const Enemy *rec, EnemyKind kind, ALLEGRO_BITMAP *bitmap)
{
    const EnemyInfo *info = &enemy_info[kind];
    const EnemyShadow *shadow = &info->shadow;

    if (!(rec->x > VIEW_LEFT && rec->x < VIEW_RIGHT))
        return;
    if (rec->y > shadow->top && rec->y < SHADOW_Y && !enemy_exploded(rec, info))
        shadow_draw(rec->x, rec->y, shadow->rx0, shadow->rx_div, shadow->ry0, shadow->ry_div);
    sprite_draw(&rec->anim, rec->x, rec->y, rec->anim.frame_w * 0.5f, bitmap);
}

static void enemy_hit_by_shot(Enemy *rec, EnemyKind kind, Shot *shot, int32_t *score,
                              int32_t *combo, int32_t *combo_timer)
{
    const EnemyInfo *info = &enemy_info[kind];

    if (!shot_strike(shot, rec->x, rec->y, info->half, rec->dead))
        return;
    rec->vy = 0.0f;
    rec->dead = 1;
    if (info->hit_restarts)
        rec->anim.frame = 0;
    award_kill(info->score, score, combo, combo_timer);
}

static void enemy_touch_player(const Enemy *rec, EnemyKind kind, Player *player,
                               int32_t *health)
{
    touch_player_box(rec->x, rec->y, enemy_info[kind].half, rec->dead, player,
                     PLAYER_HALF, health);
}

// ---- Leaf ----

void leaf_init(Leaf *rec, Vec2 position, float speed)
{
    enemy_init(rec, position, speed);
}

void leaf_update(Leaf *rec, uint8_t respawn)
{
    enemy_update(rec, respawn, ENEMY_LEAF, leaf_move);
}

void leaf_draw(const Leaf *rec, ALLEGRO_BITMAP *bitmap)
{
    enemy_draw(rec, ENEMY_LEAF, bitmap);
}

void leaf_hit_by_shot(Leaf *rec, Shot *shot, int32_t *score, int32_t *combo,
                      int32_t *combo_timer)
{
    enemy_hit_by_shot(rec, ENEMY_LEAF, shot, score, combo, combo_timer);
}

void leaf_touch_player(const Leaf *rec, Player *player, int32_t *health)
{
    enemy_touch_player(rec, ENEMY_LEAF, player, health);
}

// ---- Ball ----

void ball_init(Ball *rec, Vec2 position, float speed)
{
    enemy_init(rec, position, speed);
}

void ball_update(Ball *rec, uint8_t respawn)
{
    enemy_update(rec, respawn, ENEMY_BALL, ball_move);
}

void ball_draw(const Ball *rec, ALLEGRO_BITMAP *bitmap)
{
    enemy_draw(rec, ENEMY_BALL, bitmap);
}

void ball_hit_by_shot(Ball *rec, Shot *shot, int32_t *score, int32_t *combo,
                      int32_t *combo_timer)
{
    enemy_hit_by_shot(rec, ENEMY_BALL, shot, score, combo, combo_timer);
}

void ball_touch_player(const Ball *rec, Player *player, int32_t *health)
{
    enemy_touch_player(rec, ENEMY_BALL, player, health);
}

// ---- NBomb ----

void nbomb_init(NBomb *rec, Vec2 position, float speed)
{
    enemy_init(rec, position, speed);
}

// Landing on the floor sets it off where it is.
static void nbomb_land(NBomb *rec, ALLEGRO_SAMPLE *land_sample)
{
    sound_play(land_sample, NBOMB_LAND_GAIN, NBOMB_LAND_SPEED);
    rec->vy = 0.0f;
    rec->dead = 1;
    rec->anim.frame = 0;
}

void nbomb_update(NBomb *rec, uint8_t respawn, ALLEGRO_SAMPLE *land_sample)
{
    enemy_update(rec, respawn, ENEMY_NBOMB, nbomb_move);
    if (!rec->dead && rec->y > FLOOR_Y)
        nbomb_land(rec, land_sample);
}

void nbomb_draw(const NBomb *rec, ALLEGRO_BITMAP *bitmap)
{
    enemy_draw(rec, ENEMY_NBOMB, bitmap);
}

void nbomb_hit_by_shot(NBomb *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer)
{
    enemy_hit_by_shot(rec, ENEMY_NBOMB, shot, score, combo, combo_timer);
}

void nbomb_touch_player(const NBomb *rec, Player *player, int32_t *health)
{
    enemy_touch_player(rec, ENEMY_NBOMB, player, health);
}

// ---- Orb ----

void orb_init(Orb *rec, Vec2 position, float speed)
{
    enemy_init(rec, position, speed);
}

void orb_update(Orb *rec, uint8_t respawn)
{
    enemy_update(rec, respawn, ENEMY_ORB, orb_move);
}

void orb_draw(const Orb *rec, ALLEGRO_BITMAP *bitmap)
{
    enemy_draw(rec, ENEMY_ORB, bitmap);
}

void orb_hit_by_shot(Orb *rec, Shot *shot, int32_t *score, int32_t *combo,
                     int32_t *combo_timer)
{
    enemy_hit_by_shot(rec, ENEMY_ORB, shot, score, combo, combo_timer);
}

void orb_touch_player(const Orb *rec, Player *player, int32_t *health)
{
    enemy_touch_player(rec, ENEMY_ORB, player, health);
}

// ---- Flame ----

void flame_init(Flame *rec, Vec2 position, float speed)
{
    enemy_init(rec, position, speed);
}

void flame_update(Flame *rec, uint8_t respawn)
{
    enemy_update(rec, respawn, ENEMY_FLAME, flame_move);
}

void flame_draw(const Flame *rec, ALLEGRO_BITMAP *bitmap)
{
    enemy_draw(rec, ENEMY_FLAME, bitmap);
}

void flame_hit_by_shot(Flame *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer)
{
    enemy_hit_by_shot(rec, ENEMY_FLAME, shot, score, combo, combo_timer);
}

void flame_touch_player(const Flame *rec, Player *player, int32_t *health)
{
    enemy_touch_player(rec, ENEMY_FLAME, player, health);
}

// ---- Slime ----

void slime_init(Slime *rec, Vec2 position, float speed)
{
    enemy_init(rec, position, speed);
}

void slime_update(Slime *rec, uint8_t respawn)
{
    enemy_update(rec, respawn, ENEMY_SLIME, orb_move);
}

void slime_draw(const Slime *rec, ALLEGRO_BITMAP *bitmap)
{
    enemy_draw(rec, ENEMY_SLIME, bitmap);
}

void slime_hit_by_shot(Slime *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer)
{
    enemy_hit_by_shot(rec, ENEMY_SLIME, shot, score, combo, combo_timer);
}

void slime_touch_player(const Slime *rec, Player *player, int32_t *health)
{
    enemy_touch_player(rec, ENEMY_SLIME, player, health);
}

// ---- Flame2 ----

void flame2_init(Flame2 *rec, Vec2 position, float speed)
{
    enemy_init(rec, position, speed);
}

void flame2_update(Flame2 *rec, uint8_t respawn)
{
    enemy_update(rec, respawn, ENEMY_FLAME2, flame2_move);
}

void flame2_draw(const Flame2 *rec, ALLEGRO_BITMAP *bitmap)
{
    enemy_draw(rec, ENEMY_FLAME2, bitmap);
}

void flame2_hit_by_shot(Flame2 *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer)
{
    enemy_hit_by_shot(rec, ENEMY_FLAME2, shot, score, combo, combo_timer);
}

void flame2_touch_player(const Flame2 *rec, Player *player, int32_t *health)
{
    enemy_touch_player(rec, ENEMY_FLAME2, player, health);
}

// ---- BulletB ----

// Unlike the others it rolls its own falling speed.
void bulletb_init(BulletB *rec, Vec2 position, float speed)
{
    enemy_init(rec, position, speed);
    rec->vy = roll(enemy_info[ENEMY_BULLETB].bounce);
}

void bulletb_update(BulletB *rec, uint8_t respawn)
{
    enemy_update(rec, respawn, ENEMY_BULLETB, bulletb_move);
}

void bulletb_draw(const BulletB *rec, ALLEGRO_BITMAP *bitmap)
{
    enemy_draw(rec, ENEMY_BULLETB, bitmap);
}

void bulletb_hit_by_shot(BulletB *rec, Shot *shot, int32_t *score, int32_t *combo,
                         int32_t *combo_timer)
{
    enemy_hit_by_shot(rec, ENEMY_BULLETB, shot, score, combo, combo_timer);
}

void bulletb_touch_player(const BulletB *rec, Player *player, int32_t *health)
{
    enemy_touch_player(rec, ENEMY_BULLETB, player, health);
}
