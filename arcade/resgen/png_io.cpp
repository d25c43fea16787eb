#include "png_io.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace resgen {
namespace {

void on_write(png_structp png, png_bytep data, png_size_t len) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + len);
}

void on_flush(png_structp) {}

struct ReadCursor {
    const std::vector<std::uint8_t>* bytes;
    std::size_t pos;
};

void on_read(png_structp png, png_bytep data, png_size_t len) {
    auto* cur = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (cur->pos + len > cur->bytes->size()) png_error(png, "truncated PNG");
    std::memcpy(data, cur->bytes->data() + cur->pos, len);
    cur->pos += len;
}

} // namespace

std::vector<std::uint8_t> encode_png(const Image& img) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(img.width()) * img.height() * 4);
    for (std::size_t i = 0; i < img.pixels().size(); ++i) {
        const Rgba c = img.pixels()[i];
        // Fully transparent pixels carry no colour; zeroing it keeps files canonical.
        const bool clear = c.a == 0;
        rows[4 * i + 0] = clear ? 0 : c.r;
        rows[4 * i + 1] = clear ? 0 : c.g;
        rows[4 * i + 2] = clear ? 0 : c.b;
        rows[4 * i + 3] = c.a;
    }
    std::vector<png_bytep> row_ptrs(static_cast<std::size_t>(img.height()));
    for (int y = 0; y < img.height(); ++y)
        row_ptrs[static_cast<std::size_t>(y)] = rows.data() + static_cast<std::size_t>(y) * img.width() * 4;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, on_write, on_flush);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(img.width()), static_cast<png_uint_32>(img.height()), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, row_ptrs.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::optional<Image> decode_png(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return std::nullopt;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::nullopt;
    }
    ReadCursor cur{&bytes, 0};
    std::vector<std::uint8_t> rows;
    std::vector<png_bytep> row_ptrs;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return std::nullopt;
    }
    png_set_read_fn(png, &cur, on_read);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (w == 0 || h == 0 || w > 4096 || h > 4096) png_error(png, "unreasonable size");
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != w * 4) png_error(png, "unexpected row layout");
    rows.resize(static_cast<std::size_t>(w) * h * 4);
    row_ptrs.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) row_ptrs[y] = rows.data() + static_cast<std::size_t>(y) * w * 4;
    png_read_image(png, row_ptrs.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    Image img(static_cast<int>(w), static_cast<int>(h));
    for (png_uint_32 y = 0; y < h; ++y)
        for (png_uint_32 x = 0; x < w; ++x) {
            const std::uint8_t* p = &rows[(static_cast<std::size_t>(y) * w + x) * 4];
            img.set(static_cast<int>(x), static_cast<int>(y), Rgba{p[0], p[1], p[2], p[3]});
        }
    return img;
}

std::optional<std::vector<std::uint8_t>> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace resgen
