// A Playing tick on the real world: the kill chain, extra lives, the meter,
// the stage timeline, the boss and the three ends of play.
#include <gtest/gtest.h>
#include <allegro5/allegro.h>
#include "test_support.h"
#include "core/stages.h"

namespace {

// A fresh world in stage st with its clock at t; the next tick is t + 1.
void play_from(int32_t st, uint32_t t)
{
    use_fake_samples();
    start_new_game();
    stage = st;
    game_state = Playing;
    state_timer = 0;
    fade_timer = 0;
    stage_ticks = t;
}

template <typename T>
void park(T *records, int count)
{
    for (int i = 0; i < count; i++) {
        records[i].x = -400.0f;
        records[i].y = -5000.0f;
        records[i].vx = 0.0f;
        records[i].vy = 0.0f;
        records[i].dead = 1;
    }
}

// Every group member dead and far above the field, where nothing meets it.
void enemies_park()
{
    Enemy *const small[] = {leaves, balls, nbombs, orbs, flames, slimes, flame2s, bulletbs};

    for (Enemy *type : small)
        park(type, ENEMY_SLOTS);
    park(bigleaves, ENEMY_SLOTS);
    park(bigorbs, ENEMY_SLOTS);
    park(flyguys, ENEMY_SLOTS);
}

// Stage 1: a resting bomb in slot 9 of the third group, not yet in play but
// still shot at, with a live shot on it. The next tick scores 200 x (combo + 1).
void kill_arm()
{
    nbomb_init(&nbombs[9], make_vec2(200.0f, 150.0f), 0.0f);
    shot_init(&shots[49], make_vec2(200.0f, 150.0f), make_vec2(0.0f, 0.0f), 8.0f);
}

// The player has lost its health and is just leaving the field.
void fall_out_now()
{
    player.fallen = 1;
    player.y = 280.0f;
}

int sounds_of(ALLEGRO_SAMPLE *sample, float speed)
{
    int n = 0;
    for (const PlayedSound &s : played)
        n += s.sample == sample && s.gain == 1.5f && s.speed == speed;
    return n;
}

void tick_until_not(GameState state, int limit)
{
    for (int i = 0; i < limit && game_state == state; i++)
        update_world();
}

class StagePlay : public ::testing::Test {
protected:
    void TearDown() override { sound_hook = nullptr; }
};

// ---- The kill chain ----

TEST_F(StagePlay, AKillScoresAndStartsTheChain)
{
    play_from(1, 100);
    enemies_park();
    kill_arm();
    update_world();
    EXPECT_EQ(score, 200);
    EXPECT_EQ(combo, 1);
    EXPECT_EQ(combo_timer, 60);
    EXPECT_EQ(nbombs[9].dead, 1);
}

// A kill at t keeps the chain up to t + 60; from t + 61 it is gone.
TEST_F(StagePlay, TheChainLastsSixtyTicksAfterAKill)
{
    struct { int gap; bool kill; int combo_after; } cases[] = {
        {59, true, 2},    // a kill at t + 60 continues it
        {60, false, 0},   // at t + 61 it has ended
        {60, true, 1},    // and a kill then starts a new one
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.gap << (c.kill ? " kill" : ""));
        play_from(1, 100);
        enemies_park();
        kill_arm();
        update_world();
        ticks(c.gap);
        EXPECT_EQ(combo, 1);
        if (c.kill)
            kill_arm();
        update_world();
        EXPECT_EQ(combo, c.combo_after);
    }
}

TEST_F(StagePlay, BeingHitEndsTheChainOnTheNextTick)
{
    play_from(1, 100);
    enemies_park();
    combo = 3;
    combo_timer = 40;
    // The contact of the last tick: the blink has just begun.
    player.hurt = 1;
    player.hurt_timer = 60;
    update_world();
    EXPECT_EQ(combo, 0);
}

// ---- Extra lives ----

TEST_F(StagePlay, TwentyThousandPointsGiveALifeWithItsSoundAndMessage)
{
    play_from(1, 100);
    enemies_park();
    score = 20000;
    update_world();
    EXPECT_EQ(lives, 4);
    EXPECT_EQ(sounds_of(snd_1up, 1.0f), 1);
    EXPECT_EQ(extra_life_popup.x, player.x - 4.0f);
    float y = extra_life_popup.y;
    EXPECT_EQ(y, player.y - 18.0f);
    update_world();
    EXPECT_EQ(extra_life_popup.y, y - 4.0f);
    EXPECT_EQ(lives, 4);
    EXPECT_EQ(sounds_of(snd_1up, 1.0f), 1);
}

