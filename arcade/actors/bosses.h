// The big enemies and the five stage bosses.
#ifndef ARCADE_ACTORS_BOSSES_H
#define ARCADE_ACTORS_BOSSES_H

#include <stdint.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include "actors/actor.h"
#include "actors/shot.h"
#include "actors/player.h"
#include "actors/enemies.h"

struct BigLeaf {
    float x;
    float y;
    SpriteAnim anim;  // 24x24
    float vy;
    float vx;
    int32_t hp;
    uint8_t drop_timer;
    uint8_t dead;
};

struct BigOrb {
    float x;
    float y;
    SpriteAnim anim;  // 32x32
    float vy;
    float vx;
    uint8_t hp;
    uint8_t dead;
};

struct FlyGuy {
    float x;
    float y;
    SpriteAnim anim;  // 32x32
    float vy;
    float vx;
    int32_t hp;
    uint8_t dead;
};

struct Spirit {
    float x;
    float y;
    SpriteAnim anim;  // 48x48
    float vy;
    float vx;
    int32_t hp;
    uint8_t dead;
};

struct FBoss {
    float x;
    float y;
    SpriteAnim anim;  // 64x64 body
    SpriteAnim top;   // 64x64 spinning top
    float vy;
    float vx;
    float body_scale;
    int32_t hp;
    int32_t cycle_timer;
    uint8_t dead;
    uint8_t growing;
    uint8_t laser_on;
};

void bigleaf_init(BigLeaf *rec, Vec2 position, float speed);
void bigleaf_draw(const BigLeaf *rec, ALLEGRO_BITMAP *bitmap);
void bigleaf_hit_by_shot(BigLeaf *rec, Shot *shot, int32_t *score, int32_t *combo,
                         int32_t *combo_timer);
void bigleaf_touch_player(const BigLeaf *rec, Player *player, int32_t *health);

void bigorb_init(BigOrb *rec, Vec2 position, float speed);
void bigorb_draw(const BigOrb *rec, ALLEGRO_BITMAP *bitmap);
void bigorb_hit_by_shot(BigOrb *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer);
void bigorb_touch_player(const BigOrb *rec, Player *player, int32_t *health);

void flyguy_init(FlyGuy *rec, Vec2 position, float speed);
void flyguy_draw(const FlyGuy *rec, ALLEGRO_BITMAP *bitmap);
void flyguy_hit_by_shot(FlyGuy *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer);
void flyguy_touch_player(const FlyGuy *rec, Player *player, int32_t *health);

void spirit_init(Spirit *rec, Vec2 position, float speed);
void spirit_draw(const Spirit *rec, ALLEGRO_BITMAP *bitmap);
void spirit_hit_by_shot(Spirit *rec, Shot *shot, int32_t *score, int32_t *combo,
                        int32_t *combo_timer);
void spirit_touch_player(const Spirit *rec, Player *player, int32_t *health);

void fboss_init(FBoss *rec, Vec2 position, float speed);
void fboss_draw(const FBoss *rec, ALLEGRO_BITMAP *bitmap);
void fboss_hit_by_shot(FBoss *rec, Shot *shot, int32_t *score, int32_t *combo,
                       int32_t *combo_timer);
void fboss_touch_player(const FBoss *rec, Player *player, int32_t *health);


// Whether a big actor of this row casts its shadow from height y at the
// given scale, and the shadow's radii; whether it is drawn at x.
bool big_shadow_radii(const BigInfo *info, float y, float scale, float *rx, float *ry);
bool big_in_view(const BigInfo *info, float x);

// Child arrays are null for the stage-4 group members: then nothing spawns.
void bigleaf_update(BigLeaf *rec, NBomb *bombs, int32_t *next_child,
                    ALLEGRO_SAMPLE *drop_sample, uint8_t respawn);
void bigorb_update(BigOrb *rec, uint8_t respawn, Orb *orbs, int32_t *next_child);
void flyguy_update(FlyGuy *rec, Flame2 *flames, int32_t *next_child, uint8_t respawn);
void spirit_update(Spirit *rec, Flame2 *flames, int32_t *next_child, uint8_t respawn);
void fboss_update(FBoss *rec, ALLEGRO_SAMPLE *laser_sample,
                  ALLEGRO_SAMPLE *propeller_sample, uint8_t respawn);

#endif
