#include "engine/HitWriter.h"

#include "engine/EngineLocks.h"
#include "platform/DebugTrace.h"

#include <mutex>

namespace vk {

HitWriter::HitWriter(IResultList& list, ResultStore& store, HitCursors& cursors)
    : list_(list), store_(store), cursors_(cursors), lastFlush_(std::chrono::steady_clock::now() - kBatchInterval) {
    // The count is read under hitLock, in the same step that registers the position: no other
    // walker can insert rows in between, which would move the rows before the count (this
    // walker's earlier ones among them) past a position that did not move with them.
    std::lock_guard hit(hitLock);
    position_ = list_.GetItemCount();
    cursors_.Add(&position_);
}

HitWriter::~HitWriter() {
    try {
        Flush();
    } catch (...) {
        // Out of memory while handing over: the rows that did not make it stay out of the list.
        DebugTrace(L"a batch of hits could not be handed to the result list");
    }
    std::lock_guard hit(hitLock);
    cursors_.Remove(&position_);
}

void HitWriter::Add(Hit hit) {
    const std::size_t index = store_.Append(hit.fullPath, hit.size, hit.modified);
    NewRow row;
    row.name = hit.name;
    row.image = hit.image;
    if (hit.showSize) {
        row.sizeText = SizeText(hit.size);
    }
    row.pathText = hit.pathText;
    row.data = static_cast<std::intptr_t>(index);
    batch_.push_back(std::move(row));
    if (batch_.size() >= kMaxBatch || std::chrono::steady_clock::now() - lastFlush_ >= kBatchInterval) {
        Flush();
    }
}

void HitWriter::Flush() {
    if (batch_.empty()) {
        return;
    }
    std::lock_guard hit(hitLock);
    const int count = static_cast<int>(batch_.size());
    const int first = list_.InsertRows(position_, batch_);
    batch_.clear();
    lastFlush_ = std::chrono::steady_clock::now();
    if (first >= 0) {
        cursors_.Inserted(first, count, &position_);
        position_ = first + count;
    }
}

std::wstring SizeText(std::uint64_t size) {
    return std::to_wstring(size);
}

} // namespace vk
