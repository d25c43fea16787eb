// The display attempts and the sound seam.
#include <gtest/gtest.h>
#include "core/platform.h"
#include "sound/sound.h"

namespace {

TEST(DisplayAttempts, MonitorSizeFirstThenTheFixedModes)
{
    DisplayAttempt a[DISPLAY_ATTEMPTS_MAX];
    int count = 0;
    display_attempts_fill(true, 1920, 1080, a, &count);
    ASSERT_EQ(count, 4);
    const DisplayAttempt expected[] = {
        {ALLEGRO_FULLSCREEN, 1920, 1080},
        {ALLEGRO_FULLSCREEN_WINDOW, 1920, 1080},
        {ALLEGRO_FULLSCREEN, 640, 480},
        {ALLEGRO_WINDOWED, 512, 480},
    };
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(a[i].flags, expected[i].flags) << i;
        EXPECT_EQ(a[i].w, expected[i].w) << i;
        EXPECT_EQ(a[i].h, expected[i].h) << i;
    }
}

TEST(DisplayAttempts, NoAdapterTriesA1280By960WindowFirst)
{
    DisplayAttempt a[DISPLAY_ATTEMPTS_MAX];
    int count = 0;
    display_attempts_fill(false, 0, 0, a, &count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(a[0].flags, ALLEGRO_FULLSCREEN_WINDOW);
    EXPECT_EQ(a[0].w, 1280);
    EXPECT_EQ(a[0].h, 960);
    EXPECT_EQ(a[1].flags, ALLEGRO_FULLSCREEN);
    EXPECT_EQ(a[1].w, 640);
    EXPECT_EQ(a[2].flags, ALLEGRO_WINDOWED);
    EXPECT_EQ(a[2].w, 512);
    EXPECT_EQ(a[2].h, 480);
}

int hook_calls;
float hook_gain;
float hook_speed;
ALLEGRO_SAMPLE *hook_sample;

void count_sound(ALLEGRO_SAMPLE *s, float gain, float speed)
{
    hook_calls++;
    hook_sample = s;
    hook_gain = gain;
    hook_speed = speed;
}

TEST(SoundPlay, GoesToTheListenerWithItsGainAndSpeed)
{
    char fake;
    sound_hook = count_sound;
    sound_play(reinterpret_cast<ALLEGRO_SAMPLE *>(&fake), 1.5f, 0.75f);
    sound_hook = nullptr;
    EXPECT_EQ(hook_calls, 1);
    EXPECT_EQ(hook_sample, reinterpret_cast<ALLEGRO_SAMPLE *>(&fake));
    EXPECT_FLOAT_EQ(hook_gain, 1.5f);
    EXPECT_FLOAT_EQ(hook_speed, 0.75f);
}

}  // namespace
