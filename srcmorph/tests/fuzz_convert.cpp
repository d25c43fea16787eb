// Feeds arbitrary bytes to both passes: the output must be what the plain
// rules give (so complete, never cut short or overrun) and the same each time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pass.h"
#include "reference_pass.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace srcmorph;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const InputText input(text);
    Output out(0); // smallest start, so that every input exercises growth
    for (const Target target : {Target::ca65, Target::asm6}) {
        run_pass(input, target, out);
        const std::string first(reinterpret_cast<const char*>(out.data()), out.size());
        run_pass(input, target, out);
        if (std::string_view(reinterpret_cast<const char*>(out.data()), out.size()) != first)
            std::abort();
        if (first != testing::reference_convert(text, target))
            std::abort();
        if (convert_text(text, target) != first)
            std::abort();
    }
    return 0;
}
