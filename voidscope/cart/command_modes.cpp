#include "command_modes.h"

#include <cstdio>
#include <string>
#include <vector>

#include "label_file.h"
#include "label_summary.h"
#include "mapper_banks.h"
#include "nes_header.h"
#include "picture/summary_page.h"
#include "play_summary.h"
#include "segment_summary.h"
#include "session.h"
#include "summary.h"
#include "summary_format.h"
#include "summary_markdown.h"

namespace {

void Print(std::FILE* stream, const std::string& text) { std::fputs(text.c_str(), stream); }

// A name or a system's text in a message: bytes that are not text show as
// replacement characters.
std::string Shown(const std::string& text) { return ValidUTF8(text); }

int CannotLoad(const std::string& name, const char* role, const TFileError& error) {
  if (error.failure == TFileFailure::NotRegular) {
    Print(stderr, "voidscope: cannot load " + std::string(role) + "\"" + Shown(name) + "\": " +
                      Shown(error.reason) + ", not an NES file\n");
    return 1;
  }
  Print(stderr, "voidscope: cannot load " + std::string(role) + "\"" + Shown(name) +
                    "\": missing, unreadable, shorter than " + std::to_string(MinNESSize) +
                    " bytes without holding every bank its header names, or not an iNES image\n");
  return 1;
}

// The segments of --dbg, placed in the loaded image. False, after a
// message, when the debug file cannot be read or describes another output
// than FILE.
bool ReadSegments(const TCommandLine& line, TSession& session) {
  std::string error;
  switch (session.ChooseDbg(line.dbgFile, error)) {
    case TSession::TDbgResult::Used:
      return true;
    case TSession::TDbgResult::Unreadable:
      Print(stderr, "voidscope: cannot read the debug file " + Shown(error) + "\n");
      return false;
    default:
      Print(stderr, "voidscope: cannot use the debug file \"" + Shown(line.dbgFile) + "\": " + Shown(error) + "\n");
      return false;
  }
}

// The logs of --cdl merged in the order given. False, after a message, when
// one is not a log of this image; a log given twice is merged once, with a
// note, since the figures are the same either way.
bool ReadPlayLogs(const TCommandLine& line, TSession& session) {
  for (const std::string& file : line.cdlFiles) {
    std::string message;
    const TAddOutcome outcome = session.AddPlayLog(file, message);
    if (outcome == TAddOutcome::Merged) continue;
    Print(stderr, std::string("voidscope: ") + (outcome == TAddOutcome::Refused ? "cannot use the " : "note: ") +
                      "play log " + Shown(message) + "\n");
    if (outcome == TAddOutcome::Refused) return false;
  }
  return true;
}

// The files of --labels, in the order given. False, after a message, when
// one cannot be read or holds no label line; skipped lines are noted.
bool ReadLabelFiles(const TCommandLine& line, std::vector<TLabelFile>& files) {
  for (const std::string& name : line.labelFiles) {
    TLabelFile file;
    std::string error;
    if (!LoadLabelFile(name, file, error)) {
      Print(stderr, "voidscope: cannot read the label file " + Shown(error) + "\n");
      return false;
    }
    const std::string note = LabelFileNote(file);
    if (!note.empty()) Print(stderr, "voidscope: note: " + Shown(note) + "\n");
    files.push_back(std::move(file));
  }
  return true;
}

// What follows the one load of FILE: OLD and the debug file are loaded and
// the report written before anything reaches standard output, so that a
// failure leaves it empty. Returns the exit status.
int Finish(const TCommandLine& line, TSession& session, const TWriteReport& writeReport) {
  const TNESImage& image = session.Image();
  const TBankSizeChoice choice{line.bankSizesFromMapper, line.prgBankSize, line.chrBankSize};
  const TBankSizes sizes = ChooseBankSizes(choice, ReadNESHeader(image).mapper);
  // Before the debug file: its segments are cut in the banks' sizes.
  session.SetBankSizes(sizes);
  if (!line.dbgFile.empty() && !ReadSegments(line, session)) return 1;
  if (!line.cdlFiles.empty() && !ReadPlayLogs(line, session)) return 1;
  session.ShowSegments(line.segments);
  session.ShowPlay(line.play);
  TSummaryAdditions additions;
  TSegmentSummary segmentSummary;
  TPlaySummary playSummary;
  std::vector<TLabelFile> labelFiles;
  if (!ReadLabelFiles(line, labelFiles)) return 1;
  TLabelSummary labelSummary;
  TCartSummary summary;
  TNESImage earlier;
  const bool page = !line.htmlFile.empty();
  if (line.summary || page) {
    summary = SummariseNES(image, choice);
    if (!line.dbgFile.empty()) {
      segmentSummary = SummariseSegments(image, summary, session.Segments(), line.dbgFile);
      additions.segments = &segmentSummary;
    }
    if (!line.cdlFiles.empty()) {
      playSummary = SummarisePlay(image, summary, session.Play(), additions.segments);
      additions.play = &playSummary;
    }
    if (!line.labelFiles.empty()) {
      labelSummary = SummariseLabels(image, summary, labelFiles);
      additions.labels = &labelSummary;
    }
    if (!line.against.empty()) {
      TFileError error;
      if (!earlier.LoadNES(line.against, error)) return CannotLoad(line.against, "the earlier build ", error);
      // Like for like: the earlier build in the same sizes, whatever its mapper.
      CompareSummaries(summary, SummariseNES(earlier, {false, sizes.prg, sizes.chr}));
    }
  }
  if (line.mode == TCommandLine::Mode::Report && !writeReport(image, session.ViewOptions())) return 1;
  if (page) {
    TPageSources sources;
    sources.image = &image;
    if (earlier.Held()) sources.earlier = &earlier;
    if (!line.dbgFile.empty()) {
      sources.debugInfo = &session.Dbg();
      sources.segments = &session.Segments();
    }
    if (!line.cdlFiles.empty()) sources.play = &session.Play();
    sources.failBelow = line.failBelow;
    std::string error;
    if (!WriteTextFile(line.htmlFile, SummaryHTML(summary, line.file, additions, sources), error)) {
      Print(stderr, "voidscope: cannot write the page \"" + Shown(line.htmlFile) + "\": " + Shown(error) + "\n");
      return 1;
    }
  }
  if (!line.summary) return 0;

  const std::string text = line.json       ? SummaryJSON(summary, line.file, additions)
                           : line.markdown ? SummaryMarkdown(summary, line.file, additions, line.failBelow)
                                           : SummaryText(summary, line.file, line.graph, additions);
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
  // Only the files given are read: nothing beside the image.
  TSession session(TSession::TBeside::Ignore);
  if (!session.Open(line.file)) return CannotLoad(line.file, "", session.LoadError());
  return Finish(line, session, writeReport);
}
