#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace tiravel {

// Fixed-size array whose every index is checked against its declared bound.
// A bad index is a programming fault: it stops the program with a message
// instead of silently reading or writing another variable.
[[noreturn]] inline void indexOutOfBounds(std::size_t index, std::size_t size)
{
    std::fprintf(stderr, "tiravel4: index %zu outside an array of %zu entries\n", index, size);
    std::abort();
}

template <typename T, std::size_t N>
class FixedArray {
public:
    T& operator[](std::size_t i)
    {
        if (i >= N) [[unlikely]]
            indexOutOfBounds(i, N);
        return data_[i];
    }
    const T& operator[](std::size_t i) const
    {
        if (i >= N) [[unlikely]]
            indexOutOfBounds(i, N);
        return data_[i];
    }
    static constexpr std::size_t size() { return N; }
    void fill(const T& value) { data_.fill(value); }
    T* data() { return data_.data(); }
    const T* data() const { return data_.data(); }
    auto begin() { return data_.begin(); }
    auto end() { return data_.end(); }
    auto begin() const { return data_.begin(); }
    auto end() const { return data_.end(); }

private:
    std::array<T, N> data_{};
};

// Rows x columns table of fixed size, indexed table[row][column], both checked.
template <typename T, std::size_t Rows, std::size_t Cols>
using FixedTable = FixedArray<FixedArray<T, Cols>, Rows>;

} // namespace tiravel
