// The world's values and actor arrays, its reset and its per-tick update.
#include <stdlib.h>
#include <time.h>
#include "core/game.h"
#include "core/input.h"
#include "core/world.h"
#include "core/stages.h"
#include "core/resources.h"
#include "sound/sound.h"
#include "actors/info.h"

int32_t score;
int32_t previous_score;
uint8_t lives;
int32_t health;
int32_t health_meter;
int32_t combo;
int32_t combo_timer;
int32_t extra_life_scores[EXTRA_LIFE_STEPS];
bool extra_life_awarded[EXTRA_LIFE_STEPS];
Vec2 extra_life_popup;
uint8_t group1_count;
uint8_t group2_count;
uint8_t group3_count;
uint8_t boss_pending;
float scroll[3];

Player player;
Puff puffs[PUFF_SLOTS];
int32_t next_puff;
Shot shots[SHOT_SLOTS];
int32_t next_shot;

Leaf leaves[ENEMY_SLOTS];
Ball balls[ENEMY_SLOTS];
NBomb nbombs[ENEMY_SLOTS];
Orb orbs[ENEMY_SLOTS];
Flame flames[ENEMY_SLOTS];
Slime slimes[ENEMY_SLOTS];
Flame2 flame2s[ENEMY_SLOTS];
BulletB bulletbs[ENEMY_SLOTS];
BigLeaf bigleaves[ENEMY_SLOTS];
BigOrb bigorbs[ENEMY_SLOTS];
FlyGuy flyguys[ENEMY_SLOTS];

BigLeaf boss_bigleaf;
BigOrb boss_bigorb;
FlyGuy boss_flyguy;
Spirit boss_spirit;
FBoss boss_fboss;

int32_t next_child_bigleaf;
int32_t next_child_bigorb;
int32_t next_child_flames;

// The group types in the order the reset sets them up, each with its row;
// where it enters, and how fast, is in the row.
struct EntrySetup {
    Enemy *enemies;  // a common type's records, or null
    Big *bigs;       // a big type's records, or null
    int kind;
};

static const EntrySetup flyer_setups[] = {
    {leaves, NULL, ENEMY_LEAF},
    {NULL, bigleaves, BIG_LEAF},
    {NULL, bigorbs, BIG_ORB},
    {NULL, flyguys, BIG_FLYGUY},
    {balls, NULL, ENEMY_BALL},
    {orbs, NULL, ENEMY_ORB},
    {slimes, NULL, ENEMY_SLIME},
    {flames, NULL, ENEMY_FLAME},
    {flame2s, NULL, ENEMY_FLAME2},
};

static const EntrySetup faller_setups[] = {
    {nbombs, NULL, ENEMY_NBOMB},
    {bulletbs, NULL, ENEMY_BULLETB},
};

#define FLYER_TYPES (int)(sizeof flyer_setups / sizeof flyer_setups[0])
#define FALLER_TYPES (int)(sizeof faller_setups / sizeof faller_setups[0])

static const EnemyEntry *entry_of(const EntrySetup *setup)
{
    return setup->enemies ? &enemy_info[setup->kind].entry : &big_info[setup->kind].entry;
}

// Set up, facing as told, alive; a big one with a group member's strength.
static void entry_place(const EntrySetup *setup, int i, Vec2 at, float speed, float facing)
{
    if (setup->enemies) {
        Enemy *rec = &setup->enemies[i];

        enemy_init(rec, (EnemyKind)setup->kind, at, speed);
        rec->anim.scale_x = facing;
        rec->dead = 0;
    } else {
        Big *rec = &setup->bigs[i];

        big_init(rec, (BigKind)setup->kind, at, speed);
        rec->anim.scale_x = facing;
        rec->dead = 0;
        rec->hp = big_info[setup->kind].group_hp;
    }
}

// Three draws, in this order: speed, row jitter, x.
static void flyer_place(const EntrySetup *setup, int i)
{
    const EnemyEntry *entry = entry_of(setup);
    float speed = roll(entry->speed);
    float y = (float)(32 + 16 * i - rand() % 4);
    bool left = i < entry->left_slots;
    float x = side_x(left, (float)-entry->margin, (float)entry->right);

    entry_place(setup, i, make_vec2(x, y), left ? speed : -speed, left ? 1.0f : -1.0f);
}

// Two draws: y, then x.
static void faller_place(const EntrySetup *setup, int i)
{
    float y = (float)(-entry_of(setup)->top - rand() % 640);
    float x = (float)(rand() % 256 - 8);

    entry_place(setup, i, make_vec2(x, y), 0.0f, 1.0f);
}

