// The player and the exhaust puffs.
#include <math.h>
#include <allegro5/allegro_primitives.h>
#include "actors/player.h"
#include "sound/sound.h"

#define PLAYER_ROW_BODY 0
#define PLAYER_ROW_PROPELLER 1
#define PLAYER_ROW_FALLING 2
#define PLAYER_FACING_LEFT 1.0f
#define PLAYER_FACING_RIGHT -1.0f

#define PLAYER_STEER_SPEED 2.0f
#define PLAYER_THRUST_UP 0.15f
#define PLAYER_THRUST_DOWN 0.08f
#define PLAYER_GRAVITY 0.04f
#define PLAYER_FALL_LIMIT 8.0f
#define PLAYER_FLOOR_BOUNCE -0.25f
#define PLAYER_CEILING_Y 18.0f
#define PLAYER_RIGHT_X 255.0f
#define PLAYER_SHADOW_LOWEST 217.0f
// A puff every third thrusting tick.
#define PUFF_COOLDOWN 3
#define PUFF_SIZE 30
#define PUFF_BELOW 4.0f

#define HURT_GAIN 1.75f
// Bombs reuse the first twenty shot slots only.
#define DROP_SLOTS 20

// Shots leave the hand 4 pixels below the centre, each one steeper.
#define HAND_BELOW 4.0f
#define THROW_SPEED 4.0f
#define BOMB_SIZE 12.0f
static const float throw_vy[3] = {-2.0f, -3.0f, -4.0f};

struct BombStart {
    float dy;
    float vx;
    float vy;
};

struct DropPattern {
    int count;
    BombStart bombs[3];
};

static const DropPattern drop_one = {1, {{4.0f, 0.0f, 0.0f}}};
static const DropPattern drop_two = {2, {{4.0f, 0.0f, 0.0f}, {4.0f, 0.0f, -1.5f}}};
static const DropPattern drop_three = {
    3, {{4.0f, -0.5f, -1.5f}, {8.0f, 0.0f, -1.0f}, {4.0f, 0.5f, -1.5f}}};

// Indexed by stage - 1. A stage outside 1..5 (0 before the first is chosen,
// 6 after the last is cleared) counts as the nearest one, for throws and
// drops alike.
static const int throws_of_stage[5] = {1, 2, 2, 3, 3};
static const DropPattern *const drops_of_stage[5] = {
    &drop_one, &drop_one, &drop_two, &drop_two, &drop_three};

static int pattern_row(int32_t stage)
{
    if (stage < 1)
        return 0;
    if (stage > 5)
        return 4;
    return stage - 1;
}

void player_init(Player *player, Vec2 position)
{
    player->x = position.x;
    player->y = position.y;
    anim_init(&player->body, 16.0f, 16.0f);
    anim_init(&player->propeller, 16.0f, 16.0f);
    player->vy = 0.0f;
    player->vx = 0.0f;
    player->throwing = 0;
    player->thrusting = 0;
    player->hurt = 0;
    player->fallen = 0;
    player->puff_cooldown = 0;
    player->hurt_timer = 0;
}

static void player_set_facing(Player *player, float facing)
{
    player->body.scale_x = facing;
    player->propeller.scale_x = facing;
}

// The hurt sound belongs to the first blinking tick only.
static void player_blink(Player *player, ALLEGRO_SAMPLE *hurt_sample)
{
    if (player->hurt_timer >= 1 && player->hurt) {
        if (player->hurt_timer == HURT_TICKS)
            sound_play(hurt_sample, HURT_GAIN, 1.0f);
        player->hurt_timer -= 1;
    } else {
        player->hurt = 0;
    }
}

// The faster the player climbs or falls, the faster the propeller spins.
static void player_spin_propeller(Player *player)
{
    int speed = (int)fabsf(player->vy);

    anim_step(&player->propeller, PLAYER_ROW_PROPELLER, 0, 3, 2 - speed / 2);
}

