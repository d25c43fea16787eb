// The big enemies and the bosses: children, kills, coming back, the last
// boss's laser and pulse, drawing.
#include <algorithm>
#include "actors/bosses.h"
#include "actors/tests/actor_fixture.h"
#include "actors/tests/canvas_probe.h"

namespace {

// The next draws of a seeded sequence, left to be drawn again.
std::vector<int> peek_draws(unsigned seed, int n)
{
    std::vector<int> r;
    srand(seed);
    for (int i = 0; i < n; i++)
        r.push_back(rand());
    srand(seed);
    return r;
}

Shot live_shot(float x, float y)
{
    Shot s;
    shot_init(&s, make_vec2(x, y), make_vec2(0, 0), 8);
    return s;
}

Player player_at(float x, float y)
{
    Player p;
    player_init(&p, make_vec2(x, y));
    return p;
}

// Updates without children: as a boss (respawn 0) or as a stage-4 member.
// No child array: a stage-4 member, or a boss that throws nothing. FBoss
// is handed its two sounds.
void tick(Big *r, uint8_t respawn = 0)
{
    const BossGear gear = {nullptr, nullptr, SAMPLE_A, SAMPLE_B};
    big_update(r, respawn, &gear);
}

// A boss handed its child array, its next slot there and a sound.
void boss_tick(Big *r, Enemy *children, int32_t *next, ALLEGRO_SAMPLE *sound)
{
    const BossGear gear = {children, next, sound, nullptr};
    big_update(r, 0, &gear);
}

using BossTest = ActorTest;

// Each big type by its rules: the frames it shows alive (as a group member,
// and FlyGuy's longer strip as a boss) and dead, where a shot and the
// player start to meet it, its shadow 75 above the line and just above the
// top of the screen, and how far beside the field it is still drawn.
TEST_F(BossTest, EachBigTypeByItsRules)
{
    struct Type {
        const char *name;
        BigKind type;
        std::vector<int> alive, boss;
        int dying_row, dying_frame;
        float shot_edge, touch_edge;
        float rx, ry;  // at y 149
        bool shadow_high;
        float margin;
    };
    const Type types[] = {
        {"BigLeaf", BIG_LEAF, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 0}, {}, 1, 0,
         14, 20, 11.25f, 3.625f, true, 12},
        {"BigOrb", BIG_ORB, {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}, {}, 1, 0, 32, 20, 15, 5.5f,
         true, 8},
        {"FlyGuy", BIG_FLYGUY, {1, 2, 3, 4, 5, 6, 7, 0},
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}, 1, 0, 18, 20, 15, 3.5f, false, 8},
        {"Spirit", BIG_SPIRIT, {1, 2, 3, 4, 5, 0}, {}, 0, 0, 50, 52, 23, 5.5f, false, 8},
        {"FBoss", BIG_FBOSS, {0, 0, 0}, {}, 0, 1, 34, 32, 31, 7.5f, true, 8},
    };
    for (const Type &t : types) {
        SCOPED_TRACE(t.name);
        BigLeaf leaf;
        BigOrb orb;
        FlyGuy guy;
        Spirit spirit;
        FBoss fboss;
        Flame2 flames[BOSS_CHILD_SLOTS];
        int32_t next = 0;
        for (Flame2 &f : flames)
            enemy_init(&f, ENEMY_FLAME2, make_vec2(0, 0), 0);
        // Set up at (128, 100) at rest; one update, the frame it shows, the
        // record's dead flag and row, a shot and a touch, by type.
        auto set_up = [&](bool dead) {
            big_init(&leaf, BIG_LEAF, make_vec2(128, 100), 0);
            big_init(&orb, BIG_ORB, make_vec2(128, 100), 0);
            big_init(&guy, BIG_FLYGUY, make_vec2(128, 100), 0);
            guy.vy = 0;
            big_init(&spirit, BIG_SPIRIT, make_vec2(128, 100), 0);
            spirit.vy = 0;
            big_init(&fboss, BIG_FBOSS, make_vec2(128, 100), 0);
            fboss.vy = 0;
            leaf.dead = orb.dead = guy.dead = spirit.dead = fboss.dead = dead;
        };
        auto update = [&](bool as_boss) -> SpriteAnim * {
            switch (t.type) {
            case BIG_LEAF: tick(&leaf); return &leaf.anim;
            case BIG_ORB: tick(&orb); return &orb.anim;
            case BIG_FLYGUY:
                if (as_boss)
                    boss_tick(&guy, flames, &next, nullptr);
                else
                    tick(&guy);
                return &guy.anim;
            case BIG_SPIRIT: tick(&spirit); return &spirit.anim;
            default: tick(&fboss); return &fboss.anim;
            }
        };
        auto hit = [&](Shot *s, int32_t *score, int32_t *combo, int32_t *timer) {
            switch (t.type) {
            case BIG_LEAF: big_hit_by_shot(&leaf, s, score, combo, timer); break;
            case BIG_ORB: big_hit_by_shot(&orb, s, score, combo, timer); break;
            case BIG_FLYGUY: big_hit_by_shot(&guy, s, score, combo, timer); break;
            case BIG_SPIRIT: big_hit_by_shot(&spirit, s, score, combo, timer); break;
            default: big_hit_by_shot(&fboss, s, score, combo, timer); break;
            }
        };
        auto touch = [&](Player *p, int32_t *health) {
            switch (t.type) {
            case BIG_LEAF: big_touch_player(&leaf, p, health); break;
            case BIG_ORB: big_touch_player(&orb, p, health); break;
            case BIG_FLYGUY: big_touch_player(&guy, p, health); break;
            case BIG_SPIRIT: big_touch_player(&spirit, p, health); break;
            default: big_touch_player(&fboss, p, health); break;
            }
        };
        for (int as_boss = 0; as_boss <= 1; as_boss++) {
            const std::vector<int> &want = as_boss ? t.boss : t.alive;
            if (want.empty())
                continue;
            set_up(false);
            std::vector<int> seen;
            SpriteAnim *anim = nullptr;
            for (size_t i = 0; i < want.size(); i++) {
                anim = update(as_boss);
                seen.push_back(anim->frame);
            }
            EXPECT_EQ(seen, want) << (as_boss ? "as a boss" : "alive");
            EXPECT_EQ(anim->row, 0);
        }
        set_up(true);
        for (int i = 0; i < 3; i++) {
            SpriteAnim *anim = update(false);
            EXPECT_EQ(anim->frame, t.dying_frame) << "dying";
            EXPECT_EQ(anim->row, t.dying_row) << "dying";
        }

        for (float d : {t.shot_edge - 0.01f, t.shot_edge}) {
            set_up(false);
            Shot s = live_shot(128 + d, 100);
            int32_t score = 0, combo = 0, timer = 0;
            hit(&s, &score, &combo, &timer);
            EXPECT_EQ(s.live, d == t.shot_edge) << "shot at " << d;
        }
        for (float d : {t.touch_edge - 0.01f, t.touch_edge}) {
            set_up(false);
            Player p = player_at(128 - d, 100);
            int32_t health = 5;
            touch(&p, &health);
            EXPECT_EQ(health, d == t.touch_edge ? 5 : 4) << "player at " << d;
        }

        const BigInfo *info = &big_info[t.type];
        float rx = 0.0f, ry = 0.0f;
        ASSERT_TRUE(big_shadow_radii(info, 149, 1.0f, &rx, &ry));
        EXPECT_FLOAT_EQ(rx, t.rx);
        EXPECT_FLOAT_EQ(ry, t.ry);
        EXPECT_TRUE(big_shadow_radii(info, -15.5f, 1.0f, &rx, &ry));
        EXPECT_EQ(big_shadow_radii(info, -16.5f, 1.0f, &rx, &ry), t.shadow_high);
        EXPECT_FALSE(big_in_view(info, -t.margin));
        EXPECT_TRUE(big_in_view(info, 0.01f - t.margin));
        EXPECT_FALSE(big_in_view(info, 256 + t.margin));
        EXPECT_TRUE(big_in_view(info, 255.99f + t.margin));
    }
}

