#pragma once
// The scheduling rank of the threads that work behind the window: the search's controller, its
// share workers and read-ahead helpers list folders and read files for as long as a search runs,
// often more of them than there are processors. Ranked below the window's thread, they leave it
// the processor whenever it has a message to handle, so the window answers at once however many
// of them are busy.

namespace vk {

// Ranks the calling thread below normal. On Windows the thread's priority
// (THREAD_PRIORITY_BELOW_NORMAL); elsewhere nothing (the console tool has no window to answer).
void RankBehindTheWindow();

} // namespace vk
