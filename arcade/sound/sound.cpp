// The one way the game plays a sound.
#include "sound/sound.h"

SoundHook sound_hook;

void sound_play(ALLEGRO_SAMPLE *sample, float gain, float speed)
{
    if (sound_hook) {
        sound_hook(sample, gain, speed);
        return;
    }
    if (sample)
        al_play_sample(sample, gain, 0.0f, speed, ALLEGRO_PLAYMODE_ONCE, NULL);
}