TEST_F(StagePlay, SeveralThresholdsInOneTickGiveSeveralLives)
{
    struct { int32_t score; int lives; } cases[] = {
        {19999, 3}, {20000, 4}, {90000, 5}, {180000, 6}, {8000000, 23},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.score);
        play_from(1, 100);
        enemies_park();
        score = c.score;
        update_world();
        EXPECT_EQ(lives, c.lives);
        EXPECT_EQ(sounds_of(snd_1up, 1.0f), c.lives - 3);
    }
}

// Awarded thresholds stay spent through a lost life, not through a new game.
TEST_F(StagePlay, ThresholdsComeBackOnlyWithANewGame)
{
    play_from(1, 100);
    enemies_park();
    score = 20000;
    update_world();
    ASSERT_EQ(lives, 4);

    fall_out_now();  // a lost life: fall-out with lives left
    update_world();
    ASSERT_EQ(game_state, Fade);
    tick_until_not(Fade, 100);
    tick_until_not(StageIntro, 100);
    tick_until_not(Fade, 100);
    ASSERT_EQ(game_state, Playing);
    update_world();
    EXPECT_EQ(lives, 4);

    lives = 0;  // game over, then the new game's values
    fall_out_now();
    update_world();
    ASSERT_EQ(game_state, GameOver);
    tick_until_not(GameOver, 200);
    tick_until_not(Fade, 100);
    ASSERT_EQ(game_state, Title);
    game_state = Playing;
    stage = 1;
    score = 20000;
    update_world();
    EXPECT_EQ(lives, 4);
}

// The count is a byte: it stops at its top and at zero instead of wrapping.
TEST_F(StagePlay, LivesNeitherWrapUpNorDown)
{
    play_from(1, 100);
    enemies_park();
    lives = 255;
    score = 20000;
    update_world();
    EXPECT_EQ(lives, 255);
    EXPECT_EQ(sounds_of(snd_1up, 1.0f), 1);

    play_from(1, 100);
    enemies_park();
    lives = 0;
    health = 0;
    update_world();
    EXPECT_EQ(lives, 0);
    EXPECT_EQ(player.fallen, 1);
}

// ---- The health meter ----

TEST_F(StagePlay, FullMeterGivesHealthUpToEightThenRests)
{
    struct { int32_t health; int32_t meter; int32_t combo; int32_t health_after;
             int32_t meter_after; int refills; } cases[] = {
        {5, 0, 0, 5, 1, 0},          // a kill with no chain: +1
        {2, 10, 4, 2, 13, 0},        // + combo / health + 1 (the kill makes combo 5)
        {7, 199, 0, 8, 0, 1},        // full: a point of health
        {8, 199, 0, 8, 200, 0},      // at the top the meter rests at 200
        {8, 200, 0, 8, 200, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.meter);
        play_from(1, 100);
        enemies_park();
        health = c.health;
        health_meter = c.meter;
        combo = c.combo;
        combo_timer = 30;
        kill_arm();
        update_world();
        EXPECT_EQ(health, c.health_after);
        EXPECT_EQ(health_meter, c.meter_after);
        EXPECT_EQ(sounds_of(snd_1up, 1.5f), c.refills);
    }
}

// A full meter at health 8 waits for health to drop and a score to rise.
TEST_F(StagePlay, RestingMeterRefillsAtTheFirstScoreAfterAHit)
{
    play_from(1, 100);
    enemies_park();
    health = 7;
    health_meter = 200;
    update_world();  // no score rise: nothing
    EXPECT_EQ(health, 7);
    EXPECT_EQ(health_meter, 200);
    kill_arm();
    update_world();
    EXPECT_EQ(health, 8);
    EXPECT_EQ(health_meter, 0);
}

TEST_F(StagePlay, MeterGainsNothingWhileOutOfHealth)
{
    play_from(1, 100);
    enemies_park();
    lives = 2;
    health = 0;
    health_meter = 150;
    combo = 4;
    combo_timer = 30;
    kill_arm();
    update_world();
    EXPECT_GT(score, 0);
    EXPECT_EQ(health_meter, 150);
    EXPECT_EQ(health, 0);
}

// ---- The stage timeline ----