TEST_F(BossTest, BigLeafDropsOnlyOverTheFieldAndReArmsEitherWay)
{
    const struct {
        float x;
        uint8_t timer;
        int32_t next, next_after;
        bool drops;
        uint8_t timer_after;
    } cases[] = {{100, 0, 3, 4, true, 20},    {0, 0, 3, 4, true, 20},      {256, 0, 9, 0, true, 20},
                 {-0.5f, 0, 3, 3, false, 20}, {256.5f, 0, 3, 3, false, 20}, {100, 7, 3, 3, false, 6}};
    for (const auto &c : cases) {
        played.clear();
        NBomb bombs[10];
        for (int i = 0; i < 10; i++)
            enemy_init(&bombs[i], ENEMY_NBOMB, make_vec2(50, 50.0f + i), 0);
        bombs[c.next].vy = 1.5f;  // still falling: taken all the same
        BigLeaf leaf;
        big_init(&leaf, BIG_LEAF, make_vec2(c.x, 100), 0);
        leaf.drop_timer = c.timer;
        int32_t next = c.next;
        boss_tick(&leaf, bombs, &next, SAMPLE_A);
        const NBomb &b = bombs[c.next];
        EXPECT_EQ(leaf.drop_timer, c.timer_after) << c.x;
        EXPECT_EQ(next, c.next_after) << c.x;
        EXPECT_EQ(b.x, c.drops ? c.x : 50) << c.x;
        EXPECT_EQ(b.y, c.drops ? 108 : 50.0f + c.next) << c.x;
        EXPECT_EQ(b.vy, c.drops ? 0 : 1.5f) << c.x;
        EXPECT_EQ(played.size(), c.drops ? 1u : 0u) << c.x;
        if (c.drops && !played.empty()) {
            EXPECT_EQ(played[0].speed, 0.75f);
        }
    }
}

void expect_falls(BigKind kind, float gravity, int row, int frame,
                  const char *name)
{
    Big rec;
    big_init(&rec, kind, make_vec2(100, 100), 1);
    rec.dead = 1;
    rec.vy = 0;
    tick(&rec);
    EXPECT_FLOAT_EQ(rec.vy, gravity) << name;
    EXPECT_FLOAT_EQ(rec.y, 100 + gravity) << name;
    EXPECT_EQ(rec.anim.row, row) << name;
    EXPECT_EQ(rec.anim.frame, frame) << name;
}

