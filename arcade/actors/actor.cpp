// The shared actor operations: sprite strips, boxes, awards, shadows.
#include <stdlib.h>
#include <allegro5/allegro_primitives.h>
#include "actors/actor.h"

Vec2 make_vec2(float x, float y)
{
    Vec2 v;
    v.x = x;
    v.y = y;
    return v;
}

void anim_init(SpriteAnim *anim, float w, float h)
{
    anim->frame_w = w;
    anim->frame_h = h;
    anim->frame = 0;
    anim->tick = 0;
    anim->row = 0;
    anim->scale_x = 1.0f;
    anim->scale_y = 1.0f;
}

// period 0 advances every tick, period n every (n + 1)th tick.
void anim_step(SpriteAnim *anim, int row, int first, int last, int period)
{
    anim->row = row;
    if (anim->frame < first)
        anim->frame = first;
    anim->tick += 1;
    if (anim->tick > period) {
        anim->frame += 1;
        if (anim->frame > last)
            anim->frame = first;
        anim->tick = 0;
    }
}

void anim_draw(const SpriteAnim *anim, int left, int top, ALLEGRO_BITMAP *bitmap)
{
    if (!bitmap)
        return;
    al_draw_scaled_bitmap(bitmap,
                          anim->frame_w * anim->frame, anim->frame_h * anim->row,
                          anim->frame_w, anim->frame_h,
                          left, top,
                          anim->frame_w * anim->scale_x, anim->frame_h * anim->scale_y,
                          0);
}

void strip_step(SpriteAnim *anim, const EnemyStrip *strip)
{
    anim_step(anim, strip->row, strip->first, strip->last, strip->period);
}

float roll(EnemyRoll r)
{
    if (r.range <= 0)
        return (float)r.base / r.div + r.add;
    return (float)(rand() % r.range + r.base) / r.div + r.add;
}

float side_x(bool left, float left_edge, float right_edge)
{
    if (left)
        return left_edge - (float)(rand() % 640);
    return (float)(rand() % 640) + right_edge;
}

void side_return(float left_edge, float right_edge, EnemyRoll speed, float *x, float *y,
                 float *vx, float *vy, SpriteAnim *anim)
{
    bool left = rand() % 2 == 1;

    *x = side_x(left, left_edge, right_edge);
    anim->scale_x = left ? 1.0f : -1.0f;
    *vx = left ? roll(speed) : -roll(speed);
    *y = (float)(rand() % 240 - 32);
    *vy = 0.0f;
}

int32_t ring_slot(int32_t index, int32_t slots)
{
    return index >= 0 && index < slots ? index : 0;
}

bool boxes_overlap(float ax, float ay, float ahw, float ahh,
                   float bx, float by, float bhw, float bhh)
{
    return ax - ahw < bx + bhw && bx - bhw < ax + ahw &&
           ay - ahh < by + bhh && by - bhh < ay + ahh;
}

// The score stops at the largest value it can hold rather than wrapping
// negative; the sum and the product are taken wide so neither can overflow.
void award_kill(int32_t base, int32_t *score, int32_t *combo, int32_t *combo_timer)
{
    int64_t total = (int64_t)*score + (int64_t)base * ((int64_t)*combo + 1);

    *score = total > INT32_MAX ? INT32_MAX : (int32_t)total;
    if (*combo < INT32_MAX)
        *combo += 1;
    *combo_timer = COMBO_TICKS;
}

void sprite_place(const SpriteAnim *anim, float x, float y, float half,
                  int *left, int *top)
{
    if (anim->scale_x == 1.0f)
        *left = (int)(x - half);
    else
        *left = (int)(x + half);
    *top = (int)(y - half);
}

void sprite_draw(const SpriteAnim *anim, float x, float y, float half,
                 ALLEGRO_BITMAP *bitmap)
{
    int left;
    int top;

    sprite_place(anim, x, y, half, &left, &top);
    anim_draw(anim, left, top, bitmap);
}

// The radii on the line are scaled first, then shrink with the height.
void shadow_radii(float y, const EnemyShadow *shadow, float scale, float *rx, float *ry)
{
    float d = SHADOW_Y - y;

    *rx = shadow->rx0 * scale - d / shadow->rx_div;
    *ry = shadow->ry0 * scale - d / shadow->ry_div;
}

void shadow_draw(float x, float y, const EnemyShadow *shadow)
{
    float rx;
    float ry;

    shadow_radii(y, shadow, 1.0f, &rx, &ry);
    shadow_fill(x, rx, ry);
}

void shadow_fill(float x, float rx, float ry)
{
    al_draw_filled_ellipse(x, SHADOW_Y, rx, ry, al_map_rgb(0, 0, 0));
}