TEST_F(StagePlay, GroupCountsFollowTheStageClock)
{
    struct { int32_t stage; uint32_t t; int g1, g2, g3; } cases[] = {
        {1, 1, 5, 0, 0},     {1, 900, 5, 0, 0},    {1, 901, 10, 0, 0},
        {1, 1800, 10, 0, 0}, {1, 1801, 10, 5, 0},  {1, 2699, 10, 5, 0},
        {1, 2700, 10, 10, 0}, {1, 3600, 10, 10, 0}, {1, 3601, 10, 10, 5},
        {1, 4499, 10, 10, 5}, {1, 4500, 10, 10, 10},
        {2, 900, 5, 0, 0},   {2, 901, 5, 5, 0},    {2, 1800, 5, 5, 0},
        {2, 1801, 10, 5, 0}, {2, 2700, 10, 10, 0}, {2, 4500, 10, 10, 10},
        {3, 901, 5, 5, 0},   {3, 1801, 5, 10, 0},  {3, 2699, 5, 10, 0},
        {3, 2700, 10, 10, 0}, {3, 3601, 10, 10, 5},
        {4, 900, 3, 0, 0},   {4, 901, 3, 3, 0},    {4, 1801, 3, 3, 3},
        {4, 2700, 6, 3, 3},  {4, 3600, 6, 3, 3},   {4, 3601, 6, 6, 3},
        {4, 4499, 6, 6, 3},  {4, 4500, 6, 3, 6},   {4, 9000, 6, 3, 6},
        {5, 5000, 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << " t " << c.t);
        play_from(c.stage, c.t - 1);
        update_world();
        EXPECT_EQ(stage_ticks, c.t);
        EXPECT_EQ(group1_count, c.g1);
        EXPECT_EQ(group2_count, c.g2);
        EXPECT_EQ(group3_count, c.g3);
    }
}

// Stage 4's second group falls back from 6 to 3: slots 3 to 5 stop where
// they were, and still meet the shots.
TEST_F(StagePlay, SlotsBeyondTheCountRestButCanBeShot)
{
    play_from(4, 4498);
    update_world();
    ASSERT_EQ(group2_count, 6);
    BigOrb resting = bigorbs[4];
    enemies_park();  // nothing else may take the shot first
    bigorbs[4] = resting;
    shot_init(&shots[0], make_vec2(resting.x, resting.y), make_vec2(0.0f, 0.0f), 8.0f);
    update_world();
    EXPECT_EQ(group2_count, 3);
    EXPECT_EQ(bigorbs[4].x, resting.x);
    EXPECT_EQ(bigorbs[4].y, resting.y);
    EXPECT_EQ(bigorbs[4].hp, resting.hp - 1);
}

TEST_F(StagePlay, TheBossComesOutAfterTick6299)
{
    struct { int32_t stage; uint32_t t; int pending; } cases[] = {
        {1, 6299, 1}, {1, 6300, 0}, {2, 6300, 0}, {3, 6299, 1}, {4, 6300, 0},
        {5, 6300, 1}, {5, 2147483647u, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << " t " << c.t);
        play_from(c.stage, c.t - 1);
        update_world();
        EXPECT_EQ(boss_pending, c.pending);
    }
}

// The clock stops at its top instead of wrapping to an early tick.
TEST_F(StagePlay, StageClockHoldsAtItsTop)
{
    play_from(1, STAGE_TICKS_MAX);
    update_world();
    EXPECT_EQ(stage_ticks, STAGE_TICKS_MAX);
    EXPECT_EQ(boss_pending, 0);
}

// A gone enemy comes back while the boss waits, and stays gone once it is out.
TEST_F(StagePlay, EnemiesStopComingBackWhenTheBossComesOut)
{
    struct { uint32_t t; int dead_after; } cases[] = {{6298, 0}, {6299, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.t);
        play_from(1, c.t);
        enemies_park();
        balls[0].x = 300.0f;
        balls[0].y = 100.0f;
        balls[0].vx = 2.0f;
        update_world();
        EXPECT_EQ(balls[0].dead, c.dead_after);
    }
}

TEST_F(StagePlay, StageFourCloudsAndStageFiveBackdropDrift)
{
    play_from(4, 10);
    scroll[0] = -255.0f;
    update_world();
    EXPECT_EQ(scroll[0], -2.0f);  // -258 wraps by a picture's width
    EXPECT_EQ(scroll[1], -1.5f);
    EXPECT_EQ(scroll[2], -1.0f);

    play_from(5, 10);
    scroll[0] = -16.0f;
    update_world();
    EXPECT_EQ(scroll[0], -1.0f);
    EXPECT_EQ(scroll[1], 0.0f);
}

// ---- The ends of play ----

