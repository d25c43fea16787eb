// Shared by the actor tests: a sound recorder behind the game's sound seam,
// fake samples that tell which sound played, and Allegro without a display
// for drawing into memory bitmaps.
#ifndef ARCADE_ACTORS_TESTS_ACTOR_FIXTURE_H
#define ARCADE_ACTORS_TESTS_ACTOR_FIXTURE_H

#include <stdlib.h>
#include <vector>
#include <gtest/gtest.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>
#include "sound/sound.h"

struct PlayedSound {
    ALLEGRO_SAMPLE *sample;
    float gain;
    float speed;
};

inline std::vector<PlayedSound> played;

inline void record_sound(ALLEGRO_SAMPLE *sample, float gain, float speed)
{
    played.push_back({sample, gain, speed});
}

// Stand-ins for samples: only their addresses matter to the recorder.
inline char fake_sample_bytes[4];
inline ALLEGRO_SAMPLE *const SAMPLE_A = reinterpret_cast<ALLEGRO_SAMPLE *>(&fake_sample_bytes[0]);
inline ALLEGRO_SAMPLE *const SAMPLE_B = reinterpret_cast<ALLEGRO_SAMPLE *>(&fake_sample_bytes[1]);

// Every actor test starts with an empty recorder and a known random sequence.
class ActorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        played.clear();
        sound_hook = record_sound;
        srand(1);
    }
    void TearDown() override { sound_hook = nullptr; }
};

// Drawing tests: memory bitmaps, no display.
class ActorDrawTest : public ActorTest {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(al_init());
        ASSERT_TRUE(al_init_primitives_addon());
        al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    }
};

#endif
