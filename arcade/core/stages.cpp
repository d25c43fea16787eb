// The stage table, and a group's slot whichever family it holds.
#include <stddef.h>
#include "core/stages.h"
#include "core/resources.h"
#include "core/world.h"

const StageRow stage_rows[STAGE_COUNT] = {
    {   // 1: the meadow
        .scenery = SCENERY_GROUND,
        .background = &bmp_background, .surface = &bmp_surface, .card = &bmp_stage1_thumb,
        .groups = {
            {.enemies = leaves, .picture = &bmp_leaf,
             .steps = 2, .timeline = {{0, 5}, {901, 10}}},
            {.enemies = balls, .picture = &bmp_ball,
             .steps = 3, .timeline = {{0, 0}, {1801, 5}, {2700, 10}}},
            {.enemies = nbombs, .picture = &bmp_nbomb,
             .steps = 3, .timeline = {{0, 0}, {3601, 5}, {4500, 10}}},
        },
        .hit_order = {2, 1, 0},
        .puff_last = false,
        .boss = &boss_bigleaf, .boss_picture = &bmp_bigleaf,
        .children = nbombs, .next_child = &next_child_bigleaf,
        .boss_sounds = {&snd_drop, NULL},
        .boss_from_start = false,
        .ending_follows = false,
    },
    {   // 2
        .scenery = SCENERY_GROUND,
        .background = &bmp_background2, .surface = &bmp_surface2, .card = &bmp_stage2_thumb,
        .groups = {
            {.enemies = nbombs, .picture = &bmp_nbomb2,
             .steps = 2, .timeline = {{0, 5}, {1801, 10}}},
            {.enemies = orbs, .picture = &bmp_orb,
             .steps = 3, .timeline = {{0, 0}, {901, 5}, {2700, 10}}},
            {.enemies = flames, .picture = &bmp_flame,
             .steps = 3, .timeline = {{0, 0}, {3601, 5}, {4500, 10}}},
        },
        .hit_order = {2, 1, 0},
        .puff_last = false,
        .boss = &boss_bigorb, .boss_picture = &bmp_bigorb,
        .children = orbs, .next_child = &next_child_bigorb,
        .boss_sounds = {NULL, NULL},
        .boss_from_start = false,
        .ending_follows = false,
    },
    {   // 3
        .scenery = SCENERY_GROUND,
        .background = &bmp_background3, .surface = &bmp_surface3, .card = &bmp_stage3_thumb,
        .groups = {
            {.enemies = slimes, .picture = &bmp_slime,
             .steps = 2, .timeline = {{0, 5}, {2700, 10}}},
            {.enemies = flame2s, .picture = &bmp_flame2,
             .steps = 3, .timeline = {{0, 0}, {901, 5}, {1801, 10}}},
            {.enemies = bulletbs, .picture = &bmp_bulletb,
             .steps = 3, .timeline = {{0, 0}, {3601, 5}, {4500, 10}}},
        },
        .hit_order = {0, 1, 2},
        .puff_last = true,
        .boss = &boss_flyguy, .boss_picture = &bmp_flyguy,
        .children = flame2s, .next_child = &next_child_flames,
        .boss_sounds = {NULL, NULL},
        .boss_from_start = false,
        .ending_follows = false,
    },
    {   // 4: above the clouds; a game begun at stage 1 ends here
        .scenery = SCENERY_CLOUDS,
        .background = &bmp_background4, .surface = &bmp_surface4, .card = &bmp_stage4_thumb,
        .groups = {
            {.bigs = bigleaves, .picture = &bmp_bigleaf,
             .steps = 2, .timeline = {{0, 3}, {2700, 6}}},
            {.bigs = bigorbs, .picture = &bmp_bigorb,
             .steps = 4, .timeline = {{0, 0}, {901, 3}, {3601, 6}, {4500, 3}}},
            {.bigs = flyguys, .picture = &bmp_flyguy,
             .steps = 3, .timeline = {{0, 0}, {1801, 3}, {4500, 6}}},
        },
        .hit_order = {0, 1, 2},
        .puff_last = false,
        .boss = &boss_spirit, .boss_picture = &bmp_spirit,
        .children = flame2s, .next_child = &next_child_flames,
        .boss_sounds = {NULL, NULL},
        .boss_from_start = false,
        .ending_follows = true,
    },
    {   // 5: only chosen from the title's list; the boss alone
        .scenery = SCENERY_SCROLL,
        .background = &bmp_background5, .surface = NULL, .card = &bmp_stage5_thumb,
        .groups = {},
        .hit_order = {0, 1, 2},
        .puff_last = false,
        .boss = &boss_fboss, .boss_picture = &bmp_fboss,
        .children = NULL, .next_child = NULL,
        .boss_sounds = {&snd_laser, &snd_propeller},
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
    return row->groups[0].enemies != NULL || row->groups[0].bigs != NULL;
}

void group_update(const StageGroup *group, int i, uint8_t respawn, ALLEGRO_SAMPLE *land_sample)
{
    if (group->enemies)
        enemy_update(&group->enemies[i], respawn, land_sample);
    else
        big_update(&group->bigs[i], respawn, &no_gear);
}

void group_touch(const StageGroup *group, int i, Player *player, int32_t *health)
{
    if (group->enemies)
        enemy_touch_player(&group->enemies[i], player, health);
    else
        big_touch_player(&group->bigs[i], player, health);
}

void group_hit(const StageGroup *group, int i, Shot *shot, int32_t *score, int32_t *combo,
               int32_t *combo_timer)
{
    if (group->enemies)
        enemy_hit_by_shot(&group->enemies[i], shot, score, combo, combo_timer);
    else
        big_hit_by_shot(&group->bigs[i], shot, score, combo, combo_timer);
}

void group_draw(const StageGroup *group, int i)
{
    if (group->enemies)
        enemy_draw(&group->enemies[i], *group->picture);
    else
        big_draw(&group->bigs[i], *group->picture);
}

static ALLEGRO_SAMPLE *sound_of(ALLEGRO_SAMPLE **handle)
{
    return handle ? *handle : NULL;
}

BossGear stage_boss_gear(const StageRow *row)
{
    BossGear gear = {row->children, row->next_child, sound_of(row->boss_sounds[0]),
                     sound_of(row->boss_sounds[1])};

    return gear;
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
