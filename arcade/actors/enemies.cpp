// The common enemies. Their movement, drawing and scoring rules come with
// the actors' own work; until then every operation leaves its record alone.
#include "actors/enemies.h"

#define ENEMY_EMPTY_OPS(name, T)                                              \
    void name##_init(T *, Vec2, float) {}                                     \
    void name##_draw(const T *, ALLEGRO_BITMAP *) {}                          \
    void name##_hit_by_shot(T *, Shot *, int32_t *, int32_t *, int32_t *) {}  \
    void name##_touch_player(const T *, Player *, int32_t *) {}

ENEMY_EMPTY_OPS(leaf, Leaf)
ENEMY_EMPTY_OPS(ball, Ball)
ENEMY_EMPTY_OPS(nbomb, NBomb)
ENEMY_EMPTY_OPS(orb, Orb)
ENEMY_EMPTY_OPS(flame, Flame)
ENEMY_EMPTY_OPS(slime, Slime)
ENEMY_EMPTY_OPS(flame2, Flame2)
ENEMY_EMPTY_OPS(bulletb, BulletB)

void leaf_update(Leaf *, uint8_t) {}
void ball_update(Ball *, uint8_t) {}
void nbomb_update(NBomb *, uint8_t, ALLEGRO_SAMPLE *) {}
void orb_update(Orb *, uint8_t) {}
void flame_update(Flame *, uint8_t) {}
void slime_update(Slime *, uint8_t) {}
void flame2_update(Flame2 *, uint8_t) {}
void bulletb_update(BulletB *, uint8_t) {}
