#include "play_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "crc32.h"
#include "file_path.h"
#include "regular_file.h"

namespace {

constexpr char Magic[] = "CDLv2";
constexpr std::uint64_t MagicSize = 5;
constexpr std::uint64_t HeaderSize = MagicSize + 4;
constexpr std::uint64_t PieceSize = 65536;

// Which bit of a log byte means "data" besides 0x02: sample audio is 0x40 in
// a raw PRG log and 0x80 in a headed one; a CHR log has only 0x02 (shifting
// by 1 lands on that bit again).
constexpr int RawPRGAudioShift = 6;
constexpr int HeadedPRGAudioShift = 7;
constexpr int CHRShift = 1;

std::uint8_t Normalise(std::uint8_t b, int audioShift) {
  return static_cast<std::uint8_t>((b != 0 ? FlagReached : 0) | (b & 1) << 1 |
                                   (((b >> 1) | (b >> audioShift)) & 1) << 2);
}

constexpr std::uint64_t Low = 0x0101010101010101ull;
constexpr std::uint64_t Seven = 0x7F7F7F7F7F7F7F7Full;

// A log being read from a file is merged into the upper half of each flag
// byte first, and folded into the lower half only once the whole file has
// been read, so that a file that changes while it is read changes nothing.
constexpr int MergedPlane = 0;
constexpr int PendingPlane = 4;
constexpr std::uint64_t MergedBits = 0x0707070707070707ull;

// ORs the normalised form of `n` log bytes into `out` (at bit `plane` of
// each byte), eight at a time: the largest image's four logs are 25 MB of
// flags. Shifts that carry a bit into the neighbouring byte only ever land
// on bits the masks drop.
void MergeFlags(const std::uint8_t* in, std::uint8_t* out, std::size_t n, int audioShift,
                int plane) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w, merged;
    std::memcpy(&w, in + i, 8);
    std::memcpy(&merged, out + i, 8);
    // Bit 7 of each byte set when the byte is not 0, without a carry out.
    const std::uint64_t nonZero = ((((w & Seven) + Seven) | w) >> 7) & Low;
    const std::uint64_t code = (w & Low) << 1;
    const std::uint64_t data = (((w >> 1) | (w >> audioShift)) & Low) << 2;
    merged |= (nonZero | code | data) << plane;
    std::memcpy(out + i, &merged, 8);
  }
  for (; i < n; ++i) out[i] |= static_cast<std::uint8_t>(Normalise(in[i], audioShift) << plane);
}

// Folds the pending half into the merged one, or drops it.
void EndPending(std::vector<std::uint8_t>& flags, bool keep) {
  std::size_t i = 0;
  for (; i + 8 <= flags.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, flags.data() + i, 8);
    w = (keep ? w | w >> PendingPlane : w) & MergedBits;
    std::memcpy(flags.data() + i, &w, 8);
  }
  for (; i < flags.size(); ++i)
    flags[i] = static_cast<std::uint8_t>((keep ? flags[i] | flags[i] >> PendingPlane : flags[i]) & 7);
}

struct TCounts {
  std::uint64_t reached = 0, never = 0, marked1 = 0, marked2 = 0;
};

// The figures of `n` bytes and their flags (none: nothing reached), eight
// bytes a step: the largest image has 6 MB of them. Each step adds 0 or 1
// to every byte lane of the sums, which are added up before a lane could
// overflow.
TCounts CountFlags(const std::uint8_t* loaded, const std::uint8_t* flags, std::size_t n,
                   std::uint8_t freeValue) {
  auto laneSum = [](std::uint64_t lanes) { return (lanes * Low) >> 56; };  // lanes < 32
  const std::uint64_t freeWord = Low * freeValue;
  TCounts c;
  std::size_t i = 0;
  while (i + 8 <= n) {
    std::uint64_t reached = 0, never = 0, marked1 = 0, marked2 = 0;
    for (int k = 0; k < 31 && i + 8 <= n; ++k, i += 8) {
      std::uint64_t v, f = 0;
      std::memcpy(&v, loaded + i, 8);
      if (flags) std::memcpy(&f, flags + i, 8);
      const std::uint64_t x = v ^ freeWord;
      const std::uint64_t used = ((((x & Seven) + Seven) | x) >> 7) & Low;
      reached += f & Low;
      never += used & ~f & Low;
      marked1 += (f >> 1) & Low;
      marked2 += (f >> 2) & Low;
    }
    c.reached += laneSum(reached);
    c.never += laneSum(never);
    c.marked1 += laneSum(marked1);
    c.marked2 += laneSum(marked2);
  }
  for (; i < n; ++i) {
    const std::uint8_t f = flags ? flags[i] : 0;
    c.reached += f & 1u;
    c.never += loaded[i] != freeValue && !(f & 1u);
    c.marked1 += (f >> 1) & 1u;
    c.marked2 += (f >> 2) & 1u;
  }
  return c;
}

