#pragma once

#include <array>
#include <cstddef>
#include <memory>

namespace translation {

// Scratch space for a case-folded text: up to 256 UTF-16 units live inside
// the buffer, so that folding a window's caption allocates nothing.
class FoldBuffer
{
public:
    FoldBuffer() = default;
    FoldBuffer(const FoldBuffer&) = delete;
    FoldBuffer& operator=(const FoldBuffer&) = delete;

    // Room for `size` units; the old contents are not kept.
    void resize(std::size_t size)
    {
        if (size > m_capacity) {
            m_heap = std::make_unique_for_overwrite<char16_t[]>(size);
            m_capacity = size;
        }
        m_size = size;
    }

    std::size_t size() const { return m_size; }
    char16_t* data() { return m_heap ? m_heap.get() : m_inline.data(); }
    const char16_t* data() const { return m_heap ? m_heap.get() : m_inline.data(); }
    const char16_t* begin() const { return data(); }
    const char16_t* end() const { return data() + m_size; }

private:
    std::array<char16_t, 256> m_inline;
    std::unique_ptr<char16_t[]> m_heap;
    std::size_t m_capacity = 256;
    std::size_t m_size = 0;
};

} // namespace translation