static void enemies_place(void)
{
    for (int i = 0; i < ENEMY_SLOTS; i++) {
        for (int k = 0; k < FLYER_TYPES; k++)
            flyer_place(&flyer_setups[k], i);
        for (int k = 0; k < FALLER_TYPES; k++)
            faller_place(&faller_setups[k], i);
    }
}

// Far off the field, waiting for their turn at the end of the stage.
static void bosses_place(void)
{
    big_init(&boss_bigleaf, BIG_LEAF, make_vec2(-640.0f, 64.0f), 2.0f);
    big_init(&boss_bigorb, BIG_ORB, make_vec2(-640.0f, 64.0f), 2.0f);
    big_init(&boss_flyguy, BIG_FLYGUY, make_vec2(128.0f, -640.0f), 2.0f);
    big_init(&boss_spirit, BIG_SPIRIT, make_vec2(128.0f, -640.0f), 0.0f);
    big_init(&boss_fboss, BIG_FBOSS, make_vec2(128.0f, -640.0f), 2.0f);
}

static void stage_values_clear(void)
{
    health = 5;
    combo = 0;
    combo_timer = 0;
    group1_count = 0;
    group2_count = 0;
    group3_count = 0;
    next_child_bigleaf = 0;
    next_child_bigorb = 0;
    next_child_flames = 0;
    stage_ticks = 0;
    health_meter = 0;
    scroll[0] = 0.0f;
    scroll[1] = 0.0f;
    scroll[2] = 0.0f;
    boss_pending = 1;
}

// Every record of every stage goes back to its start; the game's own values
// (lives, score, the extra lives, the stage) stay. Two resets within one
// second place everything alike: the seeding comes from the clock.
void reset_world(void)
{
    extra_life_popup = make_vec2(-32.0f, -32.0f);
    player_init(&player, make_vec2(128.0f, 96.0f));
    for (int i = 0; i < PUFF_SLOTS; i++)
        puff_init(&puffs[i], make_vec2(-32.0f, -32.0f), 0);
    next_puff = 0;
    // Live but off the field: each retires silently on its first update.
    for (int i = 0; i < SHOT_SLOTS; i++)
        shot_init(&shots[i], make_vec2(-32.0f, -32.0f), make_vec2(0.0f, 0.0f), 8.0f);
    next_shot = 0;
    // Only the placing draws from the sequence.
    srand((unsigned)time(NULL));
    enemies_place();
    bosses_place();
    stage_values_clear();
}

void new_game_values(void)
{
    reset_extra_lives();
    lives = 3;
    score = 0;
    health = 5;
}

// Thresholds 20000 n^2: 20000, 80000, 180000, ... 8000000.
void reset_extra_lives(void)
{
    for (int n = 1; n <= EXTRA_LIFE_STEPS; n++) {
        extra_life_scores[n - 1] = 20000 * n * n;
        extra_life_awarded[n - 1] = false;
    }
}

// ---- The Playing tick ----

#define LIVES_MAX 255
#define FALL_OUT_Y 272.0f
#define METER_FULL 200
#define HEALTH_MAX 8

// The chain ends when its clock runs out, or at once when the player was
// hit in the tick before (the hit starts a 60-tick blink).
static void chain_tick(void)
{
    if (combo_timer > 0)
        combo_timer -= 1;
    else
        combo = 0;
    if (player.hurt_timer == HURT_TICKS && combo > 0)
        combo = 0;
}

// The pools' next slots, whatever left them where they are.
static void indices_guard(void)
{
    next_puff = ring_slot(next_puff, PUFF_SLOTS);
    next_shot = ring_slot(next_shot, SHOT_SLOTS);
    next_child_bigleaf = ring_slot(next_child_bigleaf, ENEMY_SLOTS);
    next_child_bigorb = ring_slot(next_child_bigorb, ENEMY_SLOTS);
    next_child_flames = ring_slot(next_child_flames, ENEMY_SLOTS);
}

static void player_tick(void)
{
    player_update(&player, key_down, puffs, next_puff, snd_propeller, snd_hurt);
    next_puff = ring_slot(next_puff + 1, PUFF_SLOTS);
}

// Every threshold passed gives its life once a game, several in one tick
// if the score jumped. The count saturates rather than wrap.
static void extra_lives_award(void)
{
    for (int n = 0; n < EXTRA_LIFE_STEPS; n++) {
        if (extra_life_scores[n] > score || extra_life_awarded[n])
            continue;
        sound_play(snd_1up, 1.5f, 1.0f);
        extra_life_popup = make_vec2(player.x - 4.0f, player.y - 18.0f);
        if (lives < LIVES_MAX)
            lives += 1;
        extra_life_awarded[n] = true;
    }
}

// Layer k drifts 3 / (k + 1) pixels a tick and wraps after a picture's width.
static void clouds_move(void)
{
    for (int k = 0; k < 3; k++) {
        scroll[k] -= 3.0f / (float)(k + 1);
        if (scroll[k] <= -256.0f)
            scroll[k] += 256.0f;
    }
}

