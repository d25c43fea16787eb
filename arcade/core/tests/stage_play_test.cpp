// A Playing tick on the real world: the kill chain, extra lives, the meter,
// the stage timeline, the boss and the three ends of play.
#include <gtest/gtest.h>
#include "test_support.h"

namespace {

template <typename T>
void park(T *records)
{
    for (int i = 0; i < ENEMY_SLOTS; i++) {
        records[i].x = -400.0f;
        records[i].y = -5000.0f;
        records[i].vx = records[i].vy = 0.0f;
        records[i].dead = 1;
    }
}

// A fresh world in stage st with its clock at t, every group member dead and
// far above the field so that nothing meets the player or a shot by chance.
void play_from(int32_t st, uint32_t t, bool parked = true)
{
    use_fake_samples();
    start_new_game();
    stage = st;
    game_state = Playing;
    state_timer = fade_timer = 0;
    stage_ticks = t;
    if (!parked)
        return;
    for (Enemy *type : {leaves, balls, nbombs, orbs, flames, slimes, flame2s, bulletbs})
        park(type);
    park(bigleaves);
    park(bigorbs);
    park(flyguys);
}

// Stage 1: a resting bomb in group 3's slot 9 (not in play before 3601, still
// shot at) with a live shot on it; the next tick scores 200 x (combo + 1).
void kill_arm()
{
    enemy_init(&nbombs[9], ENEMY_NBOMB, make_vec2(200.0f, 150.0f), 0.0f);
    shot_init(&shots[49], make_vec2(200.0f, 150.0f), make_vec2(0.0f, 0.0f), 8.0f);
}

// Out of health and just leaving the field.
void fall_out_now()
{
    player.fallen = 1;
    player.y = 280.0f;
}

int sounds_of(ALLEGRO_SAMPLE *sample, float gain, float speed)
{
    int n = 0;
    for (const PlayedSound &s : played)
        n += s.sample == sample && s.gain == gain && s.speed == speed;
    return n;
}

// Runs ticks through the given states in turn.
void tick_through(std::initializer_list<GameState> states)
{
    for (GameState state : states)
        for (int i = 0; i < 300 && game_state == state; i++)
            update_world();
}

class StagePlay : public ::testing::Test {
protected:
    void TearDown() override { sound_hook = nullptr; }
};

// A kill at t keeps the chain up to t + 60; from t + 61 it is gone. A hit
// ends it on the next tick whatever time it had left.
TEST_F(StagePlay, KillChain)
{
    struct { int gap; bool kill; bool hurt; int combo_after; } cases[] = {
        {59, true, false, 2}, {60, false, false, 0}, {60, true, false, 1}, {10, false, true, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.gap);
        play_from(1, 100);
        kill_arm();
        update_world();
        EXPECT_EQ(score, 200);
        ticks(c.gap);
        EXPECT_EQ(combo, 1);
        if (c.kill)
            kill_arm();
        player.hurt = c.hurt;
        player.hurt_timer = c.hurt ? 60 : 0;
        update_world();
        EXPECT_EQ(combo, c.combo_after);
    }
}

TEST_F(StagePlay, ExtraLivesAtTheThresholds)
{
    struct { int32_t score; int lives; } cases[] = {
        {19999, 3}, {20000, 4}, {90000, 5}, {8000000, 23},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.score);
        play_from(1, 100);
        score = c.score;
        update_world();
        EXPECT_EQ(lives, c.lives);
        EXPECT_EQ(sounds_of(snd_1up, 1.5f, 1.0f), c.lives - 3);
    }
    // The message starts 18 pixels above the player and rises 4 a tick.
    EXPECT_EQ(extra_life_popup.x, player.x - 4.0f);
    EXPECT_EQ(extra_life_popup.y, player.y - 18.0f);
    float y = extra_life_popup.y;
    update_world();
    EXPECT_EQ(extra_life_popup.y, y - 4.0f);
}

// A lost life leaves the thresholds spent; a new game after GameOver renews them.
TEST_F(StagePlay, ThresholdsComeBackOnlyWithANewGame)
{
    play_from(1, 100);
    score = 20000;
    update_world();
    fall_out_now();
    update_world();
    tick_through({Fade, StageIntro, Fade});
    ASSERT_EQ(game_state, Playing);
    update_world();
    EXPECT_EQ(lives, 4);

    lives = 0;
    fall_out_now();
    update_world();
    ASSERT_EQ(game_state, GameOver);
    tick_through({GameOver, Fade});
    ASSERT_EQ(game_state, Title);
    game_state = Playing;
    score = 20000;
    update_world();
    EXPECT_EQ(lives, 4);
}

// The byte stops at its top and at zero instead of wrapping.
TEST_F(StagePlay, LivesNeitherWrapUpNorDown)
{
    play_from(1, 100);
    lives = 255;
    score = 20000;
    update_world();
    EXPECT_EQ(lives, 255);
    lives = 0;
    health = 0;
    update_world();
    EXPECT_EQ(lives, 0);
    EXPECT_EQ(player.fallen, 1);
}

