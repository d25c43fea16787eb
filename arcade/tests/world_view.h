// The actor arrays of each stage as the bot, the run's checks and the
// benchmarks see them: positions, speeds and the dead flag, whatever the
// record type.
#ifndef ARCADE_TESTS_WORLD_VIEW_H
#define ARCADE_TESTS_WORLD_VIEW_H

#include <stddef.h>
#include <stdint.h>

// Where an actor is and how it moves, whatever its record type.
struct ActorSeen {
    float x;
    float y;
    float vx;
    float vy;
    float half;  // half the side of the box it hurts with
};

// One array of actor records: every record begins with x and y and has vx,
// vy and dead somewhere after them.
struct ActorArray {
    char *records;
    size_t stride;
    size_t vx_at;
    size_t vy_at;
    size_t dead_at;
    int count;
    float half;
};

// The actors of a stage: its three groups (with the counts that say how
// many slots are in play), the array its boss fills, and the boss.
struct StageActors {
    ActorArray groups[3];
    const uint8_t *counts[3];
    ActorArray children;
    ActorArray boss;
};

void stage_actors_of(int stage, StageActors *out);
// The boss is out: from the start in stage 5, after the wait in the others.
bool boss_active(int stage);
bool actor_alive(const ActorArray *array, int i);
void actor_seen(const ActorArray *array, int i, ActorSeen *out);
// Puts record i alive at (x, y), keeping its speed.
void actor_place(const ActorArray *array, int i, float x, float y);

#endif
