// Chip-style sound effects: pulse waves, a triangle, the NES-like noise
// register, pitch sweeps and volume envelopes, rendered as 16-bit mono.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace resgen {

// The samples for one sound file of the layout table; empty for other names.
std::vector<std::int16_t> synthesise(std::string_view file);

} // namespace resgen
