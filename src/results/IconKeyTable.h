#pragma once
// The key side of the shell icon cache. The result list shows its icons from two image lists
// (16x16 and 32x32); key i names the icons at index i of both. A key is a lower-case file
// extension with its dot (".txt"), a whole lower-case name for a file without a dot, or one of
// the fixed keys "*" (the generic file icon, index 0) and "." (the folder icon, index 1).
// Entries are only ever appended, so an index handed out stays valid for the whole run. A hash
// index beside the key list finds a key in constant time.
//
// Locks: cacheLock guards the keys and the image lists for each single step; lookupLock makes
// the lookup-or-add of a file's key atomic, so that two threads meeting the same new extension
// add it once. Order: lookupLock before cacheLock.

#include "engine/EngineSeams.h"

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vk {

// The two image lists, filled from the shell on Windows and by a stand-in elsewhere. Called
// with cacheLock held.
class IIconImages {
public:
    virtual ~IIconImages() = default;
    // Recreates both lists holding the generic file icon (0) and the closed folder icon (1).
    virtual void ResetImages() = 0;
    // Appends the icons the shell shows for a file called key (copies of entry 0 when it has
    // none) to both lists.
    virtual void AppendIconsFor(std::wstring_view key) = 0;
};

class IconKeyTable final : public IIconIndex {
public:
    explicit IconKeyTable(IIconImages& images) : images_(images) {}

    // Back to the two fixed entries.
    void ResetCache();

    [[nodiscard]] int IndexOfKey(std::wstring_view key) override;
    [[nodiscard]] int IconIndexForFile(std::wstring_view name) override;

    [[nodiscard]] std::size_t KeyCount() const;

private:
    // Looks up a key already lowered. Called with cacheLock held.
    [[nodiscard]] int FindLowered(std::wstring_view lowered) const;
    int AddKey(std::wstring_view key);

    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::wstring_view key) const { return std::hash<std::wstring_view>{}(key); }
    };

    IIconImages& images_;
    mutable std::recursive_mutex cacheLock_;
    std::recursive_mutex lookupLock_;
    std::vector<std::wstring> keys_;
    std::unordered_map<std::wstring, int, KeyHash, std::equal_to<>> indexOfKey_;
};

// A to Z become a to z; nothing else changes.
[[nodiscard]] std::wstring LowerAsciiLetters(std::wstring_view text);

} // namespace vk

namespace vk {

// Image lists for a front end that shows no icons (the console tool): the keys still count.
class NoIconImages final : public IIconImages {
public:
    void ResetImages() override {}
    void AppendIconsFor(std::wstring_view) override {}
};

} // namespace vk
