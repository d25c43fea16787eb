// The game's load tables and the generator's list of what it makes must
// name the same files in the same order.
#include <gtest/gtest.h>
#include <string>
#include "core/resources.h"
#include "resgen/layout.h"

namespace {

TEST(Resources, TheLoadTablesAreTheGeneratorsList)
{
    ASSERT_EQ((size_t)BITMAP_COUNT, resgen::kPictures.size());
    for (int i = 0; i < BITMAP_COUNT; i++)
        EXPECT_EQ(bitmap_table[i].path, "res/" + std::string(resgen::kGraphicsDir) +
                                            std::string(resgen::kPictures[i].file))
            << "picture " << i;
    ASSERT_EQ((size_t)SAMPLE_COUNT, resgen::kSounds.size());
    for (int i = 0; i < SAMPLE_COUNT; i++)
        EXPECT_EQ(sample_table[i].path,
                  "res/" + std::string(resgen::kAudioDir) + std::string(resgen::kSounds[i]))
            << "sound " << i;
}

} // namespace
