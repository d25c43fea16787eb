// The screens outside play and the stage scenes, read back pixel by pixel.
#include "canvas_fixture.h"

#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"
#include "render/render.h"

class Screens : public RenderTest {};

TEST_F(Screens, TitleLaysItsPictureOverTheCaveBackdropAndFirstGround)
{
    compose(Title);
    EXPECT_EQ(pixel_at(canvas, 5, 0), TITLE_RGB);
    EXPECT_EQ(pixel_at(canvas, 5, TITLE_BAND_H - 1), TITLE_RGB);
    EXPECT_EQ(pixel_at(canvas, 5, TITLE_BAND_H), BACKGROUND3_RGB);
    EXPECT_EQ(pixel_at(canvas, 5, 191), BACKGROUND3_RGB);
    EXPECT_EQ(pixel_at(canvas, 5, 192), SURFACE_RGB);
    EXPECT_EQ(pixel_at(canvas, 5, 239), SURFACE_RGB);
}

// Where no picture covers it, the title shows the backdrop grey.
TEST_F(Screens, TitleClearsToBackdropGrey)
{
    al_destroy_bitmap(bmp_background3);
    bmp_background3 = al_create_bitmap(256, 100);
    bitmap_fill(bmp_background3, BACKGROUND3_RGB);
    compose(Title);
    EXPECT_EQ(pixel_at(canvas, 5, 99), BACKGROUND3_RGB);
    EXPECT_EQ(pixel_at(canvas, 5, 150), BACKDROP_GREY);
}

struct SlideCase {
    uint32_t ticks;
    int first_picture_row;  // rows above it show the capture
};

// Four pixels a tick, from y = -240 at tick 0 to rest at y = 0 from tick 60.
static const SlideCase slide_cases[] = {
    {0, 240}, {1, 236}, {30, 120}, {59, 4}, {60, 0}, {61, 0}, {179, 0},
};

static void slide_check(int state, Rgb picture)
{
    for (const SlideCase &c : slide_cases) {
        SCOPED_TRACE(testing::Message() << "tick " << c.ticks);
        stage_ticks = c.ticks;
        game_state = (GameState)state;
        frame_compose(canvas);
        // The picture is drawn at y = first row - 240: its bottom row is row (first - 1).
        int bottom = 240 - c.first_picture_row;
        if (bottom > 0) {
            EXPECT_EQ(pixel_at(canvas, 100, 0), picture);
            EXPECT_EQ(pixel_at(canvas, 100, bottom - 1), picture);
        }
        if (bottom < 240) {
            EXPECT_EQ(pixel_at(canvas, 100, bottom), SNAPSHOT_RGB);
        }
        EXPECT_EQ(pixel_at(canvas, 100, 239), bottom < 240 ? SNAPSHOT_RGB : picture);
    }
}

TEST_F(Screens, GameOverPictureSlidesDownOverTheCapture)
{
    slide_check(GameOver, GAMEOVER_RGB);
}

TEST_F(Screens, StageClearPictureSlidesTheSameWay)
{
    slide_check(StageClear, COMPLETED_RGB);
}

// The capture lies on backdrop grey: its see-through parts show grey.
TEST_F(Screens, SlideShowsGreyThroughATransparentCapture)
{
    al_set_target_bitmap(canvas_snapshot);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    stage_ticks = 0;
    compose(GameOver);
    EXPECT_EQ(pixel_at(canvas, 50, 50), BACKDROP_GREY);
}

// Every card is placed by the size of the first, centred on (128, 96).
TEST_F(Screens, StageCardIsCentredAboveItsTexts)
{
    const int left = 128 - THUMB_W / 2;  // 80
    const int top = 96 - THUMB_H / 2;    // 69

    for (int st = 1; st <= 5; st++) {
        SCOPED_TRACE(st);
        stage = st;
        compose(StageIntro);
        EXPECT_EQ(pixel_at(canvas, left, top), THUMB_RGB[st - 1]);
        EXPECT_EQ(pixel_at(canvas, left + THUMB_W - 1, top + THUMB_H - 1), THUMB_RGB[st - 1]);
        EXPECT_EQ(pixel_at(canvas, left - 1, top), BLACK);
        EXPECT_EQ(pixel_at(canvas, left, top - 1), BLACK);
        EXPECT_EQ(pixel_at(canvas, left + THUMB_W, top), BLACK);
        EXPECT_EQ(pixel_at(canvas, left, top + THUMB_H), BLACK);
    }
}

TEST_F(Screens, StageCardUsesTheFirstCardsSizeForEveryStage)
{
    al_destroy_bitmap(bmp_stage3_thumb);
    bmp_stage3_thumb = al_create_bitmap(20, 10);
    bitmap_fill(bmp_stage3_thumb, THUMB_RGB[2]);
    stage = 3;
    compose(StageIntro);
    EXPECT_EQ(pixel_at(canvas, 128 - THUMB_W / 2, 96 - THUMB_H / 2), THUMB_RGB[2]);
}

