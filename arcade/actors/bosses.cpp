// The big enemies and the five stage bosses. BigLeaf, BigOrb and FlyGuy also
// fly in the stage-4 groups: there they get no child array, spawn nothing,
// and come back like the common enemies while the respawn flag is set.
#include <math.h>
#include <allegro5/allegro_primitives.h>
#include "actors/bosses.h"
#include "actors/info.h"
#include "sound/sound.h"

const BossGear no_gear = {NULL, NULL, NULL, NULL};

// ---- Shared steps ----

// The child slot a boss fills next; the index wraps after the last slot.
static int32_t child_take(int32_t *next_child)
{
    int32_t slot = ring_slot(*next_child, BOSS_CHILD_SLOTS);

    *next_child = ring_slot(slot + 1, BOSS_CHILD_SLOTS);
    return slot;
}

// What the kind's boxes and shadow are multiplied by: Spirit is twice its
// frame at full health and a quarter near the end; FBoss pulses.
static float big_scale(const Big *rec)
{
    switch (big_info[rec->kind].scale) {
    case SCALE_HP:
        return (float)rec->hp / 64.0f;
    case SCALE_BODY:
        return rec->body_scale;
    case SCALE_NONE:
        break;
    }
    return 1.0f;
}

// Centred at position, the kind's frame, facing right, at the row's
// strength. The first bomb of BigLeaf and the first laser of FBoss wait
// the row's first_drop ticks.
void big_init(Big *rec, BigKind kind, Vec2 position, float speed)
{
    const BigInfo *info = &big_info[kind];

    rec->x = position.x;
    rec->y = position.y;
    anim_init(&rec->anim, info->frame, info->frame);
    anim_init(&rec->top, info->frame, info->frame);
    rec->vy = roll(info->start_vy);
    rec->vx = speed;
    rec->body_scale = 1.0f;
    rec->hp = info->boss_hp;
    rec->cycle_timer = info->first_drop;
    rec->drop_timer = (uint8_t)info->first_drop;
    rec->dead = 0;
    rec->growing = 0;
    rec->laser_on = 0;
    rec->kind = (uint8_t)kind;
}

void big_update(Big *rec, uint8_t respawn, const BossGear *gear)
{
    big_info[rec->kind].update(rec, respawn, gear);
}

void big_draw(const Big *rec, ALLEGRO_BITMAP *bitmap)
{
    big_info[rec->kind].draw(rec, bitmap);
}

void big_hit_by_shot(Big *rec, Shot *shot, int32_t *score, int32_t *combo,
                     int32_t *combo_timer)
{
    big_info[rec->kind].hit_by_shot(rec, shot, score, combo, combo_timer);
}

void big_touch_player(const Big *rec, Player *player, int32_t *health)
{
    big_info[rec->kind].touch_player(rec, player, health);
}

bool big_gone(const Big *rec)
{
    return rec->dead && rec->y > BOSS_GONE_Y;
}

static void big_fall(Big *rec, const BigInfo *info)
{
    rec->vy += info->fall_gravity;
    rec->y += rec->vy;
    strip_step(&rec->anim, &info->dying);
}

// A hit never kills by itself: the update turns the low hp into death.
static void big_beaten(Big *rec, const BigInfo *info)
{
    if (rec->hp <= info->kill_level && !rec->dead) {
        rec->vy = 0.0f;
        rec->dead = 1;
    }
}

static void big_take_hit(Big *rec, const BigInfo *info, int32_t *score, int32_t *combo,
                         int32_t *combo_timer)
{
    rec->hp -= 1;
    if (rec->hp == info->kill_level)
        award_kill(info->kill_base, score, combo, combo_timer);
}

// A stage-4 member that has fallen below the screen comes back beside the
// field, alive, with a group member's strength.
static void big_come_back(Big *rec, const BigInfo *info)
{
    side_return(info->back_left, info->back_right, info->back_speed, &rec->x, &rec->y,
                &rec->vx, &rec->vy, &rec->anim);
    rec->vy = roll(info->back_vy);
    rec->dead = 0;
    rec->hp = info->group_hp;
}

static void big_respawn(Big *rec, const BigInfo *info, uint8_t respawn, const BossGear *gear)
{
    if (respawn && rec->y > BIG_RESPAWN_LINE_Y && !gear->children)
        big_come_back(rec, info);
}

bool big_in_view(const BigInfo *info, float x)
{
    return x > -info->draw_margin && x < FIELD_W + info->draw_margin;
}

