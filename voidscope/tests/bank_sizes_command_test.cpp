// Bank sizes and the whole header on the command line: the options, the
// JSON in every size against figures worked out from the bytes, the header
// object, and the default output unchanged but for what was added.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <filesystem>

#include "cart/summary_format.h"
#include "cart/command_line.h"
#include "reference_banks.h"
#include "reference_empty_byte.h"
#include "run_program.h"
#include "temp_files.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QJsonObject ParseJSON(const QByteArray& text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(text, &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  return document.object();
}

void ExpectBanks(const QJsonObject& json, const Bytes& bytes, std::uint64_t prg, std::uint64_t chr) {
  EXPECT_EQ(json["prg_bank_size"].toInteger(), static_cast<qint64>(prg));
  EXPECT_EQ(json["chr_bank_size"].toInteger(), static_cast<qint64>(chr));
  const auto empty = static_cast<std::uint8_t>(json["empty_byte"].toInt());
  const std::vector<RefBank> expected = ReferenceBanks(bytes, empty, prg, chr);
  const QJsonArray banks = json["banks"].toArray();
  ASSERT_EQ(banks.size(), static_cast<qsizetype>(expected.size()));
  for (qsizetype r = 0; r < banks.size(); ++r) {
    const QJsonObject bank = banks[r].toObject();
    const RefBank& want = expected[static_cast<std::size_t>(r)];
    SCOPED_TRACE(r);
    EXPECT_EQ(bank["kind"].toString(), want.kind == TBankKind::PRG ? "PRG" : "CHR");
    EXPECT_EQ(bank["index"].toInteger(), want.index);
    EXPECT_EQ(bank["offset"].toInteger(), static_cast<qint64>(want.offset));
    EXPECT_EQ(bank["size"].toInteger(), static_cast<qint64>(want.size));
    EXPECT_EQ(bank["used"].toInteger(), static_cast<qint64>(want.used));
    EXPECT_EQ(bank["free"].toInteger(), static_cast<qint64>(want.free));
    EXPECT_EQ(bank["missing"].toInteger(), static_cast<qint64>(want.missing));
    EXPECT_EQ(bank["largest_free_run"]["offset"].toInteger(), static_cast<qint64>(want.runOffset));
    EXPECT_EQ(bank["largest_free_run"]["length"].toInteger(), static_cast<qint64>(want.runLength));
  }
}

// Every image, every PRG size, every CHR size: the JSON's figures per bank.
TEST(BankSizesJSON, EveryFigurePerBankInEverySize) {
  TempDir dir;
  std::vector<std::pair<std::string, Bytes>> images;
  for (WrittenImage& w : WrittenImages()) images.emplace_back(w.name, std::move(w.bytes));
  for (const char* path : {"ca65-example/example.nes", "nes15/nes15-NTSC.nes",
                           "escape-from-pong/efp.nes", "nesdoug-mmc3/hello_mmc3.nes"})
    images.emplace_back(path, ReadAll(std::string(VOIDSCOPE_TEST_DATA "/") + path));
  for (const auto& [name, bytes] : images) {
    SCOPED_TRACE(name);
    TNESImage image;
    ASSERT_TRUE(image.LoadNES(dir.Write("image.nes", bytes)));
    for (const std::uint64_t prg : PRGBankSizes)
      for (const std::uint64_t chr : CHRBankSizes) {
        SCOPED_TRACE(std::to_string(prg) + "/" + std::to_string(chr));
        const QJsonObject json =
            ParseJSON(QByteArray::fromStdString(SummaryJSON(SummariseNES(image, {false, prg, chr}), name)));
        EXPECT_EQ(json["empty_byte"].toInt(), ReferenceEmptyByte(image));
        ExpectBanks(json, bytes, prg, chr);
      }
  }
}

