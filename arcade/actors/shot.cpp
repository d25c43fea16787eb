// Thrown shots and dropped bombs.
#include <allegro5/allegro_primitives.h>
#include "actors/shot.h"
#include "sound/sound.h"

#define SHOT_GRAVITY 0.2f
// How far past an edge the centre goes before the shot counts as gone.
#define SHOT_EDGE_MARGIN 16.0f
#define SHOT_FLOOR_MARGIN 4.0f

// The burst starts two pixels wider than the shot.
static int32_t shot_burst_start(const Shot *shot)
{
    return (int32_t)(shot->anim.frame_w + 2.0f);
}

static bool shot_left_field(const Shot *shot)
{
    return shot->x - SHOT_EDGE_MARGIN > FIELD_W || shot->x + SHOT_EDGE_MARGIN < 0.0f ||
           shot->y - SHOT_FLOOR_MARGIN > FLOOR_Y || shot->y + SHOT_EDGE_MARGIN < 0.0f;
}

// Below the floor still counts: the burst shows at the bottom of the screen.
static bool shot_burst_in_view(const Shot *shot)
{
    return shot->x - SHOT_EDGE_MARGIN <= FIELD_W && shot->x + SHOT_EDGE_MARGIN >= 0.0f &&
           shot->y + SHOT_EDGE_MARGIN >= 0.0f;
}

void shot_init(Shot *shot, Vec2 position, Vec2 velocity, float size)
{
    float side = (float)(int)size;

    shot->x = position.x;
    shot->y = position.y;
    shot->vx = velocity.x;
    shot->vy = velocity.y;
    anim_init(&shot->anim, side, side);
    shot->live = 1;
    shot->burst = 0;
    shot->kind = side == SHOT_THROWN_SIZE ? SHOT_THROWN : SHOT_BOMB;
}

static void shot_fly(Shot *shot)
{
    anim_step(&shot->anim, 0, 0, shot->kind == SHOT_THROWN ? 3 : 2, 1);
    shot->x += shot->vx;
    shot->y += shot->vy;
    shot->vy += SHOT_GRAVITY;
    if (shot_left_field(shot))
        shot_end(shot);
}

// The burst shrinks a pixel a tick; its first tick is the sound of the hit.
static void shot_burst_tick(Shot *shot, ALLEGRO_SAMPLE *hit_sample)
{
    if (shot->burst > 0)
        shot->burst -= 1;
    if (shot->burst == shot_burst_start(shot) - 1 && shot_burst_in_view(shot))
        sound_play(hit_sample, 1.0f, 1.0f);
}

void shot_update(Shot *shot, ALLEGRO_SAMPLE *hit_sample)
{
    if (shot->live)
        shot_fly(shot);
    else
        shot_burst_tick(shot, hit_sample);
}

// Frames are square and never mirrored.
void shot_draw(const Shot *shot, ALLEGRO_BITMAP *bitmap)
{
    float half = shot->anim.frame_w / 2.0f;

    if (shot->live)
        anim_draw(&shot->anim, (int)(shot->x - half), (int)(shot->y - half), bitmap);
    else if (shot->burst >= 1)
        al_draw_filled_circle(shot->x, shot->y, (float)shot->burst, al_map_rgb(255, 255, 255));
}

void shot_end(Shot *shot)
{
    shot->live = 0;
    shot->burst = shot_burst_start(shot);
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