TEST_F(Screens, StageCardWithoutAStageShowsOnlyTheTexts)
{
    static const int stages[] = {0, 6, -1};
    InkBox ink;

    for (int st : stages) {
        stage = st;
        compose(StageIntro);
        ink_find(canvas, 0, 0, 256, 240, BLACK, &ink);
        EXPECT_GE(ink.top, 124) << st;
        EXPECT_GT(ink.count, 0) << st;
    }
}

TEST_F(Screens, EndingHidesTheTextBehindTheGroundAtItsStart)
{
    state_timer = 900;
    compose(Ending);
    EXPECT_EQ(colour_count(canvas, 0, 0, 256, 192, BACKGROUND_RGB), 256 * 192);
    EXPECT_EQ(colour_count(canvas, 0, 192, 256, 240, SURFACE_RGB), 256 * 48);
}

TEST_F(Screens, EndingTextRisesOverTheBackdrop)
{
    InkBox ink;

    state_timer = 450;
    compose(Ending);
    ink_find(canvas, 0, 0, 256, 192, BACKGROUND_RGB, &ink);
    EXPECT_GT(colour_count(canvas, 0, 0, 256, 192, WHITE), 100);
    EXPECT_GE(ink.top, 4);
    EXPECT_LE(ink.top, 8);
    EXPECT_EQ(colour_count(canvas, 0, 192, 256, 240, SURFACE_RGB), 256 * 48);
}

TEST_F(Screens, StoryIsTextOnBlack)
{
    InkBox ink;

    state_timer = 0;
    compose(Story);
    ink_find(canvas, 0, 0, 256, 240, BLACK, &ink);
    EXPECT_GT(ink.count, 0);
    EXPECT_EQ(colour_count(canvas, 0, 0, 256, 240, BLACK) +
                  colour_count(canvas, 0, 0, 256, 240, WHITE) +
                  colour_count(canvas, 0, 0, 256, 240, STORY_GREY),
              256 * 240);
}

// --- the stage scenes of play ---

TEST_F(Screens, EachStageShowsItsOwnBackdrop)
{
    struct { int stage; Rgb sky; Rgb ground; } cases[] = {
        {1, BACKGROUND_RGB, SURFACE_RGB},
        {2, BACKGROUND2_RGB, SURFACE2_RGB},
        {3, BACKGROUND3_RGB, SURFACE3_RGB},
    };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.stage);
        stage = c.stage;
        compose(Playing);
        EXPECT_EQ(pixel_at(canvas, 5, 16), c.sky);
        EXPECT_EQ(pixel_at(canvas, 5, 191), c.sky);
        EXPECT_EQ(pixel_at(canvas, 5, 192), c.ground);
        EXPECT_EQ(pixel_at(canvas, 5, 15), BLACK);  // the status bar's band
    }
}

// Far layer darkest and highest, near layer untinted and lowest.
TEST_F(Screens, StageFourStacksThreeTintedCloudLayers)
{
    stage = 4;
    compose(Playing);
    EXPECT_EQ(pixel_at(canvas, 100, 127), BACKGROUND4_RGB);
    EXPECT_EQ(pixel_at(canvas, 100, 130), BACKDROP_GREY);
    EXPECT_EQ(pixel_at(canvas, 100, 140), TITLE_GREY);
    EXPECT_EQ(pixel_at(canvas, 100, 150), WHITE);
    EXPECT_EQ(pixel_at(canvas, 100, 160), BACKGROUND4_RGB);
    EXPECT_EQ(pixel_at(canvas, 100, 192), SURFACE4_RGB);
}

TEST_F(Screens, StageFourCloudLayersFollowTheirOwnOffsets)
{
    stage = 4;
    scroll[0] = -300;  // the near layer's right end is at x = 212
    scroll[1] = -400;  // the middle one ends at x = 112
    scroll[2] = 0;
    compose(Playing);
    EXPECT_EQ(pixel_at(canvas, 211, 150), WHITE);
    EXPECT_EQ(pixel_at(canvas, 212, 150), BACKGROUND4_RGB);
    EXPECT_EQ(pixel_at(canvas, 111, 140), TITLE_GREY);
    EXPECT_EQ(pixel_at(canvas, 112, 140), BACKDROP_GREY);
}

// Two copies side by side, the second 256 pixels to the right of the first.
TEST_F(Screens, StageFiveBackdropScrollsInTwoCopies)
{
    stage = 5;
    scroll[0] = -10;
    compose(Playing);
    EXPECT_EQ(pixel_at(canvas, 0, 100), BACKGROUND5_RGB);
    EXPECT_EQ(pixel_at(canvas, 245, 100), BACKGROUND5_RGB);
    EXPECT_EQ(pixel_at(canvas, 246, 100), BACKGROUND5_EDGE_RGB);
    EXPECT_EQ(pixel_at(canvas, 249, 100), BACKGROUND5_EDGE_RGB);
    EXPECT_EQ(pixel_at(canvas, 250, 239), BACKGROUND5_RGB);
}

TEST_F(Screens, PlayInAnUnknownStageShowsOnlyTheStatusBar)
{
    stage = 6;
    health = 0;
    compose(Playing);
    EXPECT_EQ(colour_count(canvas, 0, 16, 256, 240, BLACK), 256 * 224);
}
