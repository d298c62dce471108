#include "results/win/ResultClipboard.h"

#include "platform/NetworkEnvironment.h"
#include "results/ClipboardBlocks.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace vk {
namespace {

// Movable, zero-initialised, shareable: the allocation the clipboard takes over.
constexpr UINT kClipboardAllocation = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE;

HGLOBAL GlobalBlock(const std::vector<unsigned char>& bytes) {
    const HGLOBAL block = GlobalAlloc(kClipboardAllocation, bytes.size());
    if (!block) {
        return nullptr;
    }
    void* memory = GlobalLock(block);
    if (!memory) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(memory, bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

// Hands the block to the clipboard as its only content. The block is made first: the old
// content goes only when the new one is ready. A block the clipboard does not take is freed.
bool PutOnClipboard(HWND owner, UINT format, const std::vector<unsigned char>& bytes) {
    const HGLOBAL block = GlobalBlock(bytes);
    if (!block) {
        return false;
    }
    bool taken = false;
    if (OpenClipboard(owner)) {
        taken = EmptyClipboard() && SetClipboardData(format, block) != nullptr;
        CloseClipboard();
    }
    if (!taken) {
        GlobalFree(block);
    }
    return taken;
}

} // namespace

bool CopySelectedFiles(const CResultListCtrl& list, const ResultStore& store, const NetworkEnvironment& environment,
                       HWND owner) {
    std::vector<std::wstring> paths;
    for (int position = list.FirstSelectedPosition(); position != 0;) {
        const int row = list.NextSelectedItem(position);
        // An empty path would end the file list early: a row without one is left out.
        if (auto path = store.Path(static_cast<std::size_t>(list.RowData(row))); path && !path->empty()) {
            paths.push_back(environment.ShellPath(*path).value_or(std::move(*path)));
        }
    }
    if (paths.empty()) {
        return false;
    }
    return PutOnClipboard(owner, CF_HDROP, FileDropBlock(paths));
}

bool CopySelectedPath(const CResultListCtrl& list, HWND owner) {
    const int row = list.FirstSelectedRow();
    if (row < 0) {
        return false;
    }
    return PutOnClipboard(owner, CF_UNICODETEXT, UnicodeTextBlock(list.RowText(row, kPathColumn)));
}

} // namespace vk
