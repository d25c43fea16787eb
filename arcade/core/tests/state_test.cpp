// The ten states: their timers, transitions, fades and keys.
#include <gtest/gtest.h>
#include "test_support.h"

namespace {

class StateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        use_fake_samples();
        start_new_game();
    }
    void TearDown() override { sound_hook = nullptr; }

    // Puts the game straight into a state, as its entry leaves it.
    void enter(GameState s, int32_t timer = 0)
    {
        game_state = s;
        state_timer = timer;
        fade_timer = 0;
        stage_ticks = 0;
    }
};

const GameState all_states[] = {Intro, Title, StageIntro, Playing, Paused,
                                GameOver, StageClear, Story, Fade, Ending};

TEST_F(StateTest, StatesKeepTheirFixedNumbers)
{
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(static_cast<int>(all_states[i]), i);
}

TEST_F(StateTest, IntroFadesIntoStoryAfterSixtyTicks)
{
    ticks(59);
    EXPECT_EQ(game_state, Intro);
    EXPECT_EQ(state_timer, 1);
    ticks(1);
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, Story);
    EXPECT_EQ(state_timer, 1024);
    EXPECT_EQ(fade_timer, 30);
}

TEST_F(StateTest, FadeShowsThirtyTicksThenTheNextStateFadesIn)
{
    start_fade(Story);
    state_timer = 1024;
    ticks(29);
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(fade_timer, 1);
    ticks(1);
    EXPECT_EQ(game_state, Story);
    EXPECT_EQ(fade_timer, 30);
    // The fade froze the story's time limit.
    EXPECT_EQ(state_timer, 1024);
    ticks(30);
    EXPECT_EQ(fade_timer, 0);
    EXPECT_EQ(state_timer, 994);
    ticks(5);
    EXPECT_EQ(fade_timer, 0);
}

TEST_F(StateTest, StartUpFadeInCountsDownInIntro)
{
    ticks(1);
    EXPECT_EQ(fade_timer, 29);
    ticks(40);
    EXPECT_EQ(fade_timer, 0);
    EXPECT_EQ(game_state, Intro);
}

TEST_F(StateTest, StoryEndsAfter1024TicksOrOnEnter)
{
    enter(Story, 1024);
    ticks(1023);
    EXPECT_EQ(game_state, Story);
    ticks(1);
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, Title);
    EXPECT_TRUE(played.empty());

    enter(Story, 500);
    EXPECT_TRUE(press(ALLEGRO_KEY_ENTER));
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, Title);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].sample, snd_choose);
    EXPECT_FLOAT_EQ(played[0].gain, 2.0f);
    EXPECT_FLOAT_EQ(played[0].speed, 1.0f);
}

TEST_F(StateTest, TitleBlinkPhaseRunsZeroToTwentyNine)
{
    enter(Title);
    ticks(29);
    EXPECT_EQ(stage_ticks, 29u);
    ticks(1);
    EXPECT_EQ(stage_ticks, 0u);
    ticks(45);
    EXPECT_EQ(stage_ticks, 15u);
    EXPECT_EQ(game_state, Title);
}

TEST_F(StateTest, FirstEnterOnTitleShowsListSecondStartsChosenStage)
{
    enter(Title);
    stage_ticks = 17;
    title_enter_count = 0;
    EXPECT_TRUE(press(ALLEGRO_KEY_ENTER));
    EXPECT_EQ(game_state, Title);
    EXPECT_EQ(title_enter_count, 1);
    EXPECT_EQ(stage_ticks, 17u);

    press(ALLEGRO_KEY_DOWN);
    press(ALLEGRO_KEY_DOWN);
    EXPECT_EQ(selected_stage, 2);
    EXPECT_TRUE(press(ALLEGRO_KEY_ENTER));
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, StageIntro);
    EXPECT_EQ(stage, 3);
    EXPECT_EQ(stage_ticks, 0u);
    EXPECT_EQ(state_timer, 60);
    EXPECT_EQ(title_enter_count, 2);

    ASSERT_EQ(played.size(), 4u);
    EXPECT_EQ(played[0].sample, snd_select);
    EXPECT_FLOAT_EQ(played[0].gain, 1.0f);
    EXPECT_EQ(played[1].sample, snd_choose);
    EXPECT_FLOAT_EQ(played[1].gain, 2.0f);
    EXPECT_EQ(played[2].sample, snd_choose);
    EXPECT_EQ(played[3].sample, snd_select);
}

