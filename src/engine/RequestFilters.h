#pragma once
// What both front ends ask of a request's walk filters (WalkFilters.h) when they fill it.

#include "engine/SearchRequest.h"

namespace vk {

// The deepest depth limit either front end takes.
constexpr int kMaxSearchDepth = 32767;

// Whether the request has one of the walk's name, time, depth or kind filters: then a search
// without masks searches every name ("*"), as one with a size bound does.
[[nodiscard]] inline bool HasWalkFilters(const SearchRequest& request) {
    return request.modifiedAfter || request.modifiedBefore || !request.excludeMask.empty() || request.maxDepth >= 0 ||
           request.kind != SearchRequest::Kind::kAny;
}

} // namespace vk
