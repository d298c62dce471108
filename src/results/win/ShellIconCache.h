#pragma once
// The icons of the result list's rows: a 16x16 and a 32x32 image list that the list shows
// directly, and beside them the key table that says which file type each image stands for.
// Entry 0 is the generic file icon ("*"), entry 1 the closed folder icon ("."); every other
// entry is added the first time a file of its type is met (IconIndexForFile), with the icons the
// shell shows for that type.
//
// Engine threads ask for indexes while the user interface thread draws the lists. The index of a
// new type is handed out at once, but the shell is asked for its icons on the window thread only:
// the shell wants COM on the thread that calls it (the window thread has it, the engine's threads
// have not), and the image lists are then only ever changed by the thread that draws them. Types
// met on other threads wait in a queue; the cache wakes the window thread once for each batch
// (SetWake), which adds their icons (AddPendingIcons) and repaints the list. Until then their rows
// show no icon.
//
// The shell's first answer in a process costs far more than the others (a good part of a second
// under Wine: it loads and sets up what every later answer uses). WarmUpShell pays it on a helper
// thread of its own when the view is made, before the first search; pending types wait meanwhile
// rather than have the window thread wait for the shell.

#include "engine/EngineSeams.h"
#include "framework/Win32.h"
#include "results/IconKeyTable.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vk {

class CShellIconCache final : public IIconIndex, private IIconImages {
public:
    // Made on the window thread, which is the one that asks the shell.
    CShellIconCache();
    // Destroys the image lists; the list control must not destroy them too (it shares them).
    ~CShellIconCache() override;
    CShellIconCache(const CShellIconCache&) = delete;
    CShellIconCache& operator=(const CShellIconCache&) = delete;

    // Creates both image lists anew with the two fixed entries, and forgets every other key.
    void ResetCache();

    [[nodiscard]] int IndexOfKey(std::wstring_view key) override { return keys_.IndexOfKey(key); }
    [[nodiscard]] int IconIndexForFile(std::wstring_view name) override { return keys_.IconIndexForFile(name); }
    [[nodiscard]] std::size_t KeyCount() const { return keys_.KeyCount(); }

    // How another thread that met a new type has the window thread call AddPendingIcons: called
    // once for each batch, from that thread; it must not wait for the window thread (post).
    void SetWake(std::function<void()> wake) { wake_ = std::move(wake); }
    // On the window thread: the shell's icons for the types met on other threads since the last
    // call, at most the first most of them (asking the shell takes a good part of a tenth of a
    // second for each type under Wine: one at a time lets the thread handle its other messages in
    // between); for those left, the window thread is woken again. Returns how many entries got
    // their icons.
    int AddPendingIcons(std::size_t most = SIZE_MAX);

    // Asks the shell once on a helper thread (COM initialised there) for a common type, so that the
    // window thread's first question is answered as fast as the others; warm: what the helper
    // does instead (tests). Until it is done, AddPendingIcons leaves the types waiting, and the
    // helper wakes the window thread for them as it ends. Call after SetWake, at most once.
    void WarmUpShell(std::function<void()> warm = {});

    // Null before ResetCache.
    [[nodiscard]] HIMAGELIST SmallImages() const { return smallImages_; }
    [[nodiscard]] HIMAGELIST LargeImages() const { return largeImages_; }

private:
    struct PendingIcons {
        int index = 0;
        std::wstring key;
    };

    void ResetImages() override;
    void AppendIconsFor(std::wstring_view key) override;
    void DestroyImages();
    // The shell's icons for a key, put at their index in both lists.
    void AddIcons(int index, const std::wstring& key);

    IconKeyTable keys_{*this};
    HIMAGELIST smallImages_ = nullptr;
    HIMAGELIST largeImages_ = nullptr;
    const DWORD windowThread_;
    int nextIndex_ = 0; // the entry the next new key becomes (under the key table's cacheLock)
    std::function<void()> wake_;
    std::mutex pendingLock_; // guards pending_ and wakeAsked_; taken after cacheLock
    std::vector<PendingIcons> pending_;
    bool wakeAsked_ = false;
    std::atomic<bool> warming_{false};
    std::thread warmer_; // last: it is joined before the members it uses go
};

// The program's icon cache, set by the result view's initial update; null before.
extern CShellIconCache* theIconCache;

} // namespace vk