std::string Hex8(std::uint32_t v) {
  char text[12];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(v));
  return text;
}

std::uint32_t LoadCRC(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

}  // namespace

const char* LayoutName(TLogLayout layout) {
  return layout == TLogLayout::Raw ? "raw" : "headed";
}

std::uint8_t NormalisePRGFlags(TLogLayout layout, std::uint8_t logFlags) {
  return Normalise(logFlags, layout == TLogLayout::Raw ? RawPRGAudioShift : HeadedPRGAudioShift);
}

std::uint8_t NormaliseCHRFlags(std::uint8_t logFlags) { return Normalise(logFlags, CHRShift); }

std::string ReachWords(TBankKind kind, std::uint8_t flags) {
  if (!(flags & FlagReached)) return "never reached";
  const bool prg = kind == TBankKind::PRG;
  std::string words;
  if (flags & FlagCode) words = prg ? "code" : "drawn";
  if (flags & FlagData) words += std::string(words.empty() ? "" : ", ") + (prg ? "data" : "read");
  return words.empty() ? "reached" : words;
}

TPlayLog::TPlayLog(const TNESImage& image)
    : forImage_(true), prgCount_(image.PRGCount()), chrCount_(image.CHRCount()) {
  // The PRG bytes the file holds: a truncated image checks against what is
  // there, as an emulator that ran it would have.
  for (unsigned j = 0; j < prgCount_; ++j) prgCRC_ = CRC32(image.PRGBank(j), prgCRC_);
}

std::uint64_t TPlayLog::RawSize() const {
  return PRGBankSize * prgCount_ + CHRBankSize * chrCount_;
}

std::uint64_t TPlayLog::HeadedSize() const { return HeaderSize + RawSize(); }

std::string TPlayLog::SizeMessage(const std::string& name, std::uint64_t size) const {
  auto banks = [](unsigned n, const char* kind) {
    return std::to_string(n) + " " + kind + (n == 1 ? " bank" : " banks");
  };
  const std::string sizes = "raw " + std::to_string(RawSize()) + " bytes, headed " +
                            std::to_string(HeadedSize()) + " bytes, for " +
                            banks(prgCount_, "PRG") + " and " +
                            (chrCount_ == 0 ? std::string("CHR RAM") : banks(chrCount_, "CHR"));
  if (size == 0) return name + ": the file is empty; a play log of this image is " + sizes;
  return name + ": " + std::to_string(size) +
         " bytes fit neither layout of a play log of this image: " + sizes;
}

bool TPlayLog::CheckSize(std::uint64_t size, const std::string& name, std::string& message,
                         TLogLayout& layout) const {
  if (!forImage_) {
    message = name + ": no cartridge image to lay it over";
    return false;
  }
  if (size == RawSize() && size != 0) {
    layout = TLogLayout::Raw;
    return true;
  }
  if (size == HeadedSize()) {
    layout = TLogLayout::Headed;
    return true;
  }
  message = SizeMessage(name, size);
  return false;
}

bool TPlayLog::CheckHeader(std::span<const std::uint8_t> head, std::uint64_t size,
                           const std::string& name, std::string& message) const {
  if (head.size() < HeaderSize || std::memcmp(head.data(), Magic, MagicSize) != 0) {
    message = name + ": " + std::to_string(size) +
              " bytes is the size of a headed play log, but the file does not begin with \"" +
              Magic + "\"";
    return false;
  }
  const std::uint32_t crc = LoadCRC(head.data() + MagicSize);
  if (crc != prgCRC_) {
    message = name + ": a headed play log of other PRG bytes: its CRC-32 is " + Hex8(crc) +
              ", this image's PRG bytes give " + Hex8(prgCRC_);
    return false;
  }
  return true;
}

