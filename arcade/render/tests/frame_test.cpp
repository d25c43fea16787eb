// The frame pipeline: which screen each state draws, the fades, the pause.
#include "canvas_fixture.h"

#include <tuple>
#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"
#include "render/render.h"

class Frame : public RenderTest {};

static void expect_grey_near(Rgb got, int level)
{
    EXPECT_NEAR(got.r, level, 1);
    EXPECT_NEAR(got.g, level, 1);
    EXPECT_NEAR(got.b, level, 1);
}

// The new state fades in: black of alpha 8 x fade_timer over the screen.
TEST_F(Frame, FadeInDarkensByEightPerTick)
{
    static const int timers[] = {30, 29, 15, 2, 1};

    bitmap_fill(bmp_creator, WHITE);
    for (int t : timers) {
        SCOPED_TRACE(t);
        fade_timer = t;
        compose(Intro);
        expect_grey_near(pixel_at(canvas, 10, 10), 255 - 8 * t);
        expect_grey_near(pixel_at(canvas, 255, 239), 255 - 8 * t);
    }
    fade_timer = 0;
    compose(Intro);
    EXPECT_EQ(pixel_at(canvas, 10, 10), WHITE);
}

// A running fade shows the capture sinking to black, with no fade-in on top.
TEST_F(Frame, FadeSinksTheCaptureTowardsBlack)
{
    static const int timers[] = {29, 20, 10, 1};

    bitmap_fill(canvas_snapshot, WHITE);
    for (int t : timers) {
        SCOPED_TRACE(t);
        fade_timer = t;
        compose(Fade);
        expect_grey_near(pixel_at(canvas, 128, 120), 8 * t);
    }
    fade_timer = 0;
    compose(Fade);
    EXPECT_EQ(pixel_at(canvas, 128, 120), BLACK);
}

// The pause keeps the canvas; only a fade-in still running darkens it again.
TEST_F(Frame, PauseKeepsTheLastFrame)
{
    bitmap_fill(canvas, WHITE);
    fade_timer = 0;
    compose(Paused);
    compose(Paused);
    EXPECT_EQ(pixel_at(canvas, 0, 0), WHITE);
    EXPECT_EQ(pixel_at(canvas, 200, 200), WHITE);

    fade_timer = 16;  // alpha 128: about half each frame
    compose(Paused);
    expect_grey_near(pixel_at(canvas, 100, 100), 127);
    compose(Paused);
    expect_grey_near(pixel_at(canvas, 100, 100), 63);
}

TEST_F(Frame, UnknownStateLeavesABlackCanvas)
{
    static const int states[] = {-1, 10, 99};

    for (int s : states) {
        bitmap_fill(canvas, WHITE);
        compose(s);
        EXPECT_EQ(colour_count(canvas, 0, 0, 256, 240, BLACK), 256 * 240) << s;
    }
}

TEST_F(Frame, IntroShowsTheSplash)
{
    compose(Intro);
    EXPECT_EQ(colour_count(canvas, 0, 0, 256, 240, CREATOR_RGB), 256 * 240);
}

// Without a display the frame is composed and the presentation has nothing to do.
TEST_F(Frame, DrawFrameWithoutDisplayOnlyComposes)
{
    ASSERT_EQ(display, nullptr);
    game_state = StageClear;
    stage_ticks = 30;
    draw_frame(canvas);
    EXPECT_EQ(pixel_at(canvas, 10, 119), COMPLETED_RGB);
    EXPECT_EQ(pixel_at(canvas, 10, 120), SNAPSHOT_RGB);
    EXPECT_EQ(al_get_target_bitmap(), canvas);
}

// Every value a screen reads; none may change by drawing.
static auto game_values_read(void)
{
    return std::make_tuple(game_state, fade_timer, state_timer, stage, score, health,
                           health_meter, combo, stage_ticks, selected_stage,
                           title_enter_count, lives, group1_count, group2_count,
                           group3_count, boss_pending, scroll[0], extra_life_popup.y,
                           player.x);
}

// Drawing changes no game value, and two frames without an update between
// them are the same, in every state but the pause.
TEST_F(Frame, EveryStateDrawsTheSameFrameTwiceAndChangesNothing)
{
    ALLEGRO_BITMAP *first = al_create_bitmap(CANVAS_W, CANVAS_H);

    fade_timer = 12;
    state_timer = 700;
    stage_ticks = 20;
    score = 4321;
    health = 3;
    health_meter = 50;
    combo = 2;
    group1_count = group2_count = group3_count = 10;
    boss_pending = 0;
    title_enter_count = 1;
    for (int s = Intro; s <= Ending; s++) {
        if (s == Paused)
            continue;
        SCOPED_TRACE(s);
        for (int st = 1; st <= 5; st++) {
            stage = st;
            game_state = (GameState)s;
            auto before = game_values_read();
            frame_compose(canvas);
            al_set_target_bitmap(first);
            al_draw_bitmap(canvas, 0, 0, 0);
            frame_compose(canvas);
            EXPECT_TRUE(before == game_values_read());
            EXPECT_TRUE(bitmaps_equal(first, canvas));
        }
    }
    al_destroy_bitmap(first);
}