// The header object on headers written here.
TEST(BankSizesJSON, TheHeaderObject) {
  TempDir dir;
  auto header = [&](std::initializer_list<std::pair<int, std::uint8_t>> set, QByteArray* raw = nullptr) {
    Bytes bytes = WrittenCart(2, 1);
    bytes[6] = 0;
    for (const auto& [at, value] : set) bytes[static_cast<std::size_t>(at)] = value;
    TNESImage image;
    EXPECT_TRUE(image.LoadNES(dir.Write("h.nes", bytes)));
    const QByteArray text = QByteArray::fromStdString(SummaryJSON(SummariseNES(image), "h.nes"));
    if (raw) *raw = text;
    return ParseJSON(text)["header"].toObject();
  };
  const QStringList nes20Keys = {"prg_ram", "prg_nvram", "chr_ram", "chr_nvram", "timing", "misc_roms"};

  // iNES: mapper 66, vertical, battery; NES 2.0's keys absent, submapper null.
  QJsonObject h = header({{6, 0x23}, {7, 0x40}, {10, 0xFF}, {12, 3}});
  EXPECT_EQ(h["format"].toString(), "iNES");
  EXPECT_EQ(h["mapper"].toInt(), 66);
  EXPECT_TRUE(h["submapper"].isNull());
  EXPECT_TRUE(h.contains("submapper"));
  EXPECT_EQ(h["prg_rom"].toInteger(), 32768);
  EXPECT_EQ(h["chr_rom"].toInteger(), 8192);
  EXPECT_EQ(h["trainer"], QJsonValue(false));
  EXPECT_EQ(h["battery"], QJsonValue(true));
  EXPECT_EQ(h["mirroring"].toString(), "vertical");
  for (const QString& key : nes20Keys) EXPECT_FALSE(h.contains(key)) << key.toStdString();

  // NES 2.0: mapper 4.1 with RAM sizes, a trainer and four screens.
  h = header({{6, 0x4C}, {7, 0x08}, {8, 0x10}, {10, 0x70}, {11, 0x97}, {12, 1}, {14, 2}});
  EXPECT_EQ(h["format"].toString(), "NES 2.0");
  EXPECT_EQ(h["mapper"].toInt(), 4);
  EXPECT_EQ(h["submapper"].toInt(), 1);
  EXPECT_EQ(h["trainer"], QJsonValue(true));
  EXPECT_EQ(h["battery"], QJsonValue(false));
  EXPECT_EQ(h["mirroring"].toString(), "four-screen");
  EXPECT_EQ(h["prg_ram"].toInteger(), 0);
  EXPECT_EQ(h["prg_nvram"].toInteger(), 8192);
  EXPECT_EQ(h["chr_ram"].toInteger(), 8192);
  EXPECT_EQ(h["chr_nvram"].toInteger(), 32768);
  EXPECT_EQ(h["timing"].toString(), "PAL");
  EXPECT_EQ(h["misc_roms"].toInt(), 2);
  EXPECT_EQ(h["prg_rom"].toInteger(), 32768);

  // Each timing.
  const std::pair<std::uint8_t, const char*> timings[] = {{0, "NTSC"}, {1, "PAL"}, {2, "multiple"}, {3, "Dendy"}};
  for (const auto& [byte12, name] : timings)
    EXPECT_EQ(header({{7, 0x08}, {12, byte12}})["timing"].toString(), name);

  // Sizes with byte 9's nibbles, and the exponent form, exact past 64 bits.
  h = header({{7, 0x08}, {9, 0x21}});
  EXPECT_EQ(h["prg_rom"].toInteger(), (0x102LL) * 16384);
  EXPECT_EQ(h["chr_rom"].toInteger(), (0x201LL) * 8192);
  QByteArray raw;
  header({{4, 0xFF}, {5, 0x2B}, {7, 0x08}, {9, 0xFF}}, &raw);
  EXPECT_TRUE(raw.contains("\"prg_rom\": 64563604257983430656,")) << raw.toStdString();
  EXPECT_TRUE(raw.contains("\"chr_rom\": 7168,")) << raw.toStdString();
}

