#pragma once
// The console tool: runs the search engine headlessly and prints the result list.

#include <ostream>
#include <string>
#include <vector>

namespace vk {

constexpr int kExitSearchRan = 0;
constexpr int kExitNetworkUnreadable = 1;
constexpr int kExitUsage = 2;
constexpr int kExitOutputFailed = 3; // the rows could not be written (a full disk, a closed pipe)

// args excludes the program name; environmentNetwork is VARNOKLE_NETWORK's value (or empty).
// Rows go to out and status texts and messages to err, all in UTF-8.
int RunVkfind(const std::vector<std::wstring>& args, const std::wstring& environmentNetwork, std::ostream& out,
              std::ostream& err);

} // namespace vk
