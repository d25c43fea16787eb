// The eight common enemies: motion, dying, coming back, scoring, drawing.
#include <math.h>
#include "actors/enemies.h"
#include "actors/tests/actor_fixture.h"
#include "actors/tests/canvas_probe.h"

namespace {

// The eight types: their own init names the kind, and the shared operations
// do the rest, so that a rule shared by all is tested on all.
struct Ops {
    const char *name;
    EnemyKind kind;
    int32_t score;
};

const Ops ops[] = {
    {"Leaf", ENEMY_LEAF, 100},     {"Ball", ENEMY_BALL, 150},   {"NBomb", ENEMY_NBOMB, 200},
    {"Orb", ENEMY_ORB, 250},       {"Flame", ENEMY_FLAME, 300}, {"Slime", ENEMY_SLIME, 350},
    {"Flame2", ENEMY_FLAME2, 400}, {"BulletB", ENEMY_BULLETB, 450},
};
const Ops &LEAF = ops[0], &BALL = ops[1], &NBOMB = ops[2], &ORB = ops[3], &FLAME = ops[4],
          &SLIME = ops[5], &FLAME2 = ops[6], &BULLETB = ops[7];

Enemy make(const Ops &t, float x, float y, float vx, float vy, uint8_t dead = 0)
{
    Enemy e;
    enemy_init(&e, t.kind, make_vec2(x, y), vx);
    e.vy = vy;
    e.dead = dead;
    return e;
}

// The next draws of the seeded sequence, left to be drawn again.
std::vector<int> next_draws(unsigned seed, int n)
{
    srand(seed);
    std::vector<int> r;
    for (int i = 0; i < n; i++)
        r.push_back(rand());
    srand(seed);
    return r;
}

using EnemyTest = ActorTest;

// One alive update with respawn 0; r0 is the draw a bounce or flap takes.
TEST_F(EnemyTest, AliveMotionOfEachType)
{
    const int r0 = next_draws(3, 1)[0];
    const float bounce = -(float)(r0 % 750 + 100) / 100.0f;
    const float flap = -(float)(r0 % 30 + 20) / 10.0f;
    const float turn = (float)(r0 % 30 + 10) / 10.0f;
    struct Case {
        const Ops &t;
        float x, y, vx, vy;
        float x1, y1, vx1, vy1, facing1;
    };
    const Case cases[] = {
        {LEAF, 10, 100, 1, 0.5f, 11, 100.5f, 1, 0.525f, 1},
        {LEAF, 10, 100, 1, 0.99f, 11, 100.99f, 1, -1.0f, 1},    // flutters back
        {BALL, 10, 215, 2, 1, 12, 216, 2, 1.25f, 1},             // on the floor: no bounce
        {BALL, 10, 216, 2, 1, 12, 217, 2, bounce, 1},
        {NBOMB, 50, 100, 0, 1.95f, 50, 101.95f, 0, 2.05f, 1},
        {NBOMB, 50, 100, 0, 2.0f, 50, 102, 0, 2.0f, 1},         // no faster
        {ORB, 256, 100, 2, 0, 258, 100, 2, 0.25f, 1},            // at the wall: not yet
        {ORB, 256.5f, 100, 2, 0, 254.5f, 100, -2, 0.25f, -1},    // turns
        {ORB, -0.5f, 100, -2, 0, 1.5f, 100, 2, 0.25f, 1},
        {ORB, 20, 100, 0, 0, 20, 100, 0, 0.25f, -1},             // standing faces left
        {ORB, 20, 216, 0, 1, 20, 217, 0, bounce, -1},            // bounces on the floor
        {SLIME, 256.5f, 216, 3, 0.5f, 253.5f, 216.5f, -3, bounce, -1},
        {SLIME, 20, 100, 2, 0.5f, 22, 100.5f, 2, 0.7f, 1},      // softer than Orb
        {FLAME, 10, 100, 3, 0, 13, 100, 3, 0, 1},
        {FLAME2, 10, 100, 2, 2.96f, 12, 102.96f, 2, flap, 1},    // past 3.0: flaps
        {FLAME2, 10, 100, 2, 1, 12, 101, 2, 1.05f, 1},           // sinks slowly
        {FLAME2, 10, 9, 2, -2, 12, 8, 2, 0, 1},                  // top of the band
        {FLAME2, 10, 231, 2, 2, 12, 232, 2, flap, 1},            // bottom of the band
        {BULLETB, 50, 217, 0, 1, 50, 216 - turn, 0, -turn, 1},
        {BULLETB, 50, 217, 0, -1, 50, 216, 0, -1, 1},            // rising already
        {BULLETB, 50, 15, 0, -1, 50, 16 + turn, 0, turn, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.t.name << " from " << c.x << ", " << c.y);
        Enemy e = make(c.t, c.x, c.y, c.vx, c.vy);
        srand(3);
        enemy_update(&e, 0, SAMPLE_A);
        EXPECT_FLOAT_EQ(e.x, c.x1);
        EXPECT_FLOAT_EQ(e.y, c.y1);
        EXPECT_FLOAT_EQ(e.vx, c.vx1);
        EXPECT_FLOAT_EQ(e.vy, c.vy1);
        EXPECT_EQ(e.anim.scale_x, c.facing1);
    }
}

TEST_F(EnemyTest, StripsAliveRisingAndDying)
{
    struct Case {
        const Ops &t;
        float vy;
        uint8_t dead;
        int row;
        std::vector<int> frames;
    };
    const Case cases[] = {
        {LEAF, 0, 0, 0, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 0}},
        {LEAF, -0.5f, 0, 0, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 0}},
        {LEAF, 0, 1, 1, {0, 0, 0}},
        {BALL, 0, 0, 0, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}},
        {BALL, -5, 0, 0, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}},
        {BALL, 0, 1, 1, {0, 0, 0}},
        {ORB, 0, 0, 0, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}},
        {ORB, -5, 0, 0, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}},
        {FLAME, 0, 0, 0, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}},
        {FLAME, 0, 1, 1, {0, 0, 0}},
        {FLAME2, -1, 0, 0, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 0}},
        {FLAME2, 0, 1, 1, {0, 0, 0}},
        {SLIME, 0, 1, 1, {0, 0, 0}},
        {BULLETB, 1, 0, 0, {0, 1, 1, 2, 2, 3, 3, 0}},
        {FLAME2, 0, 0, 0, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 0}},
        {NBOMB, 0, 0, 0, {0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 0}},
        {SLIME, -5, 0, 0, {1, 1, 1}},  // rising
        {SLIME, 0, 0, 0, {0, 0, 0}},
        {BULLETB, -3, 0, 1, {0, 1, 1, 2, 2, 3, 3, 0}},
        {BULLETB, 1, 0, 0, {0, 1, 1, 2}},
        {ORB, 0, 1, 1, {0, 0, 0}},
        {BULLETB, 0, 1, 2, {0, 0, 0}},
        {NBOMB, 0, 1, 1, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 5}},  // rests on 5
    };
    for (const Case &c : cases) {
        Enemy e = make(c.t, 100, 60, 0, c.vy, c.dead);
        std::vector<int> seen;
        for (size_t i = 0; i < c.frames.size(); i++) {
            enemy_update(&e, 0, SAMPLE_A);
            seen.push_back(e.anim.frame);
            e.y = 60;  // inside its band, above the floor
            e.vy = c.vy;
        }
        EXPECT_EQ(seen, c.frames) << c.t.name << " vy " << c.vy << " dead " << (int)c.dead;
        EXPECT_EQ(e.anim.row, c.row) << c.t.name << " vy " << c.vy << " dead " << (int)c.dead;
    }
}

