// The big enemies and the five stage bosses. BigLeaf, BigOrb and FlyGuy also
// fly in the stage-4 groups: there they get no child array, spawn nothing,
// and come back like the common enemies while the respawn flag is set.
#include <math.h>
#include <allegro5/allegro_primitives.h>
#include "actors/bosses.h"
#include "actors/info.h"
#include "core/sound.h"

// ---- Shared steps ----

// The child slot a boss fills next; the index wraps after the last slot.
static int32_t child_take(int32_t *next_child)
{
    int32_t slot = ring_slot(*next_child, BOSS_CHILD_SLOTS);

    *next_child = ring_slot(slot + 1, BOSS_CHILD_SLOTS);
    return slot;
}

// The common record head: centred at position, the type's frame, facing right.
static void big_set_up(const BigInfo *info, float *x, float *y, SpriteAnim *anim, Vec2 position)
{
    *x = position.x;
    *y = position.y;
    anim_init(anim, info->frame, info->frame);
}

static void big_fall(const BigInfo *info, float *y, float *vy, SpriteAnim *anim)
{
    *vy += info->fall_gravity;
    *y += *vy;
    strip_step(anim, &info->dying);
}

// A hit never kills by itself: the update turns the low hp into death.
static void big_beaten(const BigInfo *info, int32_t hp, float *vy, uint8_t *dead)
{
    if (hp <= info->kill_level && !*dead) {
        *vy = 0.0f;
        *dead = 1;
    }
}

static void big_take_hit(const BigInfo *info, int32_t *hp, int32_t *score,
                         int32_t *combo, int32_t *combo_timer)
{
    *hp -= 1;
    if (*hp == info->kill_level)
        award_kill(info->kill_base, score, combo, combo_timer);
}

// A stage-4 member that has gone comes back beside the field on a side
// chosen by a coin toss, facing inwards with a new speed. Draws: coin, x,
// speed, y.
static void big_come_back(const BigInfo *info, float *x, float *y, SpriteAnim *anim,
                          float *vx, float *vy)
{
    if (rand() % 2 == 1) {
        *x = info->back_left - (float)(rand() % 640);
        anim->scale_x = 1.0f;
        *vx = roll(info->back_speed);
    } else {
        *x = (float)(rand() % 640) + info->back_right;
        anim->scale_x = -1.0f;
        *vx = -roll(info->back_speed);
    }
    *y = (float)(rand() % 240 - 32);
    *vy = 0.0f;
}

static void big_touch(const BigInfo *info, float x, float y, float scale, uint8_t dead,
                      Player *player, int32_t *health)
{
    touch_player_box(x, y, info->touch_half * scale, dead, player, info->player_half,
                     health);
}

bool big_in_view(const BigInfo *info, float x)
{
    return x > -info->draw_margin && x < FIELD_W + info->draw_margin;
}

// High above the line the radii shrink past zero: then there is no shadow
// (the primitives would draw a negative radius as a positive one).
bool big_shadow_radii(const BigInfo *info, float y, float scale, float *rx, float *ry)
{
    const EnemyShadow *shadow = &info->shadow;

    if (y <= shadow->top || y >= SHADOW_Y)
        return false;
    shadow_radii(y, shadow->rx0 * scale, shadow->rx_div, shadow->ry0 * scale, shadow->ry_div,
                 rx, ry);
    return *rx > 0.0f && *ry > 0.0f;
}

static void big_shadow(const BigInfo *info, float x, float y, float scale)
{
    float rx;
    float ry;

    if (big_shadow_radii(info, y, scale, &rx, &ry))
        shadow_fill(x, rx, ry);
}

static void big_draw(const BigInfo *info, const SpriteAnim *anim, float x, float y,
                     bool shadow, ALLEGRO_BITMAP *bitmap)
{
    if (!big_in_view(info, x))
        return;
    if (shadow)
        big_shadow(info, x, y, 1.0f);
    sprite_draw(anim, x, y, info->frame / 2.0f, bitmap);
}

