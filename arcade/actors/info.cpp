// The per-type tables of the actors.
#include <math.h>
#include "actors/info.h"

// ---- The eight common enemies ----

// Slime moves as Orb does, with its own numbers. Every common type is 16
// pixels square: a box of 8 each way, the small shadow. Rolls that draw
// nothing have range 0 and give base / div.
const EnemyInfo enemy_info[ENEMY_KINDS] = {
    {   // Leaf: straight on, its vertical speed a sawtooth
        .update = leaf_update, .alive = {0, 0, 5, 2}, .rising = {0, 0, 5, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.025f, .vy_limit = 1.0f, .bounce = {0, 0, 1.0f}, .half = 8.0f,
        .gone = GONE_BELOW_OR_AHEAD, .returns = RETURN_SIDE, .return_speed = {2000, 1000, 1000.0f},
        .score = 100, .hit_restarts = 0,
        .shadow = SMALL_SHADOW,
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {2000, 1000, 1000.0f}},
    },
    {   // Ball: bounces along the floor
        .update = ball_update, .alive = {0, 0, 3, 2}, .rising = {0, 0, 3, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.25f, .vy_limit = 0.0f, .bounce = {750, 100, 100.0f}, .half = 8.0f,
        .gone = GONE_BELOW_OR_AHEAD, .returns = RETURN_SIDE, .return_speed = {2000, 1000, 1000.0f},
        .score = 150, .hit_restarts = 0,
        .shadow = SMALL_SHADOW,
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {2000, 1000, 1000.0f}},
    },
    {   // NBomb: falls, and explodes where it lands or is shot
        .update = nbomb_update, .alive = {0, 0, 7, 1}, .rising = {0, 0, 7, 1}, .dying = {1, 0, 5, 2},
        .gravity = 0.1f, .vy_limit = 2.0f, .bounce = {0, 0, 1.0f},  // falls in from rest
        .half = 8.0f, .gone = GONE_EXPLODED, .returns = RETURN_ABOVE, .return_speed = {0, 0, 1.0f},
        .score = 200, .hit_restarts = 1,
        .shadow = SMALL_SHADOW_IN_VIEW,
        .entry = {.top = 0},
    },
    {   // Orb: bounces, turning at the walls
        .update = orb_update, .alive = {0, 0, 3, 2}, .rising = {0, 0, 3, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.25f, .vy_limit = 0.0f, .bounce = {750, 100, 100.0f}, .half = 8.0f,
        .gone = GONE_BELOW, .returns = RETURN_SIDE, .return_speed = {2500, 1500, 1000.0f},
        .score = 250, .hit_restarts = 0,
        .shadow = SMALL_SHADOW,
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {2500, 1500, 1000.0f}},
    },
    {   // Flame: straight across
        .update = flame_update, .alive = {0, 0, 3, 2}, .rising = {0, 0, 3, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.0f, .vy_limit = 0.0f, .bounce = {0, 0, 1.0f}, .half = 8.0f,
        .gone = GONE_BELOW_OR_AHEAD, .returns = RETURN_SIDE, .return_speed = {3000, 1500, 1000.0f},
        .score = 300, .hit_restarts = 0,
        .shadow = SMALL_SHADOW,
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {3000, 1500, 1000.0f}},
    },
    {   // Slime: as Orb, softer, one frame rising and one falling
        .update = orb_update, .alive = {0, 0, 0, 2}, .rising = {0, 1, 1, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.2f, .vy_limit = 0.0f, .bounce = {750, 100, 100.0f}, .half = 8.0f,
        .gone = GONE_BELOW, .returns = RETURN_SIDE, .return_speed = {2500, 1500, 1000.0f},
        .score = 350, .hit_restarts = 0,
        .shadow = SMALL_SHADOW,
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {2500, 1500, 1000.0f}},
    },
    {   // Flame2: sinks and flaps within its band
        .update = flame2_update, .alive = {0, 0, 4, 2}, .rising = {0, 0, 4, 2}, .dying = {1, 0, 0, 1},
        .gravity = 0.05f, .vy_limit = 3.0f, .bounce = {30, 20, 10.0f},
        .band_top = 8.0f, .band_bottom = 232.0f, .half = 8.0f,
        .gone = GONE_BELOW_OR_AHEAD, .returns = RETURN_SIDE, .return_speed = {2000, 1000, 1000.0f},
        .score = 400, .hit_restarts = 0,
        .shadow = SMALL_SHADOW,
        .entry = {.left_slots = 5, .margin = 0, .right = 256, .speed = {3000, 1500, 1000.0f}},
    },
    {   // BulletB: bounces up and down within its band
        .update = bulletb_update, .alive = {0, 0, 3, 1}, .rising = {1, 0, 3, 1}, .dying = {2, 0, 0, 1},
        .gravity = 0.0f, .vy_limit = 0.0f, .bounce = {30, 10, 10.0f},
        .band_top = 16.0f, .band_bottom = 216.0f, .half = 8.0f,
        .gone = GONE_DEAD_BELOW, .returns = RETURN_ABOVE, .return_speed = {0, 0, 1.0f},
        .score = 450, .hit_restarts = 1,
        .shadow = SMALL_SHADOW_IN_VIEW,
        .entry = {.top = 128},
    },
};

