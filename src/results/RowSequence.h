#pragma once
// The order of a list's rows: a sequence of row ids that takes an insertion anywhere at the cost
// of a small block, not of the whole list. The ids sit in blocks of at most kMaxBlock; a position
// is found by walking the blocks from the one found last, which is where the next row of the
// same writer goes. So a million rows inserted by ten writers at ten places cost about as much
// as appending them.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vk {

class RowSequence {
public:
    [[nodiscard]] std::size_t Size() const { return size_; }
    // position <= Size().
    void Insert(std::size_t position, std::uint32_t id);
    // position < Size().
    [[nodiscard]] std::uint32_t At(std::size_t position) const;
    // position < Size().
    void Erase(std::size_t position);
    void Clear();

    // The sequence made of ids (a new order of the same rows).
    void Assign(const std::vector<std::uint32_t>& ids);

    template <class Visit> void ForEach(Visit visit) const {
        for (const auto& block : blocks_) {
            for (const std::uint32_t id : block) {
                visit(id);
            }
        }
    }

private:
    static constexpr std::size_t kMaxBlock = 2048;

    // Makes foundBlock_ the block holding position (the last block for position == Size()) and
    // returns the offset of position in it.
    std::size_t Locate(std::size_t position) const;

    std::vector<std::vector<std::uint32_t>> blocks_;
    std::size_t size_ = 0;
    mutable std::size_t foundBlock_ = 0; // the block found last
    mutable std::size_t foundStart_ = 0; // the position of its first id
};

} // namespace vk
