#include "session.h"

#include <filesystem>
#include <system_error>

#include "file_path.h"
#include "file_time.h"
#include "summary.h"
#include "summary_format.h"

namespace {

// Names are UTF-8 on Windows, where a narrow path would be read in the
// local code page; elsewhere they are the bytes given, text or not.
std::filesystem::path PathOf(const std::string& name) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
  return std::filesystem::path(name);
#endif
}

std::string NameOf(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
#else
  return path.string();
#endif
}

std::uint64_t TimeOf(const std::string& name) {
  std::uint64_t time = 0;
  return QueryNESFileTime(name, time) ? time : 0;
}

bool Exists(const std::string& name) {
  std::error_code ec;
  return std::filesystem::exists(PathOf(name), ec);
}

}  // namespace

bool TSession::Open(const std::string& name) {
  fileName_ = name;
  chosenDbg_.clear();
  chosenCdl_.clear();
  chosenLabels_.clear();
  return Load();
}

bool TSession::Reload() { return Load(); }

bool TSession::Load() {
  const bool loaded = NES.LoadNES(fileName_, loadError_);
  // Other failures stay silent, as they always were; a name that is no
  // file at all is worth a word, since nothing else would show why.
  imageNote_ = loadError_.failure == TFileFailure::NotRegular
                   ? "\"" + fileName_ + "\" not loaded: " + loadError_.reason + ", not an NES file"
                   : std::string();
  // A new image takes its debug file and logs afresh; a failed load that
  // keeps the earlier image keeps them too.
  if (loaded) {
    std::string said;
    LoadDbg(said);
    LoadPlay(said);
    LoadLabels(said);
  } else if (!NES.Held()) {
    DropDbg();
    DropPlay();
    labels_.Clear();
    labelNote_.clear();
  }
  return loaded;
}

bool TSession::Changed() const {
  std::uint64_t time = 0;
  if (!QueryNESFileTime(fileName_, time)) return false;
  if (time != NES.NESFileTime()) return true;
  for (const std::vector<TWatched>* list : {&dbgTimes_, &playTimes_})
    for (const auto& [name, was] : *list)
      if (TimeOf(name) != was) return true;
  return labels_.Changed();
}

std::string TSession::OwnFile(const char* extension) const {
  std::filesystem::path path = PathOf(fileName_);
  path.replace_extension(extension);
  return NameOf(path);
}

void TSession::DropDbg() {
  dbg_ = {};
  segments_ = {};
  dbgHeld_ = false;
  dbgTimes_.clear();
}

TSession::TDbgResult TSession::ChooseDbg(const std::string& name, std::string& error) {
  chosenDbg_ = name;
  if (!NES.Held()) {
    dbgNote_ = "Open an NES file first: the debug file is read with it";
    error = dbgNote_;
    return TDbgResult::NoImage;
  }
  return LoadDbg(error);
}

// The debug file chosen, or else the image's own beside it, which may well
// not exist: then there is nothing to say. Any other failure is noted; the
// maps stay.
TSession::TDbgResult TSession::LoadDbg(std::string& error) {
  DropDbg();
  error.clear();
  const bool chosen = !chosenDbg_.empty();
  if (!chosen && beside_ == TBeside::Ignore) return TDbgResult::Used;
  const std::string path = chosen ? chosenDbg_ : OwnFile(".dbg");
  // Its time first: a write after it shows as a change at the next look.
  dbgTimes_.emplace_back(path, TimeOf(path));
  if (!chosen && !Exists(path)) {
    dbgNote_.clear();
    return TDbgResult::Used;
  }
  TDebugInfo info;
  TSegmentMap map;
  if (!LoadDebugInfo(path, info, error)) {
    dbgNote_ = "Debug file not used: " + error;
    return TDbgResult::Unreadable;
  }
  if (!PlaceSegments(info, fileName_, NES.PRGCount(), NES.CHRCount(), map, error, sizes_)) {
    dbgNote_ = "Debug file \"" + path + "\" not used: " + error;
    return TDbgResult::NotOfImage;
  }
  dbg_ = std::move(info);
  segments_ = std::move(map);
  dbgHeld_ = true;
  dbgNote_.clear();
  return TDbgResult::Used;
}

void TSession::DropPlay() {
  play_ = TPlayLog();
  playTimes_.clear();
  playNote_.clear();
}

TAddOutcome TSession::AddPlayLog(const std::string& name, std::string& message) {
  message.clear();
  if (!NES.Held()) {
    playNote_ = "Open an NES file first: the play logs are read with it";
    return TAddOutcome::Refused;
  }
  chosenCdl_.push_back(name);
  const TAddOutcome outcome = LoadPlay(message);
  // A log that is not merged is not kept to be read again on reloads.
  if (outcome != TAddOutcome::Merged) chosenCdl_.pop_back();
  return outcome;
}

