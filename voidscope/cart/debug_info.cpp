#include "debug_info.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>

#include "regular_file.h"

namespace {

// A file this large is not a debug file of a 6502 program; reading stops.
constexpr std::uint64_t MaxDbgFileSize = std::uint64_t{1} << 30;
constexpr std::uint64_t MaxId = UINT_MAX - 1;

struct TField {
  std::string_view key;
  std::string_view value;
  bool quoted = false;
};

// Values shown in messages are cut short: a damaged line can be megabytes.
std::string Shown(std::string_view text) {
  if (text.size() <= 40) return std::string(text);
  return std::string(text.substr(0, 40)) + "...";
}

// ld65 writes strings as they are, quotes and backslashes included (Windows
// paths keep theirs), so a quote closes a string only where the line ends or
// the next key follows it: ',' then a name then '='.
bool ClosesString(std::string_view rest, std::size_t quote) {
  std::size_t i = quote + 1;
  if (i == rest.size()) return true;
  if (rest[i] != ',') return false;
  const std::size_t nameStart = ++i;
  while (i < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[i])) || rest[i] == '_')) ++i;
  return i > nameStart && i < rest.size() && rest[i] == '=';
}

// Splits "key=value,key=value" into fields.
bool SplitFields(std::string_view rest, std::vector<TField>& fields, std::string& what) {
  fields.clear();
  std::size_t i = 0;
  while (i < rest.size()) {
    std::size_t eq = i;
    while (eq < rest.size() && rest[eq] != '=' && rest[eq] != ',') ++eq;
    if (eq == rest.size() || rest[eq] != '=') {
      what = "\"" + Shown(rest.substr(i, eq - i)) + "\" is not a key=value pair";
      return false;
    }
    TField field;
    field.key = rest.substr(i, eq - i);
    if (field.key.empty()) {
      what = "a value without a key";
      return false;
    }
    i = eq + 1;
    if (i < rest.size() && rest[i] == '"') {
      std::size_t close = i;
      do {
        close = rest.find('"', close + 1);
        if (close == std::string_view::npos) {
          what = "the string of \"" + Shown(field.key) + "\" has no closing quote";
          return false;
        }
      } while (!ClosesString(rest, close));
      field.value = rest.substr(i + 1, close - i - 1);
      field.quoted = true;
      i = close + 1;
    } else {
      const std::size_t comma = std::min(rest.find(',', i), rest.size());
      field.value = rest.substr(i, comma - i);
      i = comma;
      if (field.value.empty()) {
        what = "\"" + Shown(field.key) + "\" has no value";
        return false;
      }
    }
    fields.push_back(field);
    if (i < rest.size() && ++i == rest.size()) {
      what = "the line ends in ','";
      return false;
    }
  }
  return true;
}

// Decimal or 0x hexadecimal, without sign; false when not a number or too large.
bool ParseNumber(std::string_view text, std::uint64_t& number) {
  number = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    for (const char c : text.substr(2)) {
      unsigned digit;
      if (c >= '0' && c <= '9') digit = c - '0';
      else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      else return false;
      if (number > (UINT64_MAX >> 4)) return false;
      number = number << 4 | digit;
    }
    return true;
  }
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    const unsigned digit = c - '0';
    if (number > (UINT64_MAX - digit) / 10) return false;
    number = number * 10 + digit;
  }
  return true;
}

// The fields of one record, looked up by key; every getter sets `what` and
// returns false when the value is there but unusable. Optional values that are
// absent leave the output as it was.
class TRecord {
 public:
  TRecord(std::string_view kind, const std::vector<TField>& fields, std::string& what)
      : kind_(kind), fields_(fields), what_(what) {}

  const TField* Find(std::string_view key) const {
    // The last one counts, should a key come twice.
    for (auto f = fields_.rbegin(); f != fields_.rend(); ++f)
      if (f->key == key) return &*f;
    return nullptr;
  }
  bool Has(std::string_view key) const { return Find(key) != nullptr; }

