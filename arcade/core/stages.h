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
#include "actors/enemies.h"
#include "actors/bosses.h"

#define STAGE_COUNT 5
#define STAGE_GROUPS 3
#define TIMELINE_STEPS 4
// The boss comes out once the stage clock passes this tick.
#define BOSS_TICK 6299u

// From tick `from` of the stage clock on, `count` slots are in play.
struct CountStep {
    uint32_t from;
    uint8_t count;
};

// Ten records of one family: common enemies, or (stage 4) big ones.
struct StageGroup {
    Enemy *enemies = NULL;  // the common enemies' records, or null
    Big *bigs = NULL;       // the big ones', or null; both null: the stage has no groups
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
    Big *boss;
    ALLEGRO_BITMAP **boss_picture;
    Enemy *children;      // the array the boss fills, or null
    int32_t *next_child;  // its next slot there, or null
    ALLEGRO_SAMPLE **boss_sounds[2];  // handed to it as its gear's sounds
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
// Slot i of a group, whichever family it holds. Only NBomb lands, with the
// land sound; a big group member is handed no gear.
void group_update(const StageGroup *group, int i, uint8_t respawn, ALLEGRO_SAMPLE *land_sample);
void group_touch(const StageGroup *group, int i, Player *player, int32_t *health);
void group_hit(const StageGroup *group, int i, Shot *shot, int32_t *score, int32_t *combo,
               int32_t *combo_timer);
void group_draw(const StageGroup *group, int i);
// The gear the stage's boss is handed.
BossGear stage_boss_gear(const StageRow *row);
// Clearing `cleared` leads to the ending rather than the next stage card.
bool stage_ends_game(int32_t cleared);

#endif
