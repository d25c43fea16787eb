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
#include "actors/info.h"

#define STAGE_COUNT 5
#define STAGE_GROUPS 3
#define TIMELINE_STEPS 4
// The boss comes out once the stage clock passes this tick.
#define BOSS_TICK 6299u

// What a boss is handed: the array it throws into with its next slot there,
// and its sounds. Group members are handed none of it.
struct BossGear {
    void *children;
    int32_t *next_child;
    ALLEGRO_SAMPLE *samples[2];
};

extern const BossGear no_gear;

// One actor type's operations on record i of an array of its records,
// whatever the record type: the stage rows can then hold groups of
// different types, and a boss is record 0 of its own.
struct GroupOps {
    // Where the type enters at the world reset; kind is its row.
    const EnemyEntry *(*entry)(int kind);
    // init, then facing (the sign of speed), alive, and a group member's hp.
    void (*place)(void *records, int i, int kind, Vec2 position, float speed, float facing);
    void (*update)(void *records, int i, const BossGear *gear, uint8_t respawn);
    void (*touch)(void *records, int i, Player *player, int32_t *health);
    void (*hit)(void *records, int i, Shot *shot, int32_t *score, int32_t *combo,
                int32_t *combo_timer);
    void (*draw)(const void *records, int i, ALLEGRO_BITMAP *bitmap);
    // A boss killed and fallen below the line that ends the stage.
    bool (*gone)(const void *records, int i);
};

// The eight common types share one set; the big types have one each.
extern const GroupOps enemy_ops, bigleaf_ops, bigorb_ops, flyguy_ops, spirit_ops, fboss_ops;

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
    const GroupOps *boss_ops;
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
