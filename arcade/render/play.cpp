// The running world: the stage's scene (backdrop, enemy groups, boss), then
// the layer common to every stage (puffs, player, shots, popups, status bar).
// Each actor type draws itself; this file only keeps the order.
#include <allegro5/allegro.h>
#include "core/game.h"
#include "core/resources.h"
#include "core/world.h"
#include "core/stages.h"
#include "render/render.h"

// Three cloud layers between sky and ground; the nearest, lowest and
// untinted one moves fastest.
static void clouds_draw(const StageRow *row)
{
    al_draw_bitmap(*row->background, 0, 0, 0);
    al_draw_tinted_bitmap(bmp_clouds, al_map_rgb(93, 93, 93), scroll[2], 128, 0);
    al_draw_tinted_bitmap(bmp_clouds, al_map_rgb(199, 199, 199), scroll[1], 136, 0);
    al_draw_bitmap(bmp_clouds, scroll[0], 144, 0);
    al_draw_bitmap(*row->surface, 0, 192, 0);
}

// The backdrop repeats every 16 pixels, so two copies cover any offset in
// (-16, 0].
static void scrolling_draw(const StageRow *row)
{
    al_draw_bitmap(*row->background, scroll[0], 0, 0);
    al_draw_bitmap(*row->background, scroll[0] + 256, 0, 0);
}

static void scenery_draw(const StageRow *row)
{
    switch (row->scenery) {
    case SCENERY_GROUND: backdrop_draw(*row->background, *row->surface); break;
    case SCENERY_CLOUDS: clouds_draw(row); break;
    case SCENERY_SCROLL: scrolling_draw(row); break;
    }
}

// The slot index runs outside, the groups inside: within one slot number
// group 3 lies over group 2 over group 1.
static void groups_draw(const StageRow *row)
{
    if (!stage_has_groups(row))
        return;
    for (int i = 0; i < ENEMY_SLOTS; i++) {
        for (int g = 0; g < STAGE_GROUPS; g++) {
            const StageGroup *group = &row->groups[g];
            if (i < *group_counts[g])
                group_draw(group, i);
        }
    }
}

static void stage_scene_draw(void)
{
    const StageRow *row = stage_row(stage);

    if (!row)
        return;
    scenery_draw(row);
    groups_draw(row);
    if (stage_boss_out(row))
        big_draw(row->boss, *row->boss_picture);
}

static void shots_draw(void)
{
    int i;

    for (i = 0; i < SHOT_SLOTS; i++)
        shot_draw(&shots[i], shots[i].kind == SHOT_THROWN ? bmp_bullet : bmp_bomb);
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
