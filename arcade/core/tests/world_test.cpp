// The new-game values, the extra-life table and the canvas capture.
#include <string.h>
#include <time.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include <allegro5/allegro.h>
#include "test_support.h"

namespace {

TEST(WorldReset, ClearsThePerStageValuesAndKeepsTheGameOnes)
{
    lives = 4;
    score = 5000;
    stage = 3;
    health = 1;
    combo = 6;
    combo_timer = 12;
    group1_count = 10;
    group2_count = 5;
    group3_count = 5;
    boss_pending = 0;
    stage_ticks = 6400;
    state_timer = 3;
    title_enter_count = 2;
    health_meter = 150;
    scroll[0] = -3.0f;
    scroll[1] = -1.5f;
    scroll[2] = -1.0f;
    extra_life_popup = make_vec2(100.0f, 50.0f);
    next_child_bigleaf = 4;
    next_child_bigorb = 5;
    next_child_flames = 6;

    reset_world();

    EXPECT_EQ(lives, 4);
    EXPECT_EQ(score, 5000);
    EXPECT_EQ(stage, 3);
    EXPECT_EQ(health, 5);
    EXPECT_EQ(combo, 0);
    EXPECT_EQ(combo_timer, 0);
    EXPECT_EQ(group1_count + group2_count + group3_count, 0);
    EXPECT_EQ(boss_pending, 1);
    EXPECT_EQ(stage_ticks, 0u);
    EXPECT_EQ(state_timer, 3) << "the world leaves the screens' timer alone";
    EXPECT_EQ(title_enter_count, 2) << "the world leaves the title alone";
    EXPECT_EQ(health_meter, 0);
    EXPECT_EQ(scroll[0] + scroll[1] + scroll[2], 0.0f);
    EXPECT_EQ(extra_life_popup.x, -32.0f);
    EXPECT_EQ(extra_life_popup.y, -32.0f);
    EXPECT_EQ(next_child_bigleaf + next_child_bigorb + next_child_flames, 0);

    // The state machine's reset for a new start puts the title and the
    // timed screens back as well.
    reset_play();
    EXPECT_EQ(state_timer, 60);
    EXPECT_EQ(title_enter_count, 0);
    EXPECT_EQ(lives, 4);
    EXPECT_EQ(score, 5000);
}

TEST(ExtraLives, ThresholdsGrowWithTheSquare)
{
    extra_life_awarded[7] = true;
    reset_extra_lives();
    const int32_t expected[] = {20000, 80000, 180000, 320000};
    for (int n = 0; n < 4; n++)
        EXPECT_EQ(extra_life_scores[n], expected[n]);
    EXPECT_EQ(extra_life_scores[19], 8000000);
    for (bool awarded : extra_life_awarded)
        EXPECT_FALSE(awarded);
}

TEST(UpdateWorld, OnlyTheStateMachineRunsOutsidePlay)
{
    use_fake_samples();
    start_new_game();
    game_state = Playing;
    state_timer = 5;
    fade_timer = 2;
    update_world();
    EXPECT_EQ(game_state, Playing);
    EXPECT_EQ(state_timer, 4);
    EXPECT_EQ(fade_timer, 1);
    sound_hook = nullptr;
}

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(al_init());
        al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
        canvas = al_create_bitmap(CANVAS_W, CANVAS_H);
        canvas_snapshot = al_create_bitmap(CANVAS_W, CANVAS_H);
        ASSERT_NE(canvas, nullptr);
        ASSERT_NE(canvas_snapshot, nullptr);
    }
    void TearDown() override
    {
        al_destroy_bitmap(canvas);
        al_destroy_bitmap(canvas_snapshot);
        canvas = nullptr;
        canvas_snapshot = nullptr;
    }
};

