// Tests of the player operations.
#include <stdio.h>
#include <string>
#include "actors/player.h"
#include "actors/tests/actor_fixture.h"
#include "actors/tests/canvas_probe.h"

namespace {

const int L = ALLEGRO_KEY_LEFT, R = ALLEGRO_KEY_RIGHT, U = ALLEGRO_KEY_UP, D = ALLEGRO_KEY_DOWN;
const int Z = ALLEGRO_KEY_Z, X = ALLEGRO_KEY_X;

class Flight : public ActorTest {
protected:
    Player p;
    Puff puffs[10] = {};
    Shot shots[50] = {};
    int32_t next_shot = 0;
    void start(float x, float y, float vy)
    {
        player_init(&p, make_vec2(x, y));
        p.vy = vy;
    }
    void step(const std::vector<int> &held, int32_t next_puff = 0)
    {
        bool keys[256] = {};
        for (int k : held)
            keys[k] = true;
        player_update(&p, keys, puffs, next_puff, SAMPLE_A, SAMPLE_B);
    }
    void press(int key, int32_t stage = 1) { player_on_key(&p, key, shots, &next_shot, stage, SAMPLE_A, SAMPLE_B); }
};

// After one tick: "x y vy vx facing spin", spin being the propeller's frame;
// it turns at once only from |vy| 4 up.
TEST_F(Flight, OneTickOfSteeringThrustLimitsAndGravity)
{
    struct Case {
        std::vector<int> held;
        float x, y, vy;
        const char *after;
    };
    const Case cases[] = {
        {{L, R}, 128, 96, 0, "126 96.04 0.04 -2 1 0"},  // Left beats Right
        {{R}, 128, 96, 0, "130 96.04 0.04 2 -1 0"},
        {{U, D}, 128, 96, 0, "128 95.89 -0.11 0 1 0"},  // Up beats Down
        {{D}, 128, 96, 0, "128 96.12 0.12 0 1 0"},
        {{}, 100, 220, 2, "100 215.54 -0.46 0 1 0"},   // floor bounce
        {{}, 100, 220, -1, "100 215.04 -0.96 0 1 0"},  // rising: no bounce
        {{}, 100, 10, -3, "100 18.04 0.04 0 1 0"},     // ceiling
        {{L}, 1, 100, 8, "0 108 8 -2 1 1"},            // side; the fall speed limit
        {{R}, 254, 100, 7.99f, "255 108.03 8.03 2 -1 1"},
        {{}, 100, 100, -4.5f, "100 95.54 -4.46 0 1 1"},
    };
    for (const Case &c : cases) {
        start(c.x, c.y, c.vy);
        step(c.held);
        char after[96];
        snprintf(after, sizeof after, "%g %g %g %g %g %d", p.x, p.y, p.vy, p.vx,
                 p.body.scale_x == p.propeller.scale_x ? p.body.scale_x : 0.0f, p.propeller.frame);
        EXPECT_STREQ(after, c.after) << "from " << c.x << ", " << c.y << " vy " << c.vy;
    }
}

TEST_F(Flight, ThrustPuffsWithTheSoundEveryThirdTickIntoTheNamedSlot)
{
    start(128, 96, 0);
    for (int tick = 0; tick < 7; tick++) {
        float y = p.y;
        step({U}, tick);
        EXPECT_EQ(puffs[tick].size, tick % 3 ? 0 : 30) << tick;
        EXPECT_EQ(puffs[tick].y, tick % 3 ? 0.0f : y + 4) << tick;
    }
    ASSERT_EQ(played.size(), 3u);
    EXPECT_EQ(played[2].sample, SAMPLE_A);
    puffs[0].size = 0;
    p.puff_cooldown = 0;
    step({D}, 10);  // a slot number outside the ten puffs starts the ring again
    EXPECT_EQ(puffs[0].size, 30);
}

TEST_F(Flight, HurtSoundOnTheFirstBlinkingTickOnly)
{
    start(128, 96, 0);
    p.hurt = 1;
    p.hurt_timer = 60;
    for (int tick = 0; tick < 60; tick++)
        step({});
    EXPECT_EQ(p.hurt, 1);
    step({});
    EXPECT_EQ(p.hurt + p.hurt_timer, 0);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].sample, SAMPLE_B);
    EXPECT_EQ(played[0].gain, 1.75f);
}

TEST_F(Flight, FallenPlayerOnlyDropsAndIgnoresKeys)
{
    start(128, 250, -1);
    p.fallen = p.hurt = p.throwing = 1;
    p.hurt_timer = 60;
    step({L, U});
    press(Z);
    EXPECT_EQ(p.x, 128);
    EXPECT_FLOAT_EQ(p.y, 249.04f);
    EXPECT_EQ(p.body.row, 2);
    EXPECT_EQ(p.hurt + p.hurt_timer + p.throwing + p.thrusting + next_shot + puffs[0].size, 0);
    EXPECT_TRUE(played.empty());
}

TEST_F(Flight, NoNewThrowUntilTheThrowAnimationEnds)
{
    start(100, 80, 0);
    step({});  // leaves the idle strip's tick at 1, so the throw ends on its 7th tick
    press(ALLEGRO_KEY_SPACE);
    EXPECT_EQ(p.throwing, 0);
    for (int tick = 0; tick <= 7; tick++) {
        press(Z);
        EXPECT_EQ(next_shot, tick < 7 ? 1 : 2) << "tick " << tick;
        step({});
    }
}

