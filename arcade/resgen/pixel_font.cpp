#include "pixel_font.h"

#include <array>
#include <cctype>

namespace resgen {
namespace {

using Glyph = std::array<const char*, kGlyphH>;

// Letters are drawn with '#'; missing characters render as blanks.
const Glyph* glyph(char c) {
    static const Glyph A{".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
    static const Glyph B{"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."};
    static const Glyph C{".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."};
    static const Glyph D{"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."};
    static const Glyph E{"#####", "#....", "#....", "####.", "#....", "#....", "#####"};
    static const Glyph F{"#####", "#....", "#....", "####.", "#....", "#....", "#...."};
    static const Glyph G{".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"};
    static const Glyph H{"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
    static const Glyph I{".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."};
    static const Glyph J{"..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."};
    static const Glyph K{"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"};
    static const Glyph L{"#....", "#....", "#....", "#....", "#....", "#....", "#####"};
    static const Glyph M{"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"};
    static const Glyph N{"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"};
    static const Glyph O{".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
    static const Glyph P{"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."};
    static const Glyph Q{".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"};
    static const Glyph R{"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};
    static const Glyph S{".####", "#....", "#....", ".###.", "....#", "....#", "####."};
    static const Glyph T{"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."};
    static const Glyph U{"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
    static const Glyph V{"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."};
    static const Glyph W{"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"};
    static const Glyph X{"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"};
    static const Glyph Y{"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."};
    static const Glyph Z{"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"};
    static const Glyph d0{".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."};
    static const Glyph d1{"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."};
    static const Glyph d2{".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"};
    static const Glyph d3{"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."};
    static const Glyph d4{"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."};
    static const Glyph d5{"#####", "#....", "####.", "....#", "....#", "#...#", ".###."};
    static const Glyph d6{"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."};
    static const Glyph d7{"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."};
    static const Glyph d8{".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."};
    static const Glyph d9{".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."};
    static const Glyph excl{"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."};
    static const Glyph dot{".....", ".....", ".....", ".....", ".....", ".##..", ".##.."};
    static const Glyph comma{".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."};
    static const Glyph colon{".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."};
    static const Glyph dash{".....", ".....", ".....", "#####", ".....", ".....", "....."};
    static const Glyph apos{"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."};
    static const Glyph quest{".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."};
    static const Glyph amp{".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"};
    static const Glyph* letters[26] = {&A, &B, &C, &D, &E, &F, &G, &H, &I, &J, &K, &L, &M,
                                       &N, &O, &P, &Q, &R, &S, &T, &U, &V, &W, &X, &Y, &Z};
    static const Glyph* digits[10] = {&d0, &d1, &d2, &d3, &d4, &d5, &d6, &d7, &d8, &d9};
    const unsigned char u = static_cast<unsigned char>(c);
    if (std::isalpha(u)) return letters[std::toupper(u) - 'A'];
    if (std::isdigit(u)) return digits[c - '0'];
    switch (c) {
    case '!': return &excl;
    case '.': return &dot;
    case ',': return &comma;
    case ':': return &colon;
    case '-': return &dash;
    case '\'': return &apos;
    case '?': return &quest;
    case '&': return &amp;
    default: return nullptr;
    }
}

} // namespace

int text_width(std::string_view text) {
    if (text.empty()) return 0;
    return static_cast<int>(text.size()) * (kGlyphW + 1) - 1;
}

void draw_text(Image& img, std::string_view text, int x, int y, int scale, Rgba top, Rgba bottom) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* g = glyph(text[i]);
        if (!g) continue;
        const int gx = x + static_cast<int>(i) * (kGlyphW + 1) * scale;
        for (int row = 0; row < kGlyphH; ++row)
            for (int col = 0; col < kGlyphW; ++col)
                if ((*g)[row][col] == '#')
                    img.fill_rect(gx + col * scale, y + row * scale, scale, scale,
                                  row * 2 < kGlyphH ? top : bottom);
    }
}

void draw_banner_text(Image& img, std::string_view text, int cx, int y, int scale, Rgba top,
                      Rgba bottom, Rgba outline, Rgba shadow, Rgba shine) {
    const int w = text_width(text) * scale;
    const int x = cx - w / 2;
    Image layer(img.width(), img.height());
    draw_text(layer, text, x, y, scale, top, bottom);
    Image shade(img.width(), img.height());
    draw_text(shade, text, x + scale / 2 + 1, y + scale / 2 + 1, scale, shadow, shadow);
    shade.outline(shadow);
    if (shine.a) {
        const Image plain = layer;
        for (int py = 0; py < img.height(); ++py)
            for (int px = 0; px < img.width(); ++px)
                if (plain.get(px, py).a && !plain.get(px, py - 1).a) layer.set(px, py, shine);
    }
    layer.outline(outline);
    img.blit(shade, 0, 0);
    img.blit(layer, 0, 0);
}

} // namespace resgen
