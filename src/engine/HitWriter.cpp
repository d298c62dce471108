#include "engine/HitWriter.h"

#include "engine/EngineLocks.h"

#include <mutex>

namespace vk {

HitWriter::HitWriter(IResultList& list, ResultStore& store) : list_(list), store_(store) {
    std::lock_guard count(countLock);
    position_ = list_.GetItemCount();
}

void HitWriter::Add(Hit hit) {
    const int row = list_.InsertRow(position_, hit.name, hit.image);
    const std::size_t index = store_.Append(std::move(hit.fullPath), hit.size);
    if (hit.showSize) {
        list_.SetColumnText(row, 1, SizeText(hit.size));
    }
    list_.SetColumnText(row, 2, hit.pathText);
    list_.SetRowData(row, static_cast<std::intptr_t>(index));
    ++position_;
}

std::wstring SizeText(std::uint32_t size) {
    return std::to_wstring(size);
}

} // namespace vk
