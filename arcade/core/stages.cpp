// The stage table and the per-type operations it points at.
#include <stddef.h>
#include "core/stages.h"
#include "core/resources.h"
#include "core/world.h"

// Slot i of a type's array through the common signatures. `grown` runs after
// init: the big types fly as group members with a few hit points only.
#define GROUP_OPS(name, T, update_call, grown)                                  \
    static void name##_slot_place(void *records, int i, Vec2 at, float speed,   \
                                  float facing)                                 \
    {                                                                           \
        T *rec = (T *)records + i;                                              \
        name##_init(rec, at, speed);                                            \
        rec->anim.scale_x = facing;                                             \
        rec->dead = 0;                                                          \
        grown;                                                                  \
    }                                                                           \
    static void name##_slot_update(void *records, int i, uint8_t respawn)       \
    {                                                                           \
        T *rec = (T *)records + i;                                              \
        update_call;                                                            \
    }                                                                           \
    static void name##_slot_touch(void *records, int i, Player *player,         \
                                  int32_t *health)                              \
    {                                                                           \
        name##_touch_player((T *)records + i, player, health);                  \
    }                                                                           \
    static void name##_slot_hit(void *records, int i, Shot *shot, int32_t *score, \
                                int32_t *combo, int32_t *combo_timer)           \
    {                                                                           \
        name##_hit_by_shot((T *)records + i, shot, score, combo, combo_timer);  \
    }                                                                           \
    static void name##_slot_draw(const void *records, int i, ALLEGRO_BITMAP *bitmap) \
    {                                                                           \
        name##_draw((const T *)records + i, bitmap);                            \
    }                                                                           \
    const GroupOps name##_ops = {name##_slot_place, name##_slot_update,         \
                                 name##_slot_touch, name##_slot_hit,            \
                                 name##_slot_draw};

GROUP_OPS(leaf, Leaf, leaf_update(rec, respawn), (void)0)
GROUP_OPS(ball, Ball, ball_update(rec, respawn), (void)0)
GROUP_OPS(nbomb, NBomb, nbomb_update(rec, respawn, snd_hit), (void)0)
GROUP_OPS(orb, Orb, orb_update(rec, respawn), (void)0)
GROUP_OPS(flame, Flame, flame_update(rec, respawn), (void)0)
GROUP_OPS(slime, Slime, slime_update(rec, respawn), (void)0)
GROUP_OPS(flame2, Flame2, flame2_update(rec, respawn), (void)0)
GROUP_OPS(bulletb, BulletB, bulletb_update(rec, respawn), (void)0)
// As group members the big types throw nothing: no child array, no index.
GROUP_OPS(bigleaf, BigLeaf, bigleaf_update(rec, NULL, NULL, NULL, respawn),
          rec->hp = GROUP_MEMBER_HP)
GROUP_OPS(bigorb, BigOrb, bigorb_update(rec, respawn, NULL, NULL),
          rec->hp = GROUP_MEMBER_HP)
GROUP_OPS(flyguy, FlyGuy, flyguy_update(rec, NULL, NULL, respawn),
          rec->hp = GROUP_MEMBER_HP)

// A boss's touch, shot test, drawing and end test on its one record.
#define BOSS_OPS(name, T)                                                       \
    static void name##_boss_touch(void *boss, Player *player, int32_t *health)  \
    {                                                                           \
        name##_touch_player((T *)boss, player, health);                         \
    }                                                                           \
    static void name##_boss_hit(void *boss, Shot *shot, int32_t *score,         \
                                int32_t *combo, int32_t *combo_timer)           \
    {                                                                           \
        name##_hit_by_shot((T *)boss, shot, score, combo, combo_timer);         \
    }                                                                           \
    static void name##_boss_draw(const void *boss, ALLEGRO_BITMAP *bitmap)      \
    {                                                                           \
        name##_draw((const T *)boss, bitmap);                                   \
    }                                                                           \
    static bool name##_boss_gone(const void *boss)                              \
    {                                                                           \
        const T *rec = (const T *)boss;                                         \
        return rec->dead && rec->y > BOSS_GONE_Y;                               \
    }                                                                           \
    static const BossOps name##_boss_ops = {name##_boss_update, name##_boss_touch, \
                                            name##_boss_hit, name##_boss_draw,  \
                                            name##_boss_gone};