// The image's own log and those added, all read afresh into a new merge
// that replaces the held one only when every log is merged: a log caught
// half written by a running emulator, or one of another image, leaves the
// maps as they were (while they are of this very image) and the note says
// why. Returns the worst outcome and its message.
TAddOutcome TSession::LoadPlay(std::string& message) {
  std::vector<std::string> watched;
  // The own log is watched even while absent: an emulator may write it later.
  if (beside_ == TBeside::Read) watched.push_back(OwnFile(".cdl"));
  watched.insert(watched.end(), chosenCdl_.begin(), chosenCdl_.end());
  if (watched.empty()) {
    // Nothing to read: no merge, and no checksum of the image to take.
    DropPlay();
    return TAddOutcome::Merged;
  }
  // Times first: a write after them shows as a change at the next look.
  playTimes_.clear();
  for (const std::string& name : watched) playTimes_.emplace_back(name, TimeOf(name));

  TPlayLog play(NES);
  TAddOutcome worst = TAddOutcome::Merged;
  message.clear();
  for (std::size_t k = 0; k < watched.size(); ++k) {
    if (k == 0 && beside_ == TBeside::Read && !Exists(watched[k])) continue;
    std::string said;
    const TAddOutcome outcome = play.AddFile(watched[k], said);
    if (outcome == TAddOutcome::Merged) continue;
    worst = outcome;
    message = said;
    if (outcome == TAddOutcome::Refused) break;
  }
  if (worst != TAddOutcome::Refused) {
    play_ = std::move(play);
    playNote_ = message.empty() ? std::string() : "Play log " + message;
    return worst;
  }
  // The earlier merge stays only while it is of the same bytes.
  if (play_.PRGCount() != play.PRGCount() || play_.CHRCount() != play.CHRCount() ||
      play_.PRGCRC32() != play.PRGCRC32())
    play_ = TPlayLog();
  playNote_ = "Play log not used: " + message;
  return worst;
}

bool TSession::AddLabelFile(const std::string& name, std::string& message) {
  message.clear();
  if (!NES.Held()) {
    labelNote_ = "Open an NES file first: the label files are read with it";
    return false;
  }
  chosenLabels_.push_back(name);
  const bool used = LoadLabels(message);
  // A file that is not used is not kept to be read again on reloads.
  if (!used) chosenLabels_.pop_back();
  return used;
}

// Every label file read afresh; one that cannot be used leaves the labels
// as they were and the note says why. Skipped lines are noted too.
bool TSession::LoadLabels(std::string& message) {
  message.clear();
  if (beside_ == TBeside::Ignore && chosenLabels_.empty()) {
    // Nothing to read: the command line reads its label files itself.
    labels_.Clear();
    labelNote_.clear();
    return true;
  }
  // Labels are placed in the banks as the view cuts them, so that a span
  // ends at the edge of the bank the user sees.
  const TBankLayout layout(NES, sizes_);
  std::vector<TBankExtent> banks;
  for (const TBankSpan& bank : layout.Banks())
    banks.push_back({bank.kind, bank.index, bank.offset, bank.size});
  const bool used = labels_.Load(fileName_, beside_ == TBeside::Read, chosenLabels_, NES.NESData(), banks,
                                 NES.FindEmptyByte(), message);
  labelNote_ = message.empty() ? std::string() : (used ? "Label files: " : "Label file not used: ") + message;
  return used;
}

std::string TSession::Note() const {
  std::string note;
  for (const std::string* part : {&imageNote_, &dbgNote_, &playNote_, &labelNote_}) {
    if (part->empty()) continue;
    if (!note.empty()) note += "; ";
    note += *part;
  }
  return note;
}

void TSession::SetBankSizes(TBankSizes sizes) {
  if (sizes == sizes_) return;
  sizes_ = sizes;
  // The segments' parts are cut at the banks' edges: cut them again. The
  // placement succeeded before and the bytes are the same, so it does now.
  if (dbgHeld_) {
    std::string error;
    TSegmentMap map;
    if (PlaceSegments(dbg_, fileName_, NES.PRGCount(), NES.CHRCount(), map, error, sizes_))
      segments_ = std::move(map);
  }
  if (!labels_.Empty()) {
    std::string said;
    LoadLabels(said);
  }
}

TViewOptions TSession::ViewOptions() const {
  TViewOptions options;
  options.sizes = sizes_;
  if (dbgHeld_ && showSegments_) options.segments = &segments_;
  if (!play_.Empty() && showPlay_) options.play = &play_;
  return options;
}

std::string TSession::ByteText(TBankKind kind, unsigned bank, std::uint64_t offset) const {
  const TBankLayout layout(NES, sizes_);
  const TBankSpan* span = layout.Find(kind, bank);
  if (!span) return {};
  const std::uint64_t fileOffset = span->offset + offset;
  std::string text = ByteInfoText(DescribeByte(NES, *span, offset, NES.FindEmptyByte()));
  // Appended piece by piece: "\n" + a temporary string makes MinGW's GCC 12
  // at -O3 warn of an overlapping copy that cannot happen (-Wrestrict).
  if (dbgHeld_) {
    text += '\n';
    text += ByteOriginText(DescribeOrigin(dbg_, segments_, fileOffset));
  }
  if (!play_.Empty()) {
    const std::span<const std::uint8_t> flags = play_.FileFlags(fileOffset, 1);
    text += '\n';
    text += ByteReachText(kind, flags.empty() ? 0 : flags[0]);
  }
  const std::string label = labels_.ByteTextAt(fileOffset);
  if (!label.empty()) {
    text += '\n';
    text += label;
  }
  return text;
}
