// The stage table and the per-type operations it points at.
#include <stddef.h>
#include "core/stages.h"
#include "core/resources.h"
#include "core/world.h"
#include "actors/info.h"

const BossGear no_gear = {NULL, NULL, {NULL, NULL}};

// ---- The eight common types: the record's kind picks its row ----

static const EnemyEntry *enemy_entry(int kind)
{
    return &enemy_info[kind].entry;
}

static void enemy_place(void *records, int i, int kind, Vec2 at, float speed, float facing)
{
    Enemy *rec = (Enemy *)records + i;

    enemy_init(rec, (EnemyKind)kind, at, speed);
    rec->anim.scale_x = facing;
    rec->dead = 0;
}

// Only NBomb lands, with the hit sound.
static void enemy_slot_update(void *records, int i, const BossGear *, uint8_t respawn)
{
    enemy_update((Enemy *)records + i, respawn, snd_hit);
}

static void enemy_slot_touch(void *records, int i, Player *player, int32_t *health)
{
    enemy_touch_player((Enemy *)records + i, player, health);
}

static void enemy_slot_hit(void *records, int i, Shot *shot, int32_t *score, int32_t *combo,
                           int32_t *combo_timer)
{
    enemy_hit_by_shot((Enemy *)records + i, shot, score, combo, combo_timer);
}

static void enemy_slot_draw(const void *records, int i, ALLEGRO_BITMAP *bitmap)
{
    enemy_draw((const Enemy *)records + i, bitmap);
}

const GroupOps enemy_ops = {enemy_entry, enemy_place, enemy_slot_update, enemy_slot_touch,
                            enemy_slot_hit, enemy_slot_draw, NULL};

// ---- The big types: as stage-4 group members they fly with a group's
// few hit points and throw nothing; as bosses they are handed their gear ----

static const EnemyEntry *big_entry(int kind)
{
    return &big_info[kind].entry;
}

static void bigleaf_place(void *records, int i, int, Vec2 at, float speed, float facing)
{
    BigLeaf *rec = (BigLeaf *)records + i;

    bigleaf_init(rec, at, speed);
    rec->anim.scale_x = facing;
    rec->dead = 0;
    rec->hp = big_info[BIG_LEAF].group_hp;
}

static void bigleaf_slot_update(void *records, int i, const BossGear *gear, uint8_t respawn)
{
    bigleaf_update((BigLeaf *)records + i, (NBomb *)gear->children, gear->next_child,
                   gear->samples[0], respawn);
}

static void bigleaf_touch(void *records, int i, Player *player, int32_t *health)
{
    bigleaf_touch_player((BigLeaf *)records + i, player, health);
}

static void bigleaf_hit(void *records, int i, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer)
{
    bigleaf_hit_by_shot((BigLeaf *)records + i, shot, score, combo, combo_timer);
}

static void bigleaf_slot_draw(const void *records, int i, ALLEGRO_BITMAP *bitmap)
{
    bigleaf_draw((const BigLeaf *)records + i, bitmap);
}

static bool bigleaf_gone(const void *records, int i)
{
    const BigLeaf *rec = (const BigLeaf *)records + i;

    return rec->dead && rec->y > BOSS_GONE_Y;
}

const GroupOps bigleaf_ops = {big_entry, bigleaf_place, bigleaf_slot_update, bigleaf_touch,
                              bigleaf_hit, bigleaf_slot_draw, bigleaf_gone};

static void bigorb_place(void *records, int i, int, Vec2 at, float speed, float facing)
{
    BigOrb *rec = (BigOrb *)records + i;

    bigorb_init(rec, at, speed);
    rec->anim.scale_x = facing;
    rec->dead = 0;
    rec->hp = (uint8_t)big_info[BIG_ORB].group_hp;
}

static void bigorb_slot_update(void *records, int i, const BossGear *gear, uint8_t respawn)
{
    bigorb_update((BigOrb *)records + i, respawn, (Orb *)gear->children, gear->next_child);
}