// Each scoring tick adds combo / health + 1; full at 200 it gives a point of
// health below 8, else rests at 200. Out of health it gains nothing.
TEST_F(StagePlay, HealthMeter)
{
    struct { int32_t health, meter, combo; bool kill; int32_t health_after, meter_after; } cases[] = {
        {5, 0, 0, true, 5, 1},     {2, 10, 4, true, 2, 13},   {7, 199, 0, true, 8, 0},
        {8, 199, 0, true, 8, 200}, {7, 200, 0, false, 7, 200}, {7, 200, 0, true, 8, 0},
        {0, 150, 4, true, 0, 150},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.health << " " << c.meter);
        play_from(1, 100);
        health = c.health;
        health_meter = c.meter;
        combo = c.combo;
        combo_timer = 30;
        if (c.kill)
            kill_arm();
        update_world();
        EXPECT_EQ(health, c.health_after);
        EXPECT_EQ(health_meter, c.meter_after);
        EXPECT_EQ(sounds_of(snd_1up, 1.5f, 1.5f), c.health_after > c.health);
    }
}

TEST_F(StagePlay, TimelineSetsTheGroupsAndTheBoss)
{
    struct { int32_t stage; uint32_t t; int g1, g2, g3, pending; } cases[] = {
        {1, 900, 5, 0, 0, 1},     {1, 901, 10, 0, 0, 1},   {1, 1801, 10, 5, 0, 1},
        {1, 3601, 10, 10, 5, 1},  {1, 4500, 10, 10, 10, 1}, {1, 6299, 10, 10, 10, 1},
        {1, 6300, 10, 10, 10, 0}, {2, 1801, 10, 5, 0, 1},  {3, 1801, 5, 10, 0, 1},
        {4, 4499, 6, 6, 3, 1},    {4, 4500, 6, 3, 6, 1},   {5, 6300, 0, 0, 0, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << " t " << c.t);
        play_from(c.stage, c.t - 1, false);
        update_world();
        EXPECT_EQ(group1_count, c.g1);
        EXPECT_EQ(group2_count, c.g2);
        EXPECT_EQ(group3_count, c.g3);
        EXPECT_EQ(boss_pending, c.pending);
    }
}

// Stage 4's group 2 falls back from 6 to 3: slot 4 stops where it was and
// still meets the shots.
TEST_F(StagePlay, SlotsBeyondTheCountRestButCanBeShot)
{
    play_from(4, 4498, false);
    update_world();
    BigOrb resting = bigorbs[4];
    play_from(4, 4499);
    bigorbs[4] = resting;
    shot_init(&shots[0], make_vec2(resting.x, resting.y), make_vec2(0.0f, 0.0f), 8.0f);
    update_world();
    EXPECT_EQ(bigorbs[4].x, resting.x);
    EXPECT_EQ(bigorbs[4].hp, resting.hp - 1);
}

// One shot on slot 9 of groups 1 and 3 (neither in play yet): group 3 takes
// it first in stages 1 and 2, group 1 in stages 3 and 4.
TEST_F(StagePlay, AShotMeetsTheGroupsInTheStagesOrder)
{
    struct { int32_t stage; Enemy *group1, *group3; bool third_first; } cases[] = {
        {1, leaves, nbombs, true}, {3, slimes, bulletbs, false},
    };
    for (const auto &c : cases) {
        play_from(c.stage, 100);
        c.group1[9] = Enemy{100.0f, 150.0f, {}, 0.0f, 0.0f, 0, c.group1[9].kind};
        c.group3[9] = Enemy{100.0f, 150.0f, {}, 0.0f, 0.0f, 0, c.group3[9].kind};
        shot_init(&shots[0], make_vec2(100.0f, 150.0f), make_vec2(0.0f, 0.0f), 8.0f);
        update_world();
        EXPECT_EQ(c.group3[9].dead, c.third_first) << c.stage;
        EXPECT_EQ(c.group1[9].dead, !c.third_first) << c.stage;
    }
}

// boss_pending falls before the groups run: a gone ball comes back only before.
TEST_F(StagePlay, EnemiesStopComingBackWhenTheBossComesOut)
{
    for (uint32_t t : {6298u, 6299u}) {
        play_from(1, t);
        balls[0] = Enemy{300.0f, 100.0f, {}, 0.0f, 2.0f, 1, ENEMY_BALL};
        update_world();
        EXPECT_EQ(balls[0].dead, t == 6299u) << t;
    }
}

// The stage ends once the dead boss has fallen below 304, into the next
// stage's card; that stage then starts at tick 180 (the clear's own count).
TEST_F(StagePlay, ADeadBossEndsTheStageOnlyOnceBelow304)
{
    play_from(1, 6400);
    boss_pending = 0;
    boss_bigleaf.dead = 1;
    boss_bigleaf.y = 250.0f;
    boss_bigleaf.vy = 0.0f;
    int n = 0;
    for (; game_state == Playing && n < 200; n++)
        update_world();
    EXPECT_GT(n, 20);
    ASSERT_EQ(game_state, StageClear);
    EXPECT_EQ(stage, 2);
    EXPECT_EQ(boss_pending, 1);
    tick_through({StageClear, Fade, StageIntro, Fade});
    ASSERT_EQ(game_state, Playing);
    EXPECT_EQ(stage_ticks, 180u);
}

