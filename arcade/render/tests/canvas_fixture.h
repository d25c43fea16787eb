// Allegro without a display: a memory canvas, the game's font and plain
// one-colour stand-ins for the pictures, so every screen can be drawn and
// its pixels read back.
#ifndef ARCADE_RENDER_TESTS_CANVAS_FIXTURE_H
#define ARCADE_RENDER_TESTS_CANVAS_FIXTURE_H

#include <gtest/gtest.h>
#include <allegro5/allegro.h>

struct Rgb {
    int r;
    int g;
    int b;
};

bool operator==(const Rgb &a, const Rgb &b);
std::ostream &operator<<(std::ostream &out, const Rgb &c);

// The bounds of every pixel in a region that differs from the background.
struct InkBox {
    int left;
    int top;
    int right;   // inclusive
    int bottom;  // inclusive
    int count;
};

// Stand-in colours: each picture has its own, so a pixel tells which one shows.
inline const Rgb CREATOR_RGB = {200, 40, 40};
inline const Rgb TITLE_RGB = {40, 200, 40};
inline const Rgb BACKGROUND_RGB = {10, 20, 130};
inline const Rgb SURFACE_RGB = {120, 80, 20};
inline const Rgb BACKGROUND2_RGB = {10, 130, 20};
inline const Rgb SURFACE2_RGB = {130, 20, 10};
inline const Rgb BACKGROUND3_RGB = {60, 60, 140};
inline const Rgb SURFACE3_RGB = {140, 60, 60};
inline const Rgb BACKGROUND4_RGB = {30, 160, 200};
inline const Rgb SURFACE4_RGB = {100, 100, 20};
inline const Rgb BACKGROUND5_RGB = {70, 20, 90};
inline const Rgb BACKGROUND5_EDGE_RGB = {250, 250, 0};
inline const Rgb GAMEOVER_RGB = {180, 0, 0};
inline const Rgb COMPLETED_RGB = {0, 0, 180};
inline const Rgb SNAPSHOT_RGB = {0, 150, 150};
inline const Rgb LIFE_RGB = {255, 0, 255};
inline const Rgb THUMB_RGB[5] = {
    {11, 111, 211}, {22, 122, 222}, {33, 133, 233}, {44, 144, 244}, {55, 155, 255}
};
inline const Rgb BLACK = {0, 0, 0};
inline const Rgb WHITE = {255, 255, 255};
inline const Rgb BACKDROP_GREY = {93, 93, 93};
inline const Rgb TITLE_GREY = {199, 199, 199};
inline const Rgb STORY_GREY = {192, 192, 192};

#define THUMB_W 97
#define THUMB_H 55
#define TITLE_BAND_H 40
#define LIFE_SIZE 12

Rgb pixel_at(ALLEGRO_BITMAP *bitmap, int x, int y);
// Scans x0 <= x < x1, y0 <= y < y1 for pixels unlike background.
void ink_find(ALLEGRO_BITMAP *bitmap, int x0, int y0, int x1, int y1,
              Rgb background, InkBox *box);
// Counts the pixels of exactly this colour in the region.
int colour_count(ALLEGRO_BITMAP *bitmap, int x0, int y0, int x1, int y1, Rgb colour);
void bitmap_fill(ALLEGRO_BITMAP *bitmap, Rgb colour);
bool bitmaps_equal(ALLEGRO_BITMAP *a, ALLEGRO_BITMAP *b);

class RenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The state's frame as the loop would compose it, minus the display.
    void compose(int state);
};

#endif