  bool Missing(std::string_view key) {
    what_ = std::string(kind_) + " record without \"" + std::string(key) + "\"";
    return false;
  }

  bool Number(std::string_view key, std::uint64_t& out, std::uint64_t max, bool required) {
    const TField* f = Find(key);
    if (!f) return !required || Missing(key);
    std::uint64_t n;
    if (f->quoted || !ParseNumber(f->value, n)) {
      what_ = "\"" + std::string(key) + "\" is not a number: " + Shown(f->value);
      return false;
    }
    if (n > max) {
      what_ = std::string(key) + " " + Shown(f->value) +
              (max == MaxDbgSize ? " is past 16 MiB" : " is too large");
      return false;
    }
    out = n;
    return true;
  }

  bool Id(std::string_view key, unsigned& out, bool required) {
    std::uint64_t n = out;
    if (!Number(key, n, MaxId, required)) return false;
    out = static_cast<unsigned>(n);
    return true;
  }

  // Addresses and symbol values: also negative ones, and 64-bit hexadecimal
  // (ld65 prints a negative value's two's complement).
  bool Signed(std::string_view key, std::int64_t& out) {
    const TField* f = Find(key);
    if (!f) return true;
    const bool negative = !f->quoted && !f->value.empty() && f->value[0] == '-';
    std::uint64_t n;
    if (f->quoted || !ParseNumber(f->value.substr(negative ? 1 : 0), n) ||
        (negative && n > std::uint64_t{INT64_MAX} + 1)) {
      what_ = "\"" + std::string(key) + "\" is not a number: " + Shown(f->value);
      return false;
    }
    out = negative ? static_cast<std::int64_t>(0 - n) : static_cast<std::int64_t>(n);
    return true;
  }

  bool Text(std::string_view key, std::string& out, bool required) {
    const TField* f = Find(key);
    if (!f) return !required || Missing(key);
    if (!f->quoted) {
      what_ = "\"" + std::string(key) + "\" is not a quoted string: " + Shown(f->value);
      return false;
    }
    out.assign(f->value);
    return true;
  }

  // A bare word such as type=ro; empty when absent.
  std::string_view Word(std::string_view key) const {
    const TField* f = Find(key);
    return f ? f->value : std::string_view();
  }

  bool IdList(std::string_view key, std::vector<unsigned>& out) {
    const TField* f = Find(key);
    if (!f) return true;
    std::string_view rest = f->value;
    out.clear();
    while (true) {
      const std::size_t plus = std::min(rest.find('+'), rest.size());
      std::uint64_t n;
      if (f->quoted || !ParseNumber(rest.substr(0, plus), n) || n > MaxId) {
        what_ = "\"" + std::string(key) + "\" is not a list of ids: " + Shown(f->value);
        return false;
      }
      out.push_back(static_cast<unsigned>(n));
      if (plus == rest.size()) return true;
      rest.remove_prefix(plus + 1);
    }
  }

 private:
  std::string_view kind_;
  const std::vector<TField>& fields_;
  std::string& what_;
};

// The records of one kind as read, with the line each came from.
template <class T>
struct TTable {
  std::vector<T> records;
  std::vector<unsigned> lines;
};

struct TParser {
  std::string shownName;
  std::string error;

  bool Fail(unsigned line, const std::string& what) {
    error = shownName + ":" + std::to_string(line) + ": " + what;
    return false;
  }
  bool FailFile(const std::string& what) {
    error = shownName + ": " + what;
    return false;
  }