void TPlayLog::Merge(const std::uint8_t* in, std::uint64_t at, std::uint64_t n,
                     TLogLayout layout, int plane) {
  if (flags_.size() != RawSize()) flags_.assign(RawSize(), 0);
  // A piece of a log may hold the end of the PRG flags and the start of the
  // CHR flags, whose bits mean different things.
  const std::uint64_t prgSize = PRGBankSize * prgCount_;
  if (at < prgSize) {
    const std::uint64_t k = std::min(n, prgSize - at);
    MergeFlags(in, flags_.data() + at, k,
               layout == TLogLayout::Raw ? RawPRGAudioShift : HeadedPRGAudioShift, plane);
    in += k, at += k, n -= k;
  }
  MergeFlags(in, flags_.data() + at, n, CHRShift, plane);
}

TAddOutcome TPlayLog::AddLog(std::span<const std::uint8_t> bytes, const std::string& name,
                             std::string& message) {
  message.clear();
  TLogLayout layout;
  if (!CheckSize(bytes.size(), name, message, layout) ||
      (layout == TLogLayout::Headed && !CheckHeader(bytes, bytes.size(), name, message)))
    return TAddOutcome::Refused;
  const std::uint64_t skip = layout == TLogLayout::Headed ? HeaderSize : 0;
  Merge(bytes.data() + skip, 0, bytes.size() - skip, layout, MergedPlane);
  logs_.push_back({name, layout});
  return TAddOutcome::Merged;
}

TAddOutcome TPlayLog::AddFile(const std::string& name, std::string& message) {
  namespace fs = std::filesystem;
  message.clear();
  TRegularFile file;
  TFileError error;
  if (!file.Open(name, error)) {
    message = name + (error.failure == TFileFailure::NotRegular ? ": is " + error.reason + ", not a play log"
                                                                  : ": cannot be read: " + error.reason);
    return TAddOutcome::Refused;
  }
  // Merging the same file twice would change nothing; saying so spares the
  // developer a list that names one log twice.
  for (const TPlayLogFile& log : logs_) {
    std::error_code same;
    if (fs::equivalent(NativePath(name), NativePath(log.file), same) && !same) {
      message = name + ": the same file as " + log.file + ", merged once";
      return TAddOutcome::AlreadyMerged;
    }
  }
  return AddStream(file.Stream(), file.Size(), name, message);
}

TAddOutcome TPlayLog::AddStream(std::FILE* file, std::uint64_t size, const std::string& name,
                                std::string& message) {
  message.clear();
  // The size decides before anything is read, so that a large wrong file
  // costs nothing.
  TLogLayout layout;
  if (!CheckSize(size, name, message, layout)) return TAddOutcome::Refused;
  // In pieces, each merged as it comes: no buffer of the log's size, whose
  // first use costs more than the merge itself on the largest images.
  std::vector<std::uint8_t> piece(std::min<std::uint64_t>(size, PieceSize));
  std::uint64_t total = std::fread(piece.data(), 1, piece.size(), file);
  bool pending = false;
  if (total == piece.size()) {
    if (layout == TLogLayout::Headed && !CheckHeader(piece, size, name, message))
      return TAddOutcome::Refused;
    const std::uint64_t skip = layout == TLogLayout::Headed ? HeaderSize : 0;
    Merge(piece.data() + skip, 0, total - skip, layout, PendingPlane);
    pending = true;
    while (total < size) {
      const std::size_t got =
          std::fread(piece.data(), 1, std::min<std::uint64_t>(size - total, PieceSize), file);
      if (got == 0) break;
      Merge(piece.data(), total - skip, got, layout, PendingPlane);
      total += got;
    }
  }
  // An emulator may be rewriting the log: a file that grew or shrank since
  // it was measured is refused like one that cannot be read.
  const bool grew = total == size && std::fgetc(file) != EOF;
  const bool failed = std::ferror(file) != 0;
  if (failed || grew || total != size) {
    if (pending) EndPending(flags_, false);
    message = name + (failed ? ": cannot be read: read error"
                             : ": changed while being read (" + std::to_string(size) +
                                   " bytes, then " + (grew ? "more" : std::to_string(total)) +
                                   ")");
    return TAddOutcome::Refused;
  }
  EndPending(flags_, true);
  logs_.push_back({name, layout});
  return TAddOutcome::Merged;
}

std::span<const std::uint8_t> TPlayLog::PRGFlags(unsigned bank) const {
  if (bank >= prgCount_ || flags_.empty()) return {};
  return {flags_.data() + PRGBankSize * bank, PRGBankSize};
}

std::span<const std::uint8_t> TPlayLog::CHRFlags(unsigned bank) const {
  if (bank >= chrCount_ || flags_.empty()) return {};
  return {flags_.data() + PRGBankSize * prgCount_ + CHRBankSize * bank, CHRBankSize};
}

