// The whole input source, held with zeroed spare bytes after it so that the
// scanner's short fixed-length look-aheads never leave the buffer and never
// match a pattern there.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace srcmorph {

inline constexpr std::size_t kSpare = 16;

class InputText {
public:
    InputText() : InputText(0) {}
    // Room for `size` bytes of text; throws std::bad_alloc when out of memory.
    explicit InputText(std::size_t size);
    explicit InputText(std::string_view text);

    unsigned char* data() { return bytes_.get(); }
    const unsigned char* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }

private:
    std::unique_ptr<unsigned char[]> bytes_;
    std::size_t size_ = 0;
};

} // namespace srcmorph
