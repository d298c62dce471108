#pragma once
// The process-wide locks that order the engine's work on the result list. Re-entrant, since one
// guarded list operation may call another.
//
//   hitLock    one hit's hand-off (store appends and its row) and the content test
//   countLock  reading the result list's row count (a walker that begins a directory reads it
//              under hitLock instead, see HitWriter)
//   listLock   each guarded list operation
//
// Order: hitLock or countLock before listLock; never hitLock and countLock together. The user
// interface thread never waits for hitLock or countLock.

#include <mutex>

namespace vk {

extern std::recursive_mutex hitLock;
extern std::recursive_mutex countLock;
extern std::recursive_mutex listLock;

} // namespace vk