// The updates differ in what each boss throws and plays.
static void bigleaf_boss_update(void *boss, void *children, int32_t *next_child,
                                ALLEGRO_SAMPLE *drop, ALLEGRO_SAMPLE *, uint8_t respawn)
{
    bigleaf_update((BigLeaf *)boss, (NBomb *)children, next_child, drop, respawn);
}

static void bigorb_boss_update(void *boss, void *children, int32_t *next_child,
                               ALLEGRO_SAMPLE *, ALLEGRO_SAMPLE *, uint8_t respawn)
{
    bigorb_update((BigOrb *)boss, respawn, (Orb *)children, next_child);
}

static void flyguy_boss_update(void *boss, void *children, int32_t *next_child,
                               ALLEGRO_SAMPLE *, ALLEGRO_SAMPLE *, uint8_t respawn)
{
    flyguy_update((FlyGuy *)boss, (Flame2 *)children, next_child, respawn);
}

static void spirit_boss_update(void *boss, void *children, int32_t *next_child,
                               ALLEGRO_SAMPLE *, ALLEGRO_SAMPLE *, uint8_t respawn)
{
    spirit_update((Spirit *)boss, (Flame2 *)children, next_child, respawn);
}

static void fboss_boss_update(void *boss, void *, int32_t *, ALLEGRO_SAMPLE *laser,
                              ALLEGRO_SAMPLE *propeller, uint8_t respawn)
{
    fboss_update((FBoss *)boss, laser, propeller, respawn);
}

BOSS_OPS(bigleaf, BigLeaf)
BOSS_OPS(bigorb, BigOrb)
BOSS_OPS(flyguy, FlyGuy)
BOSS_OPS(spirit, Spirit)
BOSS_OPS(fboss, FBoss)

