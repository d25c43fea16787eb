#include "convert_source.h"

#include "files.h"
#include "paths.h"

namespace srcmorph {

bool convert_source(const InputText& input, Output& out, const std::string& path, Target target)
{
    run_pass(input, target, out);
    return write_file_replacing(output_path(path, target), out.data(), out.size());
}

} // namespace srcmorph
