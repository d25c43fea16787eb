// The stages, a row each: the scenery, the three enemy groups and when they
// swell, the boss with what it throws, and the order of the shot tests. The
// play tick, the reset and the drawing all read a stage's rules from its row.
#ifndef ARCADE_CORE_STAGES_H
#define ARCADE_CORE_STAGES_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include "actors/actor.h"
#include "actors/player.h"
#include "actors/shot.h"

#define STAGE_COUNT 5
#define STAGE_GROUPS 3
#define TIMELINE_STEPS 4
// The boss comes out once the stage clock passes this tick.
#define BOSS_TICK 6299u
// hp of the big types when they fly as ordinary group members.
#define GROUP_MEMBER_HP 3

// One enemy type's operations on slot i of its ten-slot array, whatever the
// record type: the stage rows can then hold groups of different types.
struct GroupOps {
    // init, then facing (the sign of speed), alive, and a group member's hp.
    void (*place)(void *records, int i, Vec2 position, float speed, float facing);
    void (*update)(void *records, int i, uint8_t respawn);
    void (*touch)(void *records, int i, Player *player, int32_t *health);
    void (*hit)(void *records, int i, Shot *shot, int32_t *score, int32_t *combo,
                int32_t *combo_timer);
    void (*draw)(const void *records, int i, ALLEGRO_BITMAP *bitmap);
};

// The same for a boss, on its one record.
struct BossOps {
    void (*update)(void *boss, void *children, int32_t *next_child,
                   ALLEGRO_SAMPLE *sample_a, ALLEGRO_SAMPLE *sample_b, uint8_t respawn);
    void (*touch)(void *boss, Player *player, int32_t *health);
    void (*hit)(void *boss, Shot *shot, int32_t *score, int32_t *combo,
                int32_t *combo_timer);
    void (*draw)(const void *boss, ALLEGRO_BITMAP *bitmap);
    // Killed and fallen below the line that ends the stage.
    bool (*gone)(const void *boss);
};

extern const GroupOps leaf_ops, ball_ops, nbomb_ops, orb_ops, flame_ops,
    slime_ops, flame2_ops, bulletb_ops, bigleaf_ops, bigorb_ops, flyguy_ops;

// From tick `from` of the stage clock on, `count` slots are in play.
struct CountStep {
    uint32_t from;
    uint8_t count;
};

struct StageGroup {
    const GroupOps *ops;  // null: the stage has no groups
    void *records;
    ALLEGRO_BITMAP **picture;
    int steps;
    CountStep timeline[TIMELINE_STEPS];  // rising `from`
};

enum Scenery {
    SCENERY_GROUND,  // background, and the ground strip at the bottom
    SCENERY_CLOUDS,  // background, three drifting cloud layers, ground strip
    SCENERY_SCROLL   // a background that scrolls left, repeating
};

struct StageRow {
    Scenery scenery;
    ALLEGRO_BITMAP **background;
    ALLEGRO_BITMAP **surface;
    ALLEGRO_BITMAP **card;
    StageGroup groups[STAGE_GROUPS];
    uint8_t hit_order[STAGE_GROUPS];  // the groups a shot meets, in turn
    bool puff_last;                   // the slot's puff after its shot tests
    const BossOps *boss_ops;
    void *boss;
    ALLEGRO_BITMAP **boss_picture;
    void *children;       // the array the boss fills, or null
    int32_t *next_child;  // its next slot there, or null
    ALLEGRO_SAMPLE **boss_samples[2];
    bool boss_from_start;  // out from the first tick; no timeline
    bool ending_follows;   // clearing it ends the game with the ending
};

extern const StageRow stage_rows[STAGE_COUNT];
// The group counts of the world, in group order.
extern uint8_t *const group_counts[STAGE_GROUPS];

// The row of a stage number, or null when there is no such stage.
const StageRow *stage_row(int32_t stage);
bool stage_has_groups(const StageRow *row);
// The boss is out: from the start, or once the timeline has let it out.
bool stage_boss_out(const StageRow *row);
// How many of the group's slots are in play at tick t of the stage clock.
uint8_t group_count_at(const StageGroup *group, uint32_t t);
// Clearing `cleared` leads to the ending rather than the next stage card.
bool stage_ends_game(int32_t cleared);

#endif