TEST_F(StateTest, CursorMovesOnlyAfterTheFirstEnterAndWraps)
{
    enter(Title);
    press(ALLEGRO_KEY_UP);
    press(ALLEGRO_KEY_DOWN);
    EXPECT_EQ(selected_stage, 0);
    EXPECT_TRUE(played.empty());

    press(ALLEGRO_KEY_ENTER);
    played.clear();
    press(ALLEGRO_KEY_UP);
    EXPECT_EQ(selected_stage, 4);
    press(ALLEGRO_KEY_DOWN);
    EXPECT_EQ(selected_stage, 0);
    for (int i = 0; i < 4; i++)
        press(ALLEGRO_KEY_DOWN);
    EXPECT_EQ(selected_stage, 4);
    press(ALLEGRO_KEY_DOWN);
    EXPECT_EQ(selected_stage, 0);
    EXPECT_EQ(played.size(), 7u);
    for (const PlayedSound &s : played) {
        EXPECT_EQ(s.sample, snd_choose);
        EXPECT_FLOAT_EQ(s.gain, 2.0f);
    }
}

TEST_F(StateTest, CursorOutOfRangeIsWrappedByAnyKey)
{
    struct Case {
        GameState state;
        int8_t before;
        int8_t after;
    };
    const Case cases[] = {
        {Playing, 5, 0}, {Intro, -1, 4}, {Title, 9, 0}, {Ending, -7, 4}, {Story, 3, 3},
    };
    for (const Case &c : cases) {
        game_state = c.state;
        selected_stage = c.before;
        press(ALLEGRO_KEY_A);
        EXPECT_EQ(selected_stage, c.after) << "state " << c.state;
    }
}

TEST_F(StateTest, ArrowsMoveNoCursorOutsideTheTitle)
{
    for (GameState s : all_states) {
        if (s == Title)
            continue;
        game_state = s;
        title_enter_count = 1;
        selected_stage = 2;
        press(ALLEGRO_KEY_UP);
        press(ALLEGRO_KEY_DOWN);
        EXPECT_EQ(selected_stage, 2) << "state " << s;
    }
    EXPECT_TRUE(played.empty());
}

TEST_F(StateTest, EnterPausesAndResumesWithoutAFade)
{
    enter(Playing);
    stage_ticks = 400;
    press(ALLEGRO_KEY_ENTER);
    EXPECT_EQ(game_state, Paused);
    ticks(90);
    EXPECT_EQ(game_state, Paused);
    EXPECT_EQ(stage_ticks, 400u);
    press(ALLEGRO_KEY_ENTER);
    EXPECT_EQ(game_state, Playing);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].sample, snd_select);
    EXPECT_EQ(played[1].sample, snd_select);
    EXPECT_FLOAT_EQ(played[1].gain, 1.0f);
}

TEST_F(StateTest, PausedFreezesTheWorldButFadeInStillCounts)
{
    enter(Paused, 37);
    fade_timer = 12;
    score = 1234;
    health = 3;
    ticks(20);
    EXPECT_EQ(game_state, Paused);
    EXPECT_EQ(fade_timer, 0);
    EXPECT_EQ(state_timer, 17);
    EXPECT_EQ(score, 1234);
    EXPECT_EQ(health, 3);
}

TEST_F(StateTest, EnterDoesNothingInTheTimedScreens)
{
    const GameState quiet[] = {Intro, StageIntro, GameOver, StageClear, Fade, Ending};
    for (GameState s : quiet) {
        enter(s, 44);
        next_state = Story;
        fade_timer = 9;
        stage_ticks = 33;
        stage = 2;
        title_enter_count = 1;
        EXPECT_TRUE(press(ALLEGRO_KEY_ENTER));
        EXPECT_EQ(game_state, s);
        EXPECT_EQ(next_state, Story);
        EXPECT_EQ(state_timer, 44);
        EXPECT_EQ(fade_timer, 9);
        EXPECT_EQ(stage_ticks, 33u);
        EXPECT_EQ(stage, 2);
        EXPECT_EQ(title_enter_count, 1);
    }
    EXPECT_TRUE(played.empty());
}

TEST_F(StateTest, StageIntroFadesIntoPlayAfterSixtyTicks)
{
    enter(StageIntro, 60);
    ticks(59);
    EXPECT_EQ(game_state, StageIntro);
    ticks(1);
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, Playing);
    ticks(30);
    EXPECT_EQ(game_state, Playing);
    EXPECT_EQ(fade_timer, 30);
}

