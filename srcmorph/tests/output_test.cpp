#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>

#include "output.h"

namespace srcmorph {
namespace {

std::string contents(const Output& out) { return std::string(reinterpret_cast<const char*>(out.data()), out.size()); }

TEST(Output, GrowsFromTheSmallestStart)
{
    Output out(0);
    std::string expected;
    for (int k = 0; k < 20000; ++k) {
        out.reserve_more(kStepRoom);
        out.append_text(".lobyte");
        out.put('#');
        const unsigned char run[] = "abc";
        out.append_bytes(run, 3);
        expected += ".lobyte#abc";
    }
    EXPECT_EQ(contents(out), expected);
    out.clear();
    EXPECT_EQ(out.size(), 0u);
}

TEST(Output, AppendsLongRunsAtOnce)
{
    Output out(1);
    const std::string run(1 << 20, 'x');
    out.append_bytes(reinterpret_cast<const unsigned char*>(run.data()), run.size());
    EXPECT_EQ(contents(out), run);
}

TEST(Output, InitialCapacityIsSizeWide)
{
    // A gibibyte and more must not wrap a 32-bit count.
    const std::size_t gib = std::size_t{1} << 30;
    EXPECT_EQ(initial_output_capacity(3 * gib), 6 * gib + kStepRoom);
    EXPECT_EQ(initial_output_capacity(0), kStepRoom);
    EXPECT_THROW(initial_output_capacity(SIZE_MAX / 2), std::bad_alloc);
}

TEST(Output, ImpossibleSizeIsOutOfMemory)
{
    // A size that wraps is refused before any allocation is tried.
    Output out(0);
    out.reserve_more(kStepRoom);
    out.put('x');
    EXPECT_THROW(out.reserve_more(SIZE_MAX), std::bad_alloc);
    EXPECT_EQ(out.size(), 1u);
}

} // namespace
} // namespace srcmorph
