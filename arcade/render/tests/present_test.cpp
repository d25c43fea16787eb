// Where the canvas lands on displays of every shape.
#include <gtest/gtest.h>
#include "render/render.h"

struct PresentCase {
    int display_w;
    int display_h;
    int scale;
    float x;
    float y;
};

// Only the height picks the whole factor; the offsets are halves in floating point.
static const PresentCase present_cases[] = {
    {1920, 1080, 4, 448.0f, 60.0f},
    {640, 480, 2, 64.0f, 0.0f},
    {512, 480, 2, 0.0f, 0.0f},
    {1280, 960, 4, 128.0f, 0.0f},
    {1366, 768, 3, 299.0f, 24.0f},
    {800, 600, 2, 144.0f, 60.0f},
    {257, 241, 1, 0.5f, 0.5f},
    {256, 479, 1, 0.0f, 119.5f},
    {1080, 1920, 8, -484.0f, 0.0f},   // portrait: the sides are cut
    {320, 200, 1, 32.0f, -20.0f},     // too short: factor 1, cut top and bottom
    {100, 100, 1, -78.0f, -70.0f},
    {4000, 720, 3, 1616.0f, 0.0f},    // width never raises the factor
};

TEST(Present, FactorFromHeightAndCentredCorner)
{
    for (const PresentCase &c : present_cases) {
        PresentRect rect;

        present_rect_compute(c.display_w, c.display_h, &rect);
        SCOPED_TRACE(testing::Message() << c.display_w << " x " << c.display_h);
        EXPECT_EQ(rect.scale, c.scale);
        EXPECT_FLOAT_EQ(rect.x, c.x);
        EXPECT_FLOAT_EQ(rect.y, c.y);
        EXPECT_FLOAT_EQ(rect.w, 256.0f * c.scale);
        EXPECT_FLOAT_EQ(rect.h, 240.0f * c.scale);
    }
}
