#pragma once
// The names of a page of shares, for comparing with the expected names.

#include "platform/NetworkServices.h"

#include <string>
#include <vector>

namespace vk::testing {

inline std::vector<std::wstring> ShareNames(const std::vector<ShareInfo>& shares) {
    std::vector<std::wstring> names;
    for (const auto& share : shares) {
        names.push_back(share.name);
    }
    return names;
}

} // namespace vk::testing