// High above the line the radii shrink past zero: then there is no shadow
// (the primitives would draw a negative radius as a positive one).
bool big_shadow_radii(const BigInfo *info, float y, float scale, float *rx, float *ry)
{
    if (y <= info->shadow.top || y >= SHADOW_Y)
        return false;
    shadow_radii(y, &info->shadow, scale, rx, ry);
    return *rx > 0.0f && *ry > 0.0f;
}

static void big_shadow(const BigInfo *info, float x, float y, float scale)
{
    float rx;
    float ry;

    if (big_shadow_radii(info, y, scale, &rx, &ry))
        shadow_fill(x, rx, ry);
}

// FlyGuy and Spirit hide their shadow on the one frame a dying sprite may
// still show its frame 5.
static bool shadow_shown(const Big *rec, const BigInfo *info)
{
    return !(rec->dead && rec->anim.frame == info->shadow_hidden_frame);
}

void big_shared_draw(const Big *rec, ALLEGRO_BITMAP *bitmap)
{
    const BigInfo *info = &big_info[rec->kind];

    if (!big_in_view(info, rec->x))
        return;
    if (shadow_shown(rec, info))
        big_shadow(info, rec->x, rec->y, 1.0f);
    sprite_draw(&rec->anim, rec->x, rec->y, info->frame / 2.0f, bitmap);
}

void big_shared_hit(Big *rec, Shot *shot, int32_t *score, int32_t *combo,
                    int32_t *combo_timer)
{
    const BigInfo *info = &big_info[rec->kind];

    if (shot_strike(shot, rec->x, rec->y, info->shot_half * big_scale(rec), rec->dead))
        big_take_hit(rec, info, score, combo, combo_timer);
}

void big_shared_touch(const Big *rec, Player *player, int32_t *health)
{
    const BigInfo *info = &big_info[rec->kind];

    touch_player_box(rec->x, rec->y, info->touch_half * big_scale(rec), rec->dead, player,
                     info->player_half, health);
}

// ---- BigLeaf: flaps back and forth; as the stage-1 boss it drops bombs ----

// Off the field no bomb falls, but the timer is re-armed all the same.
static void bigleaf_drop(Big *rec, const BossGear *gear)
{
    if (rec->drop_timer > 0) {
        rec->drop_timer -= 1;
        return;
    }
    if (rec->x >= 0.0f && rec->x <= FIELD_W) {
        if (gear->sound)
            sound_play(gear->sound, 1.0f, BIGLEAF_DROP_SPEED);
        // The slot is taken whatever it held, even a bomb still falling.
        enemy_init(&gear->children[child_take(gear->next_child)], ENEMY_NBOMB,
                   make_vec2(rec->x, rec->y + 8.0f), 0.0f);
    }
    rec->drop_timer = BIGLEAF_DROP_EVERY;
}

static void bigleaf_flap(Big *rec, const BigInfo *info)
{
    rec->x += rec->vx;
    rec->y += rec->vy;
    if (rec->y < 0.0f) {
        rec->y = 0.0f;
        rec->vy = 0.0f;
    } else if (rec->y > BIG_FLOOR_Y) {
        rec->y = BIG_FLOOR_Y;
        rec->vy = -rec->vy;
    }
    rec->vy += info->gravity;
    if (rec->vy > info->flap_at)
        rec->vy = -roll(info->flap);
}

// Alive or dead, a leaf that has flown 8 pixels past the edge ahead turns.
static void bigleaf_turn(Big *rec, const BigInfo *info)
{
    if ((rec->vx > 0.0f && rec->x > FIELD_W + 8.0f) || (rec->vx < 0.0f && rec->x < -8.0f)) {
        rec->anim.scale_x = -rec->anim.scale_x;
        rec->vx = roll(info->turn) * rec->anim.scale_x;
    }
}

void bigleaf_update(Big *rec, uint8_t respawn, const BossGear *gear)
{
    const BigInfo *info = &big_info[rec->kind];

    if (!rec->dead) {
        if (gear->children)
            bigleaf_drop(rec, gear);
        bigleaf_flap(rec, info);
        strip_step(&rec->anim, &info->alive);
    } else {
        big_fall(rec, info);
    }
    bigleaf_turn(rec, info);
    big_beaten(rec, info);
    big_respawn(rec, info, respawn, gear);
}

// ---- BigOrb: bounces high; as the stage-2 boss it throws an orb per bounce ----