// Every kind's own speeds, worked by hand from the draws: a flap, a turn, a
// bounce and the walls, each with the roll its rules give.
Big big_at(BigKind kind, float x, float y, float vx, float vy, int32_t hp = -1)
{
    Big b;
    big_init(&b, kind, make_vec2(x, y), vx);
    b.vy = vy;
    if (hp >= 0)
        b.hp = hp;
    return b;
}

TEST_F(BossTest, EachKindsSpeedsFromItsDraws)
{
    // BigLeaf sinks by 0.025 a tick and flaps up once vy passes 2.0.
    Big leaf = big_at(BIG_LEAF, 100, 100, 0, 1.9f);
    tick(&leaf);
    EXPECT_FLOAT_EQ(leaf.vy, 1.925f);
    leaf = big_at(BIG_LEAF, 100, 100, 0, 1.98f);
    std::vector<int> r = peek_draws(3, 2);
    tick(&leaf);
    EXPECT_EQ(leaf.vy, -(float)(r[0] % 40 + 1) / 10.0f);
    // 8 pixels past the edge ahead it turns, at 1.0 to 2.9.
    leaf = big_at(BIG_LEAF, 264.5f, 100, 0.5f, 0);
    r = peek_draws(4, 2);
    tick(&leaf);
    EXPECT_EQ(leaf.anim.scale_x, -1.0f);
    EXPECT_EQ(leaf.vx, -(float)(r[0] % 20 + 10) / 10.0f);

    // BigOrb gains 0.25 a tick and comes back from past a wall at 2.0 to 5.9.
    Big orb = big_at(BIG_ORB, 100, 100, 1, 0);
    tick(&orb);
    EXPECT_FLOAT_EQ(orb.vy, 0.25f);
    orb = big_at(BIG_ORB, 257, 100, 1, 0);
    r = peek_draws(5, 2);
    tick(&orb);
    EXPECT_EQ(orb.vx, -(float)(r[0] % 40 + 20) / 10.0f);
    orb = big_at(BIG_ORB, -1, 100, -1, 0);
    r = peek_draws(6, 2);
    tick(&orb);
    EXPECT_EQ(orb.vx, (float)(r[0] % 40 + 20) / 10.0f);

    // FlyGuy starts at 1.0 to 3.9 down, bounces at 1.5 to 5.4 and leaves
    // the walls at 0.5 to 4.4.
    r = peek_draws(7, 2);
    Big guy;
    big_init(&guy, BIG_FLYGUY, make_vec2(100, 100), 1);
    EXPECT_EQ(guy.vy, (float)(r[0] % 30 + 10) / 10.0f);
    guy = big_at(BIG_FLYGUY, 100, 209, 1, 1);
    r = peek_draws(8, 2);
    tick(&guy);
    EXPECT_EQ(guy.vy, -(float)(r[0] % 40 + 15) / 10.0f);
    guy = big_at(BIG_FLYGUY, -1, 100, -1, 0);
    r = peek_draws(9, 2);
    tick(&guy);
    EXPECT_EQ(guy.vx, (float)(r[0] % 40 + 5) / 10.0f);
    guy = big_at(BIG_FLYGUY, 256, 100, 1, 0);
    r = peek_draws(10, 2);
    tick(&guy);
    EXPECT_EQ(guy.vx, -(float)(r[0] % 40 + 5) / 10.0f);

    // Spirit at scale 1: off the floor a new vx of -2.0 to 1.9 and vy of
    // 1.5 to 3.4 up; off the walls 0.5 to 4.4 right or 0.5 to 2.4 left,
    // with a new vy of -2.0 to 1.9.
    Big spirit = big_at(BIG_SPIRIT, 100, 217, 0, 1, 64);
    r = peek_draws(11, 3);
    tick(&spirit);
    EXPECT_EQ(spirit.vx, (float)(r[0] % 40) / 10.0f - 2.0f);
    EXPECT_EQ(spirit.vy, -(float)(r[1] % 20 + 15) / 10.0f);
    spirit = big_at(BIG_SPIRIT, -1, 100, -1, 0.5f, 64);
    r = peek_draws(12, 3);
    tick(&spirit);
    EXPECT_EQ(spirit.vx, (float)(r[0] % 40 + 5) / 10.0f);
    EXPECT_EQ(spirit.vy, (float)(r[1] % 40) / 10.0f - 2.0f);
    spirit = big_at(BIG_SPIRIT, 256, 100, 1, 0.5f, 64);
    r = peek_draws(13, 3);
    tick(&spirit);
    EXPECT_EQ(spirit.vx, -(float)(r[0] % 20 + 5) / 10.0f);
    EXPECT_EQ(spirit.vy, (float)(r[1] % 40) / 10.0f - 2.0f);

    // FBoss leaves the right wall at 1.0 to 4.9, its vy scaled by 0.5 to 1.99.
    Big fboss = big_at(BIG_FBOSS, 256, 100, 1, 1);
    r = peek_draws(14, 3);
    tick(&fboss);
    EXPECT_EQ(fboss.vx, -(float)(r[0] % 40 + 10) / 10.0f);
    EXPECT_EQ(fboss.vy, 1.0f * ((float)(r[1] % 150 + 50) / 100.0f));
}

