// Tests of the shot operations.
#include "actors/shot.h"
#include "actors/tests/actor_fixture.h"
#include "actors/tests/canvas_probe.h"

namespace {

Shot shot_at(float x, float y, float vx, float vy, float size)
{
    Shot s;
    shot_init(&s, make_vec2(x, y), make_vec2(vx, vy), size);
    return s;
}

// A new frame every second update: thrown shots have 4 frames, bombs 3.
TEST_F(ActorTest, ShotMovesThenFallsAndAnimatesByKind)
{
    const float sizes[] = {8, 8, 12, 12, 12.7f};
    const int updates[] = {6, 8, 5, 6, 6}, frames[] = {3, 0, 2, 0, 0};
    for (int i = 0; i < 5; i++) {
        Shot s = shot_at(100, 100, 1, -2, sizes[i]);
        for (int n = 0; n < updates[i]; n++)
            shot_update(&s, SAMPLE_A);
        EXPECT_EQ(s.x, 100 + updates[i]);
        EXPECT_FLOAT_EQ(s.vy, -2 + 0.2f * updates[i]);
        EXPECT_EQ(s.anim.frame, frames[i]) << "size " << sizes[i] << ", update " << updates[i];
        EXPECT_EQ(s.anim.frame_w, (float)(int)sizes[i]);
    }
}

TEST_F(ActorTest, ShotEndsAndBurstsWithTheHitSoundOnceOnlyInView)
{
    struct Case {
        const char *what;
        float x, y, vx, vy, size;
        int ends_in_update, burst, sounds;
    };
    const Case cases[] = {
        {"bomb dropped at 100", 100, 100, 0, 0, 12, 36, 14, 1},
        {"below the floor", 100, 218, 0, 2, 8, 2, 10, 1},
        {"below the floor at the left edge", -16, 218, 0, 2, 8, 2, 10, 1},
        {"past the left edge", -14, 100, -2.5f, 0, 8, 1, 10, 0},
        {"past the right edge", 270, 100, 3, 0, 8, 1, 10, 0},
        {"past the top", 100, -14, 0, -3, 8, 1, 10, 0},
        {"an idle slot", -32, -32, 0, 0, 8, 1, 10, 0},
        {"ended by an enemy", 100, 100, 0, 0, 8, 0, 10, 1},
        {"bomb ended by an enemy", 100, 100, 0, 0, 12, 0, 14, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        played.clear();
        Shot s = shot_at(c.x, c.y, c.vx, c.vy, c.size);
        if (c.ends_in_update == 0)
            shot_end(&s);
        int updates = 0;
        for (; s.live && updates < 100; updates++)
            shot_update(&s, SAMPLE_A);
        EXPECT_EQ(updates, c.ends_in_update);
        EXPECT_EQ(s.burst, c.burst);
        EXPECT_TRUE(played.empty());
        shot_update(&s, SAMPLE_A);
        EXPECT_EQ(s.burst, c.burst - 1);
        EXPECT_EQ(played.size(), (size_t)c.sounds);
        for (int i = 0; i < 20; i++)
            shot_update(&s, SAMPLE_A);
        EXPECT_EQ(s.burst, 0);
        ASSERT_EQ(played.size(), (size_t)c.sounds);
        for (const PlayedSound &hit : played)
            EXPECT_EQ(hit.sample, SAMPLE_A);
    }
}

// A shot at (50.5, 60.7): across columns 42..57 and down rows 52..67.
TEST_F(ActorDrawTest, ShotSpriteCentredBurstAWhiteDisc)
{
    struct Case {
        float size;
        uint8_t live;
        int32_t burst;
        const char *across, *down;
    };
    const Case cases[] = {
        {8, 1, 0, "....RRRRRRRR....", "....RRRRRRRR...."},
        {12, 1, 0, "..RRRRRRRRRRRR..", "..RRRRRRRRRRRR.."},
        {8, 0, 5, "....wwwwwwwww...", "....wwwwwwwwww.."},
        {12, 0, 0, "................", "................"},
    };
    ALLEGRO_BITMAP *strip = probe_strip(12, 12, 4);
    for (const Case &c : cases) {
        ALLEGRO_BITMAP *canvas = probe_canvas(128, 128);
        Shot s = shot_at(50.5f, 60.7f, 0, 0, c.size);
        s.live = c.live;
        s.burst = c.burst;
        shot_draw(&s, strip);
        SCOPED_TRACE(testing::Message() << "size " << c.size << " burst " << c.burst);
        EXPECT_EQ(probe_run(canvas, 42, 60, 1, 0, 16), c.across);
        EXPECT_EQ(probe_run(canvas, 50, 52, 0, 1, 16), c.down);
        al_destroy_bitmap(canvas);
    }
    al_destroy_bitmap(strip);
}

}  // namespace
