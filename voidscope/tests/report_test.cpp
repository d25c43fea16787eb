#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <filesystem>

#include "fake_dialogs.h"
#include "report.h"
#include "temp_files.h"

namespace {

class Report : public ::testing::Test {
 protected:
  static QImage ReadBMP(const std::string& name) {
    QImageReader reader(Q(name), "bmp");
    return reader.read().convertToFormat(QImage::Format_RGB32);
  }
  TempDir dir;
  TFakeDialogs dialogs;
};

TEST_F(Report, IsBMPDataWhateverTheExtensionWithEveryColourUnchanged) {
  Bytes bytes = MakeNES(3, 2);
  bytes[4] = 4;  // a truncated fourth bank brings the grey in too
  std::fill_n(bytes.begin() + PRGOffset(0) + 1000, 2000, 0xFF);
  TFormMain form(dialogs, Q(dir.Write("c.nes", bytes)));
  form.show();
  const std::string name = dir.File("report.png");
  dialogs.saveAnswer = Q(name);
  form.SaveReportCommand()->trigger();
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();

  const Bytes written = ReadAll(name);
  ASSERT_GT(written.size(), 54u);
  EXPECT_EQ(written[0], 'B');
  EXPECT_EQ(written[1], 'M');
  EXPECT_FALSE(std::filesystem::exists(dir.File("report.png.bmp")));
  const QImage picture = ReadBMP(name);
  EXPECT_EQ(picture.size(), QSize(649, 505));
  const QImage expected = form.RenderInfo(649, 505);
  EXPECT_EQ(picture, expected);
  for (QRgb colour : {qRgb(46, 255, 51), qRgb(252, 252, 252), qRgb(128, 128, 128), qRgb(0, 0, 0)}) {
    bool found = false;
    for (int y = 0; y < picture.height() && !found; ++y)
      for (int x = 0; x < picture.width() && !found; ++x) found = picture.pixel(x, y) == colour;
    EXPECT_TRUE(found) << std::hex << colour;
  }
}

TEST_F(Report, FollowsTheAreasCurrentSize) {
  TFormMain form(dialogs, Q(dir.Write("c.nes", MakeNES(9, 0))));
  form.show();
  form.resize(300, 400);
  const QSize area = form.PaintBox()->size();
  dialogs.saveAnswer = Q(dir.File("small.bmp"));
  form.MSaveReportClick();
  const QImage picture = ReadBMP(dir.File("small.bmp"));
  EXPECT_EQ(picture.size(), area);
  EXPECT_EQ(picture, form.RenderInfo(area.width(), area.height()));
}

TEST_F(Report, WithNoImageIsTheFramedMessage) {
  TFormMain form(dialogs);
  form.show();
  dialogs.saveAnswer = Q(dir.File("empty.bmp"));
  form.MSaveReportClick();
  const QImage picture = ReadBMP(dir.File("empty.bmp"));
  ASSERT_EQ(picture.size(), QSize(649, 505));
  EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(picture.pixel(648, 504), qRgb(0, 0, 0));
  EXPECT_EQ(picture.pixel(300, 300), qRgb(255, 255, 255));
  EXPECT_EQ(picture, form.RenderInfo(649, 505));
}

TEST_F(Report, CancelWritesNothing) {
  TFormMain form(dialogs);
  form.MSaveReportClick();
  EXPECT_EQ(dialogs.saveQuestions, 1);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(Report, AnUnwritablePlaceShowsTheErrorBoxAndChangesNothing) {
  const std::string cart = dir.Write("c.nes", MakeNES(2, 1));
  TFormMain form(dialogs, Q(cart));
  std::filesystem::create_directory(dir.File("folder"));
  for (const std::string& name : {dir.File("no-such-folder/r.bmp"), dir.File("folder"),
                                  dir.File("c.nes/r.bmp")}) {
    SCOPED_TRACE(name);
    dialogs.errors.clear();
    dialogs.saveAnswer = Q(name);
    form.MSaveReportClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(Q(name))) << dialogs.errors[0].toStdString();
    EXPECT_EQ(form.FileName(), Q(cart));
    ASSERT_TRUE(form.Image().Held());
    EXPECT_EQ(form.Image().PRGCount(), 2u);
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
}

TEST_F(Report, AFailedWriteLeavesAnEarlierFileWhole) {
  const std::string name = dir.Write("old.bmp", Bytes{'o', 'l', 'd'});
  QString error;
  EXPECT_FALSE(WriteReport(QImage(), Q(name), error));
  EXPECT_TRUE(error.contains(Q(name)));
  EXPECT_EQ(ReadAll(name), (Bytes{'o', 'l', 'd'}));
  EXPECT_TRUE(WriteReport(QImage(8, 8, QImage::Format_RGB32), Q(name), error));
  EXPECT_EQ(ReadAll(name)[0], 'B');
}

}  // namespace
