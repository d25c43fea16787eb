#include "pass.h"

#include <array>
#include <cstring>
#include <string_view>

namespace srcmorph {
namespace {

constexpr unsigned char kLineFeed = 10;
constexpr unsigned char kCarriageReturn = 13;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool is_blank(unsigned char c) { return c <= 32; }

// A pattern to look for in the text; too long a one does not compile.
struct Pattern {
    std::string_view text;

    template <std::size_t N>
    consteval Pattern(const char (&literal)[N]) : text(literal, N - 1)
    {
        // The text is followed by kSpare zero bytes that no pattern matches.
        if (N - 1 > kSpare)
            throw "pattern longer than the spare bytes after the text";
    }
};

// The length of the pattern when the text at p begins with it, else 0. Safe
// at any position up to the end of the text (see Pattern).
std::size_t starts(const unsigned char* p, Pattern pattern)
{
    return std::memcmp(p, pattern.text.data(), pattern.text.size()) == 0 ? pattern.text.size() : 0;
}

// The driver's switches: a bare name at line start becomes a definition.
struct Switch {
    Pattern name;
    const char* define;
};

constexpr Switch kSwitches[] = {
    {"TB_DPCM_ENABLE", ".define TB_DPCM_ENABLE 1"},
    {"TB_SFX_ENABLE", ".define TB_SFX_ENABLE  1"},
    {"TB_THREAD", ".define TB_THREAD      1"},
};

// Bytes that can begin a rewrite or a step of their own; any other byte is
// copied as it is, so runs of them are copied in one piece.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> s{};
    for (unsigned char c : {'.', 'L', 'H', '[', ']', ';', '\n'})
        s[c] = true;
    return s;
}();

// Answers, for line starts met in rising order, whether "=", "equ" or "EQU"
// begins before the next carriage return or ";". A line feed does not end
// that stretch, so a file with bare line feeds would be rescanned from every
// line start; instead the stretch last scanned is remembered with the last
// position where one of the three begins, and each byte is scanned once.
class ConstantLookahead {
public:
    ConstantLookahead(const unsigned char* text, std::size_t size) : t_(text), n_(size) {}

    bool is_constant(std::size_t from)
    {
        if (!scanned_ || from >= stop_)
            scan(from);
        return last_ != kNone && last_ >= from;
    }

private:
    void scan(std::size_t from)
    {
        last_ = kNone;
        std::size_t j = from;
        for (; j < n_; ++j) {
            const unsigned char c = t_[j];
            if (c == kCarriageReturn || c == ';')
                break;
            if (c == '=' || starts(t_ + j, "equ") || starts(t_ + j, "EQU"))
                last_ = j;
        }
        stop_ = j;
        scanned_ = true;
    }

    const unsigned char* t_;
    std::size_t n_;
    std::size_t stop_ = 0;
    std::size_t last_ = kNone;
    bool scanned_ = false;
};

class Pass {
public:
    Pass(const InputText& input, Target target, Output& out)
        : t_(input.data()), n_(input.size()), ca65_(target == Target::ca65), out_(out),
          lookahead_(t_, n_)
    {
    }

    void run()
    {
        std::size_t i = 0;
        while (i < n_) {
            out_.reserve_more(kStepRoom);
            const unsigned char c = t_[i];
            if (!kSpecial[c]) {
                std::size_t j = i + 1;
                while (j < n_ && !kSpecial[t_[j]])
                    ++j;
                out_.append_bytes(t_ + i, j - i);
                i = j;
            } else if (c == ';') {
                i = comment(i);
            } else if (c == kLineFeed) {
                out_.put(kLineFeed);
                ++i;
                if (i >= n_)
                    break;
                if (ca65_ && define_switch(i))
                    continue;
                i = ordinary(line_start(i));
            } else {
                i = ordinary(i);
            }
        }
    }

private:
    std::size_t comment(std::size_t i)
    {
        const void* lf = std::memchr(t_ + i, kLineFeed, n_ - i);
        const std::size_t end = lf ? static_cast<std::size_t>(static_cast<const unsigned char*>(lf) - t_) : n_;
        out_.append_bytes(t_ + i, end - i);
        return end;
    }

    bool define_switch(std::size_t& i)
    {
        for (const Switch& sw : kSwitches) {
            if (const std::size_t n = starts(t_ + i, sw.name)) {
                out_.append_text(sw.define);
                i += n;
                return true;
            }
        }
        return false;
    }

    // Copies the run of non-blank bytes at i; the spare zeros end it at the end.
    std::size_t copy_word(std::size_t i)
    {
        std::size_t j = i;
        while (!is_blank(t_[j]))
            ++j;
        out_.append_bytes(t_ + i, j - i);
        return j;
    }

    std::size_t line_start(std::size_t i)
    {
        const unsigned char first = t_[i];
        if (is_blank(first) || first == ';')
            return i;
        if (first == '.') {
            out_.put('@');
            ++i;
        }
        if (ca65_ && !lookahead_.is_constant(i)) {
            i = copy_word(i);
            out_.put(':');
        }
        return i;
    }

    // ".ifdef NAME" becomes ".if(NAME)"; blanks before the name are dropped.
    std::size_t condition(std::size_t i, const char* head)
    {
        out_.append_text(head);
        while (i < n_ && is_blank(t_[i]))
            ++i;
        i = copy_word(i);
        out_.put(')');
        return i;
    }

    // Each rule once, in order, each where the one before left off; then one
    // byte is copied whatever it is.
    std::size_t ordinary(std::size_t i)
    {
        if (t_[i] == '.' && i > 0 && t_[i - 1] == ' ') {
            out_.put('@');
            ++i;
        }
        if (const std::size_t n = starts(t_ + i, "LOW")) {
            out_.append_text(ca65_ ? ".lobyte" : "<");
            i += n;
        }
        if (const std::size_t n = starts(t_ + i, "HIGH")) {
            out_.append_text(ca65_ ? ".hibyte" : ">");
            i += n;
        }
        if (t_[i] == '[') {
            out_.put('(');
            ++i;
        }
        if (t_[i] == ']') {
            out_.put(')');
            ++i;
        }
        if (ca65_) {
            if (const std::size_t n = starts(t_ + i, ".ifndef"))
                i = condition(i + n, ".if(!");
            if (const std::size_t n = starts(t_ + i, ".ifdef"))
                i = condition(i + n, ".if(");
        } else {
            if (starts(t_ + i, ".byte"))
                ++i;
            if (starts(t_ + i, ".word"))
                ++i;
            if (starts(t_ + i, ".db"))
                ++i;
            if (starts(t_ + i, ".dw"))
                ++i;
        }
        if (i < n_)
            out_.put(t_[i++]);
        return i;
    }

    const unsigned char* t_;
    std::size_t n_;
    bool ca65_;
    Output& out_;
    ConstantLookahead lookahead_;
};

} // namespace

void run_pass(const InputText& input, Target target, Output& out)
{
    out.clear();
    Pass(input, target, out).run();
}

std::string convert_text(std::string_view text, Target target)
{
    const InputText input(text);
    Output out(initial_output_capacity(input.size()));
    run_pass(input, target, out);
    return std::string(reinterpret_cast<const char*>(out.data()), out.size());
}

} // namespace srcmorph
