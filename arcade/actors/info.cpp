// The per-type tables of the actors.
#include <math.h>
#include "actors/info.h"

// ---- The eight common enemies ----

// Slime moves as Orb does, with its own numbers. Every common type is 16
// pixels square: a box of 8 each way, a shadow of radii 8 and 3 on the line
// shrinking by the height over 75 and 150. The falling types show theirs
// only once they are nearly in view. Rolls that draw nothing have range 0
// and give base / div.
const EnemyInfo enemy_info[ENEMY_KINDS] = {
    {   // Leaf: straight on, its vertical speed a sawtooth
        .move = leaf_move, .alive = {0, 0, 5, 2}, .rising = {0, 0, 5, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.025f, .vy_limit = 1.0f, .bounce = {0, 0, 1.0f}, .half = 8.0f,
        .gone = GONE_BELOW_OR_AHEAD, .returns = RETURN_SIDE, .return_speed = {2000, 1000, 1000.0f},
        .score = 100, .hit_restarts = 0,
        .shadow = {.top = -HUGE_VALF, .rx0 = 8.0f, .rx_div = 75.0f, .ry0 = 3.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {2000, 1000, 1000.0f}},
    },
    {   // Ball: bounces along the floor
        .move = ball_move, .alive = {0, 0, 3, 2}, .rising = {0, 0, 3, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.25f, .vy_limit = 0.0f, .bounce = {750, 100, 100.0f}, .half = 8.0f,
        .gone = GONE_BELOW_OR_AHEAD, .returns = RETURN_SIDE, .return_speed = {2000, 1000, 1000.0f},
        .score = 150, .hit_restarts = 0,
        .shadow = {.top = -HUGE_VALF, .rx0 = 8.0f, .rx_div = 75.0f, .ry0 = 3.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {2000, 1000, 1000.0f}},
    },
    {   // NBomb: falls, and explodes where it lands or is shot
        .move = nbomb_move, .alive = {0, 0, 7, 1}, .rising = {0, 0, 7, 1}, .dying = {1, 0, 5, 2},
        .gravity = 0.1f, .vy_limit = 2.0f, .bounce = {0, 0, 1.0f},  // falls in from rest
        .half = 8.0f, .gone = GONE_EXPLODED, .returns = RETURN_ABOVE, .return_speed = {0, 0, 1.0f},
        .score = 200, .hit_restarts = 1,
        .shadow = {.top = -16.0f, .rx0 = 8.0f, .rx_div = 75.0f, .ry0 = 3.0f, .ry_div = 150.0f},
        .entry = {.top = 0},
    },
    {   // Orb: bounces, turning at the walls
        .move = orb_move, .alive = {0, 0, 3, 2}, .rising = {0, 0, 3, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.25f, .vy_limit = 0.0f, .bounce = {750, 100, 100.0f}, .half = 8.0f,
        .gone = GONE_BELOW, .returns = RETURN_SIDE, .return_speed = {2500, 1500, 1000.0f},
        .score = 250, .hit_restarts = 0,
        .shadow = {.top = -HUGE_VALF, .rx0 = 8.0f, .rx_div = 75.0f, .ry0 = 3.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {2500, 1500, 1000.0f}},
    },
    {   // Flame: straight across
        .move = flame_move, .alive = {0, 0, 3, 2}, .rising = {0, 0, 3, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.0f, .vy_limit = 0.0f, .bounce = {0, 0, 1.0f}, .half = 8.0f,
        .gone = GONE_BELOW_OR_AHEAD, .returns = RETURN_SIDE, .return_speed = {3000, 1500, 1000.0f},
        .score = 300, .hit_restarts = 0,
        .shadow = {.top = -HUGE_VALF, .rx0 = 8.0f, .rx_div = 75.0f, .ry0 = 3.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {3000, 1500, 1000.0f}},
    },
    {   // Slime: as Orb, softer, one frame rising and one falling
        .move = orb_move, .alive = {0, 0, 0, 2}, .rising = {0, 1, 1, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.2f, .vy_limit = 0.0f, .bounce = {750, 100, 100.0f}, .half = 8.0f,
        .gone = GONE_BELOW, .returns = RETURN_SIDE, .return_speed = {2500, 1500, 1000.0f},
        .score = 350, .hit_restarts = 0,
        .shadow = {.top = -HUGE_VALF, .rx0 = 8.0f, .rx_div = 75.0f, .ry0 = 3.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {2500, 1500, 1000.0f}},
    },
    {   // Flame2: sinks and flaps within its band
        .move = flame2_move, .alive = {0, 0, 4, 2}, .rising = {0, 0, 4, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.05f, .vy_limit = 3.0f, .bounce = {30, 20, 10.0f},
        .band_top = 8.0f, .band_bottom = 232.0f, .half = 8.0f,
        .gone = GONE_BELOW_OR_AHEAD, .returns = RETURN_SIDE, .return_speed = {2000, 1000, 1000.0f},
        .score = 400, .hit_restarts = 0,
        .shadow = {.top = -HUGE_VALF, .rx0 = 8.0f, .rx_div = 75.0f, .ry0 = 3.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {3000, 1500, 1000.0f}},
    },
    {   // BulletB: bounces up and down within its band
        .move = bulletb_move, .alive = {0, 0, 3, 1}, .rising = {1, 0, 3, 1}, .dying = {2, 0, 0, 1},
        .gravity = 0.0f, .vy_limit = 0.0f, .bounce = {30, 10, 10.0f},
        .band_top = 16.0f, .band_bottom = 216.0f, .half = 8.0f,
        .gone = GONE_DEAD_BELOW, .returns = RETURN_ABOVE, .return_speed = {0, 0, 1.0f},
        .score = 450, .hit_restarts = 1,
        .shadow = {.top = -16.0f, .rx0 = 8.0f, .rx_div = 75.0f, .ry0 = 3.0f, .ry_div = 150.0f},
        .entry = {.top = 128},
    },
};

// ---- The big enemies and bosses ----

// shot, touch, player: the half-sizes of the boxes against a shot, of the
// actor against the player, and of the player itself. The stage-4 group
// members enter and come back as the common flyers do, further out.
const BigInfo big_info[BIG_TYPE_COUNT] = {
    {   // BigLeaf
        .frame = 24.0f, .shot_half = 12.0f, .touch_half = 12.0f, .player_half = 8.0f,
        .alive = {0, 0, 5, 2}, .boss_last = 5, .dying = {1, 0, 0, 1}, .fall_gravity = 0.1f,
        .kill_base = 1000, .boss_hp = 30, .group_hp = 3, .kill_level = 0, .draw_margin = 12.0f,
        .back_left = -64.0f, .back_right = 320.0f, .back_speed = {2000, 1000, 1000.0f},
        .shadow = {.top = -HUGE_VALF, .rx0 = 12.0f, .rx_div = 100.0f,
                   .ry0 = 4.0f, .ry_div = 200.0f},
        .entry = {.left_slots = 3, .margin = 64, .right = 320, .speed = {2000, 1000, 1000.0f}},
    },
    {   // BigOrb: its shot test is a circle of radius shot_half
        .frame = 32.0f, .shot_half = 32.0f, .touch_half = 16.0f, .player_half = 4.0f,
        .alive = {0, 0, 3, 2}, .boss_last = 3, .dying = {1, 0, 0, 1}, .fall_gravity = 0.25f,
        .kill_base = 2000, .boss_hp = 60, .group_hp = 3, .kill_level = 0, .draw_margin = 8.0f,
        .back_left = -64.0f, .back_right = 320.0f, .back_speed = {2000, 1000, 1000.0f},
        .shadow = {.top = -HUGE_VALF, .rx0 = 16.0f, .rx_div = 75.0f, .ry0 = 6.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 3, .margin = 64, .right = 320, .speed = {2000, 1000, 1000.0f}},
    },
    {   // FlyGuy
        .frame = 32.0f, .shot_half = 16.0f, .touch_half = 16.0f, .player_half = 4.0f,
        .alive = {0, 0, 7, 0}, .boss_last = 15, .dying = {1, 0, 0, 1}, .fall_gravity = 0.25f,
        .kill_base = 3000, .boss_hp = 75, .group_hp = 3, .kill_level = 0, .draw_margin = 8.0f,
        .back_left = -96.0f, .back_right = 360.0f, .back_speed = {2000, 1000, 1000.0f},
        .shadow = {.top = -16.0f, .rx0 = 16.0f, .rx_div = 75.0f, .ry0 = 4.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 3, .margin = 64, .right = 320, .speed = {2000, 1000, 1000.0f}},
    },
    {   // Spirit: a boss only
        .frame = 48.0f, .shot_half = 24.0f, .touch_half = 24.0f, .player_half = 4.0f,
        .alive = {0, 0, 5, 0}, .boss_last = 5, .dying = {0, 0, 0, 1}, .fall_gravity = 0.25f,
        .kill_base = 4000, .boss_hp = 128, .group_hp = 0, .kill_level = 16, .draw_margin = 8.0f,
        .shadow = {.top = -16.0f, .rx0 = 24.0f, .rx_div = 75.0f, .ry0 = 6.0f, .ry_div = 150.0f},
    },
    {   // FBoss: a boss only
        .frame = 64.0f, .shot_half = 32.0f, .touch_half = 28.0f, .player_half = 4.0f,
        .alive = {0, 0, 0, 0}, .boss_last = 0, .dying = {0, 1, 1, 0}, .fall_gravity = 0.25f,
        .kill_base = 1000000, .boss_hp = 255, .group_hp = 0, .kill_level = 16, .draw_margin = 8.0f,
        .shadow = {.top = -HUGE_VALF, .rx0 = 32.0f, .rx_div = 75.0f, .ry0 = 8.0f, .ry_div = 150.0f},
    },
};

const EnemyStrip fboss_top_strip = {1, 0, 3, 0};
