#pragma once
// The icons of the result list's rows: a 16x16 and a 32x32 image list that the list shows
// directly, and beside them the key table that says which file type each image stands for.
// Entry 0 is the generic file icon ("*"), entry 1 the closed folder icon ("."); every other
// entry is added the first time a file of its type is met (IconIndexForFile), with the icons the
// shell shows for that type.
//
// Engine threads ask for indexes while the user interface thread draws the lists; the key
// table's locks keep the lists and the keys in step (see IconKeyTable).

#include "engine/EngineSeams.h"
#include "framework/Win32.h"
#include "results/IconKeyTable.h"

#include <string_view>

namespace vk {

class CShellIconCache final : public IIconIndex, private IIconImages {
public:
    CShellIconCache() = default;
    // Destroys the image lists; the list control must not destroy them too (it shares them).
    ~CShellIconCache() override;
    CShellIconCache(const CShellIconCache&) = delete;
    CShellIconCache& operator=(const CShellIconCache&) = delete;

    // Creates both image lists anew with the two fixed entries, and forgets every other key.
    void ResetCache();

    [[nodiscard]] int IndexOfKey(std::wstring_view key) override { return keys_.IndexOfKey(key); }
    [[nodiscard]] int IconIndexForFile(std::wstring_view name) override { return keys_.IconIndexForFile(name); }
    [[nodiscard]] std::size_t KeyCount() const { return keys_.KeyCount(); }

    // Null before ResetCache.
    [[nodiscard]] HIMAGELIST SmallImages() const { return smallImages_; }
    [[nodiscard]] HIMAGELIST LargeImages() const { return largeImages_; }

private:
    void ResetImages() override;
    void AppendIconsFor(std::wstring_view key) override;
    void DestroyImages();

    IconKeyTable keys_{*this};
    HIMAGELIST smallImages_ = nullptr;
    HIMAGELIST largeImages_ = nullptr;
};

// The program's icon cache, set by the result view's initial update; null before.
extern CShellIconCache* theIconCache;

} // namespace vk