TEST_F(StagePlay, ClearingStageFourOrFiveLeadsToTheEnding)
{
    for (int32_t st : {4, 5}) {
        play_from(st, 6400);
        boss_pending = st == 4 ? 0 : 1;
        boss_spirit.dead = boss_fboss.dead = 1;
        boss_spirit.y = boss_fboss.y = 310.0f;
        update_world();
        tick_through({StageClear});
        EXPECT_EQ(next_state, Ending) << st;
        EXPECT_EQ(state_timer, 900);
    }
}

// Out of health at one life: the player hops, drops, and the game is over
// when it passes 272. With lives left the stage starts again, score kept.
TEST_F(StagePlay, OutOfHealth)
{
    struct { int32_t stage; uint8_t lives; GameState next; int32_t score_after; } cases[] = {
        {2, 1, GameOver, 0}, {3, 3, StageIntro, 5000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stage);
        play_from(c.stage, 2500);
        lives = c.lives;
        score = 5000;
        health = 0;
        float last_y = player.y;
        for (int n = 0; n < 400 && game_state == Playing; n++) {
            last_y = player.y;
            update_world();
        }
        EXPECT_GT(last_y, 200.0f);
        EXPECT_LE(last_y, 272.0f);
        EXPECT_EQ(lives, c.lives - 1);
        EXPECT_EQ(game_state == Fade ? next_state : game_state, c.next);
        tick_through({Fade, StageIntro, Fade});
        EXPECT_EQ(score, c.score_after);
        EXPECT_EQ(stage, c.stage);
        EXPECT_EQ(health, 5);
        EXPECT_EQ(stage_ticks, 0u);
    }
}

// The world reports how the tick ended and leaves the screens to the state
// machine; the rest of a clearing tick runs on the fresh world, so a hit
// that emptied the health before the clear costs no life.
TEST_F(StagePlay, TheWorldReportsItsEndsAndTheStateMachineActsAfterTheTick)
{
    play_from(1, 6400);
    boss_pending = 0;
    boss_bigleaf.dead = 1;
    boss_bigleaf.y = 310.0f;
    health = 1;
    leaves[0] = Enemy{player.x, player.y, {}, 0.0f, 0.0f, 0, ENEMY_LEAF};
    anim_init(&leaves[0].anim, 16.0f, 16.0f);
    title_enter_count = 1;
    EXPECT_EQ(stage_tick(), WORLD_STAGE_CLEARED);
    EXPECT_EQ(game_state, Playing) << "the world changed the screen";
    EXPECT_EQ(stage, 1);
    EXPECT_EQ(title_enter_count, 1) << "the world reached into the title";
    EXPECT_EQ(boss_pending, 1);
    EXPECT_EQ(lives, 3) << "a life lost on the old world";
    EXPECT_EQ(health, 5);
    EXPECT_EQ(player.fallen, 0);

    play_from(2, 2500);
    lives = 0;
    score = 700;
    fall_out_now();
    EXPECT_EQ(stage_tick(), WORLD_FELL_OUT);
    EXPECT_EQ(game_state, Playing);
    EXPECT_EQ(score, 0) << "the score of a lost game stays";
    EXPECT_EQ(health_meter, 0);
    update_world();
    EXPECT_EQ(game_state, Playing) << "a tick without an end changed the screen";

    play_from(2, 2500);
    lives = 0;
    score = 700;
    fall_out_now();
    title_enter_count = 1;
    update_world();
    EXPECT_EQ(game_state, GameOver);
    EXPECT_EQ(title_enter_count, 0);
    EXPECT_EQ(state_timer, 60);
}

TEST_F(StagePlay, StrayIndicesAndStagesStayInsideTheArrays)
{
    for (int32_t st : {0, -3, 6, 1, 3, 5}) {
        play_from(st, 6400);
        boss_pending = 0;
        next_puff = 57;
        next_shot = -4;
        next_child_bigleaf = next_child_flames = 10;
        next_child_bigorb = -1;
        ticks(3);
        EXPECT_EQ(game_state, Playing);
        struct { int32_t index, slots; } pools[] = {
            {next_puff, PUFF_SLOTS}, {next_shot, SHOT_SLOTS}, {next_child_bigleaf, ENEMY_SLOTS},
            {next_child_bigorb, ENEMY_SLOTS}, {next_child_flames, ENEMY_SLOTS},
        };
        for (const auto &p : pools) {
            EXPECT_GE(p.index, 0) << st;
            EXPECT_LT(p.index, p.slots) << st;
        }
    }
}

}  // namespace
