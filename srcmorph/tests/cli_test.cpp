// The built program, run in a scratch folder as a user would run it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "pass.h"
#include "test_support.h"

namespace srcmorph {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::run_srcmorph;
using testing::TempDir;
using testing::write_file;

const char kSource[] = "; demo\r\nTB_THREAD\r\nstart\tlda #LOW(table)\r\n.loop\tlda [ptr],y\r\n\t.db 1,2\r\n";

std::vector<std::string> names_in(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Cli, NoArgumentPrintsUsage)
{
    const TempDir dir;
    const auto r = run_srcmorph({}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "NESASM source code converter for Tunebrick\nUsage: srcmorph filename.asm\n");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(names_in(dir.path()).empty());
}

TEST(Cli, MissingFileIsReportedAsTyped)
{
    const TempDir dir;
    const auto r = run_srcmorph({"./nothere.asm"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error: Can't open file ./nothere.asm\n");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(names_in(dir.path()).empty());
}

TEST(Cli, WritesBothCopiesBesideTheInput)
{
    const TempDir dir;
    write_file(dir / "song.asm", kSource);
    const auto r = run_srcmorph({"song.asm", "ignored", "args"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"song.asm", "song.s", "song_asm6.asm"}));
    EXPECT_EQ(read_file(dir / "song.s"), convert_text(kSource, Target::ca65));
    EXPECT_EQ(read_file(dir / "song_asm6.asm"), convert_text(kSource, Target::asm6));
    EXPECT_EQ(read_file(dir / "song.s"),
              "; demo\r\n.define TB_THREAD      1\r\nstart:\tlda #.lobyte(table)\r\n@loop:\tlda (ptr),y\r\n\t.db 1,2\r\n");
    EXPECT_EQ(read_file(dir / "song_asm6.asm"),
              "; demo\r\nTB_THREAD\r\nstart\tlda #<(table)\r\n@loop\tlda (ptr),y\r\n\tdb 1,2\r\n");
}

TEST(Cli, OutputsLandInTheInputsFolder)
{
    const TempDir dir;
    fs::create_directory(dir / "sub");
    write_file(dir / "sub" / "drv.inc", kSource);
    const auto r = run_srcmorph({"sub/drv.inc"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"sub"});
    EXPECT_EQ(names_in(dir / "sub"), (std::vector<std::string>{"drv.inc", "drv.s", "drv_inc6.asm"}));
}

TEST(Cli, EmptyInputGivesTwoEmptyOutputs)
{
    const TempDir dir;
    write_file(dir / "e.asm", "");
    const auto r = run_srcmorph({"e.asm"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(read_file(dir / "e.s"), "");
    EXPECT_EQ(read_file(dir / "e_asm6.asm"), "");
}

TEST(Cli, ReplacesExistingOutputs)
{
    const TempDir dir;
    write_file(dir / "song.asm", "x");
    write_file(dir / "song.s", "an older, longer copy");
    write_file(dir / "song_asm6.asm", "an older, longer copy");
    ASSERT_EQ(run_srcmorph({"song.asm"}, dir.path()).status, 0);
    EXPECT_EQ(read_file(dir / "song.s"), "x");
    EXPECT_EQ(read_file(dir / "song_asm6.asm"), "x");
    EXPECT_EQ(names_in(dir.path()).size(), 3u);
}

TEST(Cli, FailedCa65CopyStopsBeforeAsm6)
{
    const TempDir dir;
    write_file(dir / "song.asm", kSource);
    fs::create_directory(dir / "song.s");
    const auto r = run_srcmorph({"song.asm"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error: Can't create file\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"song.asm", "song.s"}));
    EXPECT_TRUE(fs::is_empty(dir / "song.s"));
}

TEST(Cli, FailedAsm6CopyKeepsTheCa65Copy)
{
    const TempDir dir;
    write_file(dir / "song.asm", kSource);
    fs::create_directory(dir / "song_asm6.asm");
    const auto r = run_srcmorph({"song.asm"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error: Can't create file\n");
    EXPECT_EQ(read_file(dir / "song.s"), convert_text(kSource, Target::ca65));
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"song.asm", "song.s", "song_asm6.asm"}));
}

TEST(Cli, FolderWithoutWriteAccess)
{
    testing::UnprivilegedUser user;
    if (!user.available())
        GTEST_SKIP() << "root writes anywhere, and this machine has no unprivileged account to run as";
    const TempDir dir;
    fs::create_directory(dir / "ro");
    write_file(dir / "ro" / "song.asm", kSource);
    user.take(dir.path());
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    const auto r = user.run_srcmorph({"ro/song.asm"}, dir.path());
    fs::permissions(dir / "ro", fs::perms::owner_all);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error: Can't create file\n");
    EXPECT_EQ(names_in(dir / "ro"), std::vector<std::string>{"song.asm"});
}

TEST(Cli, FailedWriteKeepsTheEarlierCopy)
{
    // A file-size limit makes the write itself fail part-way, even for root.
    const TempDir dir;
    write_file(dir / "song.asm", std::string(8192, 'x'));
    write_file(dir / "song.s", "earlier copy");
    const auto r = run_srcmorph({"song.asm"}, dir.path(), {.file_size = 100});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error: Can't create file\n");
    EXPECT_EQ(read_file(dir / "song.s"), "earlier copy");
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"song.asm", "song.s"}));
}

struct RefusedCase {
    std::string arg;
    std::string message;
};

TEST(Cli, RefusesUnsuitableInputs)
{
    const TempDir dir;
    fs::create_directory(dir / "dir.asm");
    ASSERT_EQ(::mkfifo((dir / "pipe.asm").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.asm");
    write_file(dir / "song", kSource);
    const std::string long_path = std::string(1020, 'a') + ".asm";
    const RefusedCase cases[] = {
        {"song", "Error: File name must end in a three-character extension, like filename.asm: song\n"},
        {"a.b/c", "Error: File name must end in a three-character extension, like filename.asm: a.b/c\n"},
        {long_path, "Error: Path too long (over 1023 bytes)\n"},
        {"dir.asm", "Error: Can't open file dir.asm\n"},
        {"pipe.asm", "Error: Can't measure the size of pipe.asm (not a regular file)\n"},
        {"zero.asm", "Error: Can't measure the size of zero.asm (not a regular file)\n"},
    };
    const auto before = names_in(dir.path());
    for (const RefusedCase& c : cases) {
        const auto r = run_srcmorph({c.arg}, dir.path());
        EXPECT_EQ(r.status, 1) << c.arg;
        EXPECT_EQ(r.out, c.message);
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(names_in(dir.path()), before);
}

TEST(Cli, UnreadableFileCannotBeOpened)
{
    testing::UnprivilegedUser user;
    if (!user.available())
        GTEST_SKIP() << "root reads any file, and this machine has no unprivileged account to run as";
    const TempDir dir;
    write_file(dir / "song.asm", kSource);
    user.take(dir.path());
    fs::permissions(dir / "song.asm", fs::perms::none);
    const auto r = user.run_srcmorph({"song.asm"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error: Can't open file song.asm\n");
}

TEST(Cli, OutOfMemoryIsReported)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit an address-space limit";
#else
    // A sparse gibibyte: measured and opened fine, too big for the limit.
    const TempDir dir;
    write_file(dir / "big.asm", "");
    fs::resize_file(dir / "big.asm", std::uintmax_t{1} << 30);
    const auto r = run_srcmorph({"big.asm"}, dir.path(), {.address_space = 256u << 20});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error: Out of memory\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"big.asm"});
#endif
}

} // namespace
} // namespace srcmorph