  // Puts the records at the index of their id: the ids must run from 0 to
  // count - 1, each once.
  template <class T>
  bool OrderById(TTable<T>& table, const char* kind) {
    const std::size_t count = table.records.size();
    std::vector<unsigned> readAt(count, UINT_MAX);
    bool inOrder = true;
    for (std::size_t i = 0; i < count; ++i) {
      const unsigned id = table.records[i].id;
      if (id >= count)
        return Fail(table.lines[i], std::string(kind) + " id " + std::to_string(id) +
                                        " is out of range: the file has " + std::to_string(count) +
                                        " " + kind + " records");
      if (readAt[id] != UINT_MAX)
        return Fail(table.lines[i], std::string(kind) + " id " + std::to_string(id) +
                                        " was already given on line " +
                                        std::to_string(table.lines[readAt[id]]));
      readAt[id] = static_cast<unsigned>(i);
      inOrder = inOrder && id == i;
    }
    if (inOrder) return true;
    TTable<T> ordered;
    ordered.records.reserve(count);
    ordered.lines.reserve(count);
    for (const unsigned i : readAt) {
      ordered.records.push_back(std::move(table.records[i]));
      ordered.lines.push_back(table.lines[i]);
    }
    table = std::move(ordered);
    return true;
  }

  TTable<TDbgSegment> segments;
  TTable<TDbgSpan> spans;
  TTable<TDbgSource> files;
  TTable<TDbgLine> lines;
  TTable<TDbgSymbol> symbols;
  TTable<TDbgScope> scopes;

  bool Read(std::string_view text);
  bool ReadRecord(std::string_view keyword, const std::vector<TField>& fields, unsigned lineNo,
                  std::string& what);
  bool CheckReferences();
};

bool ReadSegment(TRecord& r, TDbgSegment& s) {
  std::uint64_t ooffs = 0;
  if (!r.Id("id", s.id, true) || !r.Text("name", s.name, true) ||
      !r.Number("start", s.start, UINT32_MAX, true) ||
      !r.Number("size", s.size, MaxDbgSize, true) || !r.Text("oname", s.outputName, false) ||
      !r.Number("ooffs", ooffs, MaxDbgSize, false))
    return false;
  s.readOnly = r.Word("type") == "ro";
  s.hasOutput = r.Has("oname") && r.Has("ooffs");
  s.outputOffset = s.hasOutput ? ooffs : 0;
  if (!s.hasOutput) s.outputName.clear();
  return true;
}

bool ReadSpan(TRecord& r, TDbgSpan& s) {
  return r.Id("id", s.id, true) && r.Id("seg", s.segment, true) &&
         r.Number("start", s.start, MaxDbgSize, true) && r.Number("size", s.size, MaxDbgSize, true);
}

bool ReadLine(TRecord& r, TDbgLine& l) {
  std::uint64_t type = 0;
  if (!r.Id("id", l.id, true) || !r.Id("file", l.file, true) || !r.Id("line", l.line, true) ||
      !r.Number("type", type, UINT_MAX, false) || !r.IdList("span", l.spans))
    return false;
  l.type = static_cast<unsigned>(type);
  return true;
}

bool ReadSymbol(TRecord& r, TDbgSymbol& s) {
  if (!r.Id("id", s.id, true) || !r.Text("name", s.name, true) || !r.Signed("val", s.value))
    return false;
  s.hasSegment = r.Has("seg");
  if (!r.Id("seg", s.segment, false)) return false;
  s.isLabel = r.Word("type") == "lab";
  return true;
}

bool ReadSource(TRecord& r, TDbgSource& s) {
  return r.Id("id", s.id, true) && r.Text("name", s.name, true);
}

bool ReadScope(TRecord& r, TDbgScope& s) {
  s.hasParent = r.Has("parent");
  return r.Id("id", s.id, true) && r.Text("name", s.name, true) &&
         r.Id("parent", s.parent, false) && r.IdList("span", s.spans);
}

template <class T, class F>
bool Append(TTable<T>& table, TRecord& r, unsigned lineNo, F read) {
  T record;
  if (!read(r, record)) return false;
  table.records.push_back(std::move(record));
  table.lines.push_back(lineNo);
  return true;
}

