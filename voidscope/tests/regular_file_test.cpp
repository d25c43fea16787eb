// The one reader of regular files: whole files within a limit, and
// everything that is not a regular file refused before it is read.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "cart/regular_file.h"
#include "temp_files.h"

namespace {

TEST(RegularFile, ReadsWholeFilesUpToTheLimitAndNoMore) {
  TempDir dir;
  Bytes bytes;
  TFileError error;
  const Bytes content = {1, 2, 3, 4, 5};
  const std::string name = dir.Write("five", content);
  EXPECT_TRUE(ReadRegularFile(name, 5, bytes, error));
  EXPECT_EQ(bytes, content);
  EXPECT_EQ(error.failure, TFileFailure::None);
  EXPECT_FALSE(ReadRegularFile(name, 4, bytes, error));
  EXPECT_EQ(error.failure, TFileFailure::TooLarge);
  EXPECT_TRUE(bytes.empty());
  EXPECT_TRUE(ReadRegularFile(dir.Write("empty", {}), 0, bytes, error));
  EXPECT_TRUE(bytes.empty());

  EXPECT_FALSE(ReadRegularFile(dir.File("absent"), 100, bytes, error));
  EXPECT_EQ(error.failure, TFileFailure::CannotOpen);
  EXPECT_EQ(error.reason, "No such file or directory");
  EXPECT_FALSE(ReadRegularFile("", 100, bytes, error));
  EXPECT_EQ(error.failure, TFileFailure::CannotOpen);

  // The first bytes, read afresh from the start each time; a file that
  // shrank after it was measured is not taken half read.
  TRegularFile file;
  ASSERT_TRUE(file.Open(name, error));
  EXPECT_EQ(file.Size(), 5u);
  EXPECT_TRUE(file.ReadFirst(2, bytes, error));
  EXPECT_EQ(bytes, (Bytes{1, 2}));
  EXPECT_TRUE(file.ReadFirst(9, bytes, error));
  EXPECT_EQ(bytes, content);
  TRegularFile shrinking;
  ASSERT_TRUE(shrinking.Open(name, error));
  ASSERT_EQ(truncate(name.c_str(), 3), 0);
  EXPECT_FALSE(shrinking.ReadFirst(5, bytes, error));
  EXPECT_EQ(error.failure, TFileFailure::ReadFailed);
  EXPECT_TRUE(bytes.empty());
}

TEST(RegularFile, RefusesPipesSocketsDevicesAndFoldersAtOnce) {
  TempDir dir;
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  std::filesystem::create_directory(dir.File("folder"));
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketName = dir.File("socket");
  ASSERT_LT(socketName.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, socketName.c_str(), socketName.size() + 1);
  ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  // A link to a pipe is the pipe.
  std::filesystem::create_symlink(dir.File("pipe"), dir.File("link"));

  const struct {
    std::string name, words;
  } cases[] = {{dir.File("pipe"), "a named pipe"}, {dir.File("link"), "a named pipe"},
               {dir.File("folder"), "a folder"},   {socketName, "a socket"},
               {"/dev/zero", "a device"},          {"/dev/null", "a device"}};
  alarm(30);  // a pipe opened for reading would wait here for ever
  for (const auto& c : cases) {
    Bytes bytes;
    TFileError error;
    EXPECT_FALSE(ReadRegularFile(c.name, 1 << 30, bytes, error)) << c.name;
    EXPECT_EQ(error.failure, TFileFailure::NotRegular) << c.name;
    EXPECT_EQ(error.reason, c.words) << c.name;
    TRegularFile file;
    EXPECT_FALSE(file.Open(c.name, error));
    EXPECT_EQ(file.Stream(), nullptr);
  }
  alarm(0);
  close(listener);
}

}  // namespace
