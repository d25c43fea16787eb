// The Windows file calls and names, run as a Windows program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <windows.h>

#include "files.h"
#include "paths.h"

using namespace std::string_literals;

namespace srcmorph {
namespace {

namespace fs = std::filesystem;

// A fresh folder with a non-ASCII name, removed at the end of the test.
class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / (L"srcmorph-テスト-" + std::to_wstring(::GetCurrentProcessId())))
    {
        fs::remove_all(path_);
        fs::create_directory(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    fs::path operator/(const std::wstring& name) const { return path_ / name; }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), fs::directory_iterator()));
    }

private:
    fs::path path_;
};

void write_file(const fs::path& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(f.good()) << path;
}

std::string read_file(const fs::path& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(WindowsFiles, ReadsWholeFileByItsWideNameWithZeroSpare)
{
    const TempDir dir;
    const std::string text = "a\r\nb\0c"s;
    write_file(dir / L"ロム.asm", text);
    InputText in;
    ASSERT_EQ(read_source((dir / L"ロム.asm").wstring(), in), ReadResult::ok);
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(in.data()), in.size()), text);
    for (std::size_t k = 0; k < kSpare; ++k)
        EXPECT_EQ(in.data()[in.size() + k], 0) << k;
}

TEST(WindowsFiles, RefusesWhatIsNotARegularFile)
{
    const TempDir dir;
    fs::create_directory(dir / L"d.asm");
    InputText in;
    EXPECT_EQ(read_source((dir / L"missing.asm").wstring(), in), ReadResult::cant_open);
    EXPECT_EQ(read_source((dir / L"d.asm").wstring(), in), ReadResult::cant_open);
    EXPECT_EQ(read_source(L"NUL", in), ReadResult::not_measurable);
}

TEST(WindowsFiles, ReplacesAnExistingFileAndLeavesNoTemporary)
{
    const TempDir dir;
    const fs::path target = dir / L"ロム.s";
    write_file(target, "an older and longer copy");
    const unsigned char data[] = {'n', 'e', 'w'};
    ASSERT_TRUE(write_file_replacing(target.wstring(), data, sizeof data));
    EXPECT_EQ(read_file(target), "new");
    ASSERT_TRUE(write_file_replacing((dir / L"fresh.s").wstring(), data, 0));
    EXPECT_EQ(read_file(dir / L"fresh.s"), "");
    EXPECT_EQ(dir.entries(), 2u);
}

TEST(WindowsFiles, FailedReplaceLeavesNothingBehind)
{
    const TempDir dir;
    fs::create_directory(dir / L"song.s");
    const unsigned char data[] = {'x'};
    EXPECT_FALSE(write_file_replacing((dir / L"song.s").wstring(), data, 1));
    EXPECT_FALSE(write_file_replacing((dir / L"no-such-folder" / L"song.s").wstring(), data, 1));
    EXPECT_TRUE(fs::is_directory(dir / L"song.s"));
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(WindowsFiles, WritesBesideANameWithBackslashes)
{
    const TempDir dir;
    fs::create_directory(dir / L"sub");
    const std::wstring target = (dir / L"sub").wstring() + L"\\drv.s";
    const unsigned char data[] = {'x'};
    ASSERT_TRUE(write_file_replacing(target, data, 1));
    EXPECT_EQ(read_file(dir / L"sub" / L"drv.s"), "x");
    EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(dir / L"sub"),
                                                     fs::directory_iterator())),
              1u);
}

TEST(WindowsNames, OutputNamesKeepEveryCharacter)
{
    EXPECT_EQ(check_input_path(std::wstring_view(L"ロム.asm")), PathCheck::ok);
    EXPECT_EQ(output_path(std::wstring_view(L"ロム.asm"), Target::ca65), L"ロム.s");
    EXPECT_EQ(output_path(std::wstring_view(L"ロム.asm"), Target::asm6), L"ロム_asm6.asm");
    EXPECT_EQ(output_path(std::wstring_view(L"dir\\drv.inc"), Target::asm6), L"dir\\drv_inc6.asm");
    // An extension of any three characters, a surrogate pair counting as two.
    EXPECT_EQ(output_path(std::wstring_view(L"a.ロムx"), Target::ca65), L"a.s");
}

TEST(WindowsNames, BackslashSeparatesFolders)
{
    for (const wchar_t* bad : {L"x.a\\bc", L"x.ab\\c", L"x.abc\\", L"song", L"ロム"})
        EXPECT_EQ(check_input_path(std::wstring_view(bad)), PathCheck::no_extension);
    EXPECT_EQ(check_input_path(std::string_view("x.a\\bc")), PathCheck::no_extension);
}

TEST(WindowsNames, LengthLimitCountsUtf8Bytes)
{
    // Each ロ is three bytes in UTF-8: 340 of them and ".asm" make 1024.
    const std::wstring over = std::wstring(340, L'ロ') + L".asm";
    EXPECT_EQ(check_input_path(std::wstring_view(over)), PathCheck::too_long);
    EXPECT_EQ(check_input_path(std::wstring_view(over).substr(1)), PathCheck::ok);
    // A surrogate pair is four bytes: 255 of them and ".asm" make 1024.
    std::wstring pairs;
    for (int k = 0; k < 255; ++k)
        pairs += L"\xD83C\xDFAE";
    EXPECT_EQ(check_input_path(std::wstring_view(pairs + L".asm")), PathCheck::too_long);
    EXPECT_EQ(check_input_path(std::wstring_view(pairs.substr(2) + L".asm")), PathCheck::ok);
}

} // namespace
} // namespace srcmorph
