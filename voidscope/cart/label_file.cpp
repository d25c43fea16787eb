#include "label_file.h"

#include <cctype>
#include <new>

#include "regular_file.h"

namespace {

// Far beyond any real label file (a million labels is some 50 MB).
constexpr std::uint64_t MaxLabelFileSize = std::uint64_t{256} << 20;
// Eight digits reach 4 GB, beyond any PRG ROM; more is not an address.
constexpr std::size_t MaxHexDigits = 8;
constexpr std::uint64_t FCEUXBankSize = 16384;

std::string Shown(std::string_view text) {
  if (text.size() <= 40) return std::string(text);
  return std::string(text.substr(0, 40)) + "...";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Hexadecimal digits from `i` on; false when there are none or too many.
bool ReadHex(std::string_view line, std::size_t& i, std::uint64_t& value) {
  const std::size_t start = i;
  value = 0;
  while (i < line.size() && HexDigit(line[i]) >= 0) {
    if (i - start == MaxHexDigits) return false;
    value = value << 4 | static_cast<unsigned>(HexDigit(line[i]));
    ++i;
  }
  return i > start;
}

bool Blank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// What one line holds.
enum class TLineKind { Label, OtherMemory, Continuation, Bad };
struct TLine {
  TLineKind kind = TLineKind::Bad;
  TLabelLayout layout = TLabelLayout::Mesen;
  TLabel label;
  std::uint64_t fceuxAddress = 0;  // the CPU address, before the bank is known
  std::string what;                // why it is bad
};

// "\n" in a Mesen comment is a line break.
std::string MesenComment(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// "TYPE:ADDRESS[-END]:NAME[:COMMENT]"; false when the line is not of this shape.
bool ReadMesenLine(std::string_view line, TLine& out) {
  std::size_t i = 0;
  while (i < line.size() && std::isalnum(static_cast<unsigned char>(line[i]))) ++i;
  if (i == 0 || i == line.size() || line[i] != ':') return false;
  const std::string_view type = line.substr(0, i);
  ++i;
  std::uint64_t address = 0, end = 0;
  if (!ReadHex(line, i, address)) return false;
  const bool range = i < line.size() && line[i] == '-';
  if (range && !ReadHex(line, ++i, end)) return false;
  if (i == line.size() || line[i] != ':') return false;
  const std::string_view rest = line.substr(i + 1);
  out.layout = TLabelLayout::Mesen;
  if (range && end < address) {
    out.what = "the range ends before it starts";
    return true;
  }
  const std::size_t colon = rest.find(':');
  out.label.name = std::string(rest.substr(0, colon));
  if (colon != std::string_view::npos) out.label.comment = MesenComment(rest.substr(colon + 1));
  out.label.prgOffset = address;
  out.label.size = range ? end - address + 1 : 0;
  // A comment without a name names nothing; other types are other memories.
  out.kind = (type == "P" || type == "NesPrgRom") && !out.label.name.empty() ? TLineKind::Label
                                                                            : TLineKind::OtherMemory;
  return true;
}

// "$ADDRESS[/SIZE]#NAME[#COMMENT]"; false when the line is not of this shape.
bool ReadFCEUXLine(std::string_view line, TLine& out) {
  if (line.empty() || line[0] != '$') return false;
  std::size_t i = 1;
  std::uint64_t address = 0, size = 0;
  if (!ReadHex(line, i, address)) return false;
  const bool sized = i < line.size() && line[i] == '/';
  if (sized && !ReadHex(line, ++i, size)) return false;
  if (i == line.size() || line[i] != '#') return false;
  const std::string_view rest = line.substr(i + 1);
  out.layout = TLabelLayout::FCEUX;
  if (address > 0xFFFF) {
    out.what = "the address $" + Shown(line.substr(1, i - 1)) + " is beyond $FFFF";
    return true;
  }
  if (sized && size == 0) {
    out.what = "an array of size 0";
    return true;
  }
  const std::size_t hash = rest.find('#');
  out.label.name = std::string(rest.substr(0, hash));
  if (hash != std::string_view::npos) out.label.comment = std::string(rest.substr(hash + 1));
  out.label.size = size;
  out.fceuxAddress = address;
  // Below $8000 is RAM or registers: not the bank's.
  out.kind = address >= 0x8000 && !out.label.name.empty() ? TLineKind::Label : TLineKind::OtherMemory;
  return true;
}

TLine ReadLine(std::string_view line) {
  TLine out;
  if (!line.empty() && line[0] == '\\') {
    out.kind = TLineKind::Continuation;
    out.layout = TLabelLayout::FCEUX;
    return out;
  }
  if (ReadMesenLine(line, out) || ReadFCEUXLine(line, out)) return out;
  out.what = "not a label line (\"" + Shown(line) + "\")";
  return out;
}

// The last component of a path, either slash.
std::string_view BaseName(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// From "game.nes.N.nl": the bank number, or that it is the RAM list.
struct TNLName {
  bool ram = false;
  bool hasBank = false;
  std::uint64_t bank = 0;
};
TNLName NLName(std::string_view path) {
  TNLName out;
  std::string_view name = BaseName(path);
  if (name.size() < 3 || name.substr(name.size() - 3) != ".nl") return out;
  name.remove_suffix(3);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return out;
  const std::string_view part = name.substr(dot + 1);
  if (part == "ram") {
    out.ram = true;
    return out;
  }
  std::size_t i = 0;
  out.hasBank = part.size() <= 4 && ReadHex(part, i, out.bank) && i == part.size();
  return out;
}

struct TBad {
  std::uint64_t count = 0;
  unsigned first = 0;
  std::string what;
  void Add(unsigned line, std::string why) {
    if (count++ == 0) {
      first = line;
      what = std::move(why);
    }
  }
};

bool Parse(std::string_view text, const std::string& shownName, TLabelFile& file, std::string& error) {
  const TNLName nlName = NLName(shownName);
  if (nlName.ram) {
    file.ramList = true;
    file.layout = TLabelLayout::FCEUX;
    return true;
  }
  bool layoutKnown = false;
  bool anyLine = false;      // of either layout, labels or not
  bool afterLabel = false;   // a continuation has a line to go on
  bool lastKept = false;     // and that line's label was kept
  TBad bad;
  unsigned number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.remove_suffix(1);
    if (Blank(line)) continue;
    TLine read = ReadLine(line);
    if (read.kind != TLineKind::Bad && read.what.empty() && layoutKnown && read.layout != file.layout) {
      read.kind = TLineKind::Bad;
      read.what = std::string("a line of the ") + LabelLayoutName(read.layout) + " layout in a " +
                  LabelLayoutName(file.layout) + " file";
    }
    if (read.kind == TLineKind::Continuation) {
      if (!afterLabel) {
        bad.Add(number, "a continuation line with no label above");
        continue;
      }
      if (lastKept) file.labels.back().comment += "\n" + std::string(line.substr(1));
      continue;
    }
    if (read.kind == TLineKind::Bad || !read.what.empty()) {
      bad.Add(number, read.what);
      afterLabel = false;
      continue;
    }
    if (!layoutKnown) {
      layoutKnown = true;
      file.layout = read.layout;
      if (file.layout == TLabelLayout::FCEUX && !nlName.hasBank) {
        error = shownName + ":" + std::to_string(number) +
                ": an FCEUX name list, but its name gives no bank number (GAME.nes.N.nl, N in "
                "hexadecimal)";
        return false;
      }
    }
    anyLine = true;
    afterLabel = true;
    lastKept = read.kind == TLineKind::Label;
    if (!lastKept) continue;
    if (file.layout == TLabelLayout::FCEUX)
      read.label.prgOffset = nlName.bank * FCEUXBankSize + (read.fceuxAddress & 0x3FFF);
    file.labels.push_back(std::move(read.label));
  }
  if (!anyLine) {
    error = bad.count == 0 ? shownName + ": no label lines: the file is empty"
                           : shownName + ":" + std::to_string(bad.first) + ": " + bad.what +
                                 "; no line is a Mesen or FCEUX label";
    return false;
  }
  file.badLines = bad.count;
  file.firstBadLine = bad.first;
  file.firstBadWhat = bad.what;
  return true;
}

}  // namespace

const char* LabelLayoutName(TLabelLayout layout) {
  return layout == TLabelLayout::Mesen ? "Mesen" : "FCEUX";
}

bool ParseLabelFile(std::string_view text, const std::string& shownName, TLabelFile& file,
                    std::string& error) {
  file = TLabelFile();
  file.file = shownName;
  bool read;
  try {
    read = Parse(text, shownName, file, error);
  } catch (const std::bad_alloc&) {
    error = shownName + ": too large for the memory at hand";
    read = false;
  }
  if (!read) file = TLabelFile();
  return read;
}

bool LoadLabelFile(const std::string& path, TLabelFile& file, std::string& error) {
  file = TLabelFile();
  // Only a regular file: a folder, a pipe or a device is no label file, and
  // reading a pipe would wait for ever.
  std::vector<std::uint8_t> bytes;
  TFileError problem;
  if (!ReadRegularFile(path, MaxLabelFileSize, bytes, problem)) {
    switch (problem.failure) {
      case TFileFailure::NotRegular:
        error = path + ": " + problem.reason + ", not a label file";
        break;
      case TFileFailure::TooLarge:
        error = path + ": too large for a label file (over 256 MiB, or more than the memory at hand)";
        break;
      default:
        error = path + ": " + problem.reason;
        break;
    }
    return false;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return ParseLabelFile(text, path, file, error);
}

std::string LabelFileNote(const TLabelFile& file) {
  if (file.ramList) return file.file + ": RAM names, skipped";
  if (file.badLines == 0) return {};
  const std::string lines = file.badLines == 1 ? "1 line that is not a label"
                                               : std::to_string(file.badLines) + " lines that are not labels";
  return file.file + ": " + lines + " skipped (" + (file.badLines == 1 ? "line " : "the first, line ") +
         std::to_string(file.firstBadLine) + ": " + file.firstBadWhat + ")";
}
