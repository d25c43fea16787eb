// srcmorph: converts a NESASM source of the Tunebrick sound driver into a
// ca65 copy and an asm6 copy beside it.
#include <new>
#include <string>
#include <string_view>

#include "files.h"
#include "input_text.h"
#include "messages.h"
#include "output.h"
#include "pass.h"
#include "paths.h"

namespace {

using namespace srcmorph;

int fail(std::string_view message)
{
    print_text(message);
    return 1;
}

int run(const PathString& path)
{
    const std::string name = printable_name(path);
    switch (check_input_path(path)) {
    case PathCheck::ok:
        break;
    case PathCheck::too_long:
        return fail("Error: Path too long (over " + std::to_string(kMaxPath) + " bytes)\n");
    case PathCheck::no_extension:
        return fail("Error: File name must end in a three-character extension, like filename.asm: " + name + "\n");
    }

    InputText input;
    switch (read_source(path, input)) {
    case ReadResult::ok:
        break;
    case ReadResult::cant_open:
        return fail("Error: Can't open file " + name + "\n");
    case ReadResult::not_measurable:
        return fail("Error: Can't measure the size of " + name + " (not a regular file)\n");
    case ReadResult::read_error:
        return fail("Error: Can't read file " + name + "\n");
    }

    Output out(initial_output_capacity(input.size()));
    for (const Target target : {Target::ca65, Target::asm6}) {
        run_pass(input, target, out);
        if (!write_file_replacing(output_path(path, target), out.data(), out.size()))
            return fail("Error: Can't create file\n");
    }
    return 0;
}

int run_command_line(int argc, const PathString::value_type* const* argv)
{
    if (argc < 2) {
        print_text("NESASM source code converter for Tunebrick\n"
                   "Usage: srcmorph filename.asm\n");
        return 0;
    }
    try {
        return run(argv[1]);
    } catch (const std::bad_alloc&) {
        return fail("Error: Out of memory\n");
    }
}

} // namespace

// Windows hands over the command line in UTF-16, so that any file name it can
// hold arrives whole.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
    return run_command_line(argc, argv);
}