// None of these bounces (the dead fall), so a draw taken means a placement.
TEST_F(EnemyTest, ComingBackOnlyWhenGoneAndTheFlagIsSet)
{
    struct Case {
        const Ops &t;
        float x, y, vx, vy;
        uint8_t dead, respawn;
        bool back;
    };
    const Case cases[] = {
        {BALL, 264.5f, 100, 1, 0, 0, 1, true},
        {BALL, 264.5f, 100, 1, 0, 0, 0, false},     // flies on for ever
        {BALL, 263.5f, 100, 0.4f, 0, 0, 1, false},  // 263.9: still in view
        {BALL, -7.5f, 100, -1, 0, 0, 1, true},
        {BALL, -7.5f, 100, 1, 0, 0, 1, false},      // coming in, not leaving
        {BALL, 300, 100, 0, 0, 0, 1, false},        // vx 0: no side counts
        {BALL, 300, 248, 0, -0.25f, 1, 1, false},   // on the line
        {BALL, -300, 248, 0, 0, 1, 1, true},        // but falling out does
        {LEAF, 270, 100, 2, 0, 0, 1, true},
        {FLAME, -20, 100, -2, 0, 0, 1, true},
        {FLAME2, 270, 100, 2, 0, 0, 1, true},
        {ORB, 300, 100, 2, 0, 0, 1, false},         // turns instead
        {SLIME, -50, 100, -2, 0, 0, 1, false},
        {ORB, 100, 260, 2, 0, 1, 1, true},
        {BULLETB, 100, 260, 0, -1, 0, 1, false},    // alive below: not gone
        {BULLETB, 100, 248, 0, 0, 1, 1, true},
        {BULLETB, 100, 248, 0, 0, 1, 0, false},
    };
    for (const Case &c : cases) {
        Enemy e = make(c.t, c.x, c.y, c.vx, c.vy, c.dead);
        int r0 = next_draws(9, 1)[0];
        enemy_update(&e, c.respawn, SAMPLE_A);
        EXPECT_EQ(rand() != r0, c.back) << c.t.name << " at " << c.x << ", " << c.y
                                        << " vx " << c.vx << " respawn " << (int)c.respawn;
    }
}