// The stage-1 boss's first bomb falls on its 41st tick over the field.
TEST_F(BossTest, BigLeafsFirstBombAfterFortyTicks)
{
    NBomb bombs[BOSS_CHILD_SLOTS];
    for (NBomb &b : bombs)
        enemy_init(&b, ENEMY_NBOMB, make_vec2(-50, -50), 0);
    int32_t next = 0;
    Big leaf = big_at(BIG_LEAF, 100, 100, 0, 0);
    int ticks = 0;
    while (next == 0 && ticks < 100) {
        leaf.vy = 0;
        boss_tick(&leaf, bombs, &next, nullptr);
        ticks++;
    }
    EXPECT_EQ(ticks, 41);
}

TEST_F(BossTest, DeadOnesFallWithTheirGravityAndDyingFrame)
{
    expect_falls(BIG_LEAF, 0.1f, 1, 0, "BigLeaf");
    expect_falls(BIG_ORB, 0.25f, 1, 0, "BigOrb");
    expect_falls(BIG_FLYGUY, 0.25f, 1, 0, "FlyGuy");
    expect_falls(BIG_SPIRIT, 0.25f, 0, 0, "Spirit");
    expect_falls(BIG_FBOSS, 0.25f, 0, 1, "FBoss");
    EXPECT_TRUE(played.empty()) << "a dead boss makes no sound";
}

// A stage-4 member gone below 272 comes back: coin, x, speed, y, then
// FlyGuy's vy. Seeds 1 to 6 take both sides.
void expect_comes_back(BigKind kind, float left, float right, bool rolls_vy,
                       const char *name)
{
    int sides = 0;
    for (unsigned seed = 1; seed <= 6; seed++) {
        Big e;
        big_init(&e, kind, make_vec2(100, 272.5f), 1);
        e.dead = 1;
        std::vector<int> r = peek_draws(seed, 6);
        tick(&e, 1);
        bool on_left = r[0] % 2 == 1;
        float speed = (float)(r[2] % 2000 + 1000) / 1000.0f;
        sides |= on_left ? 1 : 2;
        EXPECT_EQ(e.x, on_left ? left - r[1] % 640 : r[1] % 640 + right) << name << seed;
        EXPECT_EQ(e.anim.scale_x, on_left ? 1.0f : -1.0f) << name << seed;
        EXPECT_EQ(e.vx, on_left ? speed : -speed) << name << seed;
        EXPECT_EQ(e.y, (float)(r[3] % 240 - 32)) << name << seed;
        EXPECT_EQ(e.vy, rolls_vy ? (float)(r[4] % 2000) / 1000.0f - 1.0f : 0.0f) << name;
        EXPECT_EQ((int)e.hp + e.dead, 3) << name;
        EXPECT_EQ(rand(), r[rolls_vy ? 5 : 4]) << name << ": a draw too many or too few";
    }
    EXPECT_EQ(sides, 3) << name << " came back on one side only";
}

TEST_F(BossTest, GroupMembersComeBackWithTheirDrawsInOrder)
{
    expect_comes_back(BIG_LEAF, -64, 320, false, "BigLeaf");
    expect_comes_back(BIG_ORB, -64, 320, false, "BigOrb");
    expect_comes_back(BIG_FLYGUY, -96, 360, true, "FlyGuy");
}

TEST_F(BossTest, NoComingBackForABossWithoutTheFlagOrAboveTheLine)
{
    NBomb bombs[10];
    int32_t next = 0;
    BigLeaf a, b, c;
    big_init(&a, BIG_LEAF, make_vec2(100, 273), 1);
    big_init(&b, BIG_LEAF, make_vec2(100, 273), 1);
    big_init(&c, BIG_LEAF, make_vec2(100, 271.8f), 1);
    a.dead = b.dead = c.dead = 1;
    a.vy = b.vy = c.vy = 0;
    int r0 = peek_draws(4, 1)[0];
    const BossGear bombs_only = {bombs, &next, nullptr, nullptr};
    big_update(&a, 1, &bombs_only);  // a boss: it has bombs
    tick(&b, 0);
    tick(&c, 1);  // falls to 271.9 only
    EXPECT_EQ(a.dead + b.dead + c.dead, 3);
    EXPECT_EQ(rand(), r0);
}

TEST_F(BossTest, BigOrbThrowsOnlyIntoADeadSlotButAlwaysAdvances)
{
    const struct {
        float x;
        uint8_t slot_dead;
        bool throws;
        int32_t next_after;
    } cases[] = {{100, 1, true, 6}, {100, 0, false, 6}, {299, 1, false, 5}};
    for (const auto &c : cases) {
        Orb orbs[10];
        for (Orb &o : orbs)
            enemy_init(&o, ENEMY_ORB, make_vec2(40, 40), 3);
        orbs[5].dead = c.slot_dead;
        BigOrb big;
        big_init(&big, BIG_ORB, make_vec2(c.x, 207.9f), -1);
        big.vy = 1;
        int32_t next = 5;
        std::vector<int> r = peek_draws(2, 3);
        boss_tick(&big, orbs, &next, nullptr);
        EXPECT_EQ(big.y, 208);
        EXPECT_EQ(big.vy, -(float)(r[0] % 600 + 400) / 100.0f);
        EXPECT_EQ(next, c.next_after) << c.x;
        EXPECT_EQ(orbs[5].x, c.throws ? c.x - 1 : 40) << c.x;
        EXPECT_EQ(orbs[5].y, c.throws ? 216 : 40) << c.x;
        EXPECT_EQ(orbs[5].vx, c.throws ? (float)(r[1] % 400 + 200) / 100.0f - 2.0f : 3) << c.x;
        EXPECT_EQ(rand(), r[c.throws ? 2 : 1]) << c.x;
    }
}