static void bigorb_touch(void *records, int i, Player *player, int32_t *health)
{
    bigorb_touch_player((BigOrb *)records + i, player, health);
}

static void bigorb_hit(void *records, int i, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer)
{
    bigorb_hit_by_shot((BigOrb *)records + i, shot, score, combo, combo_timer);
}

static void bigorb_slot_draw(const void *records, int i, ALLEGRO_BITMAP *bitmap)
{
    bigorb_draw((const BigOrb *)records + i, bitmap);
}

static bool bigorb_gone(const void *records, int i)
{
    const BigOrb *rec = (const BigOrb *)records + i;

    return rec->dead && rec->y > BOSS_GONE_Y;
}

const GroupOps bigorb_ops = {big_entry, bigorb_place, bigorb_slot_update, bigorb_touch,
                             bigorb_hit, bigorb_slot_draw, bigorb_gone};

static void flyguy_place(void *records, int i, int, Vec2 at, float speed, float facing)
{
    FlyGuy *rec = (FlyGuy *)records + i;

    flyguy_init(rec, at, speed);
    rec->anim.scale_x = facing;
    rec->dead = 0;
    rec->hp = big_info[BIG_FLYGUY].group_hp;
}

static void flyguy_slot_update(void *records, int i, const BossGear *gear, uint8_t respawn)
{
    flyguy_update((FlyGuy *)records + i, (Flame2 *)gear->children, gear->next_child, respawn);
}

static void flyguy_touch(void *records, int i, Player *player, int32_t *health)
{
    flyguy_touch_player((FlyGuy *)records + i, player, health);
}

static void flyguy_hit(void *records, int i, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer)
{
    flyguy_hit_by_shot((FlyGuy *)records + i, shot, score, combo, combo_timer);
}

static void flyguy_slot_draw(const void *records, int i, ALLEGRO_BITMAP *bitmap)
{
    flyguy_draw((const FlyGuy *)records + i, bitmap);
}

static bool flyguy_gone(const void *records, int i)
{
    const FlyGuy *rec = (const FlyGuy *)records + i;

    return rec->dead && rec->y > BOSS_GONE_Y;
}

const GroupOps flyguy_ops = {big_entry, flyguy_place, flyguy_slot_update, flyguy_touch,
                             flyguy_hit, flyguy_slot_draw, flyguy_gone};

// Spirit and FBoss are bosses only: they never enter with a group.

static void spirit_slot_update(void *records, int i, const BossGear *gear, uint8_t respawn)
{
    spirit_update((Spirit *)records + i, (Flame2 *)gear->children, gear->next_child, respawn);
}

static void spirit_touch(void *records, int i, Player *player, int32_t *health)
{
    spirit_touch_player((Spirit *)records + i, player, health);
}

static void spirit_hit(void *records, int i, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer)
{
    spirit_hit_by_shot((Spirit *)records + i, shot, score, combo, combo_timer);
}

static void spirit_slot_draw(const void *records, int i, ALLEGRO_BITMAP *bitmap)
{
    spirit_draw((const Spirit *)records + i, bitmap);
}

static bool spirit_gone(const void *records, int i)
{
    const Spirit *rec = (const Spirit *)records + i;

    return rec->dead && rec->y > BOSS_GONE_Y;
}

const GroupOps spirit_ops = {NULL, NULL, spirit_slot_update, spirit_touch, spirit_hit,
                             spirit_slot_draw, spirit_gone};

static void fboss_slot_update(void *records, int i, const BossGear *gear, uint8_t respawn)
{
    fboss_update((FBoss *)records + i, gear->samples[0], gear->samples[1], respawn);
}

static void fboss_touch(void *records, int i, Player *player, int32_t *health)
{
    fboss_touch_player((FBoss *)records + i, player, health);
}

static void fboss_hit(void *records, int i, Shot *shot, int32_t *score, int32_t *combo,
                      int32_t *combo_timer)
{
    fboss_hit_by_shot((FBoss *)records + i, shot, score, combo, combo_timer);
}