TEST_F(CaptureTest, StartFadeCopiesTheCanvasOverTheLastSnapshot)
{
    al_set_target_bitmap(canvas_snapshot);
    al_clear_to_color(al_map_rgb(200, 10, 10));
    al_set_target_bitmap(canvas);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    // A half-transparent corner must arrive as it is, not blended.
    al_put_pixel(3, 4, al_map_rgba(20, 40, 60, 128));
    al_put_pixel(255, 239, al_map_rgb(93, 93, 93));

    game_state = Title;
    start_fade(StageIntro);

    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, StageIntro);
    EXPECT_EQ(fade_timer, 30);
    EXPECT_EQ(al_get_target_bitmap(), canvas);
    unsigned char r, g, b, a;
    al_unmap_rgba(al_get_pixel(canvas_snapshot, 3, 4), &r, &g, &b, &a);
    EXPECT_EQ(r, 20);
    EXPECT_EQ(a, 128);
    al_unmap_rgba(al_get_pixel(canvas_snapshot, 255, 239), &r, &g, &b, &a);
    EXPECT_EQ(r, 93);
    al_unmap_rgba(al_get_pixel(canvas_snapshot, 100, 100), &r, &g, &b, &a);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(a, 255);
}

}  // namespace

namespace {

// One timer event: exactly one update and one frame, even with no display.
TEST_F(CaptureTest, TimerEventRunsOneUpdateAndKeepsThePausedFrame)
{
    ALLEGRO_DISPLAY *saved_display = display;
    display = nullptr;
    al_set_target_bitmap(canvas);
    al_clear_to_color(al_map_rgb(10, 120, 30));
    game_state = Paused;
    state_timer = 40;
    fade_timer = 0;
    stage_ticks = 77;

    ALLEGRO_EVENT tick = {};
    tick.type = ALLEGRO_EVENT_TIMER;
    EXPECT_TRUE(process_event(&tick));
    EXPECT_TRUE(process_event(&tick));

    EXPECT_EQ(state_timer, 38);
    EXPECT_EQ(stage_ticks, 77u);
    EXPECT_EQ(game_state, Paused);
    unsigned char r, g, b;
    al_unmap_rgb(al_get_pixel(canvas, 128, 120), &r, &g, &b);
    EXPECT_EQ(g, 120);
    display = saved_display;
}

}  // namespace

// ---- The reset's placements ----