// FlyGuy and Spirit hide their shadow on the one frame a dying sprite may
// still show its frame 5.
static bool shadow_shown(uint8_t dead, const SpriteAnim *anim)
{
    return !(dead && anim->frame == 5);
}

// ---- BigLeaf: flaps back and forth; as the stage-1 boss it drops bombs ----

void bigleaf_init(BigLeaf *rec, Vec2 position, float speed)
{
    const BigInfo *info = &big_info[BIG_LEAF];

    big_set_up(info, &rec->x, &rec->y, &rec->anim, position);
    rec->vy = 0.0f;
    rec->vx = speed;
    rec->hp = info->boss_hp;
    rec->drop_timer = BIGLEAF_FIRST_DROP;
    rec->dead = 0;
}

// Off the field no bomb falls, but the timer is re-armed all the same.
static void bigleaf_drop(BigLeaf *rec, NBomb *bombs, int32_t *next_child,
                         ALLEGRO_SAMPLE *drop_sample)
{
    if (rec->drop_timer > 0) {
        rec->drop_timer -= 1;
        return;
    }
    if (rec->x >= 0.0f && rec->x <= FIELD_W) {
        if (drop_sample)
            sound_play(drop_sample, 1.0f, BIGLEAF_DROP_SPEED);
        // The slot is taken whatever it held, even a bomb still falling.
        nbomb_init(&bombs[child_take(next_child)], make_vec2(rec->x, rec->y + 8.0f), 0.0f);
    }
    rec->drop_timer = BIGLEAF_DROP_EVERY;
}

static void bigleaf_flap(BigLeaf *rec)
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
    rec->vy += 0.025f;
    if (rec->vy > 2.0f)
        rec->vy = -roll({40, 1, 10.0f});
}

// Alive or dead, a leaf that has flown 8 pixels past the edge ahead turns.
static void bigleaf_turn(BigLeaf *rec)
{
    if ((rec->vx > 0.0f && rec->x > FIELD_W + 8.0f) || (rec->vx < 0.0f && rec->x < -8.0f)) {
        rec->anim.scale_x = -rec->anim.scale_x;
        rec->vx = roll({20, 10, 10.0f}) * rec->anim.scale_x;
    }
}

void bigleaf_update(BigLeaf *rec, NBomb *bombs, int32_t *next_child,
                    ALLEGRO_SAMPLE *drop_sample, uint8_t respawn)
{
    const BigInfo *info = &big_info[BIG_LEAF];

    if (!rec->dead) {
        if (bombs)
            bigleaf_drop(rec, bombs, next_child, drop_sample);
        bigleaf_flap(rec);
        strip_step(&rec->anim, &info->alive);
    } else {
        big_fall(info, &rec->y, &rec->vy, &rec->anim);
    }
    bigleaf_turn(rec);
    big_beaten(info, rec->hp, &rec->vy, &rec->dead);
    if (respawn && rec->y > BIG_RESPAWN_LINE_Y && !bombs) {
        big_come_back(info, &rec->x, &rec->y, &rec->anim, &rec->vx, &rec->vy);
        rec->dead = 0;
        rec->hp = info->group_hp;
    }
}

void bigleaf_draw(const BigLeaf *rec, ALLEGRO_BITMAP *bitmap)
{
    big_draw(&big_info[BIG_LEAF], &rec->anim, rec->x, rec->y, true, bitmap);
}

void bigleaf_hit_by_shot(BigLeaf *rec, Shot *shot, int32_t *score, int32_t *combo,
                         int32_t *combo_timer)
{
    const BigInfo *info = &big_info[BIG_LEAF];

    if (shot_strike(shot, rec->x, rec->y, info->shot_half, rec->dead))
        big_take_hit(info, &rec->hp, score, combo, combo_timer);
}

void bigleaf_touch_player(const BigLeaf *rec, Player *player, int32_t *health)
{
    big_touch(&big_info[BIG_LEAF], rec->x, rec->y, 1.0f, rec->dead, player, health);
}

// ---- BigOrb: bounces high; as the stage-2 boss it throws an orb per bounce ----