bool TParser::ReadRecord(std::string_view keyword, const std::vector<TField>& fields,
                         unsigned lineNo, std::string& what) {
  TRecord r(keyword, fields, what);
  if (keyword == "span") return Append(spans, r, lineNo, ReadSpan);
  if (keyword == "line") return Append(lines, r, lineNo, ReadLine);
  if (keyword == "sym") return Append(symbols, r, lineNo, ReadSymbol);
  if (keyword == "seg") return Append(segments, r, lineNo, ReadSegment);
  if (keyword == "file") return Append(files, r, lineNo, ReadSource);
  if (keyword == "scope") return Append(scopes, r, lineNo, ReadScope);
  return true;
}

// The record types of format 2.x, whose counts the info record announces:
// a file that ends early, or lost lines, is found out by them. ld65 counts
// the source files before it drops those of unused library modules, so the
// file count is only an upper bound (a C program's file says 549 for 19).
constexpr std::string_view CountedKinds[] = {"span", "line", "sym",   "scope", "seg",
                                             "file", "mod",  "type",  "csym",  "lib"};
constexpr std::size_t RequiredCounts = 6;  // the first six: the records read here
constexpr std::size_t FileKind = 5;

bool TParser::Read(std::string_view text) {
  std::vector<TField> fields;
  std::string what;
  bool versionSeen = false;
  unsigned infoLine = 0;
  std::uint64_t announced[std::size(CountedKinds)] = {};
  bool given[std::size(CountedKinds)] = {};
  std::uint64_t found[std::size(CountedKinds)] = {};
  unsigned lineNo = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const void* newline = std::memchr(text.data() + pos, '\n', text.size() - pos);
    const std::size_t end =
        newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - text.data())
                : text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const std::size_t tab = line.find('\t');
    const std::string_view keyword = line.substr(0, tab);
    const std::string_view rest = tab == std::string_view::npos ? "" : line.substr(tab + 1);
    if (!versionSeen) {
      if (keyword != "version")
        return Fail(lineNo, "not an ld65 debug file: it does not begin with a version record");
      std::uint64_t major = 0, minor = 0;
      TRecord r(keyword, fields, what);
      if (!SplitFields(rest, fields, what) || !r.Number("major", major, MaxId, true) ||
          !r.Number("minor", minor, MaxId, false))
        return Fail(lineNo, what);
      if (major != 2)
        return Fail(lineNo, "format version " + std::to_string(major) + "." +
                                std::to_string(minor) + " is not supported (only 2.x is)");
      versionSeen = true;
      continue;
    }
    if (keyword == "info") {
      TRecord r(keyword, fields, what);
      if (!SplitFields(rest, fields, what)) return Fail(lineNo, what);
      for (std::size_t k = 0; k < std::size(CountedKinds); ++k) {
        // The counts of the records read here are required: without them a
        // file cut short could pass for a whole one.
        given[k] = r.Has(CountedKinds[k]);
        if (!r.Number(CountedKinds[k], announced[k], MaxId, k < RequiredCounts)) return Fail(lineNo, what);
      }
      infoLine = lineNo;
      continue;
    }
    const std::size_t kind =
        std::find(std::begin(CountedKinds), std::end(CountedKinds), keyword) - std::begin(CountedKinds);
    if (kind < std::size(CountedKinds)) ++found[kind];
    if (keyword != "seg" && keyword != "span" && keyword != "file" && keyword != "line" &&
        keyword != "sym" && keyword != "scope")
      continue;  // a record this reader does not need, or one a later linker added
    if (tab == std::string_view::npos)
      return Fail(lineNo, std::string(keyword) + " record without a tab after its keyword");
    if (!SplitFields(rest, fields, what) || !ReadRecord(keyword, fields, lineNo, what))
      return Fail(lineNo, what);
  }
  if (!versionSeen)
    return FailFile(text.empty() ? "the file is empty, not an ld65 debug file"
                                 : "not an ld65 debug file: no version record");
  if (!infoLine) return FailFile("damaged or cut short: no info record");

  for (std::size_t k = 0; k < std::size(CountedKinds); ++k)
    if (given[k] && (k == FileKind ? found[k] > announced[k] : found[k] != announced[k]))
      return FailFile("damaged or cut short: the info record on line " + std::to_string(infoLine) +
                      " announces " + std::to_string(announced[k]) + " " +
                      std::string(CountedKinds[k]) + " records, the file has " +
                      std::to_string(found[k]));
  return OrderById(segments, "seg") && OrderById(spans, "span") && OrderById(files, "file") &&
         OrderById(lines, "line") && OrderById(symbols, "sym") && OrderById(scopes, "scope") &&
         CheckReferences();
}

