#pragma once
// A growing array kept in fixed chunks: appending never moves what is stored, so a column
// of a million entries grows without the pauses of copying itself to a buffer twice as
// large, and entries found by position cost one more indirection than a vector's.

#include <cstddef>
#include <memory>
#include <vector>

namespace bp::filter {

template <typename T>
class ChunkedVector {
public:
    static constexpr std::size_t kChunkShift = 14;  // 16,384 entries a chunk
    static constexpr std::size_t kChunkSize = std::size_t{1} << kChunkShift;

    void push_back(const T& value) {
        if ((size_ & (kChunkSize - 1)) == 0) {
            chunks_.push_back(std::make_unique_for_overwrite<T[]>(kChunkSize));
        }
        chunks_.back()[size_ & (kChunkSize - 1)] = value;
        ++size_;
    }
    const T& operator[](std::size_t i) const {
        return chunks_[i >> kChunkShift][i & (kChunkSize - 1)];
    }
    std::size_t size() const { return size_; }

private:
    std::vector<std::unique_ptr<T[]>> chunks_;
    std::size_t size_ = 0;
};

}  // namespace bp::filter
