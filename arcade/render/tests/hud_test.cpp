// The status bar and the popups: the score's zeros, the health row, the
// meter, the combo count and the extra-life message.
#include "canvas_fixture.h"

#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"
#include "render/render.h"

class Hud : public RenderTest {
protected:
    void hud_draw_on_grey(void)
    {
        al_set_target_bitmap(canvas);
        al_clear_to_color(al_map_rgb(93, 93, 93));
        draw_hud();
    }
    // The score's ink, between "SCORE:" and "STAGE:".
    void score_ink(InkBox *ink) { ink_find(canvas, 41, 0, 105, 16, BLACK, ink); }
};

TEST_F(Hud, BandCoversTheTopSixteenRows)
{
    hud_draw_on_grey();
    EXPECT_EQ(colour_count(canvas, 0, 0, 256, 16, BACKDROP_GREY), 0);
    EXPECT_EQ(colour_count(canvas, 0, 16, 256, 17, BACKDROP_GREY), 256);
}

// Nine digits ending at x = 96 whatever the score, up to nine digits.
TEST_F(Hud, ScoreReadsAsNineDigitsEndingAt96)
{
    static const int32_t scores[] = {0, 7, 4200, 123456789};
    InkBox ink;

    for (int32_t s : scores) {
        SCOPED_TRACE(s);
        score = s;
        hud_draw_on_grey();
        score_ink(&ink);
        EXPECT_GE(ink.left, 42);
        EXPECT_LE(ink.left, 44);
        EXPECT_LE(ink.right, 95);
        EXPECT_GE(ink.right, 91);
    }
}

// Ten or more characters: no zeros, the whole number still ends at x = 96
// and grows to the left.
// Ten or more characters: no zeros, the whole number still ends at x = 96
// and grows to the left, over the label's end.
TEST_F(Hud, LongScoreIsDrawnWholeAndRightAligned)
{
    static const int32_t scores[] = {1234567890, -123456789, 2147483647};
    InkBox ink;

    score = 999999999;
    hud_draw_on_grey();
    int label_only = colour_count(canvas, 30, 0, 41, 16, WHITE);
    for (int32_t s : scores) {
        SCOPED_TRACE(s);
        score = s;
        hud_draw_on_grey();
        score_ink(&ink);
        EXPECT_LE(ink.right, 95);
        EXPECT_GE(ink.right, 91);
        EXPECT_GT(colour_count(canvas, 30, 0, 41, 16, WHITE), label_only);
    }
}

TEST_F(Hud, NegativeScoreKeepsItsSignAmongTheZeros)
{
    InkBox ink;

    score = -5;  // seven zeros, then "-5"
    hud_draw_on_grey();
    score_ink(&ink);
    EXPECT_GE(ink.left, 42);
    EXPECT_LE(ink.left, 44);
    EXPECT_GE(ink.right, 91);
    EXPECT_LE(ink.right, 95);
}

TEST_F(Hud, OneLifePicturePerPointOfHealth)
{
    static const int healths[] = {-1, 0, 1, 5, 8};

    for (int h : healths) {
        SCOPED_TRACE(h);
        health = h;
        hud_draw_on_grey();
        int count = h > 0 ? h : 0;
        EXPECT_EQ(colour_count(canvas, 0, 0, 256, 16, LIFE_RGB) > 0, count > 0);
        for (int k = 1; k <= 8; k++) {
            bool shown = k <= count;
            // Sample a pixel each picture owns alone (the stage number covers the eighth's left).
            EXPECT_EQ(pixel_at(canvas, 256 - 14 * k + 11, 2 + 11) == LIFE_RGB, shown) << k;
        }
        EXPECT_FALSE(pixel_at(canvas, 256 - 14 * 9 + 11, 13) == LIFE_RGB);
    }
}

// The stage number is drawn after the health row, over the eighth picture.
TEST_F(Hud, StageNumberLiesOverTheEighthLifePicture)
{
    health = 8;
    stage = 4;
    hud_draw_on_grey();
    EXPECT_EQ(pixel_at(canvas, 144, 2), LIFE_RGB);
    EXPECT_GT(colour_count(canvas, 146, 3, 152, 14, WHITE), 0);
}

TEST_F(Hud, MeterGrowsToAHundredPixels)
{
    struct { int32_t meter; int end; } cases[] = {{0, 158}, {2, 159}, {3, 159}, {100, 208}, {200, 256}};

    for (const auto &c : cases) {
        SCOPED_TRACE(c.meter);
        health_meter = c.meter;
        hud_draw_on_grey();
        EXPECT_EQ(colour_count(canvas, 156, 13, 256, 15, WHITE), 2 * (c.end - 158));
        EXPECT_EQ(colour_count(canvas, 156, 12, 256, 13, WHITE), 0);
        EXPECT_EQ(colour_count(canvas, 156, 15, 256, 16, WHITE), 0);
    }
}

TEST_F(Hud, ComboCountFloatsAbovePlayerOnlyDuringAChain)
{
    InkBox ink;

    player.x = 100;
    player.y = 150;
    al_set_target_bitmap(canvas);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    combo = 0;
    draw_popups();
    ink_find(canvas, 0, 0, 256, 240, BLACK, &ink);
    EXPECT_EQ(ink.count, 0);

    combo = 12;
    draw_popups();
    ink_find(canvas, 0, 0, 256, 240, BLACK, &ink);
    EXPECT_GE(ink.left, 93);   // the grey "x" at px - 7
    EXPECT_LE(ink.left, 95);
    EXPECT_GE(ink.top, 130);   // py - 20
    EXPECT_LE(ink.bottom, 142);
    EXPECT_GE(ink.right, 105); // "12" from px on
    EXPECT_LE(ink.right, 113);
    EXPECT_GT(colour_count(canvas, 0, 0, 256, 240, TITLE_GREY), 0);
}

TEST_F(Hud, ExtraLifeMessageFollowsItsPosition)
{
    InkBox ink;

    al_set_target_bitmap(canvas);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    extra_life_popup = make_vec2(60, 80);
    draw_popups();
    ink_find(canvas, 0, 0, 256, 240, BLACK, &ink);
    EXPECT_GE(ink.left, 59);
    EXPECT_LE(ink.left, 61);
    EXPECT_GE(ink.top, 80);
    EXPECT_LE(ink.bottom, 92);
    EXPECT_LE(ink.right, 90);
}
