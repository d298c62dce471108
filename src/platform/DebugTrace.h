#pragma once
// A line for whoever debugs the program: failures that the program gets over by itself (a
// handler that threw, a thread that failed and ended) leave one, where nobody else would see
// them. On Windows it goes to the debugger (OutputDebugStringW; under Wine, WINEDEBUG=+debugstr
// shows it); elsewhere to standard error, when the environment variable VARNOKLE_DEBUG is set.

#include <string_view>

namespace vk {

void DebugTrace(std::wstring_view text);

} // namespace vk
