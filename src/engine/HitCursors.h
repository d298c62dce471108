#pragma once
// The insert positions of the walkers that are handing hits to the result list at the same time.
// A walker inserts its rows at a position of its own (the row count when it began, moving on with
// each of its rows). When another walker inserts rows in front of that position, the rows there
// move down, and the position must move with them: otherwise the walker's next rows would land
// before its earlier ones. So every insertion moves the positions that lie behind it.
//
// Guarded by hitLock: walkers register, insert and move positions only while they hold it.

#include <vector>

namespace vk {

class HitCursors {
public:
    void Add(int* position);
    void Remove(const int* position);
    // count rows went in at index, put there by the walker whose position is `by`: every other
    // position behind index moves on by count.
    void Inserted(int index, int count, const int* by);

private:
    std::vector<int*> positions_;
};

} // namespace vk