// The stage-5 backdrop repeats every 16 pixels.
static void backdrop_scroll(void)
{
    scroll[0] -= 1.0f;
    if (scroll[0] < -16.0f)
        scroll[0] += 16.0f;
}

static void timeline_apply(const StageRow *row, uint32_t t)
{
    if (t > BOSS_TICK)
        boss_pending = 0;
    for (int g = 0; g < STAGE_GROUPS; g++)
        *group_counts[g] = group_count_at(&row->groups[g], t);
}

// Slot i of every group: the live ones move and may touch the player, then
// all of them (live or not) meet every shot in the stage's group order.
static void slot_tick(const StageRow *row, int i)
{
    if (!row->puff_last)
        puff_update(&puffs[i]);
    for (int g = 0; g < STAGE_GROUPS; g++) {
        const StageGroup *group = &row->groups[g];
        if (i < *group_counts[g]) {
            group_update(group, i, boss_pending, snd_hit);
            group_touch(group, i, &player, &health);
        }
    }
    for (int j = 0; j < SHOT_SLOTS; j++) {
        for (int k = 0; k < STAGE_GROUPS; k++) {
            const StageGroup *group = &row->groups[row->hit_order[k]];
            group_hit(group, i, &shots[j], &score, &combo, &combo_timer);
        }
    }
    if (row->puff_last)
        puff_update(&puffs[i]);
}

static void groups_tick(const StageRow *row)
{
    if (row->scenery == SCENERY_CLOUDS)
        clouds_move();
    else if (row->scenery == SCENERY_SCROLL)
        backdrop_scroll();

    if (!stage_has_groups(row)) {
        for (int i = 0; i < PUFF_SLOTS; i++)
            puff_update(&puffs[i]);
        return;
    }
    timeline_apply(row, stage_ticks);
    for (int i = 0; i < ENEMY_SLOTS; i++)
        slot_tick(row, i);
}

// The boss once it is out; the stage ends when it has died and fallen away,
// and the rest of the tick then runs on the fresh world of the next stage.
static WorldEnd boss_tick(const StageRow *row)
{
    if (stage_boss_out(row)) {
        BossGear gear = stage_boss_gear(row);

        // Only the boss that is out from the start is handed the flag.
        big_update(row->boss, row->boss_from_start ? boss_pending : 0, &gear);
        big_touch_player(row->boss, &player, &health);
        for (int j = 0; j < SHOT_SLOTS; j++)
            big_hit_by_shot(row->boss, &shots[j], &score, &combo, &combo_timer);
    }
    if (!big_gone(row->boss))
        return WORLD_PLAYING;
    reset_world();
    return WORLD_STAGE_CLEARED;
}

static void shots_tick(void)
{
    for (int j = 0; j < SHOT_SLOTS; j++)
        shot_update(&shots[j], snd_hit);
}

// Out of health: one life goes, and the player hops and drops out.
static void health_loss(void)
{
    if (health > 0 || player.fallen)
        return;
    if (lives > 0)
        lives -= 1;
    player.fallen = 1;
    player.vy = -1.0f;
}

// Fallen out of the field: the stage starts again on a fresh world, or with
// the last life the game is over and its score gone.
static WorldEnd fall_out(void)
{
    if (player.y <= FALL_OUT_Y)
        return WORLD_PLAYING;
    reset_world();
    if (lives == 0)
        score = 0;
    return WORLD_FELL_OUT;
}

// Scoring fills the meter, faster in a long chain and at low health; a full
// meter gives a point of health. A player out of health gets nothing from it.
static void meter_tick(void)
{
    if (score <= previous_score || health <= 0)
        return;
    health_meter += combo / health + 1;
    if (health_meter < METER_FULL)
        return;
    if (health < HEALTH_MAX) {
        sound_play(snd_1up, 1.5f, 1.5f);
        health += 1;
        health_meter = 0;
    } else {
        health_meter = METER_FULL;
    }
}

WorldEnd stage_tick(void)
{
    const StageRow *row = stage_row(stage);
    WorldEnd end = WORLD_PLAYING;

    if (extra_life_popup.y > 0.0f)
        extra_life_popup.y -= 4.0f;
    previous_score = score;
    if (stage_ticks < STAGE_TICKS_MAX)
        stage_ticks += 1;
    chain_tick();
    indices_guard();
    player_tick();
    extra_lives_award();
    if (row) {
        groups_tick(row);
        end = boss_tick(row);
    }
    shots_tick();
    health_loss();
    // A cleared stage's fresh player stands in the field.
    if (end == WORLD_PLAYING)
        end = fall_out();
    meter_tick();
    return end;
}
