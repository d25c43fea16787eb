#include "generate.h"

#include "art.h"
#include "layout.h"
#include "png_io.h"
#include "sounds.h"
#include "wav_io.h"

#include <filesystem>
#include <iostream>

namespace resgen {

const PictureLayout* find_picture(std::string_view file) {
    for (const auto& p : kPictures)
        if (p.file == file) return &p;
    return nullptr;
}

Image blank_sheet(const PictureLayout& layout) { return Image(layout.width, layout.height); }

void put_frame(Image& sheet, const PictureLayout& layout, const Image& frame, int column, int row) {
    sheet.blit_part(frame, 0, 0, layout.frame_w, layout.frame_h, column * layout.frame_w, row * layout.frame_h);
}

Image make_picture(std::string_view file) {
    if (!find_picture(file)) return {};
    for (auto maker : {make_sprite_sheet, make_boss_sheet, make_backdrop, make_screen}) {
        Image img = maker(file);
        if (img.width() > 0) return img;
    }
    return {};
}

std::vector<std::int16_t> make_sound(std::string_view file) { return synthesise(file); }

int write_all(const std::string& res_dir) {
    namespace fs = std::filesystem;
    int failures = 0;
    const fs::path gfx = fs::path(res_dir) / kGraphicsDir;
    const fs::path sfx = fs::path(res_dir) / kAudioDir;
    std::error_code ec;
    fs::create_directories(gfx, ec);
    fs::create_directories(sfx, ec);
    for (const auto& p : kPictures) {
        const Image img = make_picture(p.file);
        const auto bytes = encode_png(img);
        if (img.width() == 0 || bytes.empty() || !write_file((gfx / p.file).string(), bytes)) {
            std::cerr << "arcade_resgen: cannot make " << p.file << "\n";
            ++failures;
        }
    }
    for (auto name : kSounds) {
        const auto samples = make_sound(name);
        if (samples.empty() || !write_file((sfx / name).string(), encode_wav(samples))) {
            std::cerr << "arcade_resgen: cannot make " << name << "\n";
            ++failures;
        }
    }
    return failures;
}

} // namespace resgen