// Only a dead orb's slot is refilled; a live one keeps flying, and the
// turn passes to the next slot either way.
static void bigorb_throw(const Big *rec, const BigInfo *info, const BossGear *gear)
{
    Enemy *orb = &gear->children[child_take(gear->next_child)];

    if (orb->dead)
        enemy_init(orb, ENEMY_ORB, make_vec2(rec->x, rec->y + 8.0f), roll(info->child_speed));
}

static void bigorb_bounce(Big *rec, const BigInfo *info, const BossGear *gear)
{
    if (rec->vx > 0.0f && rec->x > FIELD_W)
        rec->vx = -roll(info->wall_right);
    if (rec->vx < 0.0f && rec->x < 0.0f)
        rec->vx = roll(info->wall_left);
    rec->x += rec->vx;
    rec->y += rec->vy;
    rec->anim.scale_x = rec->vx > 0.0f ? 1.0f : -1.0f;
    rec->vy += info->gravity;
    if (rec->y > BIG_FLOOR_Y) {
        rec->y = BIG_FLOOR_Y;
        rec->vy = -roll(info->bounce);
        if (gear->children && rec->x >= 0.0f && rec->x <= FIELD_W)
            bigorb_throw(rec, info, gear);
    }
}

void bigorb_update(Big *rec, uint8_t respawn, const BossGear *gear)
{
    const BigInfo *info = &big_info[rec->kind];

    if (!rec->dead) {
        bigorb_bounce(rec, info, gear);
        strip_step(&rec->anim, &info->alive);
    } else {
        big_fall(rec, info);
    }
    big_beaten(rec, info);
    big_respawn(rec, info, respawn, gear);
}

// Round target: the shot hits inside a circle around the centre.
void bigorb_hit_by_shot(Big *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer)
{
    const BigInfo *info = &big_info[rec->kind];
    float dx = shot->x - rec->x;
    float dy = shot->y - rec->y;

    if (!shot->live || rec->dead || !(sqrtf(dx * dx + dy * dy) < info->shot_half))
        return;
    shot_end(shot);
    // Its hp is a byte's worth: a second hit in the tick it reached 0 (it
    // dies on its next update) leaves it at 0.
    if (rec->hp == 0)
        return;
    big_take_hit(rec, info, score, combo, combo_timer);
}

// ---- FlyGuy: straight lines bouncing off all four limits; as the stage-3
// boss it spits a flame on frame 11 of its 16-frame strip ----

static void flyguy_spit(const Big *rec, const BigInfo *info, const BossGear *gear)
{
    Enemy *flame = &gear->children[child_take(gear->next_child)];

    enemy_init(flame, ENEMY_FLAME2, make_vec2(rec->x, rec->y), info->child_vx * rec->vx);
    flame->anim.scale_x = rec->anim.scale_x;
    flame->dead = 0;
}

static void flyguy_fly(Big *rec, const BigInfo *info, const BossGear *gear)
{
    rec->anim.scale_x = rec->vx > 0.0f ? 1.0f : -1.0f;
    if (rec->y > BIG_FLOOR_Y && rec->vy >= 0.0f) {
        rec->y = BIG_FLOOR_Y;
        rec->vy = -roll(info->bounce);
    } else if (rec->y < BIG_CEILING_Y && rec->vy < 0.0f) {
        rec->y = BIG_CEILING_Y;
        rec->vy = roll(info->bounce);
    }
    if (rec->x < 0.0f && rec->vx < 0.0f) {
        rec->x = 0.0f;
        rec->vx = roll(info->wall_left);
    }
    if (rec->x > BIG_RIGHT_WALL && rec->vx > 0.0f) {
        rec->x = BIG_RIGHT_WALL;
        rec->vx = -roll(info->wall_right);
    }
    if (gear->children && rec->anim.frame == FLYGUY_SPIT_FRAME && rec->anim.tick == 0 &&
        rec->y > BIG_VIEW_TOP)
        flyguy_spit(rec, info, gear);
    rec->x += rec->vx;
    rec->y += rec->vy;
    anim_step(&rec->anim, info->alive.row, info->alive.first,
              gear->children ? info->boss_last : info->alive.last, info->alive.period);
}

void flyguy_update(Big *rec, uint8_t respawn, const BossGear *gear)
{
    const BigInfo *info = &big_info[rec->kind];

    if (rec->dead)
        big_fall(rec, info);
    else
        flyguy_fly(rec, info, gear);
    big_beaten(rec, info);
    big_respawn(rec, info, respawn, gear);
}

