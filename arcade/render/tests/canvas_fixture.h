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
extern const Rgb CREATOR_RGB;
extern const Rgb TITLE_RGB;
extern const Rgb BACKGROUND_RGB;
extern const Rgb SURFACE_RGB;
extern const Rgb BACKGROUND2_RGB;
extern const Rgb SURFACE2_RGB;
extern const Rgb BACKGROUND3_RGB;
extern const Rgb SURFACE3_RGB;
extern const Rgb BACKGROUND4_RGB;
extern const Rgb SURFACE4_RGB;
extern const Rgb BACKGROUND5_RGB;
extern const Rgb BACKGROUND5_EDGE_RGB;
extern const Rgb GAMEOVER_RGB;
extern const Rgb COMPLETED_RGB;
extern const Rgb SNAPSHOT_RGB;
extern const Rgb LIFE_RGB;
extern const Rgb THUMB_RGB[5];
extern const Rgb BLACK;
extern const Rgb WHITE;
extern const Rgb BACKDROP_GREY;
extern const Rgb TITLE_GREY;
extern const Rgb STORY_GREY;

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
