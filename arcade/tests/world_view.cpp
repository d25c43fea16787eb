#include "world_view.h"

#include "core/world.h"

template <typename T>
static ActorArray array_of(T *records, int count, float half)
{
    ActorArray a;

    a.records = reinterpret_cast<char *>(records);
    a.stride = sizeof(T);
    a.vx_at = offsetof(T, vx);
    a.vy_at = offsetof(T, vy);
    a.dead_at = offsetof(T, dead);
    a.count = count;
    a.half = half;
    return a;
}

static ActorArray no_array(void)
{
    ActorArray a = {};

    return a;
}

void stage_actors_of(int stage_number, StageActors *out)
{
    *out = StageActors{};
    out->counts[0] = &group1_count;
    out->counts[1] = &group2_count;
    out->counts[2] = &group3_count;
    out->children = no_array();
    switch (stage_number) {
    case 1:
        out->groups[0] = array_of(leaves, ENEMY_SLOTS, 8);
        out->groups[1] = array_of(balls, ENEMY_SLOTS, 8);
        out->groups[2] = array_of(nbombs, ENEMY_SLOTS, 8);
        out->children = out->groups[2];
        out->boss = array_of(&boss_bigleaf, 1, 12);
        break;
    case 2:
        out->groups[0] = array_of(nbombs, ENEMY_SLOTS, 8);
        out->groups[1] = array_of(orbs, ENEMY_SLOTS, 8);
        out->groups[2] = array_of(flames, ENEMY_SLOTS, 8);
        out->children = out->groups[1];
        out->boss = array_of(&boss_bigorb, 1, 16);
        break;
    case 3:
        out->groups[0] = array_of(slimes, ENEMY_SLOTS, 8);
        out->groups[1] = array_of(flame2s, ENEMY_SLOTS, 8);
        out->groups[2] = array_of(bulletbs, ENEMY_SLOTS, 8);
        out->children = out->groups[1];
        out->boss = array_of(&boss_flyguy, 1, 16);
        break;
    case 4:
        out->groups[0] = array_of(bigleaves, ENEMY_SLOTS, 12);
        out->groups[1] = array_of(bigorbs, ENEMY_SLOTS, 16);
        out->groups[2] = array_of(flyguys, ENEMY_SLOTS, 16);
        out->boss = array_of(&boss_spirit, 1, 24.0f * (float)boss_spirit.hp / 64.0f);
        break;
    case 5:
        for (int g = 0; g < 3; g++)
            out->groups[g] = no_array();
        out->boss = array_of(&boss_fboss, 1, 28.0f * boss_fboss.body_scale);
        break;
    default:
        out->boss = no_array();
        break;
    }
}

bool boss_active(int stage_number)
{
    return stage_number == 5 || (stage_number >= 1 && stage_number <= 4 && boss_pending == 0);
}

bool actor_alive(const ActorArray *array, int i)
{
    return array->records && i < array->count &&
           array->records[array->stride * i + array->dead_at] == 0;
}

static float *field_at(const ActorArray *array, int i, size_t at)
{
    return reinterpret_cast<float *>(array->records + array->stride * i + at);
}

void actor_seen(const ActorArray *array, int i, ActorSeen *out)
{
    out->x = *field_at(array, i, 0);
    out->y = *field_at(array, i, sizeof(float));
    out->vx = *field_at(array, i, array->vx_at);
    out->vy = *field_at(array, i, array->vy_at);
    out->half = array->half;
}

void actor_place(const ActorArray *array, int i, float x, float y)
{
    *field_at(array, i, 0) = x;
    *field_at(array, i, sizeof(float)) = y;
    array->records[array->stride * i + array->dead_at] = 0;
}