// Placements draw coin, x, speed, y; falling types x, y, then their speed.
TEST_F(EnemyTest, ComingBackDrawsInItsOrder)
{
    struct Case {
        const Ops &t;
        int range, base;
    };
    const Case cases[] = {{LEAF, 2000, 1000}, {BALL, 2000, 1000}, {ORB, 2500, 1500},
                          {FLAME, 3000, 1500}, {SLIME, 2500, 1500}, {FLAME2, 2000, 1000}};
    for (const Case &c : cases)
        for (unsigned seed = 1; seed <= 4; seed++) {  // both sides of the coin
            SCOPED_TRACE(testing::Message() << c.t.name << " seed " << seed);
            Enemy e = make(c.t, 100, 300, 2, 0, 1);
            std::vector<int> r = next_draws(seed, 5);
            enemy_update(&e, 1, SAMPLE_A);
            bool left = r[0] % 2 == 1;
            float speed = (float)(r[2] % c.range + c.base) / 1000.0f;
            EXPECT_EQ(e.x, left ? (float)-(r[1] % 640) : (float)(r[1] % 640 + 256));
            EXPECT_EQ(e.vx, left ? speed : -speed);
            EXPECT_EQ(e.anim.scale_x, left ? 1.0f : -1.0f);
            EXPECT_EQ(e.y, (float)(r[3] % 240 - 32));
            EXPECT_EQ(e.vy, 0.0f);
            EXPECT_EQ(e.dead, 0);
            EXPECT_EQ(rand(), r[4]) << "one draw too many or too few";
        }

    std::vector<int> r = next_draws(5, 4);
    Enemy b;
    enemy_init(&b, ENEMY_BULLETB, make_vec2(100, 300), 0);
    EXPECT_EQ(b.vy, (float)(r[0] % 30 + 10) / 10.0f);  // its own roll at set-up
    b.dead = 1;
    b.anim.scale_x = -1.0f;
    r = next_draws(6, 4);
    enemy_update(&b, 1, nullptr);
    EXPECT_EQ(b.x, (float)((r[0] & 255) - 8));
    EXPECT_EQ(b.y, (float)(-160 - r[1] % 640));
    EXPECT_EQ(b.vy, (float)(r[2] % 30 + 10) / 10.0f);
    EXPECT_EQ(b.anim.scale_x, 1.0f);
    EXPECT_EQ(b.dead, 0);
    EXPECT_EQ(rand(), r[3]);
}

