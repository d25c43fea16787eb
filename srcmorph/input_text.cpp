#include "input_text.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace srcmorph {

InputText::InputText(std::size_t size) : size_(size)
{
    if (size > SIZE_MAX - kSpare)
        throw std::bad_alloc();
    bytes_ = std::make_unique_for_overwrite<unsigned char[]>(size + kSpare);
    std::memset(bytes_.get() + size, 0, kSpare);
}

InputText::InputText(std::string_view text) : InputText(text.size())
{
    if (!text.empty())
        std::memcpy(bytes_.get(), text.data(), text.size());
}

} // namespace srcmorph
