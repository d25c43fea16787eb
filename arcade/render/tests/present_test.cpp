// Where the canvas lands on displays of every shape.
#include "canvas_fixture.h"

#include <allegro5/allegro_primitives.h>
#include "core/game.h"
#include "core/resources.h"
#include "render/render.h"

struct PresentCase {
    int display_w;
    int display_h;
    int scale;
    float x;
    float y;
};

// Only the height picks the whole factor; the offsets are halves in floating point.
static const PresentCase present_cases[] = {
    {1920, 1080, 4, 448.0f, 60.0f},
    {640, 480, 2, 64.0f, 0.0f},
    {512, 480, 2, 0.0f, 0.0f},
    {1280, 960, 4, 128.0f, 0.0f},
    {1366, 768, 3, 299.0f, 24.0f},
    {800, 600, 2, 144.0f, 60.0f},
    {257, 241, 1, 0.5f, 0.5f},
    {256, 479, 1, 0.0f, 119.5f},
    {1080, 1920, 8, -484.0f, 0.0f},   // portrait: the sides are cut
    {320, 200, 1, 32.0f, -20.0f},     // too short: factor 1, cut top and bottom
    {100, 100, 1, -78.0f, -70.0f},
    {4000, 720, 3, 1616.0f, 0.0f},    // width never raises the factor
};

TEST(Present, FactorFromHeightAndCentredCorner)
{
    for (const PresentCase &c : present_cases) {
        PresentRect rect;

        present_rect_compute(c.display_w, c.display_h, &rect);
        SCOPED_TRACE(testing::Message() << c.display_w << " x " << c.display_h);
        EXPECT_EQ(rect.scale, c.scale);
        EXPECT_FLOAT_EQ(rect.x, c.x);
        EXPECT_FLOAT_EQ(rect.y, c.y);
        EXPECT_FLOAT_EQ(rect.w, 256.0f * c.scale);
        EXPECT_FLOAT_EQ(rect.h, 240.0f * c.scale);
    }
}

class PresentDraw : public RenderTest {
protected:
    // A grey canvas with a red left column and a blue last pixel.
    void SetUp() override
    {
        RenderTest::SetUp();
        bitmap_fill(canvas, Rgb{100, 100, 100});
        al_set_target_bitmap(canvas);
        al_draw_filled_rectangle(0, 0, 1, 240, al_map_rgb(255, 0, 0));
        al_draw_filled_rectangle(255, 239, 256, 240, al_map_rgb(0, 0, 255));
    }
    ALLEGRO_BITMAP *screen_draw(int w, int h)
    {
        ALLEGRO_BITMAP *screen = al_create_bitmap(w, h);
        al_set_target_bitmap(screen);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        present_draw(canvas, w, h);
        return screen;
    }
};

static void expect_rgb_near(Rgb got, Rgb want)
{
    EXPECT_NEAR(got.r, want.r, 1) << got;
    EXPECT_NEAR(got.g, want.g, 1) << got;
    EXPECT_NEAR(got.b, want.b, 1) << got;
}

// Each canvas pixel becomes a 2 x 2 block at (64, 0). The filter is black
// shading: at a quarter of its alpha an opaque one darkens to c x 0.75.
TEST_F(PresentDraw, CanvasAndFilterLandInTheCentredRectangle)
{
    ALLEGRO_BITMAP *screen = screen_draw(640, 480);

    EXPECT_EQ(pixel_at(screen, 63, 10), BLACK);
    expect_rgb_near(pixel_at(screen, 64, 10), Rgb{191, 0, 0});
    expect_rgb_near(pixel_at(screen, 65, 10), Rgb{191, 0, 0});
    expect_rgb_near(pixel_at(screen, 66, 10), Rgb{75, 75, 75});
    expect_rgb_near(pixel_at(screen, 574, 478), Rgb{0, 0, 191});
    expect_rgb_near(pixel_at(screen, 575, 479), Rgb{0, 0, 191});
    expect_rgb_near(pixel_at(screen, 573, 479), Rgb{75, 75, 75});
    EXPECT_EQ(pixel_at(screen, 576, 479), BLACK);
    al_destroy_bitmap(screen);
}

TEST_F(PresentDraw, FullHdShowsFourByFourBlocksWithBorders)
{
    ALLEGRO_BITMAP *screen = screen_draw(1920, 1080);

    EXPECT_EQ(pixel_at(screen, 447, 500), BLACK);
    EXPECT_EQ(pixel_at(screen, 500, 59), BLACK);
    expect_rgb_near(pixel_at(screen, 448, 60), Rgb{191, 0, 0});
    expect_rgb_near(pixel_at(screen, 451, 1019), Rgb{191, 0, 0});
    expect_rgb_near(pixel_at(screen, 452, 60), Rgb{75, 75, 75});
    expect_rgb_near(pixel_at(screen, 1471, 1019), Rgb{0, 0, 191});
    EXPECT_EQ(pixel_at(screen, 1472, 1019), BLACK);
    EXPECT_EQ(pixel_at(screen, 1000, 1020), BLACK);
    al_destroy_bitmap(screen);
}

// A see-through filter leaves the canvas colours as they are.
TEST_F(PresentDraw, ClearFilterKeepsTheCanvasColours)
{
    al_set_target_bitmap(bmp_filter);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    ALLEGRO_BITMAP *screen = screen_draw(512, 480);

    EXPECT_EQ(pixel_at(screen, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixel_at(screen, 2, 0), (Rgb{100, 100, 100}));
    EXPECT_EQ(pixel_at(screen, 511, 479), (Rgb{0, 0, 255}));
    al_destroy_bitmap(screen);
}
