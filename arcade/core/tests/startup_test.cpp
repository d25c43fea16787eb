// Start-up on a real (private) display: the order of the steps, the boxes of
// the missing files, and what a complete start-up leaves ready.
#include <gtest/gtest.h>
#include <unistd.h>
#include <stdio.h>
#include <stdlib.h>
#include <filesystem>
#include <string>
#include <vector>
#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include "core/game.h"
#include "core/world.h"
#include "core/resources.h"
#include "core/platform.h"

namespace fs = std::filesystem;

namespace {

struct Box {
    ALLEGRO_DISPLAY *parent;
    std::string title;
    std::string heading;
    std::string text;
    bool display_open;
};

std::vector<Box> boxes;

void record_box(ALLEGRO_DISPLAY *parent, const char *title, const char *heading,
                const char *text)
{
    boxes.push_back({parent, title, heading, text, display != nullptr});
}

const char *font_source()
{
    if (fs::exists(ARCADE_FONT_FILE))
        return ARCADE_FONT_FILE;
    return "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
}

void write_wav(const fs::path &path)
{
    // 16-bit mono PCM, a few samples of silence.
    const unsigned char header[44] = {
        'R', 'I', 'F', 'F', 44, 0, 0, 0, 'W', 'A', 'V', 'E',
        'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
        0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0,
        'd', 'a', 't', 'a', 8, 0, 0, 0};
    FILE *f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(header, 1, sizeof header, f);
    const unsigned char data[8] = {0};
    fwrite(data, 1, sizeof data, f);
    fclose(f);
}

class StartUpTest : public ::testing::Test {
protected:
    fs::path old_cwd;
    fs::path root;

    void SetUp() override
    {
        boxes.clear();
        error_box_hook = record_box;
        old_cwd = fs::current_path();
        char tmpl[] = "/tmp/arcade-startup-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
    }

    void TearDown() override
    {
        shut_down();
        // What shut_down leaves to the library's exit, released here so
        // that the next start-up in this process begins afresh.
        if (timer)
            al_destroy_timer(timer);
        if (event_queue)
            al_destroy_event_queue(event_queue);
        if (bmp_filter)
            al_destroy_bitmap(bmp_filter);
        if (canvas_snapshot)
            al_destroy_bitmap(canvas_snapshot);
        if (display)
            al_destroy_display(display);
        timer = nullptr;
        event_queue = nullptr;
        bmp_filter = nullptr;
        canvas_snapshot = nullptr;
        display = nullptr;
        error_box_hook = nullptr;
        fs::current_path(old_cwd);
        fs::remove_all(root);
    }

    // A complete res/ of tiny files under the test's own folder.
    void make_resources()
    {
        ASSERT_TRUE(al_init());
        ASSERT_TRUE(al_init_image_addon());
        fs::create_directories(root / "res/fonts");
        fs::create_directories(root / "res/media/graphics");
        fs::create_directories(root / "res/media/audio");
        fs::copy_file(font_source(), root / "res/fonts/arial.ttf");
        int flags = al_get_new_bitmap_flags();
        al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
        ALLEGRO_BITMAP *pixel = al_create_bitmap(4, 4);
        al_set_new_bitmap_flags(flags);
        ASSERT_NE(pixel, nullptr);
        for (const BitmapEntry &e : bitmap_table)
            ASSERT_TRUE(al_save_bitmap((root / e.path).c_str(), pixel)) << e.path;
        al_destroy_bitmap(pixel);
        for (const SampleEntry &e : sample_table)
            write_wav(root / e.path);
    }

    void enter_root() { fs::current_path(root); }
};

TEST_F(StartUpTest, WorkingFolderElsewhereFailsAtTheFontOverTheDisplay)
{
    enter_root();
    EXPECT_EQ(start_up(), -1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].parent, nullptr);
    EXPECT_EQ(boxes[0].parent, display);
    EXPECT_EQ(boxes[0].title, "Error occurred!");
    EXPECT_EQ(boxes[0].heading, "E_FONT");
    EXPECT_EQ(boxes[0].text, "Could not load font 'res/fonts/arial.ttf'!");
    EXPECT_NE(canvas, nullptr);
    EXPECT_NE(canvas_snapshot, nullptr);
    EXPECT_EQ(bmp_filter, nullptr);
    EXPECT_EQ(event_queue, nullptr);

    // Safe after the failure, and safe twice.
    shut_down();
    shut_down();
    EXPECT_EQ(canvas, nullptr);
    EXPECT_EQ(font, nullptr);
}

class MissingPictureTest : public StartUpTest,
                           public ::testing::WithParamInterface<int> {};

