#pragma once
// One walker's hand-off of hits to the result store and the result list. The walker creates it
// when it begins a directory or a server's share list: the list's row count, read then under
// countLock, is the position of its first hit, and the position advances with every hit. So a
// walker's rows stand in the order of its hits, and the hits of walkers that run at the same
// time interleave.

#include "engine/EngineSeams.h"
#include "engine/ResultStore.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vk {

struct Hit {
    std::wstring_view name; // column 0
    int image = 0;
    std::uint32_t size = 0;
    std::wstring fullPath;
    bool showSize = false;      // column 1 shows the size (files only)
    std::wstring_view pathText; // column 2
};

class HitWriter {
public:
    HitWriter(IResultList& list, ResultStore& store);

    // Stores the hit and inserts its row. The caller holds hitLock.
    void Add(Hit hit);

    [[nodiscard]] int Position() const { return position_; }

private:
    IResultList& list_;
    ResultStore& store_;
    int position_ = 0;
};

// The size as the Size column shows it: unsigned decimal, no separators.
[[nodiscard]] std::wstring SizeText(std::uint32_t size);

} // namespace vk