static void fboss_slot_draw(const void *records, int i, ALLEGRO_BITMAP *bitmap)
{
    fboss_draw((const FBoss *)records + i, bitmap);
}

static bool fboss_gone(const void *records, int i)
{
    const FBoss *rec = (const FBoss *)records + i;

    return rec->dead && rec->y > BOSS_GONE_Y;
}

const GroupOps fboss_ops = {NULL, NULL, fboss_slot_update, fboss_touch, fboss_hit,
                            fboss_slot_draw, fboss_gone};

const StageRow stage_rows[STAGE_COUNT] = {
    {   // 1: the meadow
        .scenery = SCENERY_GROUND,
        .background = &bmp_background, .surface = &bmp_surface, .card = &bmp_stage1_thumb,
        .groups = {
            {.ops = &enemy_ops, .records = leaves, .picture = &bmp_leaf,
             .steps = 2, .timeline = {{0, 5}, {901, 10}}},
            {.ops = &enemy_ops, .records = balls, .picture = &bmp_ball,
             .steps = 3, .timeline = {{0, 0}, {1801, 5}, {2700, 10}}},
            {.ops = &enemy_ops, .records = nbombs, .picture = &bmp_nbomb,
             .steps = 3, .timeline = {{0, 0}, {3601, 5}, {4500, 10}}},
        },
        .hit_order = {2, 1, 0},
        .puff_last = false,
        .boss_ops = &bigleaf_ops, .boss = &boss_bigleaf, .boss_picture = &bmp_bigleaf,
        .children = nbombs, .next_child = &next_child_bigleaf,
        .boss_samples = {&snd_drop, NULL},
        .boss_from_start = false,
        .ending_follows = false,
    },
    {   // 2
        .scenery = SCENERY_GROUND,
        .background = &bmp_background2, .surface = &bmp_surface2, .card = &bmp_stage2_thumb,
        .groups = {
            {.ops = &enemy_ops, .records = nbombs, .picture = &bmp_nbomb2,
             .steps = 2, .timeline = {{0, 5}, {1801, 10}}},
            {.ops = &enemy_ops, .records = orbs, .picture = &bmp_orb,
             .steps = 3, .timeline = {{0, 0}, {901, 5}, {2700, 10}}},
            {.ops = &enemy_ops, .records = flames, .picture = &bmp_flame,
             .steps = 3, .timeline = {{0, 0}, {3601, 5}, {4500, 10}}},
        },
        .hit_order = {2, 1, 0},
        .puff_last = false,
        .boss_ops = &bigorb_ops, .boss = &boss_bigorb, .boss_picture = &bmp_bigorb,
        .children = orbs, .next_child = &next_child_bigorb,
        .boss_samples = {NULL, NULL},
        .boss_from_start = false,
        .ending_follows = false,
    },
    {   // 3
        .scenery = SCENERY_GROUND,
        .background = &bmp_background3, .surface = &bmp_surface3, .card = &bmp_stage3_thumb,
        .groups = {
            {.ops = &enemy_ops, .records = slimes, .picture = &bmp_slime,
             .steps = 2, .timeline = {{0, 5}, {2700, 10}}},
            {.ops = &enemy_ops, .records = flame2s, .picture = &bmp_flame2,
             .steps = 3, .timeline = {{0, 0}, {901, 5}, {1801, 10}}},
            {.ops = &enemy_ops, .records = bulletbs, .picture = &bmp_bulletb,
             .steps = 3, .timeline = {{0, 0}, {3601, 5}, {4500, 10}}},
        },
        .hit_order = {0, 1, 2},
        .puff_last = true,
        .boss_ops = &flyguy_ops, .boss = &boss_flyguy, .boss_picture = &bmp_flyguy,
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
        .boss_ops = &spirit_ops, .boss = &boss_spirit, .boss_picture = &bmp_spirit,
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
        .boss_ops = &fboss_ops, .boss = &boss_fboss, .boss_picture = &bmp_fboss,
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