// Radii 8 and 3 on the line, shrinking by the height over 75 and 150; the
// falling types cast theirs only from 16 above the top of the screen.
TEST_F(EnemyTest, ShadowRadiiShrinkWithTheHeight)
{
    for (const Ops &t : ops) {
        SCOPED_TRACE(t.name);
        bool faller = &t == &NBOMB || &t == &BULLETB;
        float rx = 0.0f, ry = 0.0f;
        Enemy e = make(t, 100, 149, 0, 0);  // 75 above the line
        ASSERT_TRUE(enemy_shadow(&e, &rx, &ry));
        EXPECT_FLOAT_EQ(rx, 7.0f);
        EXPECT_FLOAT_EQ(ry, 2.5f);
        e.y = -15.5f;
        ASSERT_TRUE(enemy_shadow(&e, &rx, &ry));
        EXPECT_FLOAT_EQ(rx, 8.0f - 239.5f / 75.0f);
        EXPECT_FLOAT_EQ(ry, 3.0f - 239.5f / 150.0f);
        e.y = -16.5f;
        EXPECT_EQ(enemy_shadow(&e, &rx, &ry), !faller);
    }
}

TEST_F(EnemyTest, NBombLandsOnceExplodesHarmlesslyAndRests)
{
    for (uint8_t respawn = 0; respawn <= 1; respawn++) {
        SCOPED_TRACE(testing::Message() << "respawn " << (int)respawn);
        played.clear();
        NBomb b = make(NBOMB, 60, 200, 0, 2);
        int ticks = 0;
        while (!b.dead && ticks < 100) {
            enemy_update(&b, respawn, SAMPLE_B);
            ticks++;
        }
        EXPECT_EQ(ticks, 9);  // 200, 202, ... 218: below the floor
        ASSERT_EQ(played.size(), 1u);
        EXPECT_EQ(played[0].sample, SAMPLE_B);
        EXPECT_EQ(played[0].gain, 1.0f);
        EXPECT_EQ(played[0].speed, 0.75f);

        // While exploding: no harm, no hit, no fall, no second sound.
        Player p = {};
        p.x = b.x;
        p.y = b.y;
        Shot s = {};
        s.x = b.x;
        s.y = b.y;
        s.live = 1;
        int32_t health = 5, score = 0, combo = 0, timer = 0;
        int frame5_at = 0;
        for (int t = 1; t <= 20 && b.dead; t++) {
            enemy_touch_player(&b, &p, &health);
            enemy_hit_by_shot(&b, &s, &score, &combo, &timer);
            enemy_update(&b, respawn, SAMPLE_B);
            if (b.anim.frame == 5 && !frame5_at)
                frame5_at = t;
        }
        EXPECT_EQ(health, 5);
        EXPECT_EQ(s.live, 1);
        EXPECT_EQ(played.size(), 1u);
        EXPECT_EQ(frame5_at, 14);  // it landed on the second tick of a frame
        EXPECT_EQ(b.dead, !respawn) << "back on the update after frame 5, not on it";
        EXPECT_EQ(b.anim.frame, respawn ? 0 : 5);
        if (respawn)
            EXPECT_LE(b.y, -160.0f);
        else
            EXPECT_FLOAT_EQ(b.y, 218.0f);
    }
}

TEST_F(EnemyTest, KillAwardsBaseTimesTheChain)
{
    for (const Ops &t : ops) {
        SCOPED_TRACE(t.name);
        Enemy e = make(t, 100, 100, 2, 1.5f);
        e.anim.frame = 3;
        Shot s = {};
        s.x = 109.9f;  // boxes of 8 and 2 just overlapping
        s.y = 90.1f;
        anim_init(&s.anim, 8, 8);
        s.live = 1;
        int32_t score = 1000, combo = 2, timer = 0;
        enemy_hit_by_shot(&e, &s, &score, &combo, &timer);
        EXPECT_EQ(score, 1000 + 3 * t.score);
        EXPECT_EQ(combo, 3);
        EXPECT_EQ(timer, 60);
        EXPECT_EQ(e.dead, 1);
        EXPECT_EQ(e.vy, 0.0f);
        EXPECT_EQ(s.burst, 10);
        EXPECT_EQ(e.anim.frame, &t == &NBOMB || &t == &BULLETB ? 0 : 3);

        s.live = 1;  // a dead enemy is not shot again
        enemy_hit_by_shot(&e, &s, &score, &combo, &timer);
        EXPECT_EQ(combo, 3);
        EXPECT_EQ(s.live, 1);

        for (float d : {11.9f, 12.0f, -11.9f, -12.0f}) {  // boxes of 8 and 4
            Enemy alive = make(t, 100, 100, 0, 0);
            Player p = {};
            p.x = 100 + d;
            p.y = 100 + d;
            int32_t health = 3;
            enemy_touch_player(&alive, &p, &health);
            EXPECT_EQ(health, fabsf(d) < 12 ? 2 : 3) << "player at " << d;
        }
    }
}

