// The hero with the propeller pack, and the puffs of its exhaust.
#ifndef ARCADE_ACTORS_PLAYER_H
#define ARCADE_ACTORS_PLAYER_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include "actors/actor.h"
#include "actors/shot.h"

// The exhaust's ring of puffs, owned by the game core.
#define PUFF_SLOTS 10
#define PLAYER_HALF 4.0f
#define PLAYER_HALF_BIGLEAF 8.0f

struct Player {
    float x;
    float y;
    SpriteAnim body;       // rows 0 throwing/idle, 2 falling
    SpriteAnim propeller;  // row 1
    float vy;
    float vx;
    uint8_t throwing;
    uint8_t thrusting;
    uint8_t hurt;
    uint8_t fallen;
    int32_t puff_cooldown;
    int32_t hurt_timer;
};

struct Puff {
    float x;
    float y;
    int32_t size;
};

void player_init(Player *player, Vec2 position);
void player_update(Player *player, const bool *key_down, Puff *puffs,
                   int32_t next_puff, ALLEGRO_SAMPLE *propeller_sample,
                   ALLEGRO_SAMPLE *hurt_sample);
void player_on_key(Player *player, int keycode, Shot *shots, int32_t *next_shot,
                   int32_t stage, ALLEGRO_SAMPLE *throw_sample,
                   ALLEGRO_SAMPLE *drop_sample);
void player_draw(const Player *player, ALLEGRO_BITMAP *bitmap);

// The common contact step: a hit takes one health point and starts the blink.
void player_take_hit(Player *player, int32_t *health);
// Not blinking from a hit and not falling out.
bool player_can_be_hit(const Player *player);
// The common touch_player: an alive actor's box against the player's.
void touch_player_box(float x, float y, float half, uint8_t dead,
                      Player *player, float player_half, int32_t *health);

void puff_init(Puff *puff, Vec2 position, int32_t size);
void puff_update(Puff *puff);
void puff_draw(const Puff *puff);

#endif