// Hits at the centre until the award, one more hit in the same tick, the
// update that kills, then a shot that must pass through.
template <typename T>
void expect_killed(T *rec, int hits, int32_t base, int kill_level,
                   void (*hit)(T *, Shot *, int32_t *, int32_t *, int32_t *), const char *name)
{
    int32_t score = 0, combo = 2, timer = 5;
    for (int i = 1; i <= hits; i++) {
        Shot s = live_shot(rec->x, rec->y);
        hit(rec, &s, &score, &combo, &timer);
        ASSERT_EQ(s.live, 0) << name << " hit " << i;
        ASSERT_EQ(score, i < hits ? 0 : base * 3) << name << " hit " << i;
    }
    EXPECT_EQ(combo, 3) << name;
    EXPECT_EQ(timer, 60) << name;
    Shot again = live_shot(rec->x, rec->y);
    hit(rec, &again, &score, &combo, &timer);
    EXPECT_EQ(again.live, 0) << name << ": still alive until its update";
    EXPECT_EQ(score, base * 3) << name << ": a second award";
    EXPECT_LE((int)rec->hp, kill_level) << name << ": hp wrapped";
    tick(rec);
    EXPECT_EQ(rec->dead, 1) << name;
    Shot late = live_shot(rec->x, rec->y);
    hit(rec, &late, &score, &combo, &timer);
    EXPECT_EQ(late.live, 1) << name << ": a dead boss stops shots";
}

TEST_F(BossTest, KilledOnTheLastHitWithOneAwardAndNoWrap)
{
    BigLeaf leaf, leaf4;
    BigOrb orb, orb4;
    FlyGuy guy;
    Spirit spirit;
    FBoss fboss;
    big_init(&leaf, BIG_LEAF, make_vec2(100, 100), 0);
    big_init(&leaf4, BIG_LEAF, make_vec2(100, 100), 0);
    big_init(&orb, BIG_ORB, make_vec2(100, 100), 0);
    big_init(&orb4, BIG_ORB, make_vec2(100, 100), 0);
    big_init(&guy, BIG_FLYGUY, make_vec2(100, 100), 0);
    big_init(&spirit, BIG_SPIRIT, make_vec2(100, 100), 0);
    big_init(&fboss, BIG_FBOSS, make_vec2(100, 100), 0);
    leaf4.hp = orb4.hp = 3;
    expect_killed(&leaf, 30, 1000, 0, big_hit_by_shot, "BigLeaf");
    expect_killed(&leaf4, 3, 1000, 0, big_hit_by_shot, "stage-4 BigLeaf");
    expect_killed(&orb, 60, 2000, 0, big_hit_by_shot, "BigOrb");
    expect_killed(&orb4, 3, 2000, 0, big_hit_by_shot, "stage-4 BigOrb");
    expect_killed(&guy, 75, 3000, 0, big_hit_by_shot, "FlyGuy");
    expect_killed(&spirit, 112, 4000, 16, big_hit_by_shot, "Spirit");
    expect_killed(&fboss, 239, 1000000, 16, big_hit_by_shot, "FBoss");
    EXPECT_EQ(orb.hp, 0);
}

// Shot and player boxes of every type: shot half 2, player half 4 (8 against
// BigLeaf), BigOrb round against shots, Spirit and FBoss scaled at the test.
TEST_F(BossTest, BoxesAgainstShotsAndThePlayer)
{
    enum Kind { LEAF, ORB, GUY, SPIRIT, FBOSS };
    const struct {
        Kind kind;
        float size, dx, dy;  // size: Spirit's hp, FBoss's body_scale
        bool shot_hits, touches;
    } cases[] = {
        {LEAF, 0, 13.9f, 0, true, true},       {LEAF, 0, 14, 19.9f, false, true},
        {LEAF, 0, 20, 0, false, false},        {ORB, 0, 31.9f, 0, true, false},
        {ORB, 0, 22.5f, 22.5f, true, false},   {ORB, 0, 22.7f, 22.7f, false, false},
        {ORB, 0, 0, 19.9f, true, true},        {GUY, 0, 17.9f, 17.9f, true, true},
        {GUY, 0, 18, 19.9f, false, true},        {SPIRIT, 128, 49.9f, 0, true, true},
        {SPIRIT, 128, 50, 51.9f, false, true}, {SPIRIT, 64, 25.9f, 0, true, true},
        {SPIRIT, 64, 26, 28, false, false},    {FBOSS, 1, 31.9f, 0, true, true},
        {FBOSS, 1, 33.9f, 0, true, false},     {FBOSS, 0.5f, 17.9f, 0, true, true},
        {FBOSS, 0.5f, 18, 18, false, false},
    };
    for (const auto &c : cases) {
        BigLeaf leaf;
        BigOrb orb;
        FlyGuy guy;
        Spirit spirit;
        FBoss fboss;
        big_init(&leaf, BIG_LEAF, make_vec2(100, 100), 0);
        big_init(&orb, BIG_ORB, make_vec2(100, 100), 0);
        big_init(&guy, BIG_FLYGUY, make_vec2(100, 100), 0);
        big_init(&spirit, BIG_SPIRIT, make_vec2(100, 100), 0);
        big_init(&fboss, BIG_FBOSS, make_vec2(100, 100), 0);
        spirit.hp = (int32_t)c.size;
        fboss.body_scale = c.size;
        Shot s = live_shot(100 + c.dx, 100 + c.dy);
        Player p = player_at(100 + c.dx, 100 + c.dy);
        int32_t score = 0, combo = 0, timer = 0, health = 5;
        // The touch first: a hit would shrink Spirit.
        switch (c.kind) {
        case LEAF:
            big_touch_player(&leaf, &p, &health);
            big_hit_by_shot(&leaf, &s, &score, &combo, &timer);
            break;
        case ORB:
            big_touch_player(&orb, &p, &health);
            big_hit_by_shot(&orb, &s, &score, &combo, &timer);
            break;
        case GUY:
            big_touch_player(&guy, &p, &health);
            big_hit_by_shot(&guy, &s, &score, &combo, &timer);
            break;
        case SPIRIT:
            big_touch_player(&spirit, &p, &health);
            big_hit_by_shot(&spirit, &s, &score, &combo, &timer);
            break;
        case FBOSS:
            big_touch_player(&fboss, &p, &health);
            big_hit_by_shot(&fboss, &s, &score, &combo, &timer);
            break;
        }
        EXPECT_EQ(s.live == 0, c.shot_hits) << "kind " << c.kind << " at " << c.dx << ", " << c.dy;
        EXPECT_EQ(health, c.touches ? 4 : 5) << "kind " << c.kind << " at " << c.dx << ", " << c.dy;
    }
}