static void player_animate_body(Player *player)
{
    if (player->throwing) {
        anim_step(&player->body, PLAYER_ROW_BODY, 0, 2, 3);
        if (player->body.frame == 2)
            player->throwing = 0;
    } else {
        anim_step(&player->body, PLAYER_ROW_BODY, 2, 2, 1);
    }
}

static void player_steer(Player *player, const bool *key_down)
{
    if (key_down[ALLEGRO_KEY_LEFT]) {
        player_set_facing(player, PLAYER_FACING_LEFT);
        player->x -= PLAYER_STEER_SPEED;
        player->vx = -PLAYER_STEER_SPEED;
    } else if (key_down[ALLEGRO_KEY_RIGHT]) {
        player_set_facing(player, PLAYER_FACING_RIGHT);
        player->x += PLAYER_STEER_SPEED;
        player->vx = PLAYER_STEER_SPEED;
    } else {
        player->vx = 0.0f;
    }
}

static void player_emit_puff(Player *player, Puff *puffs, int32_t next_puff,
                             ALLEGRO_SAMPLE *propeller_sample)
{
    next_puff = ring_slot(next_puff, PUFF_SLOTS);
    sound_play(propeller_sample, 1.0f, 1.0f);
    player->puff_cooldown = PUFF_COOLDOWN;
    puff_init(&puffs[next_puff], make_vec2(player->x, player->y + PUFF_BELOW), PUFF_SIZE);
}

static void player_thrust(Player *player, const bool *key_down, Puff *puffs,
                          int32_t next_puff, ALLEGRO_SAMPLE *propeller_sample)
{
    if (key_down[ALLEGRO_KEY_UP]) {
        player->vy -= PLAYER_THRUST_UP;
        player->thrusting = 1;
    } else if (key_down[ALLEGRO_KEY_DOWN]) {
        player->vy += PLAYER_THRUST_DOWN;
        player->thrusting = 1;
    } else {
        player->thrusting = 0;
    }
    if (player->thrusting && player->puff_cooldown < 1)
        player_emit_puff(player, puffs, next_puff, propeller_sample);
}

// The floor gives a small bounce; the ceiling stops the climb.
static void player_keep_in_field(Player *player)
{
    if (player->y > FLOOR_Y) {
        player->y = FLOOR_Y;
        if (player->vy > 0.0f)
            player->vy *= PLAYER_FLOOR_BOUNCE;
    } else if (player->y < PLAYER_CEILING_Y) {
        player->y = PLAYER_CEILING_Y;
        player->vy = 0.0f;
    }
    if (player->x < 0.0f)
        player->x = 0.0f;
    if (player->x > PLAYER_RIGHT_X)
        player->x = PLAYER_RIGHT_X;
}

static void player_fall(Player *player)
{
    if (player->vy < PLAYER_FALL_LIMIT)
        player->vy += PLAYER_GRAVITY;
    player->y += player->vy;
}

void player_update(Player *player, const bool *key_down, Puff *puffs,
                   int32_t next_puff, ALLEGRO_SAMPLE *propeller_sample,
                   ALLEGRO_SAMPLE *hurt_sample)
{
    // A fallen player only drops out of the field, showing the falling row.
    if (player->fallen) {
        player->throwing = 0;
        player->thrusting = 0;
        player->hurt = 0;
        player->hurt_timer = 0;
        anim_step(&player->body, PLAYER_ROW_FALLING, 0, 3, 2);
        player_fall(player);
        return;
    }
    player_blink(player, hurt_sample);
    if (player->puff_cooldown > 0)
        player->puff_cooldown -= 1;
    player_spin_propeller(player);
    player_animate_body(player);
    player_steer(player, key_down);
    player_thrust(player, key_down, puffs, next_puff, propeller_sample);
    player_keep_in_field(player);
    player_fall(player);
}

// The slot for the next shot or bomb; the index then moves on and wraps after
// last. An index left outside the pool starts again at slot 0.
static Shot *player_take_slot(Shot *shots, int32_t *next_shot, int32_t last)
{
    int32_t slot = ring_slot(*next_shot, SHOT_SLOTS);

    *next_shot = ring_slot(slot + 1, last + 1);
    return &shots[slot];
}

