#include <gtest/gtest.h>

#include <string>

#include "paths.h"

namespace srcmorph {
namespace {

struct NameCase {
    std::string in;
    std::string ca65;
    std::string asm6;
};

TEST(Paths, OutputNamesReplaceTheExtension)
{
    const NameCase cases[] = {
        {"song.asm", "song.s", "song_asm6.asm"},
        {"dir/drv.inc", "dir/drv.s", "dir/drv_inc6.asm"},
        {"/abs/path/x.y/a.ASM", "/abs/path/x.y/a.s", "/abs/path/x.y/a_ASM6.asm"},
        {".asm", ".s", "_asm6.asm"},
        {"a.b.c.asm", "a.b.c.s", "a.b.c_asm6.asm"},
    };
    for (const NameCase& c : cases) {
        ASSERT_EQ(check_input_path(c.in), PathCheck::ok) << c.in;
        EXPECT_EQ(output_path(c.in, Target::ca65), c.ca65);
        EXPECT_EQ(output_path(c.in, Target::asm6), c.asm6);
    }
}

TEST(Paths, RefusesNamesWithoutThreeCharacterExtension)
{
    for (const char* bad : {"", "a", "asm", "song", "song.as", "song.s", "song.asm6", "x.a/bc", "x.ab/c", "x.abc/"})
        EXPECT_EQ(check_input_path(bad), PathCheck::no_extension) << bad;
}

TEST(Paths, RefusesPathsLongerThanTheLimit)
{
    const std::string longest = std::string(kMaxPath - 4, 'a') + ".asm";
    EXPECT_EQ(check_input_path(longest), PathCheck::ok);
    EXPECT_EQ(check_input_path("a" + longest), PathCheck::too_long);
    EXPECT_EQ(output_path(longest, Target::asm6).size(), kMaxPath + 5);
}

} // namespace
} // namespace srcmorph