namespace {

std::vector<float> placements_take()
{
    std::vector<float> out;
    for (const Enemy *type : {leaves, orbs, nbombs, bulletbs})
        for (int i = 0; i < ENEMY_SLOTS; i++)
            out.insert(out.end(), {type[i].x, type[i].y, type[i].vx, type[i].vy});
    for (const FlyGuy &f : flyguys)
        out.insert(out.end(), {f.x, f.y, f.vx, f.vy});
    return out;
}

// Runs fn until all its clock reads fell within one second (3 tries).
template <typename Fn>
bool within_one_second(Fn fn)
{
    for (int attempt = 0; attempt < 3; attempt++) {
        time_t second = time(NULL);
        fn(second);
        if (time(NULL) == second)
            return true;
    }
    return false;
}

TEST(WorldReset, TwoResetsInOneSecondPlaceEverythingAlike)
{
    std::vector<float> first, again;
    ASSERT_TRUE(within_one_second([&](time_t) {
        reset_world();
        first = placements_take();
        leaves[3].x = 999.0f;
        rand();
        reset_world();
        again = placements_take();
    }));
    EXPECT_EQ(again, first);
}

// Speed, row jitter, x, from the clock's seed: Leaf 0, then BigLeaf 0.
TEST(WorldReset, DrawsSpeedThenRowThenX)
{
    float expected[6], got[6];
    ASSERT_TRUE(within_one_second([&](time_t second) {
        reset_world();
        srand((unsigned)second);
        for (int k = 0; k < 2; k++) {
            expected[3 * k] = (float)(rand() % 2000 + 1000) / 1000.0f;
            expected[3 * k + 1] = (float)(32 - rand() % 4);
            expected[3 * k + 2] = (float)(-64 * k - rand() % 640);
        }
        const float now[6] = {leaves[0].vx, leaves[0].y, leaves[0].x,
                              bigleaves[0].vx, bigleaves[0].y, bigleaves[0].x};
        memcpy(got, now, sizeof got);
    }));
    for (int k = 0; k < 6; k++)
        EXPECT_EQ(got[k], expected[k]) << k;
}

struct Placed {
    float x, y, vx, vy, facing;
};

template <typename T>
Placed placed(const T &rec)
{
    return {rec.x, rec.y, rec.vx, rec.vy, rec.anim.scale_x};
}

// Every group type enters where its rules say, replayed draw by draw: per
// slot, each flyer's speed, row jitter and x (FlyGuy then rolls its vy),
// then each faller's y and x (BulletB then rolls its vy).
TEST(WorldReset, EveryTypeEntersWhereItsRulesSay)
{
    struct Flyer {
        const char *name;
        Placed (*at)(int i);
        int left_slots, margin, right, span, min;
    };
    static const Flyer flyers[] = {
        {"Leaf", [](int i) { return placed(leaves[i]); }, 5, 0, 256, 2000, 1000},
        {"BigLeaf", [](int i) { return placed(bigleaves[i]); }, 3, 64, 320, 2000, 1000},
        {"BigOrb", [](int i) { return placed(bigorbs[i]); }, 3, 64, 320, 2000, 1000},
        {"FlyGuy", [](int i) { return placed(flyguys[i]); }, 3, 64, 320, 2000, 1000},
        {"Ball", [](int i) { return placed(balls[i]); }, 5, 0, 256, 2000, 1000},
        {"Orb", [](int i) { return placed(orbs[i]); }, 5, 0, 256, 2500, 1500},
        {"Slime", [](int i) { return placed(slimes[i]); }, 5, 0, 256, 2500, 1500},
        {"Flame", [](int i) { return placed(flames[i]); }, 5, 0, 256, 3000, 1500},
        {"Flame2", [](int i) { return placed(flame2s[i]); }, 5, 0, 256, 3000, 1500},
    };
    std::vector<std::string> wrong;
    ASSERT_TRUE(within_one_second([&](time_t second) {
        reset_world();
        srand((unsigned)second);
        wrong.clear();
        for (int i = 0; i < ENEMY_SLOTS; i++) {
            for (const Flyer &f : flyers) {
                float speed = (float)(rand() % f.span + f.min) / 1000.0f;
                float y = (float)(32 + 16 * i - rand() % 4);
                bool left = i < f.left_slots;
                float x = left ? (float)(-f.margin - rand() % 640)
                               : (float)(rand() % 640 + f.right);
                float vy = f.at == flyers[3].at ? (float)(rand() % 30 + 10) / 10.0f : 0.0f;
                Placed p = f.at(i);
                if (p.x != x || p.y != y || p.vx != (left ? speed : -speed) || p.vy != vy ||
                    p.facing != (left ? 1.0f : -1.0f))
                    wrong.push_back(std::string(f.name) + " " + std::to_string(i));
            }
            for (int top : {0, 128}) {
                float y = (float)(-top - rand() % 640);
                float x = (float)(rand() % 256 - 8);
                float vy = top ? (float)(rand() % 30 + 10) / 10.0f : 0.0f;
                Placed p = placed(top ? bulletbs[i] : nbombs[i]);
                if (p.x != x || p.y != y || p.vx != 0.0f || p.vy != vy || p.facing != 1.0f)
                    wrong.push_back(std::string(top ? "BulletB " : "NBomb ") + std::to_string(i));
            }
        }
    }));
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

TEST(WorldReset, BigLeavesEnterFromBothSidesWithThreeHitPoints)
{
    for (int round = 0; round < 3; round++) {
        reset_world();
        for (int i = 0; i < ENEMY_SLOTS; i++) {
            const BigLeaf &b = bigleaves[i];
            bool left = i < 3;
            EXPECT_GE(b.x, left ? -703.0f : 320.0f) << i;
            EXPECT_LE(b.x, left ? -64.0f : 959.0f) << i;
            EXPECT_EQ(b.anim.scale_x, left ? 1.0f : -1.0f) << i;
            EXPECT_EQ(b.vx > 0.0f, left) << i;
            EXPECT_EQ(b.hp, 3);
            EXPECT_EQ(bigorbs[i].hp, 3);
            EXPECT_EQ(flyguys[i].hp, 3);
        }
    }
    EXPECT_EQ(boss_spirit.x, 128.0f);
    EXPECT_EQ(boss_spirit.y, -640.0f);
    EXPECT_EQ(boss_spirit.vx, 0.0f);
    EXPECT_EQ(boss_bigleaf.hp, 30);  // the bosses keep their strength
}

}  // namespace
