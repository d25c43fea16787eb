// Every sound of the game goes through here: fire and forget. Below the
// actors and the core, so that both can play.
#ifndef ARCADE_SOUND_SOUND_H
#define ARCADE_SOUND_SOUND_H

#include <allegro5/allegro_audio.h>

// Plays once, pan 0, no id. A missing sample or a full mixer is silence.
void sound_play(ALLEGRO_SAMPLE *sample, float gain, float speed);

// Tests listen here; when set, it is called instead of the mixer.
typedef void (*SoundHook)(ALLEGRO_SAMPLE *sample, float gain, float speed);
extern SoundHook sound_hook;

#endif