// ---- The big enemies and bosses ----

// shot, touch, player: the half-sizes of the boxes against a shot, of the
// actor against the player, and of the player itself. The stage-4 group
// members enter and come back as the common flyers do, further out.
const BigInfo big_info[BIG_KINDS] = {
    {   // BigLeaf: flaps back and forth; the stage-1 boss drops bombs
        .update = bigleaf_update, .draw = big_shared_draw, .hit_by_shot = big_shared_hit,
        .touch_player = big_shared_touch,
        .frame = 24.0f, .scale = SCALE_NONE,
        .shot_half = 12.0f, .touch_half = 12.0f, .player_half = 8.0f,
        .alive = {0, 0, 5, 2}, .boss_last = 5, .dying = {1, 0, 0, 1}, .fall_gravity = 0.1f,
        .kill_base = 1000, .boss_hp = 30, .group_hp = 3, .kill_level = 0, .draw_margin = 12.0f,
        .shadow_hidden_frame = -1, .start_vy = {0, 0, 1.0f},
        .gravity = 0.025f, .flap_at = 2.0f, .flap = {40, 1, 10.0f}, .turn = {20, 10, 10.0f},
        .first_drop = 40,
        .back_left = -64.0f, .back_right = 320.0f, .back_speed = {2000, 1000, 1000.0f},
        .shadow = {.top = -HUGE_VALF, .rx0 = 12.0f, .rx_div = 100.0f,
                   .ry0 = 4.0f, .ry_div = 200.0f},
        .entry = {.left_slots = 3, .margin = 64, .right = 320, .speed = {2000, 1000, 1000.0f}},
    },
    {   // BigOrb: bounces high; the stage-2 boss throws an orb per bounce.
        // Its shot test is a circle of radius shot_half.
        .update = bigorb_update, .draw = big_shared_draw, .hit_by_shot = bigorb_hit_by_shot,
        .touch_player = big_shared_touch,
        .frame = 32.0f, .scale = SCALE_NONE,
        .shot_half = 32.0f, .touch_half = 16.0f, .player_half = 4.0f,
        .alive = {0, 0, 3, 2}, .boss_last = 3, .dying = {1, 0, 0, 1}, .fall_gravity = 0.25f,
        .kill_base = 2000, .boss_hp = 60, .group_hp = 3, .kill_level = 0, .draw_margin = 8.0f,
        .shadow_hidden_frame = -1, .start_vy = {0, 0, 1.0f},
        .gravity = 0.25f, .bounce = {600, 400, 100.0f},
        .wall_left = {40, 20, 10.0f}, .wall_right = {40, 20, 10.0f},
        .child_speed = {400, 200, 100.0f, -2.0f},
        .back_left = -64.0f, .back_right = 320.0f, .back_speed = {2000, 1000, 1000.0f},
        .shadow = {.top = -HUGE_VALF, .rx0 = 16.0f, .rx_div = 75.0f, .ry0 = 6.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 3, .margin = 64, .right = 320, .speed = {2000, 1000, 1000.0f}},
    },
    {   // FlyGuy: straight lines off all four limits; the stage-3 boss spits flames
        .update = flyguy_update, .draw = big_shared_draw, .hit_by_shot = big_shared_hit,
        .touch_player = big_shared_touch,
        .frame = 32.0f, .scale = SCALE_NONE,
        .shot_half = 16.0f, .touch_half = 16.0f, .player_half = 4.0f,
        .alive = {0, 0, 7, 0}, .boss_last = 15, .dying = {1, 0, 0, 1}, .fall_gravity = 0.25f,
        .kill_base = 3000, .boss_hp = 75, .group_hp = 3, .kill_level = 0, .draw_margin = 8.0f,
        .shadow_hidden_frame = 5, .start_vy = {30, 10, 10.0f},
        .bounce = {40, 15, 10.0f}, .wall_left = {40, 5, 10.0f}, .wall_right = {40, 5, 10.0f},
        .child_vx = 2.0f,
        .back_left = -96.0f, .back_right = 360.0f, .back_speed = {2000, 1000, 1000.0f},
        .back_vy = {2000, 0, 1000.0f, -1.0f},
        .shadow = {.top = -16.0f, .rx0 = 16.0f, .rx_div = 75.0f, .ry0 = 4.0f, .ry_div = 150.0f},
        .entry = {.left_slots = 3, .margin = 64, .right = 320, .speed = {2000, 1000, 1000.0f}},
    },
    {   // Spirit: a boss only; shrinks with each hit and speeds up as it shrinks
        .update = spirit_update, .draw = spirit_draw, .hit_by_shot = big_shared_hit,
        .touch_player = big_shared_touch,
        .frame = 48.0f, .scale = SCALE_HP,
        .shot_half = 24.0f, .touch_half = 24.0f, .player_half = 4.0f,
        .alive = {0, 0, 5, 0}, .boss_last = 5, .dying = {0, 0, 0, 1}, .fall_gravity = 0.25f,
        .kill_base = 4000, .boss_hp = 128, .group_hp = 0, .kill_level = 16, .draw_margin = 8.0f,
        .shadow_hidden_frame = 5, .start_vy = {0, 4, 1.0f},
        .bounce = {20, 15, 10.0f}, .wall_left = {40, 5, 10.0f}, .wall_right = {20, 5, 10.0f},
        .wander = {40, 0, 10.0f, -2.0f},
        .shadow = {.top = -16.0f, .rx0 = 24.0f, .rx_div = 75.0f, .ry0 = 6.0f, .ry_div = 150.0f},
    },
    {   // FBoss: a boss only; pulses, and fires a laser straight down
        .update = fboss_update, .draw = fboss_draw, .hit_by_shot = big_shared_hit,
        .touch_player = fboss_touch_player,
        .frame = 64.0f, .scale = SCALE_BODY,
        .shot_half = 32.0f, .touch_half = 28.0f, .player_half = 4.0f,
        .alive = {0, 0, 0, 0}, .boss_last = 0, .dying = {0, 1, 1, 0}, .fall_gravity = 0.25f,
        .kill_base = 1000000, .boss_hp = 255, .group_hp = 0, .kill_level = 16, .draw_margin = 8.0f,
        .shadow_hidden_frame = -1, .start_vy = {0, 4, 1.0f},
        .bounce = {40, 10, 10.0f}, .wall_left = {40, 10, 10.0f}, .wall_right = {40, 10, 10.0f},
        .speed_factor = {150, 50, 100.0f},
        .first_drop = 60,
        .shadow = {.top = -HUGE_VALF, .rx0 = 32.0f, .rx_div = 75.0f, .ry0 = 8.0f, .ry_div = 150.0f},
    },
};

const EnemyStrip fboss_top_strip = {1, 0, 3, 0};