void bigorb_init(BigOrb *rec, Vec2 position, float speed)
{
    const BigInfo *info = &big_info[BIG_ORB];

    big_set_up(info, &rec->x, &rec->y, &rec->anim, position);
    rec->vy = 0.0f;
    rec->vx = speed;
    rec->hp = (uint8_t)info->boss_hp;
    rec->dead = 0;
}

// Only a dead orb's slot is refilled; a live one keeps flying, and the
// turn passes to the next slot either way.
static void bigorb_throw(const BigOrb *rec, Orb *orbs, int32_t *next_child)
{
    Orb *orb = &orbs[child_take(next_child)];

    if (orb->dead)
        orb_init(orb, make_vec2(rec->x, rec->y + 8.0f), roll({400, 200, 100.0f}) - 2.0f);
}

static void bigorb_bounce(BigOrb *rec, Orb *orbs, int32_t *next_child)
{
    if (rec->vx > 0.0f && rec->x > FIELD_W)
        rec->vx = -roll({40, 20, 10.0f});
    if (rec->vx < 0.0f && rec->x < 0.0f)
        rec->vx = roll({40, 20, 10.0f});
    rec->x += rec->vx;
    rec->y += rec->vy;
    rec->anim.scale_x = rec->vx > 0.0f ? 1.0f : -1.0f;
    rec->vy += 0.25f;
    if (rec->y > BIG_FLOOR_Y) {
        rec->y = BIG_FLOOR_Y;
        rec->vy = -roll({600, 400, 100.0f});
        if (orbs && rec->x >= 0.0f && rec->x <= FIELD_W)
            bigorb_throw(rec, orbs, next_child);
    }
}

void bigorb_update(BigOrb *rec, uint8_t respawn, Orb *orbs, int32_t *next_child)
{
    const BigInfo *info = &big_info[BIG_ORB];

    if (!rec->dead) {
        bigorb_bounce(rec, orbs, next_child);
        strip_step(&rec->anim, &info->alive);
    } else {
        big_fall(info, &rec->y, &rec->vy, &rec->anim);
    }
    big_beaten(info, rec->hp, &rec->vy, &rec->dead);
    if (respawn && rec->y > BIG_RESPAWN_LINE_Y && !orbs) {
        big_come_back(info, &rec->x, &rec->y, &rec->anim, &rec->vx, &rec->vy);
        rec->dead = 0;
        rec->hp = (uint8_t)info->group_hp;
    }
}

void bigorb_draw(const BigOrb *rec, ALLEGRO_BITMAP *bitmap)
{
    big_draw(&big_info[BIG_ORB], &rec->anim, rec->x, rec->y, true, bitmap);
}

// Round target: the shot hits inside a circle around the centre.
void bigorb_hit_by_shot(BigOrb *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer)
{
    const BigInfo *info = &big_info[BIG_ORB];
    float dx = shot->x - rec->x;
    float dy = shot->y - rec->y;

    if (!shot->live || rec->dead || !(sqrtf(dx * dx + dy * dy) < info->shot_half))
        return;
    shot_end(shot);
    // hp is a byte: a second hit in the tick it reached 0 (it dies on its
    // next update) would wrap it to 255 and bring a beaten boss back.
    if (rec->hp == 0)
        return;
    rec->hp -= 1;
    if (rec->hp == info->kill_level)
        award_kill(info->kill_base, score, combo, combo_timer);
}

void bigorb_touch_player(const BigOrb *rec, Player *player, int32_t *health)
{
    big_touch(&big_info[BIG_ORB], rec->x, rec->y, 1.0f, rec->dead, player, health);
}

// ---- FlyGuy: straight lines bouncing off all four limits; as the stage-3
// boss it spits a flame on frame 11 of its 16-frame strip ----

void flyguy_init(FlyGuy *rec, Vec2 position, float speed)
{
    const BigInfo *info = &big_info[BIG_FLYGUY];

    big_set_up(info, &rec->x, &rec->y, &rec->anim, position);
    rec->vy = roll({30, 10, 10.0f});
    rec->vx = speed;
    rec->hp = info->boss_hp;
    rec->dead = 0;
}