TEST_F(StateTest, GameOverStartsANewGameAfter180Ticks)
{
    enter(GameOver);
    lives = 0;
    score = 0;
    health = 0;
    extra_life_awarded[0] = true;
    extra_life_awarded[3] = true;
    ticks(179);
    EXPECT_EQ(game_state, GameOver);
    EXPECT_EQ(stage_ticks, 179u);
    ticks(1);
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, Title);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(health, 5);
    EXPECT_FALSE(extra_life_awarded[0]);
    EXPECT_FALSE(extra_life_awarded[3]);
}

TEST_F(StateTest, StageClearLeadsToTheNextCardOrTheEnding)
{
    struct Case {
        int32_t stage;
        GameState to;
        int32_t timer;
    };
    const Case cases[] = {
        {2, StageIntro, 60}, {4, StageIntro, 60}, {5, Ending, 900}, {6, Ending, 900},
    };
    for (const Case &c : cases) {
        enter(StageClear, 60);
        stage = c.stage;
        ticks(179);
        EXPECT_EQ(game_state, StageClear) << "stage " << c.stage;
        ticks(1);
        EXPECT_EQ(game_state, Fade);
        EXPECT_EQ(next_state, c.to) << "stage " << c.stage;
        EXPECT_EQ(state_timer, c.timer);
        EXPECT_EQ(stage, c.stage);
    }
}

TEST_F(StateTest, EndingResetsTheGameAfter900Ticks)
{
    enter(Ending, 900);
    score = 777000;
    lives = 7;
    health = 2;
    health_meter = 150;
    title_enter_count = 2;
    extra_life_awarded[5] = true;
    ticks(899);
    EXPECT_EQ(game_state, Ending);
    ticks(1);
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, Title);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(health, 5);
    EXPECT_EQ(health_meter, 0);
    EXPECT_EQ(title_enter_count, 0);
    EXPECT_FALSE(extra_life_awarded[5]);
}

TEST_F(StateTest, EscapeAndWindowCloseQuitInEveryState)
{
    for (GameState s : all_states) {
        enter(s, 10);
        EXPECT_FALSE(press(ALLEGRO_KEY_ESCAPE)) << "state " << s;
        EXPECT_EQ(game_state, s);
        EXPECT_FALSE(key_down[ALLEGRO_KEY_ESCAPE]);

        ALLEGRO_EVENT close = {};
        close.type = ALLEGRO_EVENT_DISPLAY_CLOSE;
        EXPECT_FALSE(process_event(&close)) << "state " << s;
    }
    EXPECT_TRUE(played.empty());
}

TEST_F(StateTest, HeldKeysFollowKeyDownAndKeyUp)
{
    enter(Playing);
    press(ALLEGRO_KEY_LEFT);
    press(ALLEGRO_KEY_UP);
    EXPECT_TRUE(key_down[ALLEGRO_KEY_LEFT]);
    EXPECT_TRUE(key_down[ALLEGRO_KEY_UP]);
    ALLEGRO_EVENT up = key_event(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_LEFT);
    EXPECT_TRUE(process_event(&up));
    EXPECT_FALSE(key_down[ALLEGRO_KEY_LEFT]);
    EXPECT_TRUE(key_down[ALLEGRO_KEY_UP]);
}

TEST_F(StateTest, OtherEventsAreIgnored)
{
    enter(Title);
    ALLEGRO_EVENT mouse = {};
    mouse.type = ALLEGRO_EVENT_MOUSE_AXES;
    EXPECT_TRUE(process_event(&mouse));
    EXPECT_EQ(game_state, Title);
    EXPECT_EQ(stage_ticks, 0u);
}

// A whole run from the splash to play, with the times the player sees.
TEST_F(StateTest, WalkFromSplashToPlayingStageOne)
{
    int elapsed = 0;
    while (game_state != Story && elapsed < 5000) {
        ticks(1);
        elapsed++;
    }
    EXPECT_EQ(elapsed, 90);  // 60 of splash, 30 of fade
    press(ALLEGRO_KEY_ENTER);
    ticks(30);
    EXPECT_EQ(game_state, Title);
    EXPECT_EQ(title_enter_count, 0);
    press(ALLEGRO_KEY_ENTER);
    press(ALLEGRO_KEY_ENTER);
    EXPECT_EQ(stage, 1);
    ticks(30);
    EXPECT_EQ(game_state, StageIntro);
    ticks(60);
    EXPECT_EQ(game_state, Fade);
    ticks(30);
    EXPECT_EQ(game_state, Playing);
}

}  // namespace
