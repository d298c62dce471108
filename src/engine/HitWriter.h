#pragma once
// One walker's hand-off of hits to the result store and the result list. The walker creates it
// when it begins a directory or a server's share list: the list's row count, read then under
// hitLock (so that no other walker's rows go in between the count and the position taking part
// in HitCursors), is the position of its first hit, and the position advances with every hit (and
// with the rows other walkers insert in front of it, see HitCursors). So a walker's rows stand in
// the order of its hits, and the hits of walkers that run at the same time interleave.
//
// Each hit goes to the store at once. Its row waits in a batch that goes to the list in one step
// (one message to the window's list): the first hit after a quiet spell at once, the hits that
// follow it when a tenth of a second has passed or the batch is full, and whatever waits when
// the walker is done (Flush, and the destructor). So a worker's rows are all in the list before
// it ends, and the search completes only after its last row.

#include "engine/EngineSeams.h"
#include "engine/HitCursors.h"
#include "engine/ResultStore.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// A hit as it is found: its path is the folder (column 2) joined with the name (see JoinPath).
struct Hit {
    std::wstring_view name; // column 0
    int image = 0;
    std::uint64_t size = 0;
    bool showSize = false;      // column 1 shows the size (files only)
    std::wstring_view pathText; // column 2, the folder that holds it
    std::int64_t modified = 0;  // file time ticks; 0 unknown
};

class HitWriter {
public:
    // The rows of a batch: at most this many, and held at most this long after the batch before.
    static constexpr std::size_t kMaxBatch = 1000;
    static constexpr std::chrono::milliseconds kBatchInterval{100};

    HitWriter(IResultList& list, ResultStore& store, HitCursors& cursors);
    // Hands over the rows still waiting.
    ~HitWriter();
    HitWriter(const HitWriter&) = delete;
    HitWriter& operator=(const HitWriter&) = delete;

    // Stores the hit and queues its row; hands the batch over when it is due. The caller holds
    // hitLock.
    void Add(const Hit& hit);
    // Hands the waiting rows to the list now (takes hitLock).
    void Flush();

    [[nodiscard]] int Position() const { return position_; }

private:
    IResultList& list_;
    ResultStore& store_;
    HitCursors& cursors_;
    int position_ = 0;
    // The batch's rows, their texts one after another in batchTexts_ (so that a hit costs no
    // allocation of its own on its way); the rows' texts are made views at the hand-over.
    struct WaitingRow {
        std::size_t nameStart = 0; // the name, then the size text up to sizeEnd
        std::size_t nameEnd = 0;
        std::size_t sizeEnd = 0;
        std::size_t pathStart = 0; // the path text, often the previous row's
        std::size_t pathEnd = 0;
        int image = 0;
        std::intptr_t data = 0;
    };
    [[nodiscard]] std::wstring_view Text(std::size_t start, std::size_t end) const {
        return std::wstring_view(batchTexts_).substr(start, end - start);
    }

    std::vector<WaitingRow> waiting_;
    std::wstring batchTexts_;
    std::vector<NewRow> batch_;
    std::chrono::steady_clock::time_point lastFlush_;
};

// The size as the Size column shows it: unsigned decimal, no separators.
[[nodiscard]] std::wstring SizeText(std::uint64_t size);
void AppendSizeText(std::wstring& out, std::uint64_t size);

} // namespace vk