std::span<const std::uint8_t> TPlayLog::BankFlags(TBankKind kind, unsigned bank) const {
  return kind == TBankKind::PRG ? PRGFlags(bank) : CHRFlags(bank);
}

std::uint8_t TPlayLog::ByteFlags(TBankKind kind, unsigned bank, std::uint64_t offset) const {
  const std::span<const std::uint8_t> flags = BankFlags(kind, bank);
  return offset < flags.size() ? flags[offset] : 0;
}

const std::uint8_t* TPlayLog::AreaFlags(TBankKind kind, std::uint64_t areaOffset,
                                        std::uint64_t n) const {
  const bool prg = kind == TBankKind::PRG;
  if (flags_.empty() || areaOffset + n > (prg ? PRGBankSize * prgCount_ : CHRBankSize * chrCount_))
    return nullptr;
  return flags_.data() + (prg ? 0 : PRGBankSize * prgCount_) + areaOffset;
}

std::uint64_t TPlayLog::SharedArea(const TNESImage& image, TBankKind kind) const {
  return kind == TBankKind::PRG ? PRGBankSize * std::min(prgCount_, image.PRGCount())
                                : CHRBankSize * std::min(chrCount_, image.CHRCount());
}

std::span<const std::uint8_t> TPlayLog::FileFlags(std::uint64_t fileOffset, std::uint64_t n) const {
  if (fileOffset < NESHeaderSize || fileOffset - NESHeaderSize >= flags_.size()) return {};
  const std::uint64_t at = fileOffset - NESHeaderSize;
  return {flags_.data() + at, static_cast<std::size_t>(std::min<std::uint64_t>(n, flags_.size() - at))};
}

std::vector<TBankPlay> TPlayLog::BankFigures(const TNESImage& image, std::uint8_t emptyByte,
                                             TBankSizes sizes) const {
  std::vector<TBankPlay> rows;
  const TBankLayout layout(image, sizes);
  rows.reserve(layout.Banks().size());
  for (const TBankSpan& bank : layout.Banks()) {
    // Offsets within the kind's area, where the log's flags of it start.
    const std::uint64_t start = bank.offset - (bank.kind == TBankKind::PRG ? NESHeaderSize : layout.CHRStart());
    if (start + bank.size > SharedArea(image, bank.kind)) continue;
    const std::span<const std::uint8_t> loaded = BankBytes(image, bank);
    // Before the first log there are no flags: nothing is reached.
    const TCounts c = CountFlags(loaded.data(), AreaFlags(bank.kind, start, bank.size), loaded.size(),
                                 FreeValue(bank.kind, emptyByte));
    TBankPlay row;
    row.kind = bank.kind;
    row.index = bank.index;
    row.reached = c.reached;
    row.neverReached = c.never;
    (bank.kind == TBankKind::PRG ? row.code : row.drawn) = c.marked1;
    (bank.kind == TBankKind::PRG ? row.data : row.read) = c.marked2;
    rows.push_back(row);
  }
  return rows;
}

std::uint64_t TPlayLog::NeverReachedAt(const TNESImage& image, TBankKind kind,
                                       std::uint64_t fileOffset, std::uint64_t length,
                                       std::uint8_t emptyByte) const {
  if (!image.Held()) return 0;
  const std::uint64_t areaStart = kind == TBankKind::PRG ? NESHeaderSize : image.BankOffset(kind, 0);
  const std::uint64_t area = SharedArea(image, kind);
  const std::uint64_t loaded = image.NESData().size();
  if (fileOffset < areaStart || fileOffset - areaStart >= area || fileOffset >= loaded) return 0;
  const std::uint64_t start = fileOffset - areaStart;
  const std::uint64_t count = std::min({length, area - start, loaded - fileOffset});
  return CountFlags(image.NESData().data() + fileOffset, AreaFlags(kind, start, count), count,
                    FreeValue(kind, emptyByte))
      .never;
}

std::uint64_t TPlayLog::NeverReached(const TNESImage& image, TBankKind kind, unsigned bank,
                                     std::uint64_t offset, std::uint64_t length,
                                     std::uint8_t emptyByte) const {
  const std::uint64_t bankSize = kind == TBankKind::PRG ? PRGBankSize : CHRBankSize;
  if (offset >= bankSize || (kind == TBankKind::PRG ? image.PRGCount() : image.CHRCount()) <= bank)
    return 0;
  return NeverReachedAt(image, kind, image.BankOffset(kind, bank) + offset,
                        std::min(length, bankSize - offset), emptyByte);
}
