// Thrown shots and dropped bombs.
#include "actors/shot.h"

// The flight rules of shots come with the actors' own work.
void shot_init(Shot *, Vec2, Vec2, float) {}
void shot_update(Shot *, ALLEGRO_SAMPLE *) {}
void shot_draw(const Shot *, ALLEGRO_BITMAP *) {}

void shot_end(Shot *shot)
{
    shot->live = 0;
    shot->burst = (int32_t)(shot->anim.frame_w + 2.0f);
}

bool shot_hits_box(const Shot *shot, float x, float y, float half)
{
    return shot->live &&
           boxes_overlap(x, y, half, half, shot->x, shot->y, SHOT_HALF, SHOT_HALF);
}

bool shot_strike(Shot *shot, float x, float y, float half, uint8_t dead)
{
    if (dead || !shot_hits_box(shot, x, y, half))
        return false;
    shot_end(shot);
    return true;
}
