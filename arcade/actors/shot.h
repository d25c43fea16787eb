// The player's thrown shots and dropped bombs.
#ifndef ARCADE_ACTORS_SHOT_H
#define ARCADE_ACTORS_SHOT_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include "actors/actor.h"

// The shot pool, owned by the game core; bombs use its first slots only.
#define SHOT_SLOTS 50
#define SHOT_HALF 2.0f
// A shot of this size is thrown; any other is a dropped bomb.
#define SHOT_THROWN_SIZE 8.0f

enum ShotKind { SHOT_THROWN, SHOT_BOMB };

struct Shot {
    float x;
    float y;
    float vx;
    float vy;
    SpriteAnim anim;  // 8x8 thrown shot, 12x12 bomb
    uint8_t live;
    int32_t burst;
    uint8_t kind;     // ShotKind, from the size at init
};

void shot_init(Shot *shot, Vec2 position, Vec2 velocity, float size);
void shot_update(Shot *shot, ALLEGRO_SAMPLE *hit_sample);
void shot_draw(const Shot *shot, ALLEGRO_BITMAP *bitmap);
// The shot stops and shows its burst, two pixels wider than itself.
void shot_end(Shot *shot);
// A live shot whose box overlaps the centred box of half-size half at (x, y).
bool shot_hits_box(const Shot *shot, float x, float y, float half);
// The common first steps of every hit_by_shot: a live shot overlapping an
// alive actor ends; true when it did (the caller then applies the hit).
bool shot_strike(Shot *shot, float x, float y, float half, uint8_t dead);

#endif
