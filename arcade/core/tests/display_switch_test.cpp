// The switch between full screen and the window on a real (private) display
// of 1024 x 768: sizes, place, flags, and the pictures carried over.
#include <gtest/gtest.h>
#include <allegro5/allegro.h>
#include <string>
#include "core/display_mode.h"
#include "core/game.h"

namespace {

bool pixel_is(ALLEGRO_BITMAP *bitmap, int x, int y, unsigned char r, unsigned char g,
              unsigned char b)
{
    unsigned char pr, pg, pb;
    al_unmap_rgb(al_get_pixel(bitmap, x, y), &pr, &pg, &pb);
    return pr == r && pg == g && pb == b;
}

bool video_bitmap(ALLEGRO_BITMAP *bitmap)
{
    return (al_get_bitmap_flags(bitmap) & ALLEGRO_MEMORY_BITMAP) == 0;
}

// Each of the four displays start-up may open, as the game starts with it.
struct Opened {
    int flags;
    int w;
    int h;
};

class DisplaySwitchTest : public ::testing::TestWithParam<Opened> {};

TEST_P(DisplaySwitchTest, WindowOfTheLargestMultipleAndBackWithThePicturesKept)
{
    const Opened start = GetParam();
    ASSERT_TRUE(al_init());
    al_set_new_display_flags(start.flags);
    display = al_create_display(start.w, start.h);
    if (!display)
        GTEST_SKIP() << "this X server refuses that mode";
    const int full_flags = al_get_display_flags(display) &
                           (ALLEGRO_FULLSCREEN | ALLEGRO_FULLSCREEN_WINDOW | ALLEGRO_WINDOWED);
    const int full_w = al_get_display_width(display);
    const int full_h = al_get_display_height(display);
    display_mode_remember();
    event_queue = al_create_event_queue();
    ASSERT_NE(event_queue, nullptr);
    al_register_event_source(event_queue, al_get_display_event_source(display));
    canvas = al_create_bitmap(CANVAS_W, CANVAS_H);
    ASSERT_NE(canvas, nullptr);
    al_set_target_bitmap(canvas);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    al_put_pixel(17, 33, al_map_rgb(250, 10, 20));

    for (int round = 0; round < 3; round++) {
        display_switch();
        ASSERT_NE(display, nullptr);
        EXPECT_TRUE(display_windowed);
        // No window manager here: the work area is the whole 1024 x 768
        // screen, and 3 x 256 by 3 x 240 is the largest that fits. (Its
        // place, centred, is checked from outside by the end-to-end run.)
        EXPECT_EQ(al_get_display_width(display), 768);
        EXPECT_EQ(al_get_display_height(display), 720);
        EXPECT_NE(al_get_display_flags(display) & ALLEGRO_RESIZABLE, 0);
        EXPECT_EQ(al_get_display_flags(display) & (ALLEGRO_FULLSCREEN | ALLEGRO_FULLSCREEN_WINDOW), 0);
        EXPECT_TRUE(al_is_event_source_registered(event_queue, al_get_display_event_source(display)));
        EXPECT_TRUE(video_bitmap(canvas));
        EXPECT_TRUE(pixel_is(canvas, 17, 33, 250, 10, 20));

        display_switch();
        ASSERT_NE(display, nullptr);
        EXPECT_FALSE(display_windowed);
        EXPECT_EQ(al_get_display_flags(display) &
                      (ALLEGRO_FULLSCREEN | ALLEGRO_FULLSCREEN_WINDOW | ALLEGRO_WINDOWED),
                  full_flags);
        EXPECT_EQ(al_get_display_width(display), full_w);
        EXPECT_EQ(al_get_display_height(display), full_h);
        EXPECT_TRUE(al_is_event_source_registered(event_queue, al_get_display_event_source(display)));
        EXPECT_TRUE(video_bitmap(canvas));
        EXPECT_TRUE(pixel_is(canvas, 17, 33, 250, 10, 20));
    }

    al_destroy_bitmap(canvas);
    canvas = nullptr;
    al_destroy_event_queue(event_queue);
    event_queue = nullptr;
    al_destroy_display(display);
    display = nullptr;
}

INSTANTIATE_TEST_SUITE_P(StartUpAttempts, DisplaySwitchTest,
                         ::testing::Values(Opened{ALLEGRO_FULLSCREEN, 1024, 768},
                                           Opened{ALLEGRO_FULLSCREEN_WINDOW, 1024, 768},
                                           Opened{ALLEGRO_FULLSCREEN, 640, 480},
                                           Opened{ALLEGRO_WINDOWED, 512, 480}),
                         [](const ::testing::TestParamInfo<Opened> &info) {
                             const char *kind = info.param.flags == ALLEGRO_FULLSCREEN ? "Exclusive"
                                                : info.param.flags == ALLEGRO_WINDOWED ? "Window"
                                                                                       : "FullScreenWindow";
                             return std::string(kind) + std::to_string(info.param.w);
                         });

}  // namespace
