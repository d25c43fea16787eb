// Every picture and sound of the game: one handle each, loaded at start-up.
#ifndef ARCADE_CORE_RESOURCES_H
#define ARCADE_CORE_RESOURCES_H

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>

#define BITMAP_COUNT 38
#define SAMPLE_COUNT 9
#define FONT_PATH "res/fonts/arial.ttf"
#define FONT_SIZE 10

extern ALLEGRO_BITMAP *bmp_filter;
extern ALLEGRO_BITMAP *bmp_life;
extern ALLEGRO_BITMAP *bmp_background;
extern ALLEGRO_BITMAP *bmp_surface;
extern ALLEGRO_BITMAP *bmp_player;
extern ALLEGRO_BITMAP *bmp_bullet;
extern ALLEGRO_BITMAP *bmp_bomb;
extern ALLEGRO_BITMAP *bmp_leaf;
extern ALLEGRO_BITMAP *bmp_ball;
extern ALLEGRO_BITMAP *bmp_nbomb;
extern ALLEGRO_BITMAP *bmp_stage1_thumb;
extern ALLEGRO_BITMAP *bmp_title;
extern ALLEGRO_BITMAP *bmp_gameover;
extern ALLEGRO_BITMAP *bmp_bigleaf;
extern ALLEGRO_BITMAP *bmp_surface2;
extern ALLEGRO_BITMAP *bmp_background2;
extern ALLEGRO_BITMAP *bmp_stage2_thumb;
extern ALLEGRO_BITMAP *bmp_nbomb2;
extern ALLEGRO_BITMAP *bmp_orb;
extern ALLEGRO_BITMAP *bmp_flame;
extern ALLEGRO_BITMAP *bmp_bigorb;
extern ALLEGRO_BITMAP *bmp_background3;
extern ALLEGRO_BITMAP *bmp_surface3;
extern ALLEGRO_BITMAP *bmp_slime;
extern ALLEGRO_BITMAP *bmp_stage3_thumb;
extern ALLEGRO_BITMAP *bmp_flame2;
extern ALLEGRO_BITMAP *bmp_bulletb;
extern ALLEGRO_BITMAP *bmp_flyguy;
extern ALLEGRO_BITMAP *bmp_completed;
extern ALLEGRO_BITMAP *bmp_creator;
extern ALLEGRO_BITMAP *bmp_background4;
extern ALLEGRO_BITMAP *bmp_surface4;
extern ALLEGRO_BITMAP *bmp_clouds;
extern ALLEGRO_BITMAP *bmp_stage4_thumb;
extern ALLEGRO_BITMAP *bmp_spirit;
extern ALLEGRO_BITMAP *bmp_stage5_thumb;
extern ALLEGRO_BITMAP *bmp_background5;
extern ALLEGRO_BITMAP *bmp_fboss;

extern ALLEGRO_SAMPLE *snd_choose;
extern ALLEGRO_SAMPLE *snd_select;
extern ALLEGRO_SAMPLE *snd_drop;
extern ALLEGRO_SAMPLE *snd_propeller;
extern ALLEGRO_SAMPLE *snd_throw;
extern ALLEGRO_SAMPLE *snd_hit;
extern ALLEGRO_SAMPLE *snd_hurt;
extern ALLEGRO_SAMPLE *snd_1up;
extern ALLEGRO_SAMPLE *snd_laser;

struct BitmapEntry {
    const char *path;
    ALLEGRO_BITMAP **handle;
};

struct SampleEntry {
    const char *path;
    ALLEGRO_SAMPLE **handle;
};

// In load order.
extern const BitmapEntry bitmap_table[BITMAP_COUNT];
extern const SampleEntry sample_table[SAMPLE_COUNT];

#endif
