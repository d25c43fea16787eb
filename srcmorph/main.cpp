// srcmorph: converts a NESASM source of the Tunebrick sound driver into a
// ca65 copy and an asm6 copy beside it.
#include <cstdio>
#include <new>
#include <string>

#include "files.h"
#include "input_text.h"
#include "output.h"
#include "pass.h"
#include "paths.h"

namespace {

using namespace srcmorph;

int run(const char* path)
{
    switch (check_input_path(path)) {
    case PathCheck::ok:
        break;
    case PathCheck::too_long:
        std::printf("Error: Path too long (over %zu bytes)\n", kMaxPath);
        return 1;
    case PathCheck::no_extension:
        std::printf("Error: File name must end in a three-character extension, like filename.asm: %s\n",
                    path);
        return 1;
    }

    InputText input;
    switch (read_source(path, input)) {
    case ReadResult::ok:
        break;
    case ReadResult::cant_open:
        std::printf("Error: Can't open file %s\n", path);
        return 1;
    case ReadResult::not_measurable:
        std::printf("Error: Can't measure the size of %s (not a regular file)\n", path);
        return 1;
    case ReadResult::read_error:
        std::printf("Error: Can't read file %s\n", path);
        return 1;
    }

    Output out(initial_output_capacity(input.size()));
    for (const Target target : {Target::ca65, Target::asm6}) {
        run_pass(input, target, out);
        if (!write_file_replacing(output_path(path, target), out.data(), out.size())) {
            std::printf("Error: Can't create file\n");
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("NESASM source code converter for Tunebrick\n");
        std::printf("Usage: srcmorph filename.asm\n");
        return 0;
    }
    try {
        return run(argv[1]);
    } catch (const std::bad_alloc&) {
        std::printf("Error: Out of memory\n");
        return 1;
    }
}
