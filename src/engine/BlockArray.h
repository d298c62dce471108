#pragma once
// A column of values that grows in blocks: the result store and the result rows hold their hits
// as such columns, one per field, instead of a structure per hit.

#include <cstddef>
#include <memory>
#include <vector>

namespace vk {

// Values appended in blocks of a fixed count: growing never moves or copies what is there, and
// memory is taken a block at a time. A column whose later values are mostly T{} can leave them
// out: ValueAt gives T{} past the end, and Set grows the array only for another value. Not
// thread-safe: the owner guards it.
template <class T> class BlockArray {
public:
    [[nodiscard]] std::size_t Size() const { return size_; }
    void PushBack(const T& value) {
        if (size_ == blocks_.size() * kPerBlock) {
            blocks_.push_back(std::make_unique_for_overwrite<T[]>(kPerBlock));
        }
        blocks_[size_ / kPerBlock][size_ % kPerBlock] = value;
        ++size_;
    }
    // index < Size().
    [[nodiscard]] T& operator[](std::size_t index) { return blocks_[index / kPerBlock][index % kPerBlock]; }
    [[nodiscard]] const T& operator[](std::size_t index) const { return blocks_[index / kPerBlock][index % kPerBlock]; }
    [[nodiscard]] T ValueAt(std::size_t index) const { return index < size_ ? (*this)[index] : T{}; }
    void Set(std::size_t index, const T& value) {
        if (index >= size_) {
            if (value == T{}) {
                return;
            }
            while (size_ <= index) {
                PushBack(T{});
            }
        }
        (*this)[index] = value;
    }
    void Clear() {
        blocks_.clear();
        size_ = 0;
    }

private:
    static constexpr std::size_t kPerBlock = 8192;
    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
};

} // namespace vk
