// The eight small enemies that die from one shot. They share one record and
// every step of moving, dying, coming back, drawing and being hit; the row
// of enemy_info that the record's kind picks tells them apart.
#include <math.h>
#include <stdlib.h>
#include "actors/enemies.h"
#include "actors/info.h"
#include "sound/sound.h"

// A 16-pixel actor is drawn, and counts as still on the field, strictly
// between these two x.
#define VIEW_LEFT (-8.0f)
#define VIEW_RIGHT 264.0f

#define NBOMB_LAND_GAIN 1.0f
#define NBOMB_LAND_SPEED 0.75f

// ---- The rows' updates: the alive motion of one tick ----

// Leaf: straight on, its vertical speed a sawtooth between -limit and limit.
void leaf_update(Enemy *rec, const EnemyInfo *info)
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

void ball_update(Enemy *rec, const EnemyInfo *info)
{
    rec->x += rec->vx;
    rec->y += rec->vy;
    rec->vy += info->gravity;
    floor_bounce(rec, info);
}

// NBomb: falls, gaining speed up to its limit; landing is its update's.
void nbomb_update(Enemy *rec, const EnemyInfo *info)
{
    rec->x += rec->vx;
    rec->y += rec->vy;
    if (rec->vy < info->vy_limit)
        rec->vy += info->gravity;
}

// Orb and Slime: turn at the walls instead of leaving, face the way they go.
void orb_update(Enemy *rec, const EnemyInfo *info)
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

void flame_update(Enemy *rec, const EnemyInfo *)
{
    rec->x += rec->vx;
    rec->y += rec->vy;
}

// Flame2: sinks slowly and flaps up, kept within its band.
void flame2_update(Enemy *rec, const EnemyInfo *info)
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
void bulletb_update(Enemy *rec, const EnemyInfo *info)
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

// A falling type starts as it comes back, at its bounce speed (NBomb has
// none and draws nothing).
void enemy_init(Enemy *rec, EnemyKind kind, Vec2 position, float speed)
{
    const EnemyInfo *info = &enemy_info[kind];

    rec->x = position.x;
    rec->y = position.y;
    anim_init(&rec->anim, 16.0f, 16.0f);
    rec->vy = info->returns == RETURN_ABOVE ? roll(info->bounce) : 0.0f;
    rec->vx = speed;
    rec->dead = 0;
    rec->kind = (uint8_t)kind;
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

// Just beside the field, flying in with a new speed.
static void enemy_return_side(Enemy *rec, const EnemyInfo *info)
{
    side_return(0.0f, FIELD_W, info->return_speed, &rec->x, &rec->y, &rec->vx, &rec->vy,
                &rec->anim);
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

// An exploding type that reaches the floor alive sets itself off there.
static void enemy_land(Enemy *rec, ALLEGRO_SAMPLE *land_sample)
{
    sound_play(land_sample, NBOMB_LAND_GAIN, NBOMB_LAND_SPEED);
    rec->vy = 0.0f;
    rec->dead = 1;
    rec->anim.frame = 0;
}

void enemy_update(Enemy *rec, uint8_t respawn, ALLEGRO_SAMPLE *land_sample)
{
    const EnemyInfo *info = &enemy_info[rec->kind];

    // A finished explosion rests through the update that finished it and
    // comes back on a later one.
    if (enemy_exploded(rec, info)) {
        if (respawn)
            enemy_come_back(rec, info);
        return;
    }
    if (!rec->dead) {
        info->update(rec, info);
        strip_step(&rec->anim, rec->vy < 0.0f ? &info->rising : &info->alive);
    } else {
        enemy_die_step(rec, info);
    }
    if (respawn && enemy_left_field(rec, info))
        enemy_come_back(rec, info);
    if (info->gone == GONE_EXPLODED && !rec->dead && rec->y > FLOOR_Y)
        enemy_land(rec, land_sample);
}

bool enemy_shadow(const Enemy *rec, float *rx, float *ry)
{
    const EnemyInfo *info = &enemy_info[rec->kind];
    const EnemyShadow *shadow = &info->shadow;

    if (!(rec->y > shadow->top && rec->y < SHADOW_Y) || enemy_exploded(rec, info))
        return false;
    shadow_radii(rec->y, shadow, 1.0f, rx, ry);
    return true;
}

void enemy_draw(const Enemy *rec, ALLEGRO_BITMAP *bitmap)
{
    float rx = 0.0f;
    float ry = 0.0f;

    if (!(rec->x > VIEW_LEFT && rec->x < VIEW_RIGHT))
        return;
    if (enemy_shadow(rec, &rx, &ry))
        shadow_fill(rec->x, rx, ry);
    sprite_draw(&rec->anim, rec->x, rec->y, rec->anim.frame_w * 0.5f, bitmap);
}

void enemy_hit_by_shot(Enemy *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer)
{
    const EnemyInfo *info = &enemy_info[rec->kind];

    if (!shot_strike(shot, rec->x, rec->y, info->half, rec->dead))
        return;
    rec->vy = 0.0f;
    rec->dead = 1;
    if (info->hit_restarts)
        rec->anim.frame = 0;
    award_kill(info->score, score, combo, combo_timer);
}

void enemy_touch_player(const Enemy *rec, Player *player, int32_t *health)
{
    touch_player_box(rec->x, rec->y, enemy_info[rec->kind].half, rec->dead, player,
                     PLAYER_HALF, health);
}