static void flyguy_spit(const FlyGuy *rec, Flame2 *flames, int32_t *next_child)
{
    Flame2 *flame = &flames[child_take(next_child)];

    flame2_init(flame, make_vec2(rec->x, rec->y), 2.0f * rec->vx);
    flame->anim.scale_x = rec->anim.scale_x;
    flame->dead = 0;
}

static void flyguy_fly(FlyGuy *rec, Flame2 *flames, int32_t *next_child)
{
    const BigInfo *info = &big_info[BIG_FLYGUY];

    rec->anim.scale_x = rec->vx > 0.0f ? 1.0f : -1.0f;
    if (rec->y > BIG_FLOOR_Y && rec->vy >= 0.0f) {
        rec->y = BIG_FLOOR_Y;
        rec->vy = -roll({40, 15, 10.0f});
    } else if (rec->y < BIG_CEILING_Y && rec->vy < 0.0f) {
        rec->y = BIG_CEILING_Y;
        rec->vy = roll({40, 15, 10.0f});
    }
    if (rec->x < 0.0f && rec->vx < 0.0f) {
        rec->x = 0.0f;
        rec->vx = roll({40, 5, 10.0f});
    }
    if (rec->x > BIG_RIGHT_WALL && rec->vx > 0.0f) {
        rec->x = BIG_RIGHT_WALL;
        rec->vx = -roll({40, 5, 10.0f});
    }
    if (flames && rec->anim.frame == FLYGUY_SPIT_FRAME && rec->anim.tick == 0 &&
        rec->y > BIG_VIEW_TOP)
        flyguy_spit(rec, flames, next_child);
    rec->x += rec->vx;
    rec->y += rec->vy;
    anim_step(&rec->anim, info->alive.row, info->alive.first,
              flames ? info->boss_last : info->alive.last, info->alive.period);
}

void flyguy_update(FlyGuy *rec, Flame2 *flames, int32_t *next_child, uint8_t respawn)
{
    const BigInfo *info = &big_info[BIG_FLYGUY];

    if (rec->dead)
        big_fall(info, &rec->y, &rec->vy, &rec->anim);
    else
        flyguy_fly(rec, flames, next_child);
    big_beaten(info, rec->hp, &rec->vy, &rec->dead);
    if (respawn && rec->y > BIG_RESPAWN_LINE_Y && !flames) {
        big_come_back(info, &rec->x, &rec->y, &rec->anim, &rec->vx, &rec->vy);
        rec->vy = roll({2000, 0, 1000.0f}) - 1.0f;
        rec->dead = 0;
        rec->hp = info->group_hp;
    }
}

void flyguy_draw(const FlyGuy *rec, ALLEGRO_BITMAP *bitmap)
{
    big_draw(&big_info[BIG_FLYGUY], &rec->anim, rec->x, rec->y,
             shadow_shown(rec->dead, &rec->anim), bitmap);
}

void flyguy_hit_by_shot(FlyGuy *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer)
{
    const BigInfo *info = &big_info[BIG_FLYGUY];

    if (shot_strike(shot, rec->x, rec->y, info->shot_half, rec->dead))
        big_take_hit(info, &rec->hp, score, combo, combo_timer);
}

void flyguy_touch_player(const FlyGuy *rec, Player *player, int32_t *health)
{
    big_touch(&big_info[BIG_FLYGUY], rec->x, rec->y, 1.0f, rec->dead, player, health);
}

// ---- Spirit: shrinks with every hit and speeds up as it shrinks ----

// Twice the frame at full health, a quarter near the end.
static float spirit_scale(const Spirit *rec)
{
    return (float)rec->hp / 64.0f;
}

void spirit_init(Spirit *rec, Vec2 position, float speed)
{
    const BigInfo *info = &big_info[BIG_SPIRIT];

    big_set_up(info, &rec->x, &rec->y, &rec->anim, position);
    rec->vy = BOSS_ENTRY_VY;
    rec->vx = speed;
    rec->hp = info->boss_hp;
    rec->dead = 0;
}