TEST_F(BossTest, FlyGuySpitsOnFrameElevenOnlyAsABossInView)
{
    const struct {
        float vx, y;
        bool boss;
        int spits;
    } cases[] = {{1.5f, 100, true, 2}, {-1.5f, 100, true, 2}, {1.5f, -100, true, 0}, {1.5f, 100, false, 0}};
    for (const auto &c : cases) {
        Flame2 flames[10];
        for (Flame2 &f : flames)
            enemy_init(&f, ENEMY_FLAME2, make_vec2(-50, -50), 0);
        FlyGuy guy;
        big_init(&guy, BIG_FLYGUY, make_vec2(128, c.y), c.vx);
        guy.vy = 0;
        int32_t next = 9;
        int spits = 0, highest = 0;
        for (int t = 1; t <= 28; t++) {
            int32_t before = next;
            float x = guy.x;
            boss_tick(&guy, c.boss ? flames : nullptr, &next, nullptr);
            highest = std::max(highest, guy.anim.frame);
            if (next == before)
                continue;
            spits++;
            EXPECT_EQ(t, spits == 1 ? 12 : 28) << c.vx;
            EXPECT_EQ(flames[before].x, x);
            EXPECT_EQ(flames[before].vx, 2 * c.vx);
            EXPECT_EQ(flames[before].anim.scale_x, c.vx > 0 ? 1.0f : -1.0f);
        }
        EXPECT_EQ(spits, c.spits) << c.vx << " at " << c.y;
        EXPECT_EQ(highest, c.boss ? 15 : 7) << "the boss strip has 16 frames, the group's 8";
    }
}

// Spirit: scale hp / 64, speed factor 3 - scale, dead below 17.
// FBoss: speed factor 2.5 - body_scale, after this tick's pulse.
TEST_F(BossTest, ScaleSetsSizeAndSpeed)
{
    const struct {
        int32_t hp;
        float s, k;
        bool dead;
    } spirits[] = {{128, 2.0f, 1.0f, false}, {17, 0.265625f, 2.734375f, false}, {16, 0.25f, 2.75f, true}};
    for (const auto &c : spirits) {
        Spirit spirit;
        big_init(&spirit, BIG_SPIRIT, make_vec2(128, 100), 1);
        spirit.hp = c.hp;
        tick(&spirit);
        EXPECT_EQ(spirit.anim.scale_x, c.s) << c.hp;
        EXPECT_EQ(spirit.anim.scale_y, c.s) << c.hp;
        EXPECT_FLOAT_EQ(spirit.x, 128 + c.k) << c.hp;
        EXPECT_EQ(spirit.dead, c.dead) << c.hp;
    }
    const struct {
        float scale;
        uint8_t growing;
        float k;
    } fbosses[] = {{0.11f, 0, 2.4f}, {2.49f, 1, 0.0f}, {1.0f, 1, 1.49f}};
    for (const auto &c : fbosses) {
        FBoss f;
        big_init(&f, BIG_FBOSS, make_vec2(128, 100), 1);
        f.vy = 1;
        f.body_scale = c.scale;
        f.growing = c.growing;
        tick(&f);
        EXPECT_NEAR(f.x, 128 + c.k, 1e-4) << c.scale;
        EXPECT_NEAR(f.y, 100 + c.k, 1e-4) << c.scale;
        EXPECT_NEAR(f.anim.scale_x, -(2.5f - c.k), 1e-4) << "moving right mirrors it";
        EXPECT_EQ(f.top.scale_x, f.anim.scale_x);
        EXPECT_EQ(f.anim.scale_y, -f.anim.scale_x);
    }
}

