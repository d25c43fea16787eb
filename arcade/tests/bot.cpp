#include "bot.h"

#include <math.h>
#include <allegro5/allegro.h>
#include "core/game.h"
#include "core/input.h"
#include "core/world.h"
#include "headless.h"
#include "world_view.h"

#define FIELD_TOP 30.0f
#define FIELD_LOW 200.0f
#define THREATS_MAX 64
// How far ahead each of the nine moves is tried.
#define PLAN_TICKS 24
// Gaps wider than this are all as safe as each other.
#define SAFE_GAP 24.0f

static bool on_field(const ActorSeen *a)
{
    return a->x > -8 && a->x < 264 && a->y > -8 && a->y < 224;
}

// What can hurt the player, and the nearest thing to shoot at.
struct Sight {
    ActorSeen threats[THREATS_MAX];
    int count;
    bool target;
    ActorSeen aim;
    float aim_distance;
};

static void sight_add(Sight *sight, const ActorSeen *a, bool shootable)
{
    float dist = fabsf(a->x - player.x) + fabsf(a->y - player.y);

    if (!on_field(a))
        return;
    if (sight->count < THREATS_MAX)
        sight->threats[sight->count++] = *a;
    if (shootable && (!sight->target || dist < sight->aim_distance)) {
        sight->target = true;
        sight->aim = *a;
        sight->aim_distance = dist;
    }
}

// The last boss's beam, while it burns: a column of boxes under it.
static void sight_add_beam(Sight *sight)
{
    float s = boss_fboss.body_scale;
    ActorSeen part = {boss_fboss.x, 0, 0, 0, 16.0f * s + 4.0f};

    if (stage != 5 || !boss_fboss.laser_on || boss_fboss.dead)
        return;
    for (float y = boss_fboss.y + 32.0f * s; y < 232.0f; y += part.half) {
        part.y = y;
        sight_add(sight, &part, false);
    }
}

static void sight_take(Sight *sight)
{
    StageActors sa;
    ActorSeen a;
    bool boss_out = boss_active(stage);

    sight->count = 0;
    sight->target = false;
    stage_actors_of(stage, &sa);
    for (int g = 0; g < 3; g++)
        for (int i = 0; i < *sa.counts[g] && i < ENEMY_SLOTS; i++)
            if (actor_alive(&sa.groups[g], i)) {
                actor_seen(&sa.groups[g], i, &a);
                sight_add(sight, &a, !boss_out);
            }
    for (int i = 0; i < sa.children.count; i++)
        if (actor_alive(&sa.children, i)) {
            actor_seen(&sa.children, i, &a);
            sight_add(sight, &a, false);
        }
    if (boss_out && actor_alive(&sa.boss, 0)) {
        actor_seen(&sa.boss, 0, &a);
        sight_add(sight, &a, true);
    }
    sight_add_beam(sight);
}

