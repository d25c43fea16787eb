#include "reference_pass.h"

#include <cstring>
#include <vector>

namespace srcmorph::testing {
namespace {

struct Ref {
    std::vector<unsigned char> t; // text plus 16 zero bytes
    std::size_t n;
    bool ca65;
    std::string out;

    bool at(std::size_t i, const char* p) const { return std::memcmp(&t[i], p, std::strlen(p)) == 0; }
    static bool blank(unsigned char c) { return c <= 32; }

    std::size_t word(std::size_t i)
    {
        while (!blank(t[i]))
            out += static_cast<char>(t[i++]);
        return i;
    }

    std::size_t ordinary(std::size_t i)
    {
        if (i > 0 && t[i] == '.' && t[i - 1] == ' ') { out += '@'; ++i; }
        if (at(i, "LOW")) { out += ca65 ? ".lobyte" : "<"; i += 3; }
        if (at(i, "HIGH")) { out += ca65 ? ".hibyte" : ">"; i += 4; }
        if (t[i] == '[') { out += '('; ++i; }
        if (t[i] == ']') { out += ')'; ++i; }
        if (ca65) {
            if (at(i, ".ifndef")) {
                out += ".if(!"; i += 7;
                while (i < n && blank(t[i])) ++i;
                i = word(i); out += ')';
            }
            if (at(i, ".ifdef")) {
                out += ".if("; i += 6;
                while (i < n && blank(t[i])) ++i;
                i = word(i); out += ')';
            }
        } else {
            if (at(i, ".byte")) ++i;
            if (at(i, ".word")) ++i;
            if (at(i, ".db")) ++i;
            if (at(i, ".dw")) ++i;
        }
        if (i < n) out += static_cast<char>(t[i++]);
        return i;
    }

    void run()
    {
        std::size_t i = 0;
        while (i < n) {
            if (t[i] == ';') {
                while (i < n && t[i] != 10) out += static_cast<char>(t[i++]);
                continue;
            }
            if (t[i] == 10) {
                out += '\n'; ++i;
                if (i >= n) break;
                if (ca65) {
                    if (at(i, "TB_DPCM_ENABLE")) { out += ".define TB_DPCM_ENABLE 1"; i += 14; continue; }
                    if (at(i, "TB_SFX_ENABLE")) { out += ".define TB_SFX_ENABLE  1"; i += 13; continue; }
                    if (at(i, "TB_THREAD")) { out += ".define TB_THREAD      1"; i += 9; continue; }
                }
                const unsigned char first = t[i];
                if (!blank(first) && first != ';') {
                    if (first == '.') { out += '@'; ++i; }
                    if (ca65) {
                        bool constant = false;
                        for (std::size_t j = i; j < n && t[j] != 13 && t[j] != ';'; ++j)
                            if (t[j] == '=' || at(j, "equ") || at(j, "EQU")) constant = true;
                        if (!constant) { i = word(i); out += ':'; }
                    }
                }
            }
            i = ordinary(i);
        }
    }
};

} // namespace

std::string reference_convert(std::string_view text, Target target)
{
    Ref r;
    r.t.assign(text.begin(), text.end());
    r.t.resize(text.size() + 16, 0);
    r.n = text.size();
    r.ca65 = target == Target::ca65;
    r.run();
    return r.out;
}

} // namespace srcmorph::testing