TEST_P(MissingPictureTest, StopsAtThatPictureWithTheDisplayClosed)
{
    const int missing = GetParam();
    make_resources();
    fs::remove(root / bitmap_table[missing].path);
    enter_root();

    EXPECT_EQ(start_up(), -1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].parent, nullptr);
    EXPECT_FALSE(boxes[0].display_open);
    EXPECT_EQ(boxes[0].title, "Error occurred! A Bitmap is missing!");
    EXPECT_EQ(boxes[0].heading, "Error E_BMP!");
    EXPECT_EQ(boxes[0].text, bitmap_table[missing].path);
    EXPECT_EQ(display, nullptr);
    for (int i = 0; i < BITMAP_COUNT; i++)
        EXPECT_EQ(*bitmap_table[i].handle != nullptr, i < missing) << bitmap_table[i].path;
    for (const SampleEntry &e : sample_table)
        EXPECT_EQ(*e.handle, nullptr) << e.path;
}

INSTANTIATE_TEST_SUITE_P(FirstMiddleLast, MissingPictureTest, ::testing::Values(0, 11, 37));

class MissingSoundTest : public StartUpTest,
                         public ::testing::WithParamInterface<int> {};

TEST_P(MissingSoundTest, StopsAtThatSoundWithTheDisplayLeftOpen)
{
    const int missing = GetParam();
    make_resources();
    fs::remove(root / sample_table[missing].path);
    enter_root();

    EXPECT_EQ(start_up(), -1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].parent, nullptr);
    EXPECT_TRUE(boxes[0].display_open);
    EXPECT_EQ(boxes[0].title, "Error E_AUDIO!");
    EXPECT_EQ(boxes[0].heading, "Error occurred! An audio file is missing!");
    EXPECT_EQ(boxes[0].text, sample_table[missing].path);
    EXPECT_NE(display, nullptr);
    for (const BitmapEntry &e : bitmap_table)
        EXPECT_NE(*e.handle, nullptr) << e.path;
    for (int i = 0; i < SAMPLE_COUNT; i++)
        EXPECT_EQ(*sample_table[i].handle != nullptr, i < missing) << sample_table[i].path;
    EXPECT_EQ(event_queue, nullptr);
}

INSTANTIATE_TEST_SUITE_P(FirstAndLast, MissingSoundTest, ::testing::Values(0, 8));

TEST_F(StartUpTest, CompleteStartUpLeavesTheGameReadyAtTheSplash)
{
    make_resources();
    enter_root();
    title_enter_count = 2;
    score = 99;

    ASSERT_EQ(start_up(), 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(game_state, Intro);
    EXPECT_EQ(state_timer, 60);
    EXPECT_EQ(fade_timer, 30);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(health, 5);
    EXPECT_EQ(title_enter_count, 0);
    EXPECT_EQ(extra_life_scores[0], 20000);

    ASSERT_NE(display, nullptr);
    EXPECT_NE(al_get_display_flags(display) & (ALLEGRO_FULLSCREEN | ALLEGRO_FULLSCREEN_WINDOW), 0);
    // The private server's screen is 1024 x 768: the monitor's own size.
    EXPECT_EQ(al_get_display_width(display), 1024);
    EXPECT_EQ(al_get_display_height(display), 768);
    EXPECT_EQ(al_get_bitmap_width(canvas), CANVAS_W);
    EXPECT_EQ(al_get_bitmap_height(canvas), CANVAS_H);
    EXPECT_EQ(al_get_bitmap_width(canvas_snapshot), CANVAS_W);
    EXPECT_EQ(al_get_bitmap_height(canvas_snapshot), CANVAS_H);
    EXPECT_NE(font, nullptr);
    for (const BitmapEntry &e : bitmap_table)
        EXPECT_NE(*e.handle, nullptr) << e.path;
    for (const SampleEntry &e : sample_table)
        EXPECT_NE(*e.handle, nullptr) << e.path;

    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(al_get_timer_started(timer));
    EXPECT_DOUBLE_EQ(al_get_timer_speed(timer), 1.0 / 30.0);
    ALLEGRO_EVENT ev;
    bool got_tick = false;
    for (int i = 0; i < 20 && !got_tick; i++)
        if (al_wait_for_event_timed(event_queue, &ev, 0.5f))
            got_tick = ev.type == ALLEGRO_EVENT_TIMER && ev.timer.source == timer;
    EXPECT_TRUE(got_tick);

    shut_down();
    for (const BitmapEntry &e : bitmap_table) {
        if (e.handle != &bmp_filter) {
            EXPECT_EQ(*e.handle, nullptr) << e.path;
        }
    }
    for (const SampleEntry &e : sample_table)
        EXPECT_EQ(*e.handle, nullptr) << e.path;
    EXPECT_EQ(canvas, nullptr);
    EXPECT_EQ(font, nullptr);
    // These go with the library's exit.
    EXPECT_NE(bmp_filter, nullptr);
    EXPECT_NE(canvas_snapshot, nullptr);
    EXPECT_NE(display, nullptr);
}

}  // namespace