TEST_F(StagePlay, ADeadBossEndsTheStageOnlyOnceBelow304)
{
    play_from(1, 6400);
    enemies_park();
    boss_pending = 0;
    boss_bigleaf.dead = 1;
    boss_bigleaf.y = 250.0f;
    boss_bigleaf.vy = 0.0f;
    update_world();
    EXPECT_EQ(game_state, Playing);
    EXPECT_EQ(stage, 1);
    int n = 0;
    while (game_state == Playing && n < 200) {
        update_world();
        n++;
    }
    EXPECT_EQ(game_state, StageClear);
    EXPECT_EQ(stage, 2);
    EXPECT_EQ(state_timer, 60);
    EXPECT_EQ(stage_ticks, 0u);
    EXPECT_EQ(boss_pending, 1);
    EXPECT_GT(n, 20);  // it had over 50 pixels to fall from rest
}

// Cleared stage 1 leads to stage 2's card, and play there starts at 180.
TEST_F(StagePlay, StageAfterAClearStartsAtTick180)
{
    play_from(1, 6400);
    boss_pending = 0;
    boss_bigleaf.dead = 1;
    boss_bigleaf.y = 400.0f;
    update_world();
    ASSERT_EQ(game_state, StageClear);
    tick_until_not(StageClear, 300);
    EXPECT_EQ(next_state, StageIntro);
    tick_until_not(Fade, 100);
    tick_until_not(StageIntro, 100);
    tick_until_not(Fade, 100);
    ASSERT_EQ(game_state, Playing);
    EXPECT_EQ(stage, 2);
    EXPECT_EQ(stage_ticks, 180u);
}

// Stage 4 is the last of a game begun at stage 1; stage 5 leads there too.
TEST_F(StagePlay, ClearingTheLastStagesLeadsToTheEnding)
{
    struct { int32_t stage; } cases[] = {{4}, {5}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stage);
        play_from(c.stage, 6400);
        boss_pending = c.stage == 5 ? 1 : 0;
        boss_spirit.dead = 1;
        boss_spirit.y = 310.0f;
        boss_fboss.dead = 1;
        boss_fboss.y = 310.0f;
        update_world();
        ASSERT_EQ(game_state, StageClear);
        EXPECT_EQ(stage, c.stage + 1);
        tick_until_not(StageClear, 300);
        EXPECT_EQ(next_state, Ending);
        EXPECT_EQ(state_timer, 900);
    }
}

TEST_F(StagePlay, LastHealthAtOneLifeEndsTheGameWhenThePlayerFallsOut)
{
    play_from(2, 500);
    enemies_park();
    lives = 1;
    score = 7000;
    health = 0;  // the last point went in the last tick's contact
    update_world();
    EXPECT_EQ(lives, 0);
    EXPECT_EQ(player.fallen, 1);
    float last_y = player.y;
    int n = 0;
    while (game_state == Playing && n < 400) {
        last_y = player.y;
        update_world();
        n++;
    }
    EXPECT_EQ(game_state, GameOver);
    EXPECT_GT(last_y, 200.0f);
    EXPECT_LE(last_y, 272.0f);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(lives, 0);
    EXPECT_EQ(state_timer, 60);
    EXPECT_EQ(stage_ticks, 0u);
}

TEST_F(StagePlay, ALostLifeReplaysTheStageFromItsStartWithTheScore)
{
    play_from(3, 2500);
    enemies_park();
    lives = 3;
    score = 5000;
    health = 0;
    update_world();
    EXPECT_EQ(lives, 2);
    tick_until_not(Playing, 400);
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, StageIntro);
    tick_until_not(Fade, 100);
    tick_until_not(StageIntro, 100);
    tick_until_not(Fade, 100);
    ASSERT_EQ(game_state, Playing);
    EXPECT_EQ(stage, 3);
    EXPECT_EQ(stage_ticks, 0u);
    EXPECT_EQ(score, 5000);
    EXPECT_EQ(health, 5);
    EXPECT_EQ(lives, 2);
}

// ---- Whatever state the world is in, no index leaves its array ----

TEST_F(StagePlay, StrayIndicesAndStagesDoNotReachOutsideTheArrays)
{
    struct { int32_t stage; } cases[] = {{0}, {-3}, {6}, {1}, {3}, {5}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stage);
        play_from(c.stage, 6400);
        boss_pending = 0;
        next_puff = 57;
        next_shot = -4;
        next_child_bigleaf = 10;
        next_child_bigorb = -1;
        next_child_flames = 1000;
        ticks(3);
        EXPECT_EQ(game_state, Playing);
        EXPECT_GE(next_puff, 0);
        EXPECT_LT(next_puff, PUFF_SLOTS);
        EXPECT_GE(next_shot, 0);
        EXPECT_LT(next_shot, SHOT_SLOTS);
        for (int32_t index : {next_child_bigleaf, next_child_bigorb, next_child_flames}) {
            EXPECT_GE(index, 0);
            EXPECT_LT(index, ENEMY_SLOTS);
        }
    }
}

}  // namespace