static void spirit_fly(Spirit *rec, float s)
{
    const BigInfo *info = &big_info[BIG_SPIRIT];
    float k = 3.0f - s;

    if (rec->y > SHADOW_Y - 8.0f * s && rec->vy >= 0.0f) {
        rec->vx = roll({40, 0, 10.0f}) - 2.0f;
        rec->y = BIG_FLOOR_Y;
        rec->vy = -roll({20, 15, 10.0f});
    } else if (rec->y < BIG_CEILING_Y && rec->vy < 0.0f) {
        rec->vx = roll({40, 0, 10.0f}) - 2.0f;
        rec->y = BIG_CEILING_Y;
        rec->vy = roll({20, 15, 10.0f});
    }
    if (rec->x < 0.0f && rec->vx < 0.0f) {
        rec->x = 0.0f;
        rec->vx = roll({40, 5, 10.0f});
        rec->vy = roll({40, 0, 10.0f}) - 2.0f;
    }
    if (rec->x > BIG_RIGHT_WALL && rec->vx > 0.0f) {
        rec->x = BIG_RIGHT_WALL;
        rec->vx = -roll({20, 5, 10.0f});
        rec->vy = roll({40, 0, 10.0f}) - 2.0f;
    }
    rec->x += rec->vx * k;
    rec->y += rec->vy * k;
    strip_step(&rec->anim, &info->alive);
}

// The flames of the stage-3 boss's call are passed along but never used.
void spirit_update(Spirit *rec, Flame2 *, int32_t *, uint8_t)
{
    const BigInfo *info = &big_info[BIG_SPIRIT];
    float s = spirit_scale(rec);

    rec->anim.scale_x = s;
    rec->anim.scale_y = s;
    if (!rec->dead)
        spirit_fly(rec, s);
    else
        big_fall(info, &rec->y, &rec->vy, &rec->anim);
    big_beaten(info, rec->hp, &rec->vy, &rec->dead);
}

// Placed by the scale it is drawn at, so the sprite stays centred even in
// the frame after a hit, before the update has shrunk it.
void spirit_draw(const Spirit *rec, ALLEGRO_BITMAP *bitmap)
{
    const BigInfo *info = &big_info[BIG_SPIRIT];
    float s = rec->anim.scale_x;
    float half = info->frame / 2.0f * s;

    if (!big_in_view(info, rec->x))
        return;
    if (shadow_shown(rec->dead, &rec->anim))
        big_shadow(info, rec->x, rec->y, s);
    anim_draw(&rec->anim, (int)(rec->x - half), (int)(rec->y - half), bitmap);
}

void spirit_hit_by_shot(Spirit *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer)
{
    const BigInfo *info = &big_info[BIG_SPIRIT];

    if (shot_strike(shot, rec->x, rec->y, info->shot_half * spirit_scale(rec), rec->dead))
        big_take_hit(info, &rec->hp, score, combo, combo_timer);
}

void spirit_touch_player(const Spirit *rec, Player *player, int32_t *health)
{
    big_touch(&big_info[BIG_SPIRIT], rec->x, rec->y, spirit_scale(rec), rec->dead, player,
              health);
}

// ---- FBoss: pulses in size, moves faster when small, fires a laser
// straight down on a cycle ----

void fboss_init(FBoss *rec, Vec2 position, float speed)
{
    const BigInfo *info = &big_info[BIG_FBOSS];

    big_set_up(info, &rec->x, &rec->y, &rec->anim, position);
    anim_init(&rec->top, info->frame, info->frame);
    rec->vy = BOSS_ENTRY_VY;
    rec->vx = speed;
    rec->body_scale = 1.0f;
    rec->hp = info->boss_hp;
    rec->cycle_timer = FBOSS_FIRST_LASER;
    rec->dead = 0;
    rec->growing = 0;
    rec->laser_on = 0;
}

// Runs only once the boss is in view; returns the phase that paces the
// propeller sound (0 every fourth tick and when the laser starts).
static int fboss_laser_cycle(FBoss *rec, ALLEGRO_SAMPLE *laser_sample)
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