// Every id a record names must exist, and a span must lie within its segment,
// so that whoever uses the records needs no checks of their own.
bool TParser::CheckReferences() {
  const auto missing = [](const char* kind, unsigned id) {
    return std::string(kind) + " " + std::to_string(id) + ", which does not exist";
  };
  for (std::size_t i = 0; i < spans.records.size(); ++i) {
    const TDbgSpan& s = spans.records[i];
    if (s.segment >= segments.records.size())
      return Fail(spans.lines[i], "span " + std::to_string(s.id) + " names " + missing("seg", s.segment));
    const TDbgSegment& seg = segments.records[s.segment];
    if (s.start + s.size > seg.size)
      return Fail(spans.lines[i], "span " + std::to_string(s.id) + " runs past the end of segment " +
                                      std::to_string(seg.id) + " (" + Shown(seg.name) + ")");
  }
  for (std::size_t i = 0; i < lines.records.size(); ++i) {
    const TDbgLine& l = lines.records[i];
    if (l.file >= files.records.size())
      return Fail(lines.lines[i], "line " + std::to_string(l.id) + " names " + missing("file", l.file));
    for (const unsigned span : l.spans)
      if (span >= spans.records.size())
        return Fail(lines.lines[i], "line " + std::to_string(l.id) + " names " + missing("span", span));
  }
  for (std::size_t i = 0; i < symbols.records.size(); ++i) {
    const TDbgSymbol& s = symbols.records[i];
    if (s.hasSegment && s.segment >= segments.records.size())
      return Fail(symbols.lines[i], "sym " + std::to_string(s.id) + " names " + missing("seg", s.segment));
  }
  for (std::size_t i = 0; i < scopes.records.size(); ++i) {
    const TDbgScope& s = scopes.records[i];
    if (s.hasParent && s.parent >= scopes.records.size())
      return Fail(scopes.lines[i], "scope " + std::to_string(s.id) + " names " + missing("scope", s.parent));
    for (const unsigned span : s.spans)
      if (span >= spans.records.size())
        return Fail(scopes.lines[i], "scope " + std::to_string(s.id) + " names " + missing("span", span));
  }
  return true;
}

}  // namespace

bool ParseDebugInfo(std::string_view text, const std::string& shownName, TDebugInfo& info,
                    std::string& error) {
  info = TDebugInfo();
  TParser parser;
  parser.shownName = shownName;
  bool read;
  try {
    read = parser.Read(text);
  } catch (const std::bad_alloc&) {
    parser.FailFile("too large for the memory at hand");
    read = false;
  }
  if (!read) {
    error = parser.error;
    return false;
  }
  info.segments = std::move(parser.segments.records);
  info.spans = std::move(parser.spans.records);
  info.files = std::move(parser.files.records);
  info.lines = std::move(parser.lines.records);
  info.symbols = std::move(parser.symbols.records);
  info.scopes = std::move(parser.scopes.records);
  return true;
}

bool LoadDebugInfo(const std::string& path, TDebugInfo& info, std::string& error) {
  info = TDebugInfo();
  std::vector<std::uint8_t> bytes;
  TFileError problem;
  if (!ReadRegularFile(path, MaxDbgFileSize, bytes, problem)) {
    switch (problem.failure) {
      case TFileFailure::NotRegular:
        error = path + ": " + problem.reason + ", not a debug file";
        break;
      case TFileFailure::TooLarge:
        error = path + ": too large for a debug file (over 1 GiB, or more than the memory at hand)";
        break;
      default:
        error = path + ": " + problem.reason;
        break;
    }
    return false;
  }
  return ParseDebugInfo(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), path,
                        info, error);
}