// ---- Spirit: shrinks with every hit and speeds up as it shrinks ----

static void spirit_fly(Big *rec, const BigInfo *info, float s)
{
    float k = 3.0f - s;

    if (rec->y > SHADOW_Y - 8.0f * s && rec->vy >= 0.0f) {
        rec->vx = roll(info->wander);
        rec->y = BIG_FLOOR_Y;
        rec->vy = -roll(info->bounce);
    } else if (rec->y < BIG_CEILING_Y && rec->vy < 0.0f) {
        rec->vx = roll(info->wander);
        rec->y = BIG_CEILING_Y;
        rec->vy = roll(info->bounce);
    }
    if (rec->x < 0.0f && rec->vx < 0.0f) {
        rec->x = 0.0f;
        rec->vx = roll(info->wall_left);
        rec->vy = roll(info->wander);
    }
    if (rec->x > BIG_RIGHT_WALL && rec->vx > 0.0f) {
        rec->x = BIG_RIGHT_WALL;
        rec->vx = -roll(info->wall_right);
        rec->vy = roll(info->wander);
    }
    rec->x += rec->vx * k;
    rec->y += rec->vy * k;
    strip_step(&rec->anim, &info->alive);
}

// A boss only: the gear and the respawn flag it is handed go unused.
void spirit_update(Big *rec, uint8_t, const BossGear *)
{
    const BigInfo *info = &big_info[rec->kind];
    float s = big_scale(rec);

    rec->anim.scale_x = s;
    rec->anim.scale_y = s;
    if (!rec->dead)
        spirit_fly(rec, info, s);
    else
        big_fall(rec, info);
    big_beaten(rec, info);
}

// Placed by the scale it is drawn at, so the sprite stays centred even in
// the frame after a hit, before the update has shrunk it.
void spirit_draw(const Big *rec, ALLEGRO_BITMAP *bitmap)
{
    const BigInfo *info = &big_info[rec->kind];
    float s = rec->anim.scale_x;
    float half = info->frame / 2.0f * s;

    if (!big_in_view(info, rec->x))
        return;
    if (shadow_shown(rec, info))
        big_shadow(info, rec->x, rec->y, s);
    anim_draw(&rec->anim, (int)(rec->x - half), (int)(rec->y - half), bitmap);
}

// ---- FBoss: pulses in size, moves faster when small, fires a laser
// straight down on a cycle ----

// Runs only once the boss is in view; returns the phase that paces the
// propeller sound (0 every fourth tick and when the laser starts).
static int fboss_laser_cycle(Big *rec, ALLEGRO_SAMPLE *laser_sample)
{
    if (rec->y <= BIG_VIEW_TOP)
        return rec->cycle_timer & 3;
    rec->cycle_timer -= 1;
    if (rec->cycle_timer > 0)
        return rec->cycle_timer & 3;
    if (!rec->laser_on) {
        sound_play(laser_sample, 1.0f, 1.0f);
        rec->laser_on = 1;
        rec->cycle_timer = FBOSS_LASER_ON;
        return 0;
    }
    rec->laser_on = 0;
    rec->cycle_timer = FBOSS_LASER_OFF;
    return 2;
}

static void fboss_pulse(Big *rec)
{
    if (!rec->growing) {
        rec->body_scale -= FBOSS_PULSE;
        if (rec->body_scale < FBOSS_SMALLEST)
            rec->growing = 1;
    } else {
        rec->body_scale += FBOSS_PULSE;
        if (rec->body_scale > FBOSS_LARGEST)
            rec->growing = 0;
    }
}

// Both parts face their motion: the frames look left unmirrored.
static void fboss_set_scales(Big *rec)
{
    float s = rec->body_scale;
    float sx = rec->vx < 0.0f ? s : -s;

    rec->anim.scale_x = sx;
    rec->top.scale_x = sx;
    rec->anim.scale_y = s;
    rec->top.scale_y = s;
}

