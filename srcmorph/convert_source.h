// One target's whole conversion: the pass, the output name and the file.
#pragma once

#include <string>

#include "input_text.h"
#include "output.h"
#include "pass.h"

namespace srcmorph {

// Converts `input` for `target` into `out` and writes it beside `path` under
// the target's output name. False when the output file could not be written
// (created, filled, closed or put in place).
bool convert_source(const InputText& input, Output& out, const std::string& path, Target target);

} // namespace srcmorph
