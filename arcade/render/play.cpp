// The running world: the stage's scene (backdrop, enemy groups, boss), then
// the layer common to every stage (puffs, player, shots, popups, status bar).
// Each actor type draws itself; this file only keeps the order.
#include <allegro5/allegro.h>
#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"
#include "render/render.h"

// Three cloud layers between sky and ground; the nearest, lowest and
// untinted one moves fastest.
static void clouds_draw(void)
{
    al_draw_bitmap(bmp_background4, 0, 0, 0);
    al_draw_tinted_bitmap(bmp_clouds, al_map_rgb(93, 93, 93), scroll[2], 128, 0);
    al_draw_tinted_bitmap(bmp_clouds, al_map_rgb(199, 199, 199), scroll[1], 136, 0);
    al_draw_bitmap(bmp_clouds, scroll[0], 144, 0);
    al_draw_bitmap(bmp_surface4, 0, 192, 0);
}

// The slot index runs outside, the groups inside: within one slot number
// group 3 lies over group 2 over group 1.
static void stage1_draw(void)
{
    int i;

    backdrop_draw(bmp_background, bmp_surface);
    for (i = 0; i < ENEMY_SLOTS; i++) {
        if (i < group1_count)
            leaf_draw(&leaves[i], bmp_leaf);
        if (i < group2_count)
            ball_draw(&balls[i], bmp_ball);
        if (i < group3_count)
            nbomb_draw(&nbombs[i], bmp_nbomb);
    }
    if (boss_pending == 0)
        bigleaf_draw(&boss_bigleaf, bmp_bigleaf);
}

static void stage2_draw(void)
{
    int i;

    backdrop_draw(bmp_background2, bmp_surface2);
    for (i = 0; i < ENEMY_SLOTS; i++) {
        if (i < group1_count)
            nbomb_draw(&nbombs[i], bmp_nbomb2);
        if (i < group2_count)
            orb_draw(&orbs[i], bmp_orb);
        if (i < group3_count)
            flame_draw(&flames[i], bmp_flame);
    }
    if (boss_pending == 0)
        bigorb_draw(&boss_bigorb, bmp_bigorb);
}

static void stage3_draw(void)
{
    int i;

    backdrop_draw(bmp_background3, bmp_surface3);
    for (i = 0; i < ENEMY_SLOTS; i++) {
        if (i < group1_count)
            slime_draw(&slimes[i], bmp_slime);
        if (i < group2_count)
            flame2_draw(&flame2s[i], bmp_flame2);
        if (i < group3_count)
            bulletb_draw(&bulletbs[i], bmp_bulletb);
    }
    if (boss_pending == 0)
        flyguy_draw(&boss_flyguy, bmp_flyguy);
}

static void stage4_draw(void)
{
    int i;

    clouds_draw();
    for (i = 0; i < ENEMY_SLOTS; i++) {
        if (i < group1_count)
            bigleaf_draw(&bigleaves[i], bmp_bigleaf);
        if (i < group2_count)
            bigorb_draw(&bigorbs[i], bmp_bigorb);
        if (i < group3_count)
            flyguy_draw(&flyguys[i], bmp_flyguy);
    }
    if (boss_pending == 0)
        spirit_draw(&boss_spirit, bmp_spirit);
}

// No groups; the backdrop repeats every 16 pixels, so two copies cover any
// offset in (-16, 0]. The boss is out from the first tick.
static void stage5_draw(void)
{
    al_draw_bitmap(bmp_background5, scroll[0], 0, 0);
    al_draw_bitmap(bmp_background5, scroll[0] + 256, 0, 0);
    fboss_draw(&boss_fboss, bmp_fboss);
}

static void stage_scene_draw(void)
{
    switch (stage) {
    case 1: stage1_draw(); break;
    case 2: stage2_draw(); break;
    case 3: stage3_draw(); break;
    case 4: stage4_draw(); break;
    case 5: stage5_draw(); break;
    default: break;
    }
}

// The shot's frame width tells a thrown shot (8) from a bomb.
static void shots_draw(void)
{
    int i;

    for (i = 0; i < SHOT_SLOTS; i++) {
        if (shots[i].anim.frame_w == 8.0f)
            shot_draw(&shots[i], bmp_bullet);
        else
            shot_draw(&shots[i], bmp_bomb);
    }
}

void screen_playing_draw(void)
{
    int i;

    stage_scene_draw();
    for (i = 0; i < PUFF_SLOTS; i++)
        puff_draw(&puffs[i]);
    player_draw(&player, bmp_player);
    shots_draw();
    draw_popups();
    draw_hud();
}