static void fboss_pulse(FBoss *rec)
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
static void fboss_set_scales(FBoss *rec)
{
    float s = rec->body_scale;
    float sx = rec->vx < 0.0f ? s : -s;

    rec->anim.scale_x = sx;
    rec->top.scale_x = sx;
    rec->anim.scale_y = s;
    rec->top.scale_y = s;
}

// The factor is rolled whole before it scales the speed.
static float fboss_speed_factor(void)
{
    return roll({150, 50, 100.0f});
}

static void fboss_bounce(FBoss *rec)
{
    if (rec->y > BIG_FLOOR_Y && rec->vy >= 0.0f) {
        rec->y = BIG_FLOOR_Y;
        rec->vy = -roll({40, 10, 10.0f});
        rec->vx *= fboss_speed_factor();
    } else if (rec->y < BIG_CEILING_Y && rec->vy < 0.0f) {
        rec->y = BIG_CEILING_Y;
        rec->vy = roll({40, 10, 10.0f});
        rec->vx *= fboss_speed_factor();
    }
    if (rec->x < 0.0f && rec->vx < 0.0f) {
        rec->x = 0.0f;
        rec->vx = roll({40, 10, 10.0f});
        rec->vy *= fboss_speed_factor();
    }
    if (rec->x > BIG_RIGHT_WALL && rec->vx > 0.0f) {
        rec->x = BIG_RIGHT_WALL;
        rec->vx = -roll({40, 10, 10.0f});
        rec->vy *= fboss_speed_factor();
    }
}

void fboss_update(FBoss *rec, ALLEGRO_SAMPLE *laser_sample,
                  ALLEGRO_SAMPLE *propeller_sample, uint8_t)
{
    const BigInfo *info = &big_info[BIG_FBOSS];
    int phase;
    float k;

    if (rec->dead) {
        big_fall(info, &rec->y, &rec->vy, &rec->anim);
        return;
    }
    phase = fboss_laser_cycle(rec, laser_sample);
    fboss_pulse(rec);
    if (phase == 0 && rec->y > BIG_VIEW_TOP)
        sound_play(propeller_sample, 1.0f, 1.0f);
    fboss_set_scales(rec);
    fboss_bounce(rec);
    k = FBOSS_LARGEST - rec->body_scale;
    rec->x += rec->vx * k;
    rec->y += rec->vy * k;
    strip_step(&rec->anim, &info->alive);
    strip_step(&rec->top, &fboss_top_strip);
    big_beaten(info, rec->hp, &rec->vy, &rec->dead);
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
static void fboss_beam_draw(const FBoss *rec)
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

void fboss_draw(const FBoss *rec, ALLEGRO_BITMAP *bitmap)
{
    const BigInfo *info = &big_info[BIG_FBOSS];
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

void fboss_hit_by_shot(FBoss *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer)
{
    const BigInfo *info = &big_info[BIG_FBOSS];

    if (shot_strike(shot, rec->x, rec->y, info->shot_half * rec->body_scale, rec->dead))
        big_take_hit(info, &rec->hp, score, combo, combo_timer);
}

// While the laser is on, a player under the boss and inside the beam.
static bool fboss_beam_hits(const FBoss *rec, const Player *player)
{
    float s = rec->body_scale;
    float half = FBOSS_BEAM_HALF * s;

    return rec->laser_on && player->y > rec->y + FBOSS_BEAM_BELOW * s &&
           player->x + FBOSS_BEAM_PLAYER_HALF > rec->x - half &&
           rec->x + half > player->x - FBOSS_BEAM_PLAYER_HALF;
}

// Two ways to be hurt: the beam, and the body itself.
void fboss_touch_player(const FBoss *rec, Player *player, int32_t *health)
{
    if (!rec->dead && player_can_be_hit(player) && fboss_beam_hits(rec, player))
        player_take_hit(player, health);
    big_touch(&big_info[BIG_FBOSS], rec->x, rec->y, rec->body_scale, rec->dead, player,
              health);
}
