// The screens drawn with the game's own pictures and font: the pictures fit
// the places the screens give them. With ARCADE_SHOTS_DIR set, every screen
// is also saved there as a PNG to look at.
#include "canvas_fixture.h"

#include <stdio.h>
#include <stdlib.h>
#include <allegro5/allegro_image.h>
#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"
#include "render/render.h"

class ShippedPictures : public RenderTest {
protected:
    void SetUp() override
    {
        char path[512];

        RenderTest::SetUp();
        for (int i = 0; i < BITMAP_COUNT; i++) {
            ALLEGRO_BITMAP **handle = bitmap_table[i].handle;
            al_destroy_bitmap(*handle);
            snprintf(path, sizeof path, "%s/../%s", ARCADE_RES_DIR, bitmap_table[i].path);
            *handle = al_load_bitmap(path);
            if (*handle == NULL)
                missing = bitmap_table[i].path;
        }
        if (missing != NULL)
            GTEST_SKIP() << "pictures not generated yet: " << missing;
    }
    void TearDown() override
    {
        for (int i = 0; i < BITMAP_COUNT; i++) {
            al_destroy_bitmap(*bitmap_table[i].handle);
            *bitmap_table[i].handle = NULL;
        }
        RenderTest::TearDown();
    }
    // Composes the state's frame and keeps it when asked to.
    void shot(int state, const char *name)
    {
        const char *dir = getenv("ARCADE_SHOTS_DIR");
        char path[512];

        compose(state);
        if (dir == NULL)
            return;
        snprintf(path, sizeof path, "%s/%s.png", dir, name);
        EXPECT_TRUE(al_save_bitmap(path, canvas)) << path;
    }

    const char *missing = NULL;
};

// Every card has the first card's size and ends above the card texts at y = 124.
TEST_F(ShippedPictures, StageCardsFitAboveTheirTexts)
{
    ALLEGRO_BITMAP *cards[5] = {bmp_stage1_thumb, bmp_stage2_thumb, bmp_stage3_thumb,
                                bmp_stage4_thumb, bmp_stage5_thumb};
    int w = al_get_bitmap_width(bmp_stage1_thumb);
    int h = al_get_bitmap_height(bmp_stage1_thumb);

    for (ALLEGRO_BITMAP *card : cards) {
        EXPECT_EQ(al_get_bitmap_width(card), w);
        EXPECT_EQ(al_get_bitmap_height(card), h);
    }
    EXPECT_LE(w, 256);
    EXPECT_GE(96 - h / 2, 0);
    EXPECT_LE(96 - h / 2 + h, 124);
    EXPECT_GE(al_get_bitmap_width(bmp_filter), FILTER_W);
    EXPECT_GE(al_get_bitmap_height(bmp_filter), FILTER_H);
}

// The tint scales only the filter's alpha, while its colour is added whole
// under premultiplied blending: any colour but black would wash the screen out.
TEST_F(ShippedPictures, FilterIsBlackShading)
{
    int coloured = 0;

    al_lock_bitmap(bmp_filter, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int y = 0; y < FILTER_H; y++)
        for (int x = 0; x < FILTER_W; x++)
            coloured += !(pixel_at(bmp_filter, x, y) == BLACK);
    al_unlock_bitmap(bmp_filter);
    EXPECT_EQ(coloured, 0);
}

TEST_F(ShippedPictures, LifeIconFitsTheStatusBar)
{
    EXPECT_LE(al_get_bitmap_width(bmp_life), 14);
    EXPECT_LE(2 + al_get_bitmap_height(bmp_life), 16);
}

// The texts stay readable over the real pictures: white ink where each text stands.
TEST_F(ShippedPictures, EveryScreenShowsItsTexts)
{
    shot(Intro, "intro");

    stage_ticks = 0;
    shot(Title, "title");
    EXPECT_GT(colour_count(canvas, 85, 160, 170, 172, WHITE), 20);
    EXPECT_GT(colour_count(canvas, 220, 228, 256, 240, WHITE), 10);
    title_enter_count = 1;
    selected_stage = 2;
    shot(Title, "title_list");
    EXPECT_GT(colour_count(canvas, 96, 132, 160, 192, WHITE), 100);

    for (int st = 1; st <= 5; st++) {
        char name[32];
        stage = st;
        snprintf(name, sizeof name, "card%i", st);
        shot(StageIntro, name);
        EXPECT_GT(colour_count(canvas, 104, 124, 160, 152, WHITE), 40);
    }

    state_timer = 1024;
    shot(Story, "story_start");
    state_timer = 500;
    shot(Story, "story_half");
    state_timer = 0;
    shot(Story, "story_full");
    EXPECT_GT(colour_count(canvas, 0, 0, 256, 240, WHITE), 1000);

    state_timer = 600;
    shot(Ending, "ending");
    EXPECT_GT(colour_count(canvas, 0, 0, 256, 192, WHITE), 200);
}

TEST_F(ShippedPictures, PlayScenesAndSlides)
{
    score = 1234;
    health = 5;
    health_meter = 120;
    combo = 3;
    extra_life_popup = make_vec2(100, 90);
    for (int st = 1; st <= 5; st++) {
        char name[32];
        stage = st;
        scroll[0] = -37;
        scroll[1] = -18;
        scroll[2] = -12;
        snprintf(name, sizeof name, "play%i", st);
        shot(Playing, name);
        EXPECT_GT(colour_count(canvas, 0, 0, 256, 16, WHITE), 100);
    }

    stage = 1;
    compose(Playing);
    al_set_target_bitmap(canvas_snapshot);
    al_draw_bitmap(canvas, 0, 0, 0);
    stage_ticks = 30;
    shot(GameOver, "gameover_sliding");
    stage_ticks = 60;
    shot(GameOver, "gameover");
    shot(StageClear, "completed");
    fade_timer = 12;
    shot(Fade, "fade");
}
