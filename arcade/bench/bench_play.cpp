// The busiest moment of each stage: every group slot on the field, the boss
// out, all 50 shots in flight. One Playing tick, and one frame drawn into the
// memory canvas. The world is put back before every timed tick so that each
// measures the same moment.
#include <benchmark/benchmark.h>

#include <chrono>
#include <stdio.h>
#include <string.h>
#include "core/game.h"
#include "core/world.h"
#include "render/render.h"
#include "tests/headless.h"
#include "tests/world_view.h"

namespace {

// Every world value and actor array a tick may change.
struct Saved {
    void *at;
    size_t size;
};

#define SAVED(v) {&(v), sizeof(v)}

const Saved saved_values[] = {
    SAVED(game_state), SAVED(next_state), SAVED(fade_timer), SAVED(state_timer),
    SAVED(stage_ticks), SAVED(stage), SAVED(title_enter_count),
    SAVED(score), SAVED(previous_score), SAVED(lives), SAVED(health), SAVED(health_meter),
    SAVED(combo), SAVED(combo_timer), SAVED(extra_life_scores), SAVED(extra_life_awarded),
    SAVED(extra_life_popup), SAVED(group1_count), SAVED(group2_count), SAVED(group3_count),
    SAVED(boss_pending), SAVED(scroll), SAVED(player), SAVED(puffs), SAVED(next_puff),
    SAVED(shots), SAVED(next_shot), SAVED(leaves), SAVED(balls), SAVED(nbombs), SAVED(orbs),
    SAVED(flames), SAVED(slimes), SAVED(flame2s), SAVED(bulletbs), SAVED(bigleaves),
    SAVED(bigorbs), SAVED(flyguys), SAVED(boss_bigleaf), SAVED(boss_bigorb),
    SAVED(boss_flyguy), SAVED(boss_spirit), SAVED(boss_fboss), SAVED(next_child_bigleaf),
    SAVED(next_child_bigorb), SAVED(next_child_flames),
};

const int SAVED_COUNT = sizeof saved_values / sizeof saved_values[0];
unsigned char saved_bytes[64 * 1024];

void world_save()
{
    size_t used = 0;

    for (int i = 0; i < SAVED_COUNT; i++) {
        memcpy(saved_bytes + used, saved_values[i].at, saved_values[i].size);
        used += saved_values[i].size;
    }
}

void world_restore()
{
    size_t used = 0;

    for (int i = 0; i < SAVED_COUNT; i++) {
        memcpy(saved_values[i].at, saved_bytes + used, saved_values[i].size);
        used += saved_values[i].size;
    }
}

size_t saved_size()
{
    size_t used = 0;

    for (int i = 0; i < SAVED_COUNT; i++)
        used += saved_values[i].size;
    return used;
}

// After the wait for the boss: every group swollen, no more respawns.
const uint32_t BOSS_OUT_TICK = 6400;

// The moment: play running, the boss at the middle of the field, the ten
// slots of each group spread over it, fifty shots flying every way.
void busiest_moment(int stage_number)
{
    StageActors sa;

    headless_new_game();
    stage = stage_number;
    game_state = Playing;
    fade_timer = 0;
    stage_ticks = BOSS_OUT_TICK;
    boss_pending = stage_number == 5 ? 1 : 0;
    group1_count = group2_count = group3_count = ENEMY_SLOTS;
    // Out of every enemy's way, so that no hit ends the moment.
    player.x = 128;
    player.y = 20;

    stage_actors_of(stage_number, &sa);
    for (int g = 0; g < 3; g++)
        for (int i = 0; i < sa.groups[g].count; i++)
            actor_place(&sa.groups[g], i, 12.0f + 23.0f * i, 60.0f + 40.0f * g + 3.0f * i);
    actor_place(&sa.boss, 0, 128, 120);
    for (int i = 0; i < SHOT_SLOTS; i++) {
        float x = 8.0f + 5.0f * i;
        float vx = i % 2 ? 4.0f : -4.0f;

        shot_init(&shots[i], make_vec2(x, 40.0f + 3.0f * i), make_vec2(vx, -2.0f),
                  i < 20 && i % 4 == 0 ? 12.0f : 8.0f);
    }
}

bool resources_ready()
{
    static int state;

    if (state == 0)
        state = headless_start(ARCADE_GAME_DIR) ? 1 : -1;
    return state == 1;
}

void BM_PlayingTick(benchmark::State &state)
{
    int stage_number = (int)state.range(0);

    if (!resources_ready() || saved_size() > sizeof saved_bytes) {
        state.SkipWithError("cannot load the game's resources");
        return;
    }
    busiest_moment(stage_number);
    world_save();
    for (auto _ : state) {
        world_restore();
        auto start = std::chrono::steady_clock::now();
        update_world();
        auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(score);
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void BM_PlayingFrame(benchmark::State &state)
{
    int stage_number = (int)state.range(0);

    if (!resources_ready()) {
        state.SkipWithError("cannot load the game's resources");
        return;
    }
    busiest_moment(stage_number);
    // One tick first, so the frame shows a world the game itself has moved.
    update_world();
    group1_count = group2_count = group3_count = ENEMY_SLOTS;
    for (auto _ : state) {
        frame_compose(canvas);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_PlayingTick)->DenseRange(1, 5)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayingFrame)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
