// The big enemies and bosses. Their rules come with the actors' own work;
// until then every operation leaves its record alone.
#include "actors/bosses.h"

#define BOSS_EMPTY_OPS(name, T)                                               \
    void name##_init(T *, Vec2, float) {}                                     \
    void name##_draw(const T *, ALLEGRO_BITMAP *) {}                          \
    void name##_hit_by_shot(T *, Shot *, int32_t *, int32_t *, int32_t *) {}  \
    void name##_touch_player(const T *, Player *, int32_t *) {}

BOSS_EMPTY_OPS(bigleaf, BigLeaf)
BOSS_EMPTY_OPS(bigorb, BigOrb)
BOSS_EMPTY_OPS(flyguy, FlyGuy)
BOSS_EMPTY_OPS(spirit, Spirit)
BOSS_EMPTY_OPS(fboss, FBoss)

void bigleaf_update(BigLeaf *, NBomb *, int32_t *, ALLEGRO_SAMPLE *, uint8_t) {}
void bigorb_update(BigOrb *, uint8_t, Orb *, int32_t *) {}
void flyguy_update(FlyGuy *, Flame2 *, int32_t *, uint8_t) {}
void spirit_update(Spirit *, Flame2 *, int32_t *, uint8_t) {}
void fboss_update(FBoss *, ALLEGRO_SAMPLE *, ALLEGRO_SAMPLE *, uint8_t) {}
