#include "results/IconKeyTable.h"

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

std::wstring IconKeyForFile(std::wstring_view name) {
    const std::size_t dot = name.rfind(L'.');
    return LowerAsciiLetters(dot == std::wstring_view::npos ? name : name.substr(dot));
}

void IconKeyTable::ResetCache() {
    std::lock_guard lock(cacheLock_);
    images_.ResetImages();
    keys_ = {L"*", L"."};
}

int IconKeyTable::IndexOfKey(std::wstring_view key) {
    const std::wstring lowered = LowerAsciiLetters(key);
    std::lock_guard lock(cacheLock_);
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] == lowered) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int IconKeyTable::IconIndexForFile(std::wstring_view name) {
    std::lock_guard lookup(lookupLock_);
    const std::wstring key = IconKeyForFile(name);
    const int index = IndexOfKey(key);
    return index >= 0 ? index : AddKey(key);
}

int IconKeyTable::AddKey(std::wstring_view key) {
    std::lock_guard lock(cacheLock_);
    images_.AppendIconsFor(key);
    keys_.emplace_back(key);
    return static_cast<int>(keys_.size() - 1);
}

std::size_t IconKeyTable::KeyCount() const {
    std::lock_guard lock(cacheLock_);
    return keys_.size();
}

} // namespace vk
