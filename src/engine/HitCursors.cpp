#include "engine/HitCursors.h"

#include <algorithm>

namespace vk {

void HitCursors::Add(int* position) {
    positions_.push_back(position);
}

void HitCursors::Remove(const int* position) {
    positions_.erase(std::remove(positions_.begin(), positions_.end(), position), positions_.end());
}

void HitCursors::Inserted(int index, int count, const int* by) {
    for (int* position : positions_) {
        // A position right at index keeps its place: that walker's next row goes just behind its
        // last one, in front of the new rows.
        if (position != by && *position > index) {
            *position += count;
        }
    }
}

} // namespace vk
