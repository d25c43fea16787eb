// The play screen's actors: each stage's groups with their own pictures,
// only within the live counts, and the boss only once it is out.
#include "canvas_fixture.h"

#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"

namespace {

struct ActorPicture {
    ALLEGRO_BITMAP **handle;
    int w, h;
    Rgb colour;
};

const ActorPicture actor_pictures[] = {
    {&bmp_leaf, 96, 32, {210, 30, 30}},   {&bmp_nbomb, 128, 32, {30, 210, 30}},
    {&bmp_nbomb2, 128, 32, {30, 30, 210}}, {&bmp_bigleaf, 144, 48, {210, 210, 30}},
    {&bmp_fboss, 128, 128, {30, 210, 210}},
};

class Play : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        for (const ActorPicture &p : actor_pictures) {
            *p.handle = al_create_bitmap(p.w, p.h);
            bitmap_fill(*p.handle, p.colour);
        }
        player.x = -100.0f;  // out of the way
    }
    void TearDown() override
    {
        RenderTest::TearDown();
        for (const ActorPicture &p : actor_pictures) {
            al_destroy_bitmap(*p.handle);
            *p.handle = NULL;
        }
    }
};

TEST_F(Play, GroupsShowOnlyTheirLiveSlotsWithTheStagesPicture)
{
    struct { int32_t stage; Enemy *group; uint8_t kind; Rgb colour; } cases[] = {
        {1, leaves, ENEMY_LEAF, actor_pictures[0].colour},
        {2, nbombs, ENEMY_NBOMB, actor_pictures[2].colour},  // stage 2 bombs look different
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stage);
        stage = c.stage;
        group1_count = 2;
        for (int i = 0; i < 3; i++) {
            c.group[i] = Enemy{40.0f + 60 * i, 100.0f, {}, 0.0f, 0.0f, 0, c.kind};
            anim_init(&c.group[i].anim, 16.0f, 16.0f);
        }
        compose(Playing);
        EXPECT_EQ(pixel_at(canvas, 40, 100), c.colour);
        EXPECT_EQ(pixel_at(canvas, 100, 100), c.colour);
        EXPECT_NE(pixel_at(canvas, 160, 100), c.colour);
    }
}

TEST_F(Play, TheBossShowsOnceItIsOutOrFromTheStartInStageFive)
{
    struct { int32_t stage; uint8_t pending; bool shown; } cases[] = {
        {1, 1, false}, {1, 0, true}, {5, 1, true},
    };
    boss_bigleaf.x = boss_fboss.x = 128.0f;
    boss_bigleaf.y = boss_fboss.y = 120.0f;
    anim_init(&boss_bigleaf.anim, 24.0f, 24.0f);
    anim_init(&boss_fboss.anim, 64.0f, 64.0f);
    boss_bigleaf.dead = boss_fboss.dead = 0;
    boss_fboss.body_scale = 1.0f;
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.stage << " " << (int)c.pending);
        stage = c.stage;
        boss_pending = c.pending;
        compose(Playing);
        Rgb boss = c.stage == 1 ? actor_pictures[3].colour : actor_pictures[4].colour;
        EXPECT_EQ(pixel_at(canvas, 128, 116) == boss, c.shown);
    }
}

}  // namespace