const StageRow stage_rows[STAGE_COUNT] = {
    {   // 1: the meadow
        .scenery = SCENERY_GROUND,
        .background = &bmp_background, .surface = &bmp_surface, .card = &bmp_stage1_thumb,
        .groups = {
            {.ops = &leaf_ops, .records = leaves, .picture = &bmp_leaf,
             .steps = 2, .timeline = {{0, 5}, {901, 10}}},
            {.ops = &ball_ops, .records = balls, .picture = &bmp_ball,
             .steps = 3, .timeline = {{0, 0}, {1801, 5}, {2700, 10}}},
            {.ops = &nbomb_ops, .records = nbombs, .picture = &bmp_nbomb,
             .steps = 3, .timeline = {{0, 0}, {3601, 5}, {4500, 10}}},
        },
        .hit_order = {2, 1, 0},
        .puff_last = false,
        .boss_ops = &bigleaf_boss_ops, .boss = &boss_bigleaf, .boss_picture = &bmp_bigleaf,
        .children = nbombs, .next_child = &next_child_bigleaf,
        .boss_samples = {&snd_drop, NULL},
        .boss_from_start = false,
        .ending_follows = false,
    },
    {   // 2
        .scenery = SCENERY_GROUND,
        .background = &bmp_background2, .surface = &bmp_surface2, .card = &bmp_stage2_thumb,
        .groups = {
            {.ops = &nbomb_ops, .records = nbombs, .picture = &bmp_nbomb2,
             .steps = 2, .timeline = {{0, 5}, {1801, 10}}},
            {.ops = &orb_ops, .records = orbs, .picture = &bmp_orb,
             .steps = 3, .timeline = {{0, 0}, {901, 5}, {2700, 10}}},
            {.ops = &flame_ops, .records = flames, .picture = &bmp_flame,
             .steps = 3, .timeline = {{0, 0}, {3601, 5}, {4500, 10}}},
        },
        .hit_order = {2, 1, 0},
        .puff_last = false,
        .boss_ops = &bigorb_boss_ops, .boss = &boss_bigorb, .boss_picture = &bmp_bigorb,
        .children = orbs, .next_child = &next_child_bigorb,
        .boss_samples = {NULL, NULL},
        .boss_from_start = false,
        .ending_follows = false,
    },
    {   // 3
        .scenery = SCENERY_GROUND,
        .background = &bmp_background3, .surface = &bmp_surface3, .card = &bmp_stage3_thumb,
        .groups = {
            {.ops = &slime_ops, .records = slimes, .picture = &bmp_slime,
             .steps = 2, .timeline = {{0, 5}, {2700, 10}}},
            {.ops = &flame2_ops, .records = flame2s, .picture = &bmp_flame2,
             .steps = 3, .timeline = {{0, 0}, {901, 5}, {1801, 10}}},
            {.ops = &bulletb_ops, .records = bulletbs, .picture = &bmp_bulletb,
             .steps = 3, .timeline = {{0, 0}, {3601, 5}, {4500, 10}}},
        },
        .hit_order = {0, 1, 2},
        .puff_last = true,
        .boss_ops = &flyguy_boss_ops, .boss = &boss_flyguy, .boss_picture = &bmp_flyguy,
        .children = flame2s, .next_child = &next_child_flames,
        .boss_samples = {NULL, NULL},
        .boss_from_start = false,
        .ending_follows = false,
    },
    {   // 4: above the clouds; a game begun at stage 1 ends here
        .scenery = SCENERY_CLOUDS,
        .background = &bmp_background4, .surface = &bmp_surface4, .card = &bmp_stage4_thumb,
        .groups = {
            {.ops = &bigleaf_ops, .records = bigleaves, .picture = &bmp_bigleaf,
             .steps = 2, .timeline = {{0, 3}, {2700, 6}}},
            {.ops = &bigorb_ops, .records = bigorbs, .picture = &bmp_bigorb,
             .steps = 4, .timeline = {{0, 0}, {901, 3}, {3601, 6}, {4500, 3}}},
            {.ops = &flyguy_ops, .records = flyguys, .picture = &bmp_flyguy,
             .steps = 3, .timeline = {{0, 0}, {1801, 3}, {4500, 6}}},
        },
        .hit_order = {0, 1, 2},
        .puff_last = false,
        .boss_ops = &spirit_boss_ops, .boss = &boss_spirit, .boss_picture = &bmp_spirit,
        .children = flame2s, .next_child = &next_child_flames,
        .boss_samples = {NULL, NULL},
        .boss_from_start = false,
        .ending_follows = true,
    },
    {   // 5: only chosen from the title's list; the boss alone
        .scenery = SCENERY_SCROLL,
        .background = &bmp_background5, .surface = NULL, .card = &bmp_stage5_thumb,
        .groups = {},
        .hit_order = {0, 1, 2},
        .puff_last = false,
        .boss_ops = &fboss_boss_ops, .boss = &boss_fboss, .boss_picture = &bmp_fboss,
        .children = NULL, .next_child = NULL,
        .boss_samples = {&snd_laser, &snd_propeller},
        .boss_from_start = true,
        .ending_follows = true,
    },
};

uint8_t *const group_counts[STAGE_GROUPS] = {&group1_count, &group2_count, &group3_count};

const StageRow *stage_row(int32_t stage)
{
    if (stage < 1 || stage > STAGE_COUNT)
        return NULL;
    return &stage_rows[stage - 1];
}

bool stage_has_groups(const StageRow *row)
{
    return row->groups[0].ops != NULL;
}

bool stage_boss_out(const StageRow *row)
{
    return row->boss_from_start || boss_pending == 0;
}

uint8_t group_count_at(const StageGroup *group, uint32_t t)
{
    uint8_t count = 0;

    for (int k = 0; k < group->steps; k++) {
        if (t >= group->timeline[k].from)
            count = group->timeline[k].count;
    }
    return count;
}

// A stage number past the table counts as the last stage cleared.
bool stage_ends_game(int32_t cleared)
{
    const StageRow *row = stage_row(cleared);

    if (!row)
        return cleared > STAGE_COUNT;
    return row->ending_follows;
}
