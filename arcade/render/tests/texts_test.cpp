// The texts of the title, the stage card, the story and the ending: where
// they stand, when they show, and the shape of the two fixed texts.
#include "canvas_fixture.h"

#include <string.h>
#include "core/game.h"
#include "core/world.h"
#include "render/render.h"

class Texts : public RenderTest {
protected:
    // Only the texts, on black.
    void texts_draw(void (*draw)(void))
    {
        al_set_target_bitmap(canvas);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        draw();
    }
    int ink_in(int x0, int y0, int x1, int y1)
    {
        InkBox ink;
        ink_find(canvas, x0, y0, x1, y1, BLACK, &ink);
        return ink.count;
    }
};

// Regions of the title's texts, each a line of the 10-pixel font.
#define PROMPT_AREA 85, 160, 170, 172
#define LIST_AREA 100, 132, 160, 158  // the first two rows, clear of the prompt
#define VERSION_AREA 220, 228, 256, 240

TEST_F(Texts, PromptBlinksFifteenTicksOnFifteenOff)
{
    for (uint32_t t = 0; t < 30; t++) {
        stage_ticks = t;
        texts_draw(draw_title_texts);
        EXPECT_EQ(ink_in(PROMPT_AREA) > 0, t <= 14) << "tick " << t;
        EXPECT_EQ(ink_in(LIST_AREA), 0);
        EXPECT_GT(ink_in(VERSION_AREA), 0);
    }
}

// Shadowed: grey one pixel left of the white, so the leftmost ink is grey.
TEST_F(Texts, PromptIsShadowedInTitleGrey)
{
    InkBox ink;

    stage_ticks = 0;
    texts_draw(draw_title_texts);
    ink_find(canvas, PROMPT_AREA, BLACK, &ink);
    EXPECT_GE(ink.left, 89);
    EXPECT_LE(ink.left, 92);
    EXPECT_GE(ink.top, 160);
    EXPECT_GT(colour_count(canvas, PROMPT_AREA, TITLE_GREY), 0);
    EXPECT_GT(colour_count(canvas, PROMPT_AREA, WHITE), 0);
    bool grey_left_of_white = false;
    for (int y = ink.top; y <= ink.bottom; y++)
        if (pixel_at(canvas, ink.left, y) == TITLE_GREY)
            grey_left_of_white = true;
    EXPECT_TRUE(grey_left_of_white);
}

TEST_F(Texts, ListReplacesThePromptAfterTheFirstEnter)
{
    title_enter_count = 1;
    for (uint32_t t = 0; t < 30; t += 7) {
        stage_ticks = t;
        texts_draw(draw_title_texts);
        EXPECT_EQ(ink_in(85, 160, 97, 172), 0) << t;
        for (int row = 0; row < 5; row++)
            EXPECT_GT(ink_in(106, 132 + 12 * row, 150, 144 + 12 * row), 0) << row;
    }
    title_enter_count = 2;
    texts_draw(draw_title_texts);
    EXPECT_EQ(ink_in(PROMPT_AREA), 0);
    EXPECT_EQ(ink_in(LIST_AREA), 0);
    EXPECT_GT(ink_in(VERSION_AREA), 0);
}

TEST_F(Texts, CursorStandsOnTheSelectedRow)
{
    title_enter_count = 1;
    for (int sel = 0; sel < 5; sel++) {
        selected_stage = (int8_t)sel;
        texts_draw(draw_title_texts);
        for (int row = 0; row < 5; row++) {
            int ink = ink_in(94, 132 + 12 * row, 105, 144 + 12 * row);
            EXPECT_EQ(ink > 0, row == sel) << "selected " << sel << " row " << row;
        }
    }
}

TEST_F(Texts, StageCardTextsStandAtTheirPlaces)
{
    InkBox label, number;

    stage = 3;
    lives = 7;
    texts_draw(draw_stage_card_texts);
    ink_find(canvas, 100, 120, 142, 137, BLACK, &label);
    ink_find(canvas, 142, 120, 170, 137, BLACK, &number);
    EXPECT_GE(label.left, 104);
    EXPECT_LE(label.left, 106);
    EXPECT_GE(label.top, 124);
    EXPECT_LE(label.bottom, 136);
    EXPECT_GE(number.left, 144);
    EXPECT_LE(number.left, 146);
    EXPECT_GT(ink_in(100, 140, 170, 153), 0);
    EXPECT_EQ(colour_count(canvas, 0, 0, 256, 240, TITLE_GREY), 0);  // no shadows
    EXPECT_EQ(ink_in(0, 0, 256, 124), 0);
    EXPECT_EQ(ink_in(0, 154, 256, 240), 0);
}

