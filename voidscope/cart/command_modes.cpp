#include "command_modes.h"

#include <cstdio>
#include <string>
#include <vector>

#include "debug_info.h"
#include "play_summary.h"
#include "segment_summary.h"
#include "summary.h"
#include "summary_format.h"

namespace {

void Print(std::FILE* stream, const std::string& text) { std::fputs(text.c_str(), stream); }

// A name in a message: bytes that are not text show as replacement characters.
std::string Shown(const std::string& name) { return ValidUTF8(name); }

int CannotLoad(const std::string& name, const char* role) {
  Print(stderr, "voidscope: cannot load " + std::string(role) + "\"" + Shown(name) +
                    "\": missing, unreadable, shorter than " + std::to_string(MinNESSize) +
                    " bytes or not an iNES image\n");
  return 1;
}

// The segments of --dbg, placed in the loaded image.
struct TSegments {
  TDebugInfo info;
  TSegmentMap map;
};

// False, after a message, when the debug file cannot be read or describes
// another output than FILE.
bool ReadSegments(const TCommandLine& line, const TNESImage& image, TSegments& segments) {
  std::string error;
  if (!LoadDebugInfo(line.dbgFile, segments.info, error)) {
    Print(stderr, "voidscope: cannot read the debug file " + Shown(error) + "\n");
    return false;
  }
  if (!PlaceSegments(segments.info, line.file, image.PRGCount(), image.CHRCount(), segments.map, error)) {
    Print(stderr, "voidscope: cannot use the debug file \"" + Shown(line.dbgFile) + "\": " + Shown(error) + "\n");
    return false;
  }
  return true;
}

// The logs of --cdl merged in the order given. False, after a message, when
// one is not a log of this image; a log given twice is merged once, with a
// note, since the figures are the same either way.
bool ReadPlayLogs(const TCommandLine& line, TPlayLog& play) {
  for (const std::string& file : line.cdlFiles) {
    std::string message;
    const TAddOutcome outcome = play.AddFile(file, message);
    if (outcome == TAddOutcome::Merged) continue;
    Print(stderr, std::string("voidscope: ") +
                      (outcome == TAddOutcome::Refused ? "cannot use the " : "note: ") + "play log " +
                      Shown(message) + "\n");
    if (outcome == TAddOutcome::Refused) return false;
  }
  return true;
}

// What follows the one load of FILE: OLD and the debug file are loaded and
// the report written before anything reaches standard output, so that a
// failure leaves it empty. Returns the exit status.
int Finish(const TCommandLine& line, const TNESImage& image, const TWriteReport& writeReport) {
  TSegments segments;
  TSummaryAdditions additions;
  const TSegmentMap* segmentView = nullptr;
  const TPlayLog* playView = nullptr;
  TSegmentSummary segmentSummary;
  if (!line.dbgFile.empty()) {
    if (!ReadSegments(line, image, segments)) return 1;
    if (line.segments) segmentView = &segments.map;
  }
  TPlayLog play(image);
  TPlaySummary playSummary;
  if (!line.cdlFiles.empty()) {
    if (!ReadPlayLogs(line, play)) return 1;
    if (line.play) playView = &play;
  }
  TCartSummary summary;
  if (line.summary) {
    summary = SummariseNES(image);
    if (!line.dbgFile.empty()) {
      segmentSummary = SummariseSegments(image, summary, segments.map, line.dbgFile);
      additions.segments = &segmentSummary;
    }
    if (!line.cdlFiles.empty()) {
      playSummary = SummarisePlay(image, summary, play, additions.segments);
      additions.play = &playSummary;
    }
    if (!line.against.empty()) {
      TNESImage old;
      if (!old.LoadNES(line.against)) return CannotLoad(line.against, "the earlier build ");
      CompareSummaries(summary, SummariseNES(old));
    }
  }
  if (line.mode == TCommandLine::Mode::Report && !writeReport(image, segmentView, playView)) return 1;
  if (!line.summary) return 0;

  const std::string text =
      line.json ? SummaryJSON(summary, line.file, additions) : SummaryText(summary, line.file, line.graph, additions);
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Print(stderr, "voidscope: cannot write the summary to standard output\n");
    return 1;
  }
  if (!line.failBelow) return 0;
  const std::vector<std::string> below = BanksBelow(summary, *line.failBelow);
  for (const std::string& message : below) std::fprintf(stderr, "%s\n", message.c_str());
  return below.empty() ? 0 : 3;
}

}  // namespace

int RunCommandMode(const TCommandLine& line, const TWriteReport& writeReport) {
  switch (line.mode) {
    case TCommandLine::Mode::Help:
      Print(stdout, UsageText());
      return 0;
    case TCommandLine::Mode::Version:
      Print(stdout, VersionText());
      return 0;
    case TCommandLine::Mode::Error:
      Print(stderr, "voidscope: " + line.error + "\n" + UsageText());
      return 2;
    case TCommandLine::Mode::Summary:
    case TCommandLine::Mode::Report:
      break;
    case TCommandLine::Mode::Window:
      return 2;
  }
  TNESImage image;
  if (!image.LoadNES(line.file)) return CannotLoad(line.file, "");
  return Finish(line, image, writeReport);
}