// The program run as a build script would, on a copy of the test data.
class BankSizesCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string sample = VOIDSCOPE_SAMPLE;
    const std::string sampleDbg = sample.substr(0, sample.size() - 4) + ".dbg";
    namespace fs = std::filesystem;
    fs::copy_file(sample, dir.File("sample.nes"));
    fs::copy_file(sampleDbg, dir.File("sample.dbg"));
    fs::copy_file(VOIDSCOPE_TEST_DATA "/ca65-example/example.nes", dir.File("example.nes"));
    fs::copy_file(VOIDSCOPE_TEST_DATA "/nes15/nes15-NTSC.nes", dir.File("nes15.nes"));
    fs::copy_file(VOIDSCOPE_TEST_DATA "/russian-roulette/roulette.nes", dir.File("roulette.nes"));
    fs::copy_file(VOIDSCOPE_TEST_DATA "/nesdoug-mmc3/hello_mmc3.nes", dir.File("mmc3.nes"));
    // A raw play log of the sample: every third byte reached, some others drawn.
    Bytes log(8 * 16384 + 4 * 8192);
    for (std::size_t i = 0; i < log.size(); ++i) log[i] = i % 3 == 0 ? 0x01 : i % 11 == 0 ? 0x02 : 0;
    dir.Write("sample.cdl", log);
  }
  int Run(const QStringList& args) {
    const TProgramRun run = RunProgram(Q(dir.path()), VOIDSCOPE_EXE, args);
    out = run.out;
    err = run.err;
    return run.status;
  }
  static QByteArray Golden(const QString& name) {
    QFile file(VOIDSCOPE_TEST_DATA "/default-sizes/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  TempDir dir;
  QByteArray out, err;
};

// Without the added header lines and keys, the output of every kind of
// summary is what it was before bank sizes and the header existed.
TEST_F(BankSizesCommand, DefaultSizesGiveTheEarlierOutputButForWhatWasAdded) {
  const std::pair<const char*, QStringList> runs[] = {
      {"text", {"--summary", "sample.nes"}},
      {"json", {"--summary", "--json", "sample.nes"}},
      {"graph", {"--summary", "--graph", "example.nes"}},
      {"against", {"--summary", "--against", "example.nes", "sample.nes"}},
      {"against-json", {"--summary", "--json", "--against", "sample.nes", "example.nes"}},
      {"fail-below", {"--summary", "--fail-below", "1024", "sample.nes"}},
      {"dbg", {"--summary", "--dbg", "sample.dbg", "sample.nes"}},
      {"dbg-json", {"--summary", "--json", "--dbg", "sample.dbg", "sample.nes"}},
      {"cdl", {"--summary", "--cdl", "sample.cdl", "sample.nes"}},
      {"cdl-dbg-json", {"--summary", "--json", "--cdl", "sample.cdl", "--dbg", "sample.dbg", "sample.nes"}},
      {"trailing", {"--summary", "nes15.nes"}},
      {"mmc3-json", {"--summary", "--json", "mmc3.nes"}},
      {"graph-roulette", {"--summary", "--graph", "roulette.nes"}},
  };
  static const QRegularExpression addedKeys(
      ", \"prg_bank_size\": 16384, \"chr_bank_size\": 8192, \"trailing_bytes\": [0-9]+,\n \"header\": \\{[^}]*\\}");
  for (const auto& [name, args] : runs) {
    SCOPED_TRACE(name);
    const QByteArray golden = Golden(QString(name) + ".out");
    ASSERT_FALSE(golden.isEmpty());
    const int status = Run(args);
    EXPECT_EQ(status, QString(name) == "fail-below" ? 3 : 0);
    EXPECT_EQ(err, Golden(QString(name) + ".err"));
    QString now = QString::fromUtf8(out);
    if (args.contains("--json")) {
      EXPECT_TRUE(now.contains(addedKeys)) << out.toStdString();
      now.remove(addedKeys);
    } else {
      // The header line and its notes stand between the title and the blank line.
      const qsizetype title = now.indexOf('\n'), blank = now.indexOf("\n\n");
      ASSERT_GT(blank, title);
      EXPECT_TRUE(now.mid(title + 1).startsWith("Header: iNES, mapper ")) << out.toStdString();
      now.remove(title + 1, blank - title);
    }
    EXPECT_EQ(now.toStdString(), QString::fromUtf8(golden).toStdString());
  }
  // nes15 holds 4096 bytes after its last bank.
  ASSERT_EQ(Run({"--summary", "nes15.nes"}), 0);
  EXPECT_TRUE(out.contains("\nNote: 4096 bytes follow the last bank; the figures leave them out.\n\n"));
  ASSERT_EQ(Run({"--summary", "--json", "nes15.nes"}), 0);
  EXPECT_EQ(ParseJSON(out)["trailing_bytes"].toInt(), 4096);
}

// The options reach every figure: JSON, the text's rows and bars, the
// change since an earlier build and --fail-below, on the MMC3 game.
TEST_F(BankSizesCommand, EverySizeOnTheCommandLine) {
  const Bytes bytes = ReadAll(dir.File("mmc3.nes"));
  for (const char* prg : {"8K", "16K", "32K"})
    for (const char* chr : {"1K", "2K", "4K", "8K"}) {
      SCOPED_TRACE(std::string(prg) + "/" + chr);
      ASSERT_EQ(Run({"--summary", "--json", "--prg-bank-size", prg, "--chr-bank-size", chr, "mmc3.nes"}), 0)
          << err.toStdString();
      ExpectBanks(ParseJSON(out), bytes, std::stoull(prg) * 1024, std::stoull(chr) * 1024);
    }
  // The mapper's sizes: MMC3, 8 KB and 1 KB; a size given on its own wins.
  ASSERT_EQ(Run({"--summary", "--json", "--bank-sizes", "mapper", "mmc3.nes"}), 0);
  ExpectBanks(ParseJSON(out), bytes, 8192, 1024);
  ASSERT_EQ(Run({"--summary", "--json", "--bank-sizes", "mapper", "--chr-bank-size", "4k", "mmc3.nes"}), 0);
  ExpectBanks(ParseJSON(out), bytes, 8192, 4096);

  // Text: the sizes after the title, one row and one bar per 8 KB bank.
  ASSERT_EQ(Run({"--summary", "--graph", "--bank-sizes", "mapper", "mmc3.nes"}), 0);
  const QStringList lines = QString::fromUtf8(out).split('\n');
  EXPECT_EQ(lines[0], "mmc3.nes  Mapper #4  8xPRG  16xCHR  Empty is $00  Banks 8 KB PRG, 1 KB CHR");
  EXPECT_EQ(lines.filter(QRegularExpression("^PRG \\$[0-9A-F]{2} .*\\]$")).size(), 16);
  EXPECT_EQ(lines.filter(QRegularExpression("^CHR \\$[0-9A-F]{2} .*\\]$")).size(), 128);
  EXPECT_TRUE(lines.filter("PRG $0F ").value(0).startsWith("PRG $0F 01E010-02000F   8192  "));

  // --fail-below names 8 KB banks; the worked-out free bytes decide which.
  const std::vector<RefBank> banks = ReferenceBanks(bytes, 0x00, 8192, 1024);
  QByteArray expected;
  for (const RefBank& b : banks)
    if (b.kind == TBankKind::PRG && b.free < 6000)
      expected += QByteArray::fromStdString(BankLabel(b.kind, b.index) + ": " + std::to_string(b.free) +
                                            " bytes free, below 6000\n");
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_EQ(Run({"--summary", "--prg-bank-size", "8K", "--fail-below", "6000", "mmc3.nes"}), 3);
  EXPECT_EQ(err, expected);

  // --against: the change per 8 KB bank, the earlier build cut the same way
  // whatever its mapper (the sample is MMC1).
  ASSERT_EQ(Run({"--summary", "--json", "--bank-sizes", "mapper", "--against", "sample.nes", "mmc3.nes"}), 0);
  const std::vector<RefBank> old = ReferenceBanks(ReadAll(dir.File("sample.nes")), 0xFF, 8192, 1024);
  const QJsonArray rows = ParseJSON(out)["banks"].toArray();
  ASSERT_EQ(rows.size(), static_cast<qsizetype>(banks.size()));
  for (std::size_t r = 0; r < banks.size(); ++r) {
    std::int64_t before = 0;
    for (const RefBank& o : old)
      if (o.kind == banks[r].kind && o.index == banks[r].index) before = static_cast<std::int64_t>(o.used);
    EXPECT_EQ(rows[static_cast<qsizetype>(r)]["used_delta"].toInteger(),
              static_cast<std::int64_t>(banks[r].used) - before)
        << r;
  }
}

// The debug file's segments and the play log's figures cut in 8 KB and
// 1 KB banks add up, bank by bank, to the bank's own figures.
TEST_F(BankSizesCommand, SegmentsAndPlayLogsInSmallBanks) {
  ASSERT_EQ(Run({"--summary", "--json", "--dbg", "sample.dbg", "--cdl", "sample.cdl", "--prg-bank-size",
                 "8K", "--chr-bank-size", "1K", "sample.nes"}),
            0)
      << err.toStdString();
  const Bytes bytes = ReadAll(dir.File("sample.nes"));
  const QJsonObject json = ParseJSON(out);
  ExpectBanks(json, bytes, 8192, 1024);
  const QJsonArray banks = json["banks"].toArray();
  ASSERT_EQ(banks.size(), 16 + 32);
  const Bytes log = ReadAll(dir.File("sample.cdl"));
  int segmentsSeen = 0;
  for (const QJsonValue& value : banks) {
    const QJsonObject bank = value.toObject();
    const std::uint64_t offset = static_cast<std::uint64_t>(bank["offset"].toInteger());
    const std::uint64_t size = static_cast<std::uint64_t>(bank["size"].toInteger());
    const std::uint8_t freeValue = bank["kind"].toString() == "PRG" ? 0xFF : 0x00;
    SCOPED_TRACE(bank["kind"].toString().toStdString() + std::to_string(bank["index"].toInt()));
    std::uint64_t usedInSegments = 0;
    for (const QJsonValue& s : bank["segments"].toArray()) {
      const auto from = static_cast<std::uint64_t>(s["offset"].toInteger());
      const auto n = static_cast<std::uint64_t>(s["size"].toInteger());
      ASSERT_LE(from + n, size);
      std::uint64_t freeInside = 0, never = 0;
      for (std::uint64_t i = offset + from; i < offset + from + n; ++i) {
        freeInside += bytes[i] == freeValue;
        never += bytes[i] != freeValue && log[i - 16] == 0;
      }
      EXPECT_EQ(s["free_inside"].toInteger(), static_cast<qint64>(freeInside));
      EXPECT_EQ(s["never_reached"].toInteger(), static_cast<qint64>(never));
      usedInSegments += n - freeInside;
      ++segmentsSeen;
    }
    EXPECT_EQ(bank["used_outside_segments"].toInteger() + static_cast<qint64>(usedInSegments),
              bank["used"].toInteger());
    std::uint64_t reached = 0, never = 0;
    for (std::uint64_t i = offset; i < offset + size; ++i) {
      reached += log[i - 16] != 0;
      never += log[i - 16] == 0 && bytes[i] != freeValue;
    }
    EXPECT_EQ(bank["reached"].toInteger(), static_cast<qint64>(reached));
    EXPECT_EQ(bank["never_reached"].toInteger(), static_cast<qint64>(never));
  }
  EXPECT_GT(segmentsSeen, 8);
}

TEST(BankSizesCommandLine, Parse) {
  auto parse = [](const std::vector<std::string>& args) { return ParseCommandLine(args); };
  TCommandLine line = parse({"--summary", "--prg-bank-size", "8K", "--chr-bank-size", "1k", "a.nes"});
  ASSERT_EQ(line.mode, TCommandLine::Mode::Summary) << line.error;
  EXPECT_EQ(line.prgBankSize, 8192u);
  EXPECT_EQ(line.chrBankSize, 1024u);
  EXPECT_FALSE(line.bankSizesFromMapper);
  line = parse({"--report", "r.bmp", "--bank-sizes", "mapper", "--prg-bank-size", "32768", "a.nes"});
  ASSERT_EQ(line.mode, TCommandLine::Mode::Report) << line.error;
  EXPECT_TRUE(line.bankSizesFromMapper);
  EXPECT_EQ(line.prgBankSize, 32768u);
  EXPECT_EQ(line.chrBankSize, 0u);
  EXPECT_EQ(parse({"--summary", "--chr-bank-size", "8KB", "a.nes"}).chrBankSize, 8192u);
  const std::vector<std::string> bad[] = {
      {"--summary", "--prg-bank-size", "4K", "a.nes"},
      {"--summary", "--prg-bank-size", "64K", "a.nes"},
      {"--summary", "--chr-bank-size", "16K", "a.nes"},
      {"--summary", "--chr-bank-size", "512", "a.nes"},
      {"--summary", "--chr-bank-size", "-1K", "a.nes"},
      {"--summary", "--prg-bank-size", "", "a.nes"},
      {"--summary", "--prg-bank-size"},
      {"--summary", "--bank-sizes", "board", "a.nes"},
      {"--bank-sizes", "mapper", "a.nes"},  // the window starts in 16 KB and 8 KB
      {"--prg-bank-size", "8K", "a.nes"},
  };
  for (const std::vector<std::string>& args : bad) {
    const TCommandLine failed = parse(args);
    EXPECT_EQ(failed.mode, TCommandLine::Mode::Error) << ::testing::PrintToString(args);
    EXPECT_FALSE(failed.error.empty());
  }
  EXPECT_EQ(parse({"--summary", "--chr-bank-size", "3K", "a.nes"}).error,
            "bad bank size \"3K\" for --chr-bank-size: expected 1K, 2K, 4K, 8K");
}

}  // namespace