// The curtain's top is at 280 - state_timer / 4: y = 24 when the story begins.
TEST_F(Texts, CurtainUncoversTheStoryLineByLine)
{
    struct { int32_t timer; int edge; } cases[] = {
        {1024, 24}, {1023, 24}, {1020, 25}, {600, 130}, {164, 239}, {160, 240}, {0, 240},
    };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.timer);
        state_timer = c.timer;
        texts_draw(draw_story_text);
        EXPECT_EQ(ink_in(0, c.edge, 256, 240), 0);
        if (c.edge < 240) {
            EXPECT_EQ(colour_count(canvas, 0, c.edge, 256, 240, BLACK), 256 * (240 - c.edge));
        }
        EXPECT_GT(ink_in(0, 0, 256, 24), 0);  // the heading stays in view
    }
    state_timer = 1024;
    texts_draw(draw_story_text);
    EXPECT_EQ(ink_in(0, 24, 256, 240), 0);  // only the heading and the empty line show
    state_timer = 0;
    texts_draw(draw_story_text);
    EXPECT_GT(ink_in(0, 4 + 12 * 16, 256, 240), 0);  // the last line is uncovered
}

// Story lines are centred on x = 128 by a nominal five-pixel character.
TEST_F(Texts, StoryLinesAreCentred)
{
    InkBox ink;

    state_timer = 0;
    texts_draw(draw_story_text);
    for (int i = 0; i < STORY_LINES; i++) {
        if (story_text[i][0] == '\0')
            continue;
        SCOPED_TRACE(story_text[i]);
        ink_find(canvas, 0, 4 + 12 * i, 256, 4 + 12 * i + 12, BLACK, &ink);
        int nominal_left = 127 - (int)(2.5 * strlen(story_text[i]));
        EXPECT_NEAR(ink.left, nominal_left, 2);
        EXPECT_GT(ink.left, 0);
        EXPECT_LT(ink.right, 255);
    }
}

TEST_F(Texts, EndingStartsAtY229AndRisesHalfAPixelPerTick)
{
    struct { int32_t timer; int first_line_y; } cases[] = {
        {900, 229}, {898, 228}, {450, 4}, {452, 5},
    };
    InkBox ink;

    for (const auto &c : cases) {
        SCOPED_TRACE(c.timer);
        state_timer = c.timer;
        texts_draw(draw_ending_text);
        ink_find(canvas, 0, 0, 256, 240, BLACK, &ink);
        EXPECT_GE(ink.top, c.first_line_y);
        EXPECT_LE(ink.top, c.first_line_y + 3);
    }
}

// The empty rows keep their place: the last words stand 16 rows below the first.
TEST_F(Texts, EndingKeepsItsEmptyRows)
{
    InkBox ink;

    state_timer = 0;  // rows start at y = 4 - 225 = -221
    texts_draw(draw_ending_text);
    ink_find(canvas, 0, 0, 256, 240, BLACK, &ink);
    EXPECT_EQ(ink.count, 0);

    state_timer = 450 - 2 * 12 * 11;  // row 11 at y = 4
    texts_draw(draw_ending_text);
    ink_find(canvas, 0, 0, 256, 240, BLACK, &ink);
    // Row 11 at y = 4, then four empty rows, then row 16 at y = 64.
    EXPECT_GE(ink.top, 4);
    EXPECT_LE(ink.top, 7);
    EXPECT_GE(ink.bottom, 64);
    EXPECT_LE(ink.bottom, 76);
    EXPECT_EQ(ink_in(0, 16, 256, 64), 0);
    EXPECT_GT(ink_in(0, 64, 256, 76), 0);
}

static void text_shape_check(const char *const *lines, int count, const bool *empty)
{
    for (int i = 0; i < count; i++) {
        SCOPED_TRACE(testing::Message() << "line " << i + 1 << ": " << lines[i]);
        EXPECT_LT(strlen(lines[i]), 45u);
        EXPECT_EQ(lines[i][0] == '\0', empty[i]);
    }
}

TEST(FixedTexts, StoryHasHeadingEmptyLineAndFifteenLinesOfProse)
{
    bool empty[STORY_LINES] = {};

    empty[1] = true;
    text_shape_check(story_text, STORY_LINES, empty);
}

TEST(FixedTexts, EndingHasItsEmptyLinesInPlace)
{
    bool empty[ENDING_LINES] = {};
    static const int empty_rows[] = {2, 10, 12, 13, 14, 15, 17};

    for (int row : empty_rows)
        empty[row] = true;
    text_shape_check(ending_text, ENDING_LINES, empty);
}
