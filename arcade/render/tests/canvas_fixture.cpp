#include "canvas_fixture.h"

#include <stdio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"
#include "render/render.h"

bool operator==(const Rgb &a, const Rgb &b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

std::ostream &operator<<(std::ostream &out, const Rgb &c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Rgb pixel_at(ALLEGRO_BITMAP *bitmap, int x, int y)
{
    unsigned char r, g, b;

    al_unmap_rgb(al_get_pixel(bitmap, x, y), &r, &g, &b);
    return Rgb{r, g, b};
}

void ink_find(ALLEGRO_BITMAP *bitmap, int x0, int y0, int x1, int y1,
              Rgb background, InkBox *box)
{
    *box = InkBox{1 << 20, 1 << 20, -(1 << 20), -(1 << 20), 0};
    al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int y = y0; y < y1; y++) {
        for (int x = x0; x < x1; x++) {
            if (pixel_at(bitmap, x, y) == background)
                continue;
            box->count++;
            box->left = x < box->left ? x : box->left;
            box->right = x > box->right ? x : box->right;
            box->top = y < box->top ? y : box->top;
            box->bottom = y > box->bottom ? y : box->bottom;
        }
    }
    al_unlock_bitmap(bitmap);
}

int colour_count(ALLEGRO_BITMAP *bitmap, int x0, int y0, int x1, int y1, Rgb colour)
{
    int count = 0;

    al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
            count += pixel_at(bitmap, x, y) == colour;
    al_unlock_bitmap(bitmap);
    return count;
}

void bitmap_fill(ALLEGRO_BITMAP *bitmap, Rgb colour)
{
    ALLEGRO_BITMAP *old = al_get_target_bitmap();

    al_set_target_bitmap(bitmap);
    al_clear_to_color(al_map_rgb(colour.r, colour.g, colour.b));
    al_set_target_bitmap(old);
}

bool bitmaps_equal(ALLEGRO_BITMAP *a, ALLEGRO_BITMAP *b)
{
    for (int y = 0; y < CANVAS_H; y++)
        for (int x = 0; x < CANVAS_W; x++)
            if (!(pixel_at(a, x, y) == pixel_at(b, x, y)))
                return false;
    return true;
}

static ALLEGRO_BITMAP *picture_make(int w, int h, Rgb colour)
{
    ALLEGRO_BITMAP *bitmap = al_create_bitmap(w, h);

    bitmap_fill(bitmap, colour);
    return bitmap;
}

struct StandIn {
    ALLEGRO_BITMAP **handle;
    int w;
    int h;
    Rgb colour;
};

static const StandIn stand_ins[] = {
    {&bmp_filter, FILTER_W, FILTER_H, BLACK},
    {&bmp_life, LIFE_SIZE, LIFE_SIZE, LIFE_RGB},
    {&bmp_creator, 256, 240, CREATOR_RGB},
    {&bmp_title, 256, 240, TITLE_RGB},
    {&bmp_background, 256, 192, BACKGROUND_RGB},
    {&bmp_surface, 256, 48, SURFACE_RGB},
    {&bmp_background2, 256, 192, BACKGROUND2_RGB},
    {&bmp_surface2, 256, 48, SURFACE2_RGB},
    {&bmp_background3, 256, 192, BACKGROUND3_RGB},
    {&bmp_surface3, 256, 48, SURFACE3_RGB},
    {&bmp_background4, 256, 192, BACKGROUND4_RGB},
    {&bmp_surface4, 256, 48, SURFACE4_RGB},
    {&bmp_background5, 256, 240, BACKGROUND5_RGB},
    {&bmp_clouds, 512, 16, WHITE},
    {&bmp_gameover, 256, 240, GAMEOVER_RGB},
    {&bmp_completed, 256, 240, COMPLETED_RGB},
    {&bmp_stage1_thumb, THUMB_W, THUMB_H, THUMB_RGB[0]},
    {&bmp_stage2_thumb, THUMB_W, THUMB_H, THUMB_RGB[1]},
    {&bmp_stage3_thumb, THUMB_W, THUMB_H, THUMB_RGB[2]},
    {&bmp_stage4_thumb, THUMB_W, THUMB_H, THUMB_RGB[3]},
    {&bmp_stage5_thumb, THUMB_W, THUMB_H, THUMB_RGB[4]},
};

void RenderTest::SetUpTestSuite()
{
    ASSERT_TRUE(al_init());
    ASSERT_TRUE(al_init_primitives_addon());
    ASSERT_TRUE(al_init_image_addon());
    al_init_font_addon();
    ASSERT_TRUE(al_init_ttf_addon());
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    // The game's own font, as start-up loads it.
    font = al_load_ttf_font(ARCADE_RES_DIR "/fonts/arial.ttf", FONT_SIZE, ALLEGRO_TTF_MONOCHROME);
    ASSERT_NE(font, nullptr);
    canvas = al_create_bitmap(CANVAS_W, CANVAS_H);
    canvas_snapshot = al_create_bitmap(CANVAS_W, CANVAS_H);
    ASSERT_NE(canvas, nullptr);
    ASSERT_NE(canvas_snapshot, nullptr);
}

void RenderTest::TearDownTestSuite()
{
    al_destroy_bitmap(canvas);
    al_destroy_bitmap(canvas_snapshot);
    al_destroy_font(font);
    canvas = NULL;
    canvas_snapshot = NULL;
    font = NULL;
}

static void world_values_clear(void)
{
    game_state = Intro;
    next_state = Intro;
    fade_timer = 0;
    state_timer = 0;
    stage_ticks = 0;
    stage = 1;
    selected_stage = 0;
    title_enter_count = 0;
    score = 0;
    lives = 3;
    health = 0;
    health_meter = 0;
    combo = 0;
    combo_timer = 0;
    extra_life_popup = make_vec2(-32, -32);
    group1_count = group2_count = group3_count = 0;
    boss_pending = 1;
    scroll[0] = scroll[1] = scroll[2] = 0;
    player.x = 64;
    player.y = 120;
}

void RenderTest::SetUp()
{
    for (const StandIn &s : stand_ins)
        *s.handle = picture_make(s.w, s.h, s.colour);

    // The title lets the backdrop show below its band.
    al_set_target_bitmap(bmp_title);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    al_draw_filled_rectangle(0, 0, 256, TITLE_BAND_H, al_map_rgb(TITLE_RGB.r, TITLE_RGB.g, TITLE_RGB.b));
    // The stage-5 backdrop marks its left edge, to tell its two copies apart.
    al_set_target_bitmap(bmp_background5);
    al_draw_filled_rectangle(0, 0, 4, 240,
                             al_map_rgb(BACKGROUND5_EDGE_RGB.r, BACKGROUND5_EDGE_RGB.g,
                                        BACKGROUND5_EDGE_RGB.b));
    bitmap_fill(canvas_snapshot, SNAPSHOT_RGB);
    bitmap_fill(canvas, BLACK);
    world_values_clear();
}

void RenderTest::TearDown()
{
    al_set_target_bitmap(canvas);
    for (const StandIn &s : stand_ins) {
        al_destroy_bitmap(*s.handle);
        *s.handle = NULL;
    }
}

void RenderTest::compose(int state)
{
    game_state = (GameState)state;
    frame_compose(canvas);
}
