#include "results/RowSequence.h"

#include <algorithm>

namespace vk {

std::size_t RowSequence::Locate(std::size_t position) const {
    while (position < foundStart_) {
        --foundBlock_;
        foundStart_ -= blocks_[foundBlock_].size();
    }
    while (foundBlock_ + 1 < blocks_.size() && position >= foundStart_ + blocks_[foundBlock_].size()) {
        foundStart_ += blocks_[foundBlock_].size();
        ++foundBlock_;
    }
    return position - foundStart_;
}

void RowSequence::Insert(std::size_t position, std::uint32_t id) {
    if (blocks_.empty()) {
        blocks_.emplace_back().reserve(kMaxBlock);
    }
    std::size_t offset = Locate(position);
    if (blocks_[foundBlock_].size() == kMaxBlock) {
        // A full block: a row after its last one starts the next block (rows mostly come at the
        // end, and the full block stays full); one inside it splits it in halves.
        std::vector<std::uint32_t> next;
        next.reserve(kMaxBlock);
        auto& full = blocks_[foundBlock_];
        const std::size_t keep = offset == kMaxBlock ? kMaxBlock : kMaxBlock / 2;
        next.assign(full.begin() + static_cast<std::ptrdiff_t>(keep), full.end());
        full.resize(keep);
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(foundBlock_ + 1), std::move(next));
        if (offset >= keep) {
            foundStart_ += keep;
            ++foundBlock_;
            offset -= keep;
        }
    }
    auto& block = blocks_[foundBlock_];
    block.insert(block.begin() + static_cast<std::ptrdiff_t>(offset), id);
    ++size_;
}

std::uint32_t RowSequence::At(std::size_t position) const {
    const std::size_t offset = Locate(position);
    return blocks_[foundBlock_][offset];
}

void RowSequence::Erase(std::size_t position) {
    const std::size_t offset = Locate(position);
    auto& block = blocks_[foundBlock_];
    block.erase(block.begin() + static_cast<std::ptrdiff_t>(offset));
    --size_;
    if (block.empty() && blocks_.size() > 1) {
        blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(foundBlock_));
        if (foundBlock_ == blocks_.size()) {
            // The last block went: the one before it is found, starting where it does.
            --foundBlock_;
            foundStart_ -= blocks_[foundBlock_].size();
        }
    }
}

void RowSequence::Assign(const std::vector<std::uint32_t>& ids) {
    Clear();
    for (std::size_t start = 0; start < ids.size(); start += kMaxBlock) {
        const std::size_t end = std::min(ids.size(), start + kMaxBlock);
        auto& block = blocks_.emplace_back();
        block.reserve(kMaxBlock);
        block.assign(ids.begin() + static_cast<std::ptrdiff_t>(start), ids.begin() + static_cast<std::ptrdiff_t>(end));
    }
    size_ = ids.size();
}

void RowSequence::Clear() {
    blocks_.clear();
    size_ = 0;
    foundBlock_ = 0;
    foundStart_ = 0;
}

} // namespace vk
