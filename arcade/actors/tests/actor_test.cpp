// The operations every actor shares.
#include <gtest/gtest.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>
#include "actors/actor.h"
#include "actors/shot.h"
#include "actors/player.h"

namespace {

TEST(Vec2, MakeVec2OnlyBuilds)
{
    Vec2 v = make_vec2(-32.5f, 224.0f);
    EXPECT_EQ(v.x, -32.5f);
    EXPECT_EQ(v.y, 224.0f);
}

TEST(AnimInit, StartsAtTheFirstFrameUnscaled)
{
    SpriteAnim a;
    a.frame = 9;
    a.tick = 3;
    a.row = 2;
    a.scale_x = -1.0f;
    a.scale_y = 4.0f;
    anim_init(&a, 24.0f, 16.0f);
    EXPECT_EQ(a.frame_w, 24.0f);
    EXPECT_EQ(a.frame_h, 16.0f);
    EXPECT_EQ(a.frame, 0);
    EXPECT_EQ(a.tick, 0);
    EXPECT_EQ(a.row, 0);
    EXPECT_EQ(a.scale_x, 1.0f);
    EXPECT_EQ(a.scale_y, 1.0f);
}

// The frames seen after each step from a fresh strip.
std::vector<int> frames_after(int steps, int first, int last, int period)
{
    SpriteAnim a;
    anim_init(&a, 16.0f, 16.0f);
    std::vector<int> seen;
    for (int i = 0; i < steps; i++) {
        anim_step(&a, 1, first, last, period);
        seen.push_back(a.frame);
    }
    return seen;
}

TEST(AnimStep, PeriodCountsTheTicksBetweenFrames)
{
    struct Case {
        int first, last, period;
        std::vector<int> frames;
    };
    const Case cases[] = {
        {0, 3, 0, {1, 2, 3, 0, 1, 2}},
        {0, 3, 1, {0, 1, 1, 2, 2, 3, 3, 0}},
        {0, 2, 2, {0, 0, 1, 1, 1, 2, 2, 2, 0}},
        {0, 5, 3, {0, 0, 0, 1, 1, 1, 1, 2}},
        {2, 2, 1, {2, 2, 2, 2}},    // one held frame
        {1, 1, 2, {1, 1, 1}},
        {2, 4, 0, {3, 4, 2, 3}},    // starts at first, wraps to first
    };
    for (const Case &c : cases)
        EXPECT_EQ(frames_after((int)c.frames.size(), c.first, c.last, c.period), c.frames)
            << "first " << c.first << " last " << c.last << " period " << c.period;
}

TEST(AnimStep, SetsTheRowEveryStep)
{
    SpriteAnim a;
    anim_init(&a, 16.0f, 16.0f);
    anim_step(&a, 2, 0, 3, 2);
    EXPECT_EQ(a.row, 2);
    anim_step(&a, 0, 0, 3, 2);
    EXPECT_EQ(a.row, 0);
}

TEST(AnimStep, FrameBeyondLastWrapsToFirstNotZero)
{
    SpriteAnim a;
    anim_init(&a, 16.0f, 16.0f);
    a.frame = 7;
    anim_step(&a, 0, 1, 3, 0);
    EXPECT_EQ(a.frame, 1);

    // Without an advance it keeps frame 7 until the period is over.
    a.frame = 7;
    a.tick = 0;
    anim_step(&a, 0, 2, 3, 1);
    EXPECT_EQ(a.frame, 7);
    anim_step(&a, 0, 2, 3, 1);
    EXPECT_EQ(a.frame, 2);
}

TEST(AnimStep, FrameBelowFirstJumpsToFirst)
{
    SpriteAnim a;
    anim_init(&a, 16.0f, 16.0f);
    anim_step(&a, 0, 2, 2, 1);
    EXPECT_EQ(a.frame, 2);
    EXPECT_EQ(a.tick, 1);
}

TEST(BoxesOverlap, StrictComparisonsOnBothAxes)
{
    struct Case {
        float ax, ay, bx, by;
        bool overlap;
    };
    // A of half-size 8 at (100, 100) against B of half-size 2.
    const Case cases[] = {
        {100, 100, 100, 100, true},
        {100, 100, 110, 100, false},   // right edges touch: 108 == 108
        {100, 100, 90, 100, false},    // left edges touch
        {100, 100, 100, 110, false},   // bottom touches
        {100, 100, 100, 90, false},    // top touches
        {100, 100, 109.99f, 100, true},
        {100, 100, 90.01f, 109.99f, true},
        {100, 100, 109.99f, 110, false},
        {100, 100, 120, 120, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(boxes_overlap(c.ax, c.ay, 8, 8, c.bx, c.by, 2, 2), c.overlap)
            << "B at " << c.bx << ", " << c.by;
}

TEST(AwardKill, BaseTimesTheChainPlusOne)
{
    int32_t score = 1000;
    int32_t combo = 2;
    int32_t combo_timer = 5;
    award_kill(150, &score, &combo, &combo_timer);
    EXPECT_EQ(score, 1450);
    EXPECT_EQ(combo, 3);
    EXPECT_EQ(combo_timer, 60);

    award_kill(100, &score, &combo, &combo_timer);
    EXPECT_EQ(score, 1850);
    EXPECT_EQ(combo, 4);
}

TEST(AwardKill, StopsAtTheLargestScoreInsteadOfWrapping)
{
    struct Case {
        int32_t base, score, combo;
        int32_t score_after, combo_after;
    };
    const Case cases[] = {
        {1000000, INT32_MAX - 1000000, 0, INT32_MAX, 1},       // lands exactly on it
        {1000000, INT32_MAX - 999999, 0, INT32_MAX, 1},        // one past it
        {100, INT32_MAX, 0, INT32_MAX, 1},                     // already there
        {1000000, 0, 2147, INT32_MAX, 2148},                   // the product alone too big
        {450, 5, INT32_MAX - 1, INT32_MAX, INT32_MAX},         // chain near its own limit
        {450, 5, INT32_MAX, INT32_MAX, INT32_MAX},             // combo + 1 itself too big
        {2000, 2000000000, 3, 2000008000, 4},                  // large but room left
    };
    for (const Case &c : cases) {
        int32_t score = c.score;
        int32_t combo = c.combo;
        int32_t combo_timer = 0;
        award_kill(c.base, &score, &combo, &combo_timer);
        EXPECT_EQ(score, c.score_after) << "base " << c.base << " score " << c.score
                                        << " combo " << c.combo;
        EXPECT_EQ(combo, c.combo_after) << "base " << c.base << " combo " << c.combo;
        EXPECT_EQ(combo_timer, 60);
    }
}

Shot live_shot(float x, float y, float size)
{
    Shot s = {};
    s.x = x;
    s.y = y;
    anim_init(&s.anim, size, size);
    s.live = 1;
    return s;
}

TEST(ShotStrike, EndsALiveShotOnAnAliveActorOnly)
{
    Shot s = live_shot(100, 100, 8);
    EXPECT_TRUE(shot_strike(&s, 108, 100, 8, 0));
    EXPECT_EQ(s.live, 0);
    EXPECT_EQ(s.burst, 10);
    // No longer live: it cannot strike a second actor in the same tick.
    EXPECT_FALSE(shot_strike(&s, 100, 100, 8, 0));

    Shot bomb = live_shot(100, 100, 12);
    EXPECT_FALSE(shot_strike(&bomb, 100, 100, 8, 1));
    EXPECT_EQ(bomb.live, 1);
    EXPECT_FALSE(shot_strike(&bomb, 110, 100, 8, 0));  // edges touch
    EXPECT_TRUE(shot_strike(&bomb, 100, 100, 8, 0));
    EXPECT_EQ(bomb.burst, 14);
}

Player player_at(float x, float y)
{
    Player p = {};
    p.x = x;
    p.y = y;
    return p;
}

TEST(TouchPlayer, HurtsOnceAndNeverBelowZero)
{
    Player p = player_at(100, 100);
    int32_t health = 1;
    touch_player_box(111.9f, 100, 8, 0, &p, PLAYER_HALF, &health);
    EXPECT_EQ(p.hurt, 1);
    EXPECT_EQ(p.hurt_timer, 60);
    EXPECT_EQ(health, 0);

    // Blinking: no further hit.
    p.hurt_timer = 30;
    touch_player_box(100, 100, 8, 0, &p, PLAYER_HALF, &health);
    EXPECT_EQ(p.hurt_timer, 30);

    p.hurt = 0;
    touch_player_box(100, 100, 8, 0, &p, PLAYER_HALF, &health);
    EXPECT_EQ(health, 0);
    EXPECT_EQ(p.hurt_timer, 60);
}

TEST(TouchPlayer, NothingWhenApartFallenOrDead)
{
    struct Case {
        float x;
        uint8_t dead;
        uint8_t fallen;
    };
    const Case cases[] = {
        {112, 0, 0},  // edges touch
        {100, 1, 0},
        {100, 0, 1},
    };
    for (const Case &c : cases) {
        Player p = player_at(100, 100);
        p.fallen = c.fallen;
        int32_t health = 5;
        touch_player_box(c.x, 100, 8, c.dead, &p, PLAYER_HALF, &health);
        EXPECT_EQ(health, 5);
        EXPECT_EQ(p.hurt, 0);
    }
}

TEST(SpritePlace, TruncatesTowardZeroAndMirrorsFromTheRight)
{
    struct Case {
        float x, y, scale_x;
        int left, top;
    };
    const Case cases[] = {
        {100.7f, 50.9f, 1.0f, 92, 42},
        {3.5f, 2.5f, 1.0f, -4, -5},      // -4.5 and -5.5 truncate toward zero
        {-0.5f, 100, 1.0f, -8, 92},
        {100.7f, 50.9f, -1.0f, 108, 42},
        {-20.25f, -3.0f, -1.0f, -12, -11},
        {100, 100, 0.999f, 108, 92},     // only exactly 1.0 counts as unmirrored
    };
    for (const Case &c : cases) {
        SpriteAnim a;
        anim_init(&a, 16, 16);
        a.scale_x = c.scale_x;
        int left = 0;
        int top = 0;
        sprite_place(&a, c.x, c.y, 8, &left, &top);
        EXPECT_EQ(left, c.left) << c.x << ", " << c.y << " scale " << c.scale_x;
        EXPECT_EQ(top, c.top) << c.x << ", " << c.y << " scale " << c.scale_x;
    }
}

TEST(Shadow, RadiiShrinkWithTheHeight)
{
    float rx;
    float ry;
    const EnemyShadow big = {-HUGE_VALF, 12, 100, 4, 200};
    shadow_radii(224, &SMALL_SHADOW, 1.0f, &rx, &ry);
    EXPECT_FLOAT_EQ(rx, 8.0f);
    EXPECT_FLOAT_EQ(ry, 3.0f);
    shadow_radii(74, &SMALL_SHADOW, 1.0f, &rx, &ry);
    EXPECT_FLOAT_EQ(rx, 6.0f);
    EXPECT_FLOAT_EQ(ry, 2.0f);
    shadow_radii(24, &big, 1.0f, &rx, &ry);
    EXPECT_FLOAT_EQ(rx, 10.0f);
    EXPECT_FLOAT_EQ(ry, 3.0f);
    // The radii on the line scale; the shrinking with the height does not.
    shadow_radii(74, &SMALL_SHADOW, 2.0f, &rx, &ry);
    EXPECT_FLOAT_EQ(rx, 14.0f);
    EXPECT_FLOAT_EQ(ry, 5.0f);
}

// Drawing into memory bitmaps: no display needed.
class DrawTest : public ::testing::Test {
protected:
    ALLEGRO_BITMAP *strip = nullptr;
    ALLEGRO_BITMAP *target = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(al_init());
        ASSERT_TRUE(al_init_primitives_addon());
        al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
        // Two rows of 4x4 frames: frame f of row r is red 50 f + 10, green 100 r;
        // its left column is blue so the mirroring shows.
        strip = al_create_bitmap(16, 8);
        target = al_create_bitmap(32, 32);
        al_set_target_bitmap(strip);
        for (int r = 0; r < 2; r++)
            for (int f = 0; f < 4; f++)
                for (int y = 0; y < 4; y++)
                    for (int x = 0; x < 4; x++)
                        al_put_pixel(f * 4 + x, r * 4 + y,
                                     x == 0 ? al_map_rgb(0, 0, 255)
                                            : al_map_rgb(50 * f + 10, 100 * r, 0));
        al_set_target_bitmap(target);
        al_clear_to_color(al_map_rgb(0, 0, 0));
    }
    void TearDown() override
    {
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(strip);
        al_destroy_bitmap(target);
    }

    void rgb(int x, int y, unsigned char *r, unsigned char *g, unsigned char *b)
    {
        al_unmap_rgb(al_get_pixel(target, x, y), r, g, b);
    }
};

TEST_F(DrawTest, DrawsTheFrameOfTheRowAtItsCorner)
{
    SpriteAnim a;
    anim_init(&a, 4, 4);
    a.frame = 2;
    a.row = 1;
    anim_draw(&a, 10, 12, strip);
    unsigned char r, g, b;
    rgb(11, 12, &r, &g, &b);
    EXPECT_EQ(r, 110);
    EXPECT_EQ(g, 100);
    rgb(10, 15, &r, &g, &b);
    EXPECT_EQ(b, 255);
    rgb(14, 12, &r, &g, &b);
    EXPECT_EQ(r + g + b, 0);
    rgb(9, 12, &r, &g, &b);
    EXPECT_EQ(r + g + b, 0);
}

TEST_F(DrawTest, MirroredFrameLiesLeftOfItsCorner)
{
    SpriteAnim a;
    anim_init(&a, 4, 4);
    a.frame = 1;
    a.scale_x = -1.0f;
    // Centred on x = 20 with half-size 2: the corner is x + 2.
    sprite_draw(&a, 20.0f, 10.0f, 2.0f, strip);
    unsigned char r, g, b;
    rgb(21, 8, &r, &g, &b);   // the blue left column, now on the right
    EXPECT_EQ(b, 255);
    rgb(18, 8, &r, &g, &b);
    EXPECT_EQ(r, 60);
    rgb(22, 8, &r, &g, &b);
    EXPECT_EQ(r + g + b, 0);
    rgb(17, 8, &r, &g, &b);
    EXPECT_EQ(r + g + b, 0);
}

TEST_F(DrawTest, ScaleGrowsTheDrawnFrame)
{
    SpriteAnim a;
    anim_init(&a, 4, 4);
    a.scale_x = 2.0f;
    a.scale_y = 2.0f;
    anim_draw(&a, 0, 0, strip);
    unsigned char r, g, b;
    rgb(7, 7, &r, &g, &b);
    EXPECT_EQ(r, 10);
    rgb(8, 8, &r, &g, &b);
    EXPECT_EQ(r + g + b, 0);
}

TEST_F(DrawTest, ShadowIsABlackEllipseOnTheShadowLine)
{
    al_destroy_bitmap(target);
    target = al_create_bitmap(64, 240);
    al_set_target_bitmap(target);
    al_clear_to_color(al_map_rgb(255, 255, 255));
    shadow_draw(32.0f, 224.0f, &SMALL_SHADOW);
    unsigned char r, g, b;
    rgb(32, 224, &r, &g, &b);
    EXPECT_EQ(r, 0);
    rgb(26, 224, &r, &g, &b);
    EXPECT_EQ(r, 0);
    rgb(32, 229, &r, &g, &b);
    EXPECT_EQ(r, 255);
    rgb(42, 224, &r, &g, &b);
    EXPECT_EQ(r, 255);
}

}  // namespace