// The live shots in slot order, as "slot:dy,vx,vy,size".
std::string launches(const Shot *shots, float y)
{
    std::string out;
    char one[96];  // room for four %g of any float
    for (int i = 0; i < 50; i++) {
        const Shot &s = shots[i];
        if (!s.live)
            continue;
        snprintf(one, sizeof one, "%d:%g,%g,%g,%g ", i, s.y - y, s.vx, s.vy, s.anim.frame_w);
        out += one;
    }
    return out;
}

TEST_F(Flight, KeysThrowAndDropByStageIntoWrappingSlots)
{
    struct Case {
        int key;
        int32_t stage, next_before, next_after;
        float facing, vx;
        const char *launched;
    };
    const Case cases[] = {
        {Z, 3, 10, 12, -1, 2, "10:4,6,-2,8 11:4,6,-3,8 "},
        {Z, 4, 48, 1, 1, -2, "0:4,-6,-4,8 48:4,-6,-2,8 49:4,-6,-3,8 "},
        {Z, 0, 5, 6, 1, 0, "5:4,-4,-2,8 "},  // before a game: as in stage 1
        {Z, 6, 5, 8, 1, 0, "5:4,-4,-2,8 6:4,-4,-3,8 7:4,-4,-4,8 "},  // after the last: as in stage 5
        {X, 1, 19, 0, 1, 0, "19:4,0,0,12 "},
        {X, 2, 30, 0, 1, 0, "30:4,0,0,12 "},
        {X, 4, 19, 1, -1, 2, "0:4,0,-1.5,12 19:4,0,0,12 "},
        {X, 5, 5, 8, 1, 0, "5:4,-0.5,-1.5,12 6:8,0,-1,12 7:4,0.5,-1.5,12 "},
        {X, 0, 18, 19, 1, 0, "18:4,0,0,12 "},  // before a game: as in stage 1
        {X, 6, 18, 1, 1, 0, "0:4,0.5,-1.5,12 18:4,-0.5,-1.5,12 19:8,0,-1,12 "},  // as in stage 5
        {X, 1, 77, 1, 1, 0, "0:4,0,0,12 "},  // an index left outside the pool
    };
    for (const Case &c : cases) {
        start(100, 80, 0);
        p.body.scale_x = c.facing;
        p.vx = c.vx;
        next_shot = c.next_before;
        played.clear();
        for (Shot &s : shots)
            s.live = 0;
        press(c.key, c.stage);
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << " from slot " << c.next_before);
        EXPECT_EQ(launches(shots, 80), c.launched);
        EXPECT_EQ(next_shot, c.next_after);
        ASSERT_EQ(played.size(), 1u);
        EXPECT_EQ(played[0].sample, c.key == Z ? SAMPLE_A : SAMPLE_B);
    }
}

// The player at (100.7, 100.5) drawn from a strip of solid rows: body row 0
// (R) over columns 92..107, propeller row 1 (G) from row 82 behind the head.
TEST_F(ActorDrawTest, PlayerCentredPropellerBehindShadowOnTheLine)
{
    struct Case {
        const char *what;
        float facing;
        uint8_t hurt, fallen;
        int32_t hurt_timer;
        const char *across_propeller, *across_body, *down_centre;  // columns 86.., rows 80..
    };
    const Case cases[] = {
        {"facing left", 1, 0, 0, 0, "..........GGGGGGGGGGGGGGGG..", "......RRRRRRRRRRRRRRRR......",
         "..GGGGGGGGGGRRRRRRRRRRRRRRRR."},
        {"facing right", -1, 0, 0, 0, "..GGGGGGGGGGGGGGGG..........", "......RRRRRRRRRRRRRRRR......",
         "..GGGGGGGGGGRRRRRRRRRRRRRRRR."},
        {"blinking, hidden", 1, 1, 0, 59, "............................", "............................",
         "............................."},
        {"blinking, shown", 1, 1, 0, 58, "..........GGGGGGGGGGGGGGGG..", "......RRRRRRRRRRRRRRRR......",
         "..GGGGGGGGGGRRRRRRRRRRRRRRRR."},
        {"fallen", -1, 0, 1, 0, "............................", "......RRRRRRRRRRRRRRRR......",
         "............RRRRRRRRRRRRRRRR."},
    };
    ALLEGRO_BITMAP *strip = probe_strip(16, 16, 4);
    for (const Case &c : cases) {
        ALLEGRO_BITMAP *canvas = probe_canvas(256, 240);
        Player p;
        player_init(&p, make_vec2(100.7f, 100.5f));
        p.body.scale_x = p.propeller.scale_x = c.facing;
        p.propeller.row = 1;  // as every update leaves it
        p.hurt = c.hurt;
        p.fallen = c.fallen;
        p.hurt_timer = c.hurt_timer;
        player_draw(&p, strip);
        Puff puff;
        puff_init(&puff, make_vec2(30, 30), 30);
        puff_draw(&puff);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(probe_run(canvas, 86, 85, 1, 0, 28), c.across_propeller);
        EXPECT_EQ(probe_run(canvas, 86, 100, 1, 0, 28), c.across_body);
        EXPECT_EQ(probe_run(canvas, 100, 80, 0, 1, 29), c.down_centre);
        EXPECT_EQ(probe_run(canvas, 100, 220, 0, 4, 2), ".k");  // the shadow on its line
        EXPECT_EQ(probe_run(canvas, 30, 34, 0, 1, 4), "ww..");   // a puff of 30: radius 6
        al_destroy_bitmap(canvas);
    }
    al_destroy_bitmap(strip);
}

}  // namespace
