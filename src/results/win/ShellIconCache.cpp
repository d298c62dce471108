#include "results/win/ShellIconCache.h"

#include <objbase.h>
#include <shellapi.h>

#include <cstddef>
#include <iterator>
#include <string>
#include <system_error>

namespace vk {
namespace {

// Device-dependent colour with a mask (ILC_COLORDDB | ILC_MASK).
constexpr UINT kImageListFlags = 0xFF;
constexpr int kInitialImages = 1;
constexpr int kGrowImages = 1000;
constexpr COLORREF kBackground = 1;

// The shell's answer for a file type, without touching the file system: icon, type name and
// display name, small or large.
constexpr UINT kQuerySmall =
    SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_SMALLICON; // 0x711
constexpr UINT kQueryLarge = kQuerySmall & ~static_cast<UINT>(SHGFI_SMALLICON);                  // 0x710
static_assert(kQuerySmall == 0x711 && kQueryLarge == 0x710);

constexpr const wchar_t* kShellModule = L"shell32.dll";
// Named by resource id (a negative index): the generic file icon is resource 1 and the closed
// folder resource 4. On Windows these are also the icons at positions 0 and 3, but other
// implementations of the shell order their icons differently (Wine's position 3 is a page).
constexpr int kGenericFileIcon = -1;
constexpr int kClosedFolderIcon = -4;

// An icon handle that is destroyed with the object.
class OwnedIcon {
public:
    explicit OwnedIcon(HICON icon = nullptr) : icon_(icon) {}
    ~OwnedIcon() {
        if (icon_) {
            DestroyIcon(icon_);
        }
    }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    [[nodiscard]] HICON Get() const { return icon_; }

private:
    HICON icon_;
};

HIMAGELIST CreateImages(int size) {
    HIMAGELIST images = ImageList_Create(size, size, kImageListFlags, kInitialImages, kGrowImages);
    if (images) {
        ImageList_SetBkColor(images, kBackground);
    }
    return images;
}

// Puts the icon at an entry of the list (the list keeps a copy); entries before it that have no
// image yet are blank. Should the icon be missing or the list refuse it, a blank image takes its
// place: an entry's index must be the same in both lists and the keys.
void PlaceIcon(HIMAGELIST images, int index, HICON icon) {
    if (!images) {
        return;
    }
    const int count = ImageList_GetImageCount(images);
    if (count < index) {
        ImageList_SetImageCount(images, static_cast<UINT>(index));
    }
    if (index < count) {
        if (icon) {
            ImageList_ReplaceIcon(images, index, icon); // else the blank image stays
        }
        return;
    }
    if (icon && ImageList_AddIcon(images, icon) >= 0) {
        return;
    }
    ImageList_SetImageCount(images, static_cast<UINT>(index + 1));
}

// What the shell loads for its first answer, paid on the calling thread: COM as the shell wants
// it there, then the small icon of a type every system knows.
void WarmShell() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHFILEINFOW info{};
    if (SHGetFileInfoW(L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, kQuerySmall) && info.hIcon) {
        DestroyIcon(info.hIcon);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
}

HICON QueryTypeIcon(const std::wstring& name, UINT flags) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags)) {
        return nullptr;
    }
    return info.hIcon;
}

} // namespace

CShellIconCache* theIconCache = nullptr;

CShellIconCache::CShellIconCache() : windowThread_(GetCurrentThreadId()) {}

CShellIconCache::~CShellIconCache() {
    if (warmer_.joinable()) {
        warmer_.join();
    }
    if (theIconCache == this) {
        theIconCache = nullptr;
    }
    DestroyImages();
}

void CShellIconCache::ResetCache() {
    keys_.ResetCache();
}

void CShellIconCache::DestroyImages() {
    if (smallImages_) {
        ImageList_Destroy(smallImages_);
        smallImages_ = nullptr;
    }
    if (largeImages_) {
        ImageList_Destroy(largeImages_);
        largeImages_ = nullptr;
    }
}

void CShellIconCache::ResetImages() {
    DestroyImages();
    {
        std::lock_guard lock(pendingLock_);
        pending_.clear();
        wakeAsked_ = false;
    }
    smallImages_ = CreateImages(16);
    largeImages_ = CreateImages(32);
    nextIndex_ = 0;
    for (const int icon : {kGenericFileIcon, kClosedFolderIcon}) {
        HICON large = nullptr;
        HICON small = nullptr;
        ExtractIconExW(kShellModule, icon, &large, &small, 1);
        const OwnedIcon ownedLarge(large);
        const OwnedIcon ownedSmall(small);
        PlaceIcon(smallImages_, nextIndex_, small);
        PlaceIcon(largeImages_, nextIndex_, large);
        ++nextIndex_;
    }
}

void CShellIconCache::AppendIconsFor(std::wstring_view key) {
    const int index = nextIndex_++;
    if (GetCurrentThreadId() == windowThread_) {
        // Those met before it first, so that the lists grow in order.
        AddPendingIcons();
        AddIcons(index, std::wstring(key));
        return;
    }
    bool wake = false;
    {
        std::lock_guard lock(pendingLock_);
        pending_.push_back({index, std::wstring(key)});
        wake = !wakeAsked_;
        wakeAsked_ = true;
    }
    if (wake && wake_) {
        wake_();
    }
}

void CShellIconCache::WarmUpShell(std::function<void()> warm) {
    if (warmer_.joinable()) {
        return;
    }
    warming_ = true;
    try {
        warmer_ = std::thread([this, warm = std::move(warm)] {
            try {
                warm ? warm() : WarmShell();
            } catch (...) {
                // Only the warm-up is lost: the window thread's first question pays for it.
            }
            warming_ = false;
            bool waiting = false;
            {
                std::lock_guard lock(pendingLock_);
                waiting = !pending_.empty();
            }
            if (waiting && wake_) {
                wake_();
            }
        });
    } catch (const std::system_error&) {
        warming_ = false; // no helper: the window thread's first question pays for the shell
    }
}

int CShellIconCache::AddPendingIcons(std::size_t most) {
    if (warming_) {
        return 0; // the helper wakes the window thread when it is done
    }
    std::vector<PendingIcons> batch;
    bool wakeAgain = false;
    {
        std::lock_guard lock(pendingLock_);
        if (pending_.size() <= most) {
            batch.swap(pending_);
        } else {
            const auto end = pending_.begin() + static_cast<std::ptrdiff_t>(most);
            batch.assign(std::make_move_iterator(pending_.begin()), std::make_move_iterator(end));
            pending_.erase(pending_.begin(), end);
        }
        wakeAgain = !pending_.empty();
        wakeAsked_ = wakeAgain;
    }
    for (const PendingIcons& icons : batch) {
        AddIcons(icons.index, icons.key);
    }
    if (wakeAgain && wake_) {
        wake_();
    }
    return static_cast<int>(batch.size());
}

void CShellIconCache::AddIcons(int index, const std::wstring& key) {
    // A type the shell has no icon for shows the generic file icon.
    HICON small = QueryTypeIcon(key, kQuerySmall);
    if (!small && smallImages_) {
        small = ImageList_GetIcon(smallImages_, 0, ILD_NORMAL);
    }
    const OwnedIcon ownedSmall(small);
    HICON large = QueryTypeIcon(key, kQueryLarge);
    if (!large && largeImages_) {
        large = ImageList_GetIcon(largeImages_, 0, ILD_NORMAL);
    }
    const OwnedIcon ownedLarge(large);
    PlaceIcon(smallImages_, index, small);
    PlaceIcon(largeImages_, index, large);
}

} // namespace vk
