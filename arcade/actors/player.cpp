// The player and the exhaust puffs.
#include "actors/player.h"

// Flight, throwing and drawing of the player come with the actors' own work.
void player_init(Player *, Vec2) {}
void player_update(Player *, const bool *, Puff *, int32_t, ALLEGRO_SAMPLE *,
                   ALLEGRO_SAMPLE *) {}
void player_on_key(Player *, int, Shot *, int32_t *, int32_t, ALLEGRO_SAMPLE *,
                   ALLEGRO_SAMPLE *) {}
void player_draw(const Player *, ALLEGRO_BITMAP *) {}

void puff_init(Puff *, Vec2, int32_t) {}
void puff_update(Puff *) {}
void puff_draw(const Puff *) {}

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
