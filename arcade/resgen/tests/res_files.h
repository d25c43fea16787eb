// Where the committed resources are, for the tests.
#pragma once

#include "resgen/image.h"
#include "resgen/layout.h"
#include "resgen/png_io.h"

#include <optional>
#include <string>
#include <string_view>

namespace restest {

inline std::string res_path(std::string_view dir, std::string_view file) {
    return std::string(ARCADE_RES_DIR) + "/" + std::string(dir) + std::string(file);
}

inline std::optional<resgen::Image> load_committed_picture(std::string_view file) {
    const auto bytes = resgen::read_file(res_path(resgen::kGraphicsDir, file));
    if (!bytes) return std::nullopt;
    return resgen::decode_png(*bytes);
}

} // namespace restest
