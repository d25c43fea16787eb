// The growing output buffer a conversion pass writes into.
#pragma once

#include <cstddef>
#include <cstring>

namespace srcmorph {

// Room every scanner step may use without asking again: the longest fixed
// texts one step can write add up to well under this.
inline constexpr std::size_t kStepRoom = 64;

class Output {
public:
    // Starts with room for `expected` bytes; grows past it when a pass needs
    // more. Throws std::bad_alloc when memory runs out.
    explicit Output(std::size_t expected = 0);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    const unsigned char* data() const { return data_; }
    std::size_t size() const { return size_; }
    void clear() { size_ = 0; }

    // Makes sure at least n more bytes fit.
    void reserve_more(std::size_t n)
    {
        if (capacity_ - size_ < n)
            grow(n);
    }

    // The writers below assume reserve_more(kStepRoom) was called for the
    // current step; append_bytes reserves its own length.
    void put(unsigned char c) { data_[size_++] = c; }
    void append_text(const char* text)
    {
        const std::size_t n = std::strlen(text);
        std::memcpy(data_ + size_, text, n);
        size_ += n;
    }
    void append_bytes(const unsigned char* p, std::size_t n)
    {
        reserve_more(n + kStepRoom);
        std::memcpy(data_ + size_, p, n);
        size_ += n;
    }

private:
    void grow(std::size_t n);

    unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Twice the input plus one step's room, the usual need of a pass; throws
// std::bad_alloc when that does not fit in a size_t.
std::size_t initial_output_capacity(std::size_t input_size);

} // namespace srcmorph
