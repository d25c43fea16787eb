// One conversion pass: scans the input bytes once and rewrites the fixed set
// of NESASM patterns for one target assembler; every other byte passes through.
#pragma once

#include <string>
#include <string_view>

#include "input_text.h"
#include "output.h"

namespace srcmorph {

enum class Target { ca65, asm6 };

// Replaces out's contents with the converted text of `input`.
void run_pass(const InputText& input, Target target, Output& out);

// The same for a text in memory; for callers that hold no InputText.
std::string convert_text(std::string_view text, Target target);

} // namespace srcmorph