// Still and silent up to y = -16; then off 60 ticks, on 60, off 90, with
// the propeller at phase 0 (timer & 3) and after the laser as it starts.
TEST_F(BossTest, FBossLaserCycleAndItsSounds)
{
    FBoss f;
    big_init(&f, BIG_FBOSS, make_vec2(128, -16), 0);
    f.vy = 0;
    for (int i = 0; i < 100; i++)
        tick(&f);
    EXPECT_TRUE(played.empty());
    EXPECT_EQ(f.cycle_timer, 60);
    f.y = -15.9f;
    std::vector<int> laser, propeller;
    for (int t = 1; t <= 210; t++) {
        played.clear();
        tick(&f);
        for (const PlayedSound &p : played)
            (p.sample == SAMPLE_A ? laser : propeller).push_back(t);
        if (t == 60 && played.size() == 2) {
            EXPECT_EQ(played[0].sample, SAMPLE_A) << "the laser before the propeller";
        }
        if (t == 119 || t == 120) {
            EXPECT_EQ(f.laser_on, t == 119) << t;
        }
    }
    EXPECT_EQ(laser, (std::vector<int>{60, 210}));
    std::vector<int> expected;
    for (int t = 4; t <= 116; t += 4)
        expected.push_back(t);
    for (int t = 122; t <= 210; t += 4)
        expected.push_back(t);
    EXPECT_EQ(propeller, expected);
}

// The new speed is rolled first, then the factor for the other speed.
TEST_F(BossTest, FBossBouncesRollSpeedThenFactor)
{
    std::vector<int> r = peek_draws(11, 3);
    FBoss floor, wall;
    big_init(&floor, BIG_FBOSS, make_vec2(128, 208.5f), 2);
    floor.vy = 1;
    tick(&floor);
    EXPECT_EQ(floor.vy, -(float)(r[0] % 40 + 10) / 10.0f);
    EXPECT_FLOAT_EQ(floor.vx, 2 * ((float)(r[1] % 150 + 50) / 100.0f));
    EXPECT_EQ(rand(), r[2]);

    r = peek_draws(12, 3);
    big_init(&wall, BIG_FBOSS, make_vec2(-1, 100), -1);
    wall.vy = 1;
    tick(&wall);
    EXPECT_EQ(wall.vx, (float)(r[0] % 40 + 10) / 10.0f);
    EXPECT_FLOAT_EQ(wall.vy, (float)(r[1] % 150 + 50) / 100.0f);
    EXPECT_EQ(rand(), r[2]);
}

TEST_F(BossTest, FBossHurtsByItsBeamBelowAndByItsBody)
{
    const struct {
        uint8_t laser, dead, hurt_before;
        float dx, dy;
        bool hurts;
    } cases[] = {
        {1, 0, 0, 0, 100, true}, {1, 0, 0, 23.9f, 40, true}, {1, 0, 0, 24, 40, false},
        {1, 0, 0, 0, 32, false}, {1, 0, 0, 0, 32.1f, true},  {1, 0, 0, 0, -100, false},
        {0, 0, 0, 0, 100, false}, {1, 1, 0, 0, 100, false},  {1, 0, 1, 0, 100, false},
    };
    for (const auto &c : cases) {
        FBoss f;
        big_init(&f, BIG_FBOSS, make_vec2(100, 80), 0);
        f.laser_on = c.laser;
        f.dead = c.dead;
        Player p = player_at(100 + c.dx, 80 + c.dy);
        p.hurt = c.hurt_before;
        int32_t health = 5;
        big_touch_player(&f, &p, &health);
        EXPECT_EQ(health, c.hurts ? 4 : 5) << "dx " << c.dx << " dy " << c.dy;
    }
}

// ---- Drawing into a memory canvas with strips of one colour per row ----

class BossDrawTest : public ActorDrawTest {
protected:
    ALLEGRO_BITMAP *canvas = nullptr;
    ALLEGRO_BITMAP *strip = nullptr;

    void SetUp() override
    {
        ActorDrawTest::SetUp();
        canvas = probe_canvas(256, 240);
    }
    void use_strip(int frame, int cols)
    {
        if (strip)
            al_destroy_bitmap(strip);
        strip = probe_strip(frame, frame, cols);
        al_clear_to_color(al_map_rgb(0x40, 0x40, 0x40));  // PROBE_BACKGROUND
    }
    uint32_t at(int x, int y) { return probe_pixel(canvas, x, y); }
    // The sprite reaches both corners left, top and right, bottom, and no
    // further sideways.
    void expect_sprite(uint32_t colour, int left, int top, int right, int bottom, const char *what)
    {
        EXPECT_EQ(at(left, top), colour) << what;
        EXPECT_EQ(at(right, bottom), colour) << what;
        EXPECT_EQ(at(left - 1, (top + bottom) / 2), PROBE_BACKGROUND) << what;
        EXPECT_EQ(at(right + 1, (top + bottom) / 2), PROBE_BACKGROUND) << what;
    }
    void TearDown() override
    {
        al_set_target_bitmap(nullptr);
        if (strip)
            al_destroy_bitmap(strip);
        al_destroy_bitmap(canvas);
        ActorDrawTest::TearDown();
    }
};

template <typename T>
void look(T *rec, float facing, uint8_t dead)
{
    rec->anim.scale_x = facing;
    rec->dead = dead;
    rec->anim.row = dead;
}