// Shots fly forwards (frames face left at scale 1) with the player's own motion.
static void player_throw(const Player *player, Shot *shots, int32_t *next_shot,
                         int32_t stage)
{
    Vec2 hand = make_vec2(player->x, player->y + HAND_BELOW);
    float vx = player->vx - THROW_SPEED * player->body.scale_x;
    int count = throws_of_stage[pattern_row(stage)];
    int i;

    for (i = 0; i < count; i++)
        shot_init(player_take_slot(shots, next_shot, SHOT_SLOTS - 1), hand,
                  make_vec2(vx, throw_vy[i]), SHOT_THROWN_SIZE);
}

static void player_drop(const Player *player, Shot *shots, int32_t *next_shot,
                        int32_t stage)
{
    const DropPattern *pattern = drops_of_stage[pattern_row(stage)];
    int i;

    for (i = 0; i < pattern->count; i++) {
        const BombStart *b = &pattern->bombs[i];
        shot_init(player_take_slot(shots, next_shot, DROP_SLOTS - 1),
                  make_vec2(player->x, player->y + b->dy), make_vec2(b->vx, b->vy),
                  BOMB_SIZE);
    }
}

// A key pressed during the throw animation is dropped, not queued.
void player_on_key(Player *player, int keycode, Shot *shots, int32_t *next_shot,
                   int32_t stage, ALLEGRO_SAMPLE *throw_sample,
                   ALLEGRO_SAMPLE *drop_sample)
{
    if (player->fallen || player->throwing)
        return;
    if (keycode == ALLEGRO_KEY_Z) {
        sound_play(throw_sample, 1.0f, 1.0f);
        player_throw(player, shots, next_shot, stage);
    } else if (keycode == ALLEGRO_KEY_X) {
        sound_play(drop_sample, 1.0f, 1.0f);
        player_drop(player, shots, next_shot, stage);
    } else {
        return;
    }
    player->throwing = 1;
    player->body.frame = 0;
}

void player_draw(const Player *player, ALLEGRO_BITMAP *bitmap)
{
    bool facing_left = player->body.scale_x == PLAYER_FACING_LEFT;
    float propeller_dx = facing_left ? -4.0f : 4.0f;

    if (player->y <= PLAYER_SHADOW_LOWEST)
        shadow_draw(player->x, player->y, &SMALL_SHADOW);
    // Blinking after a hit: every other frame shows only the shadow.
    if (player->hurt && player->hurt_timer % 2 != 0)
        return;
    // The propeller sits behind the head, on the side the player faces away from.
    if (!player->fallen)
        anim_draw(&player->propeller, (int)(player->x + propeller_dx),
                  (int)(player->y - 18.0f), bitmap);
    sprite_draw(&player->body, player->x, player->y, 8.0f, bitmap);
}

void puff_init(Puff *puff, Vec2 position, int32_t size)
{
    puff->x = position.x;
    puff->y = position.y;
    puff->size = size;
}

void puff_update(Puff *puff)
{
    if (puff->size > 0)
        puff->size -= 1;
}

void puff_draw(const Puff *puff)
{
    if (puff->size > 0)
        al_draw_filled_circle(puff->x, puff->y, (float)puff->size / 5.0f,
                              al_map_rgb(255, 255, 255));
}

bool player_can_be_hit(const Player *player)
{
    return !player->hurt && !player->fallen;
}

void player_take_hit(Player *player, int32_t *health)
{
    player->hurt = 1;
    player->hurt_timer = HURT_TICKS;
    if (*health > 0)
        *health -= 1;
}

void touch_player_box(float x, float y, float half, uint8_t dead,
                      Player *player, float player_half, int32_t *health)
{
    if (dead || !player_can_be_hit(player))
        return;
    if (!boxes_overlap(x, y, half, half, player->x, player->y, player_half, player_half))
        return;
    player_take_hit(player, health);
}
