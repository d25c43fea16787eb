#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files.h"

using namespace std::string_literals;
#include "test_support.h"

namespace srcmorph {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::size_t entries(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(Files, ReadsWholeFileWithZeroSpare)
{
    const TempDir dir;
    const std::string text = "a\r\nb\0c"s;
    testing::write_file(dir / "x.asm", text);
    InputText in;
    ASSERT_EQ(read_source((dir / "x.asm").c_str(), in), ReadResult::ok);
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(in.data()), in.size()), text);
    for (std::size_t k = 0; k < kSpare; ++k)
        EXPECT_EQ(in.data()[in.size() + k], 0) << k;
}

TEST(Files, RefusesWhatIsNotARegularFile)
{
    const TempDir dir;
    fs::create_directory(dir / "d.asm");
    ASSERT_EQ(::mkfifo((dir / "p.asm").c_str(), 0600), 0);
    InputText in;
    EXPECT_EQ(read_source((dir / "missing.asm").c_str(), in), ReadResult::cant_open);
    EXPECT_EQ(read_source((dir / "d.asm").c_str(), in), ReadResult::cant_open);
    EXPECT_EQ(read_source((dir / "p.asm").c_str(), in), ReadResult::not_measurable);
    EXPECT_EQ(read_source("/dev/zero", in), ReadResult::not_measurable);
}

TEST(Files, ReadAllReportsErrorsAndEarlyEnds)
{
    const TempDir dir;
    testing::write_file(dir / "f", "abc");
    unsigned char buf[8];

    const int write_only = ::open((dir / "f").c_str(), O_WRONLY);
    ASSERT_GE(write_only, 0);
    EXPECT_FALSE(read_all(write_only, buf, 3));
    ::close(write_only);

    const int fd = ::open((dir / "f").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(read_all(fd, buf, 4)); // the file ended before the size taken
    ::close(fd);
}

TEST(Files, WriteAllReportsAFullDevice)
{
    const int fd = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    const unsigned char data[4] = {1, 2, 3, 4};
    EXPECT_FALSE(write_all(fd, data, sizeof data));
    ::close(fd);
}

TEST(Files, ReplacesAnExistingFile)
{
    const TempDir dir;
    const fs::path target = dir / "song.s";
    testing::write_file(target, "an older and longer copy");
    const unsigned char data[] = {'n', 'e', 'w'};
    ASSERT_TRUE(write_file_replacing(target.string(), data, sizeof data));
    EXPECT_EQ(testing::read_file(target), "new");
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(Files, NewFileGetsTheOrdinaryMode)
{
    const TempDir dir;
    const fs::path target = dir / "song.s";
    const unsigned char data[] = {'n'};
    const mode_t mask = ::umask(022);
    const bool written = write_file_replacing(target.string(), data, 1);
    ::umask(mask);
    ASSERT_TRUE(written);
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(Files, ReplacedFileKeepsItsMode)
{
    const TempDir dir;
    const fs::path target = dir / "song.s";
    testing::write_file(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    const unsigned char data[] = {'n'};
    ASSERT_TRUE(write_file_replacing(target.string(), data, 1));
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
}

TEST(Files, FailedReplaceLeavesNothingBehind)
{
    const TempDir dir;
    fs::create_directory(dir / "song.s");
    const unsigned char data[] = {'x'};
    EXPECT_FALSE(write_file_replacing((dir / "song.s").string(), data, 1));
    EXPECT_FALSE(write_file_replacing((dir / "no-such-folder" / "song.s").string(), data, 1));
    EXPECT_TRUE(fs::is_directory(dir / "song.s"));
    EXPECT_EQ(entries(dir.path()), 1u);
}

} // namespace
} // namespace srcmorph
