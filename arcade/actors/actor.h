// What every actor shares: positions, the sprite strip, box tests, awards.
#ifndef ARCADE_ACTORS_ACTOR_H
#define ARCADE_ACTORS_ACTOR_H

#include <math.h>
#include <stdint.h>
#include <allegro5/allegro.h>

// Lines of the play field that actor code uses.
#define FLOOR_Y 216.0f
#define SHADOW_Y 224.0f
#define RESPAWN_LINE_Y 248.0f
#define BIG_RESPAWN_LINE_Y 272.0f
#define BOSS_GONE_Y 304.0f
#define FIELD_W 256.0f
#define COMBO_TICKS 60
#define HURT_TICKS 60

struct Vec2 {
    float x;
    float y;
};

Vec2 make_vec2(float x, float y);

struct SpriteAnim {
    float frame_w;
    float frame_h;
    int frame;
    int tick;
    int row;
    float scale_x;
    float scale_y;
};

void anim_init(SpriteAnim *anim, float w, float h);
void anim_step(SpriteAnim *anim, int row, int first, int last, int period);
void anim_draw(const SpriteAnim *anim, int left, int top, ALLEGRO_BITMAP *bitmap);

// A strip for anim_step.
struct EnemyStrip {
    int row;
    int first;
    int last;
    int period;
};

void strip_step(SpriteAnim *anim, const EnemyStrip *strip);

// A roll of (rand() % range + base) / div + add; range 0 draws nothing:
// base / div + add.
struct EnemyRoll {
    int32_t range;
    int32_t base;
    float div;
    float add = 0.0f;
};

float roll(EnemyRoll r);

// The slot a pool's next-slot index names, or slot 0 once it has left the
// pool's `slots`: every ring of slots wraps this way.
int32_t ring_slot(int32_t index, int32_t slots);

// Centred boxes; edges that only touch do not overlap.
bool boxes_overlap(float ax, float ay, float ahw, float ahh,
                   float bx, float by, float bhw, float bhh);

// A kill: base times the chain so far, then the chain grows and restarts its clock.
void award_kill(int32_t base, int32_t *score, int32_t *combo, int32_t *combo_timer);

// Sprite corner for a frame of half-size half centred on (x, y): mirrored
// frames are drawn leftwards from their corner, so they start at x + half.
void sprite_place(const SpriteAnim *anim, float x, float y, float half,
                  int *left, int *top);
void sprite_draw(const SpriteAnim *anim, float x, float y, float half,
                 ALLEGRO_BITMAP *bitmap);

// A shadow on the shadow line: radii rx0 and ry0 there, shrinking by the
// height above it over rx_div and ry_div; none at or above `top`.
struct EnemyShadow {
    float top;     // none at or above this line
    float rx0;     // horizontal radius on the line
    float rx_div;  // the height over this is taken off rx0
    float ry0;     // vertical radius on the line
    float ry_div;  // the height over this is taken off ry0
};

// Every 16-pixel actor's shadow; the falling types show theirs only once
// they are nearly in view.
constexpr EnemyShadow SMALL_SHADOW = {-HUGE_VALF, 8.0f, 75.0f, 3.0f, 150.0f};
constexpr EnemyShadow SMALL_SHADOW_IN_VIEW = {-16.0f, 8.0f, 75.0f, 3.0f, 150.0f};

void shadow_radii(float y, const EnemyShadow *shadow, float scale, float *rx, float *ry);
// Whatever the height (the caller knows whether it is shown).
void shadow_draw(float x, float y, const EnemyShadow *shadow);
void shadow_fill(float x, float rx, float ry);

// Beside the field, one draw: on the left at left_edge - rand() % 640, or
// on the right at rand() % 640 + right_edge.
float side_x(bool left, float left_edge, float right_edge);
// A gone actor back beside the field, facing in: a coin toss (heads: left)
// picks the side, then x, a speed rolled from `speed`, and y =
// rand() % 240 - 32; vy is 0.
void side_return(float left_edge, float right_edge, EnemyRoll speed, float *x, float *y,
                 float *vx, float *vy, SpriteAnim *anim);

#endif