// Drawn from a strip with one colour per row onto a canvas that shows 32
// pixels beyond either side of the field.
#define MARGIN 32

class EnemyDrawTest : public ActorDrawTest {
protected:
    ALLEGRO_BITMAP *strip = nullptr;
    ALLEGRO_BITMAP *canvas = nullptr;

    void SetUp() override
    {
        ActorDrawTest::SetUp();
        strip = probe_strip(16, 16, 8);
        canvas = probe_canvas(256 + 2 * MARGIN, 240);
        ALLEGRO_TRANSFORM shift;
        al_identity_transform(&shift);
        al_translate_transform(&shift, MARGIN, 0);
        al_use_transform(&shift);
    }
    void TearDown() override
    {
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(strip);
        al_destroy_bitmap(canvas);
        ActorDrawTest::TearDown();
    }
    uint32_t at(int x, int y) { return probe_pixel(canvas, x + MARGIN, y); }
    void clear()
    {
        al_clear_to_color(al_map_rgb(PROBE_BACKGROUND >> 16, (PROBE_BACKGROUND >> 8) & 0xff,
                                     PROBE_BACKGROUND & 0xff));
    }
};

TEST_F(EnemyDrawTest, SpriteCentredOnItsPlaceAndShadowOnTheLine)
{
    for (const Ops &t : ops)
        for (int look = 0; look < 4; look++) {
            clear();
            Enemy e = make(t, 100.5f, 150.5f, 0, 0, look >= 2);
            e.anim.scale_x = look % 2 ? -1.0f : 1.0f;
            e.anim.row = e.dead ? (&t == &BULLETB ? 2 : 1) : 0;
            enemy_draw(&e, strip);
            SCOPED_TRACE(testing::Message() << t.name << (e.dead ? " dying" : " alive")
                                            << " facing " << e.anim.scale_x);
            const uint32_t row = probe_row_colour[e.anim.row];
            EXPECT_EQ(at(92, 142), row);
            EXPECT_EQ(at(107, 157), row);
            EXPECT_EQ(at(91, 150), PROBE_BACKGROUND);
            EXPECT_EQ(at(108, 150), PROBE_BACKGROUND);
            EXPECT_EQ(at(100, 141), PROBE_BACKGROUND);
            EXPECT_EQ(at(100, 158), PROBE_BACKGROUND);
            EXPECT_EQ(at(100, 224), PROBE_BLACK);
            EXPECT_EQ(at(100, 227), PROBE_BACKGROUND);
        }
}

TEST_F(EnemyDrawTest, NothingOutOfViewNoShadowWhereTheRulesSayNone)
{
    struct Case {
        const Ops &t;
        float x, y;
        uint8_t dead;
        int frame;
        bool sprite, shadow;
    };
    const Case cases[] = {
        {BALL, -8, 100, 0, 0, false, false},
        {BALL, -7.9f, 100, 0, 0, true, true},
        {BALL, 264, 100, 0, 0, false, false},
        {BALL, 263.9f, 100, 0, 0, true, true},
        {BALL, 100, 224, 0, 0, true, false},    // on the line: no shadow
        {BALL, 100, -20, 0, 0, false, true},
        {NBOMB, 100, -20, 0, 0, false, false},  // falling types: only below -16
        {NBOMB, 100, -15, 0, 0, false, true},
        {BULLETB, 100, -16, 0, 0, false, false},
        {NBOMB, 100, 150, 1, 4, true, true},
        {NBOMB, 100, 150, 1, 5, true, false},   // a finished explosion
    };
    for (const Case &c : cases) {
        clear();
        Enemy e = make(c.t, c.x, c.y, 0, 0, c.dead);
        e.anim.frame = c.frame;
        enemy_draw(&e, strip);
        bool sprite = c.y >= 0 && at((int)c.x, (int)c.y) != PROBE_BACKGROUND;
        EXPECT_EQ(sprite, c.sprite) << c.t.name << " at " << c.x << ", " << c.y;
        EXPECT_EQ(at((int)c.x, 224) == PROBE_BLACK, c.shadow) << c.t.name << " at " << c.x
                                                              << ", " << c.y;
    }
}

}  // namespace
