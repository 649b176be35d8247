#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <type_traits>

namespace formula_engine {

// A stack that keeps its first N elements inline and moves to the heap only
// when a formula nests deeper; typical formulas never allocate.
template <typename T, std::size_t N> class SmallStack
{
    static_assert(std::is_trivially_copyable_v<T>);

public:
    SmallStack() = default;
    SmallStack(const SmallStack&) = delete;
    SmallStack& operator=(const SmallStack&) = delete;

    bool empty() const { return m_size == 0; }
    std::size_t size() const { return m_size; }
    const T& top() const { return m_data[m_size - 1]; }

    void push(T value)
    {
        if (m_size == m_capacity)
            grow();
        m_data[m_size++] = value;
    }

    T pop() { return m_data[--m_size]; }

private:
    void grow()
    {
        const std::size_t capacity = m_capacity * 2;
        auto heap = std::make_unique_for_overwrite<T[]>(capacity);
        std::copy(m_data, m_data + m_size, heap.get());
        m_heap = std::move(heap);
        m_data = m_heap.get();
        m_capacity = capacity;
    }

    T m_inline[N];
    std::unique_ptr<T[]> m_heap;
    T* m_data = m_inline;
    std::size_t m_size = 0;
    std::size_t m_capacity = N;
};

} // namespace formula_engine