// At (100.5, 150.5) facing either way, alive and dying: the frame around the
// centre, the shadow under it on the line.
TEST_F(BossDrawTest, BigOnesCentredFacingBothWaysWithTheirShadow)
{
    for (float facing : {1.0f, -1.0f})
        for (uint8_t dead : {0, 1}) {
            BigLeaf leaf;
            BigOrb orb;
            FlyGuy guy;
            big_init(&leaf, BIG_LEAF, make_vec2(100.5f, 150.5f), 0);
            big_init(&orb, BIG_ORB, make_vec2(100.5f, 150.5f), 0);
            big_init(&guy, BIG_FLYGUY, make_vec2(100.5f, 150.5f), 0);
            look(&leaf, facing, dead), look(&orb, facing, dead), look(&guy, facing, dead);
            const char *what = dead ? (facing > 0 ? "dying right" : "dying left")
                                    : (facing > 0 ? "right" : "left");
            uint32_t colour = probe_row_colour[dead];
            use_strip(24, 6);
            big_draw(&leaf, strip);
            expect_sprite(colour, 88, 138, 111, 161, what);
            EXPECT_EQ(at(100, 224), PROBE_BLACK) << "BigLeaf " << what;
            use_strip(32, 4);
            big_draw(&orb, strip);
            expect_sprite(colour, 84, 134, 115, 165, what);
            EXPECT_EQ(at(100, 224), PROBE_BLACK) << "BigOrb " << what;
            use_strip(32, 16);
            big_draw(&guy, strip);
            expect_sprite(colour, 84, 134, 115, 165, what);
            EXPECT_EQ(at(100, 224), PROBE_BLACK) << "FlyGuy " << what;
            EXPECT_EQ(at(100, 230), PROBE_BACKGROUND) << what;
        }
}

TEST_F(BossDrawTest, SpiritDrawnAtItsScaleShadowOnlyInView)
{
    const struct {
        float y;
        uint8_t dead;
        int frame;
        bool shadow;
    } cases[] = {{120.5f, 0, 0, true}, {120.5f, 1, 0, true}, {120.5f, 1, 5, false},
                 {-16, 0, 0, false}, {-15, 0, 0, true}};
    for (const auto &c : cases) {
        use_strip(48, 6);
        Spirit s;
        big_init(&s, BIG_SPIRIT, make_vec2(128.5f, c.y), 0);
        tick(&s);  // scale 2 from hp 128
        s.x = 128.5f;
        s.y = c.y;
        s.dead = c.dead;
        s.anim.frame = c.frame;
        big_draw(&s, strip);
        EXPECT_EQ(at(128, 224) == PROBE_BLACK, c.shadow) << "y " << c.y << " frame " << c.frame;
        if (c.y > 0)
            expect_sprite(probe_row_colour[0], 80, 72, 175, 167, "Spirit at scale 2");
    }
}

// Body centred, rotor above with its hub on the centre line, the beam
// below on even timer values only; dead, it keeps only its body.
TEST_F(BossDrawTest, FBossBodyRotorBeamAndShadow)
{
    const uint32_t beam_core = 0xffd9d9u, beam_rim = 0xff0000u;
    const struct {
        float scale, facing;
        uint8_t dead, laser;
        int32_t timer;
        int rotor_x, no_rotor_x;
        bool beam;
    } cases[] = {
        {1, 1, 0, 0, 60, 170, 100, false}, {1, -1, 0, 0, 60, 85, 150, false},
        {1, 1, 0, 1, 10, 170, 100, true},  {1, 1, 0, 1, 11, 170, 100, false},
        {1, 1, 1, 0, 60, 0, 170, false},   {0.5f, 1, 0, 0, 60, 140, 110, false},
    };
    for (const auto &c : cases) {
        use_strip(64, 4);
        FBoss f;
        big_init(&f, BIG_FBOSS, make_vec2(128.5f, 100.5f), 0);
        f.body_scale = c.scale;
        f.anim.scale_x = f.top.scale_x = c.facing * c.scale;
        f.anim.scale_y = f.top.scale_y = c.scale;
        f.top.row = 1;
        f.dead = c.dead;
        f.laser_on = c.laser;
        f.cycle_timer = c.timer;
        big_draw(&f, strip);
        const char *what = c.dead ? "dead" : c.beam ? "beam" : c.scale < 1 ? "small" : "flying";
        int half = (int)(32 * c.scale);
        expect_sprite(probe_row_colour[0], 128 - half, 100 - half, 127 + half, 99 + half, what);
        if (!c.dead) {
            EXPECT_EQ(at(c.rotor_x, 100 - 50 * c.scale), probe_row_colour[1]) << what << c.facing;
        }
        EXPECT_EQ(at(c.no_rotor_x, 100 - 50 * c.scale), PROBE_BACKGROUND) << what << c.facing;
        EXPECT_EQ(at(128, 180), c.beam ? beam_core : PROBE_BACKGROUND) << what << c.timer;
        EXPECT_EQ(at(143, 180), c.beam ? beam_rim : PROBE_BACKGROUND) << what << c.timer;
        if (!c.laser) {
            EXPECT_EQ(at(128, 224), c.dead ? PROBE_BACKGROUND : PROBE_BLACK) << what;
        }
    }
}

}  // namespace