// The factor is rolled whole before it scales the other speed.
static void fboss_bounce(Big *rec, const BigInfo *info)
{
    if (rec->y > BIG_FLOOR_Y && rec->vy >= 0.0f) {
        rec->y = BIG_FLOOR_Y;
        rec->vy = -roll(info->bounce);
        rec->vx *= roll(info->speed_factor);
    } else if (rec->y < BIG_CEILING_Y && rec->vy < 0.0f) {
        rec->y = BIG_CEILING_Y;
        rec->vy = roll(info->bounce);
        rec->vx *= roll(info->speed_factor);
    }
    if (rec->x < 0.0f && rec->vx < 0.0f) {
        rec->x = 0.0f;
        rec->vx = roll(info->wall_left);
        rec->vy *= roll(info->speed_factor);
    }
    if (rec->x > BIG_RIGHT_WALL && rec->vx > 0.0f) {
        rec->x = BIG_RIGHT_WALL;
        rec->vx = -roll(info->wall_right);
        rec->vy *= roll(info->speed_factor);
    }
}

// A boss only, out from the start: the respawn flag goes unused. The gear
// brings the laser sound and the propeller sound.
void fboss_update(Big *rec, uint8_t, const BossGear *gear)
{
    const BigInfo *info = &big_info[rec->kind];
    int phase;
    float k;

    if (rec->dead) {
        big_fall(rec, info);
        return;
    }
    phase = fboss_laser_cycle(rec, gear->sound);
    fboss_pulse(rec);
    if (phase == 0 && rec->y > BIG_VIEW_TOP)
        sound_play(gear->sound2, 1.0f, 1.0f);
    fboss_set_scales(rec);
    fboss_bounce(rec, info);
    k = FBOSS_LARGEST - rec->body_scale;
    rec->x += rec->vx * k;
    rec->y += rec->vy * k;
    strip_step(&rec->anim, &info->alive);
    strip_step(&rec->top, &fboss_top_strip);
    big_beaten(rec, info);
}

// A part of the boss whose frame column `column` (scaled) lies on x.
static void fboss_part_draw(const SpriteAnim *anim, float x, float top, float column,
                            ALLEGRO_BITMAP *bitmap)
{
    int left = (int)(anim->scale_x >= 0.0f ? x - column : x + column);

    anim_draw(anim, left, (int)top, bitmap);
}

// Eight bands from red to nearly white, each narrower than the last, from
// under the body down to a pool of light on the shadow line.
static void fboss_beam_draw(const Big *rec)
{
    float s = rec->body_scale;
    int i;

    for (i = 0; i < FBOSS_BEAM_BANDS; i++) {
        ALLEGRO_COLOR colour = al_map_rgb(255, 31 * i, 31 * i);
        float half = FBOSS_BEAM_HALF * s - 2.0f * i * s;

        al_draw_filled_ellipse(rec->x, SHADOW_Y, half, 4.0f * s - 0.5f * i * s, colour);
        al_draw_filled_rectangle(rec->x - half, rec->y + FBOSS_BEAM_HALF * s, rec->x + half,
                                 SHADOW_Y, colour);
    }
}

void fboss_draw(const Big *rec, ALLEGRO_BITMAP *bitmap)
{
    const BigInfo *info = &big_info[rec->kind];
    float s = rec->body_scale;

    if (!big_in_view(info, rec->x))
        return;
    if (!rec->dead) {
        big_shadow(info, rec->x, rec->y, s);
        fboss_part_draw(&rec->top, rec->x, rec->y - FBOSS_TOP_RAISE * s,
                        FBOSS_TOP_OFFSET * s, bitmap);
    }
    // The beam flickers: it shows on even timer values only.
    if (rec->y > BIG_VIEW_TOP && rec->laser_on && rec->cycle_timer % 2 == 0)
        fboss_beam_draw(rec);
    fboss_part_draw(&rec->anim, rec->x, rec->y - info->frame / 2.0f * s,
                    info->frame / 2.0f * s, bitmap);
}

// While the laser is on, a player under the boss and inside the beam.
static bool fboss_beam_hits(const Big *rec, const Player *player)
{
    float s = rec->body_scale;
    float half = FBOSS_BEAM_HALF * s;

    return rec->laser_on && player->y > rec->y + FBOSS_BEAM_BELOW * s &&
           player->x + FBOSS_BEAM_PLAYER_HALF > rec->x - half &&
           rec->x + half > player->x - FBOSS_BEAM_PLAYER_HALF;
}

// Two ways to be hurt: the beam, and the body itself.
void fboss_touch_player(const Big *rec, Player *player, int32_t *health)
{
    if (!rec->dead && player_can_be_hit(player) && fboss_beam_hits(rec, player))
        player_take_hit(player, health);
    big_shared_touch(rec, player, health);
}
