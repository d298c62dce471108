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

void HitWriter::Add(const Hit& hit) {
    const std::size_t index = store_.AppendInFolder(hit.pathText, hit.name, hit.size, hit.modified);
    WaitingRow row;
    row.image = hit.image;
    row.data = static_cast<std::intptr_t>(index);
    row.nameStart = batchTexts_.size();
    batchTexts_ += hit.name;
    row.nameEnd = batchTexts_.size();
    if (hit.showSize) {
        AppendSizeText(batchTexts_, hit.size);
    }
    row.sizeEnd = batchTexts_.size();
    // The rows of one walker mostly share their folder: its text is kept once.
    if (!waiting_.empty() && Text(waiting_.back().pathStart, waiting_.back().pathEnd) == hit.pathText) {
        row.pathStart = waiting_.back().pathStart;
        row.pathEnd = waiting_.back().pathEnd;
    } else {
        row.pathStart = batchTexts_.size();
        batchTexts_ += hit.pathText;
        row.pathEnd = batchTexts_.size();
    }
    waiting_.push_back(row);
    if (waiting_.size() >= kMaxBatch || std::chrono::steady_clock::now() - lastFlush_ >= kBatchInterval) {
        Flush();
    }
}

void HitWriter::Flush() {
    if (waiting_.empty()) {
        return;
    }
    batch_.clear();
    for (const WaitingRow& row : waiting_) {
        batch_.push_back({Text(row.nameStart, row.nameEnd), row.image, Text(row.nameEnd, row.sizeEnd),
                          Text(row.pathStart, row.pathEnd), row.data});
    }
    std::lock_guard hit(hitLock);
    const int count = static_cast<int>(batch_.size());
    const int first = list_.InsertRows(position_, batch_);
    batch_.clear();
    waiting_.clear();
    batchTexts_.clear();
    lastFlush_ = std::chrono::steady_clock::now();
    if (first >= 0) {
        cursors_.Inserted(first, count, &position_);
        position_ = first + count;
    }
}

std::wstring SizeText(std::uint64_t size) {
    std::wstring text;
    AppendSizeText(text, size);
    return text;
}

void AppendSizeText(std::wstring& out, std::uint64_t size) {
    wchar_t digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + size % 10);
        size /= 10;
    } while (size != 0);
    while (count > 0) {
        out.push_back(digits[--count]);
    }
}

} // namespace vk
