// Shared by the core tests: a known starting world and a sound recorder.
#ifndef ARCADE_CORE_TEST_SUPPORT_H
#define ARCADE_CORE_TEST_SUPPORT_H

#include <vector>
#include "core/game.h"
#include "core/world.h"
#include "core/input.h"
#include "core/resources.h"
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

// Distinct stand-ins for the nine samples; the recorder never plays them.
inline char fake_samples[SAMPLE_COUNT];

inline void use_fake_samples()
{
    for (int i = 0; i < SAMPLE_COUNT; i++)
        *sample_table[i].handle = reinterpret_cast<ALLEGRO_SAMPLE *>(&fake_samples[i]);
    played.clear();
    sound_hook = record_sound;
}

// The values start-up leaves: Intro, its timers and a new game.
inline void start_new_game()
{
    new_game_values();
    reset_play();
    game_state = Intro;
    next_state = Intro;
    state_timer = 60;
    fade_timer = 30;
    stage = 0;
    selected_stage = 0;
    for (bool &k : key_down)
        k = false;
}

inline void ticks(int n)
{
    for (int i = 0; i < n; i++)
        update_world();
}

inline ALLEGRO_EVENT key_event(unsigned type, int keycode)
{
    ALLEGRO_EVENT ev = {};
    ev.type = type;
    ev.keyboard.keycode = keycode;
    return ev;
}

inline bool press(int keycode)
{
    ALLEGRO_EVENT ev = key_event(ALLEGRO_EVENT_KEY_DOWN, keycode);
    return process_event(&ev);
}

#endif
