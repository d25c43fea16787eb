#include "output.h"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace srcmorph {

std::size_t initial_output_capacity(std::size_t input_size)
{
    if (input_size > (SIZE_MAX - kStepRoom) / 2)
        throw std::bad_alloc();
    return 2 * input_size + kStepRoom;
}

Output::Output(std::size_t expected)
{
    capacity_ = expected < kStepRoom ? kStepRoom : expected;
    data_ = static_cast<unsigned char*>(std::malloc(capacity_));
    if (!data_)
        throw std::bad_alloc();
}

Output::~Output()
{
    std::free(data_);
}

void Output::grow(std::size_t n)
{
    if (n > SIZE_MAX - size_)
        throw std::bad_alloc();
    const std::size_t needed = size_ + n;
    // Grow by half again so that a long run of growing rewrites stays linear.
    std::size_t next = capacity_ + capacity_ / 2;
    if (next < capacity_ || next < needed)
        next = needed;
    void* p = std::realloc(data_, next);
    if (!p)
        throw std::bad_alloc();
    data_ = static_cast<unsigned char*>(p);
    capacity_ = next;
}

} // namespace srcmorph
