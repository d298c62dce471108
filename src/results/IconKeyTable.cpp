#include "results/IconKeyTable.h"

#include <array>

namespace vk {

std::wstring LowerAsciiLetters(std::wstring_view text) {
    std::wstring lowered(text);
    for (auto& c : lowered) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return lowered;
}

namespace {

std::wstring_view KeyPartOf(std::wstring_view name) {
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos ? name : name.substr(dot);
}

// A key lowered into a buffer on the stack when it is short (as extensions are), so that the
// look-up of a hit allocates nothing.
class LoweredKey {
public:
    explicit LoweredKey(std::wstring_view key) {
        if (key.size() <= buffer_.size()) {
            for (std::size_t i = 0; i < key.size(); ++i) {
                const wchar_t c = key[i];
                buffer_[i] = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
            }
            view_ = std::wstring_view(buffer_.data(), key.size());
        } else {
            long_ = LowerAsciiLetters(key);
            view_ = long_;
        }
    }
    LoweredKey(const LoweredKey&) = delete;
    LoweredKey& operator=(const LoweredKey&) = delete;
    [[nodiscard]] std::wstring_view View() const { return view_; }

private:
    std::array<wchar_t, 32> buffer_{};
    std::wstring long_;
    std::wstring_view view_;
};

} // namespace

void IconKeyTable::ResetCache() {
    std::lock_guard lock(cacheLock_);
    images_.ResetImages();
    keys_ = {L"*", L"."};
    indexOfKey_ = {{L"*", 0}, {L".", 1}};
}

int IconKeyTable::FindLowered(std::wstring_view lowered) const {
    const auto found = indexOfKey_.find(lowered);
    return found == indexOfKey_.end() ? -1 : found->second;
}

int IconKeyTable::IndexOfKey(std::wstring_view key) {
    const LoweredKey lowered(key);
    std::lock_guard lock(cacheLock_);
    return FindLowered(lowered.View());
}

int IconKeyTable::IconIndexForFile(std::wstring_view name) {
    const LoweredKey key(KeyPartOf(name));
    std::lock_guard lookup(lookupLock_);
    const int index = IndexOfKey(key.View());
    return index >= 0 ? index : AddKey(key.View());
}

int IconKeyTable::AddKey(std::wstring_view key) {
    std::lock_guard lock(cacheLock_);
    images_.AppendIconsFor(key);
    keys_.emplace_back(key);
    indexOfKey_.emplace(keys_.back(), static_cast<int>(keys_.size() - 1));
    return static_cast<int>(keys_.size() - 1);
}

std::size_t IconKeyTable::KeyCount() const {
    std::lock_guard lock(cacheLock_);
    return keys_.size();
}

} // namespace vk