static float clampf(float v, float lo, float hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

static void key_hold(int keycode, bool wanted)
{
    if (wanted && !key_down[keycode])
        headless_key_down(keycode);
    else if (!wanted && key_down[keycode])
        headless_key_up(keycode);
}

static void key_tap(int keycode)
{
    headless_key_down(keycode);
    headless_key_up(keycode);
}

// Where to be: beside the target at its height, or mid-field.
static void bot_goal(const Bot *bot, const Sight *sight, float *gx, float *gy)
{
    *gx = 128;
    *gy = 120;
    if (sight->target) {
        float side = player.x < sight->aim.x ? -1.0f : 1.0f;

        *gy = clampf(sight->aim.y, FIELD_TOP, FIELD_LOW);
        *gx = sight->aim.x + side * (float)bot->aim_distance;
        if (*gx < 8 || *gx > 248)
            *gx = sight->aim.x - side * (float)bot->aim_distance;
        *gx = clampf(*gx, 8, 248);
    }
}

// A move held for the next ticks: -1, 0 or 1 across; up, nothing or down.
struct Move {
    int across;
    int thrust;  // -1 up, 1 down
};

// How near the closest threat comes while the move is held (later
// meetings count for less: there is time to change course), flown with
// the player's own steering, thrust, limits and gravity.
static float move_safety(const Sight *sight, Move m)
{
    float x = player.x, y = player.y, vy = player.vy;
    float safest = SAFE_GAP;

    for (int k = 1; k <= PLAN_TICKS; k++) {
        x = clampf(x + 2.0f * (float)m.across, 0, 255);
        vy += m.thrust < 0 ? -0.15f : (m.thrust > 0 ? 0.08f : 0.0f);
        if (y > 216) {
            y = 216;
            vy = vy > 0 ? vy * -0.25f : vy;
        } else if (y < 18) {
            y = 18;
            vy = 0;
        }
        if (vy < 8)
            vy += 0.04f;
        y += vy;
        for (int i = 0; i < sight->count; i++) {
            const ActorSeen *a = &sight->threats[i];
            float gx = fabsf(a->x + a->vx * (float)k - x) - a->half - PLAYER_HALF;
            float gy = fabsf(a->y + a->vy * (float)k - y) - a->half - PLAYER_HALF;
            float gap = (gx > gy ? gx : gy) + 0.5f * (float)k;

            if (gap < safest)
                safest = gap;
        }
    }
    // Room to turn: a wall or the floor behind the player leaves one way out.
    if (x < 16 || x > 240)
        safest -= 6;
    if (y > 200)
        safest -= 6;
    return safest;
}

static float move_cost(Move m, float gx, float gy)
{
    float x = player.x + 2.0f * (float)m.across * PLAN_TICKS;
    float vy = player.vy + (m.thrust < 0 ? -0.11f : (m.thrust > 0 ? 0.12f : 0.04f)) * PLAN_TICKS;
    float y = player.y + (player.vy + vy) * 0.5f * PLAN_TICKS;

    return fabsf(x - gx) + fabsf(y - gy) * 1.5f;
}

static bool bot_careless(Bot *bot)
{
    if (bot->careless_done || stage != bot->careless_stage)
        return false;
    if (lives <= bot->careless_lives) {
        bot->careless_done = true;
        return false;
    }
    return true;
}

static void bot_fly(Bot *bot, const Sight *sight)
{
    float gx, gy, best = -1e9f;
    Move chosen = {0, 0};
    bool careless = bot_careless(bot);

    bot_goal(bot, sight, &gx, &gy);
    for (int i = 0; careless && i < sight->count; i++) {
        const ActorSeen *a = &sight->threats[i];

        if (i == 0 || fabsf(a->x - player.x) + fabsf(a->y - player.y) <
                          fabsf(gx - player.x) + fabsf(gy - player.y)) {
            gx = a->x;
            gy = a->y;
        }
    }
    for (int across = -1; across <= 1; across++)
        for (int thrust = -1; thrust <= 1; thrust++) {
            Move m = {across, thrust};
            float value = -move_cost(m, gx, gy);

            if (!careless)
                value += move_safety(sight, m) * 10.0f;

            if (value > best) {
                best = value;
                chosen = m;
            }
        }
    // In place and safe: turn to face the target.
    if (chosen.across == 0 && sight->target && fabsf(player.x - gx) < 6) {
        bool facing_left = player.body.scale_x == 1.0f;

        if ((sight->aim.x < player.x) != facing_left)
            chosen.across = facing_left ? 1 : -1;
    }
    key_hold(ALLEGRO_KEY_LEFT, chosen.across < 0);
    key_hold(ALLEGRO_KEY_RIGHT, chosen.across > 0);
    key_hold(ALLEGRO_KEY_UP, chosen.thrust < 0);
    key_hold(ALLEGRO_KEY_DOWN, chosen.thrust > 0);
}

// Throws at whatever is in line ahead, drops on whatever is below.
static void bot_shoot(const Sight *sight)
{
    bool facing_left = player.body.scale_x == 1.0f;

    if (player.throwing || player.fallen)
        return;
    for (int i = 0; i < sight->count; i++) {
        float dx = sight->threats[i].x - player.x;
        float dy = sight->threats[i].y - player.y;

        if (fabsf(dx) < 14 && dy > 12 && dy < 120) {
            key_tap(ALLEGRO_KEY_X);
            return;
        }
        if ((dx < 0) == facing_left && fabsf(dy) < 24 && fabsf(dx) < 140) {
            key_tap(ALLEGRO_KEY_Z);
            return;
        }
    }
}

void bot_init(Bot *bot, int aim_distance, int story_wait)
{
    *bot = Bot{};
    bot->wanted_stage = 1;
    bot->aim_distance = aim_distance;
    bot->story_wait = story_wait;
    bot->last_state = -1;
}

void bot_release_keys(void)
{
    static const int held[] = {ALLEGRO_KEY_LEFT, ALLEGRO_KEY_RIGHT, ALLEGRO_KEY_UP,
                               ALLEGRO_KEY_DOWN};

    for (int k : held)
        key_hold(k, false);
}

static void bot_title(Bot *bot)
{
    // Read like a person: one key now and then.
    if (bot->ticks_in_state < 8 || bot->ticks_in_state % 4 != 0)
        return;
    if (title_enter_count == 0)
        key_tap(ALLEGRO_KEY_ENTER);
    else if (selected_stage != bot->wanted_stage - 1)
        key_tap(ALLEGRO_KEY_DOWN);
    else
        key_tap(ALLEGRO_KEY_ENTER);
}

void bot_act(Bot *bot)
{
    static Sight sight;

    if (game_state != bot->last_state) {
        bot->last_state = game_state;
        bot->ticks_in_state = 0;
        bot_release_keys();
    }
    bot->ticks_in_state++;
    switch (game_state) {
    case Story:
        if (bot->ticks_in_state == bot->story_wait)
            key_tap(ALLEGRO_KEY_ENTER);
        break;
    case Title:
        bot_title(bot);
        break;
    case Playing:
        sight_take(&sight);
        bot_fly(bot, &sight);
        if (!bot_careless(bot))
            bot_shoot(&sight);
        break;
    default:
        break;
    }
}
