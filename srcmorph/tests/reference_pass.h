// A plain, slow transcription of the conversion rules (rescanning look-ahead,
// unlimited output), for checking the real pass against.
#pragma once

#include <string>
#include <string_view>

#include "pass.h"

namespace srcmorph::testing {

std::string reference_convert(std::string_view text, Target target);

} // namespace srcmorph::testing
