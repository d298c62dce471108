#include "platform/Profile.h"

#include <algorithm>
#include <cwctype>

namespace vk {
namespace {

std::wstring Upper(std::wstring_view text) {
    std::wstring upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))); });
    return upper;
}

Profile* selectedProfile = nullptr;

} // namespace

MemoryProfile::Key MemoryProfile::MakeKey(std::wstring_view section, std::wstring_view key) {
    // Registry names are matched without regard to case; so are these.
    return {Upper(section), Upper(key)};
}

int MemoryProfile::GetInt(std::wstring_view section, std::wstring_view key, int defaultValue) const {
    const auto found = ints_.find(MakeKey(section, key));
    return found == ints_.end() ? defaultValue : found->second;
}

bool MemoryProfile::WriteInt(std::wstring_view section, std::wstring_view key, int value) {
    if (failing_) {
        return false;
    }
    const Key name = MakeKey(section, key);
    texts_.erase(name); // one value of a name, as in the registry
    ints_[name] = value;
    return true;
}

std::wstring MemoryProfile::GetText(std::wstring_view section, std::wstring_view key,
                                    std::wstring_view defaultValue) const {
    const auto found = texts_.find(MakeKey(section, key));
    return found == texts_.end() ? std::wstring(defaultValue) : found->second;
}

bool MemoryProfile::WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    if (failing_) {
        return false;
    }
    const Key name = MakeKey(section, key);
    ints_.erase(name);
    texts_[name] = std::wstring(value);
    return true;
}

bool MemoryProfile::Has(std::wstring_view section, std::wstring_view key) const {
    const Key name = MakeKey(section, key);
    return ints_.contains(name) || texts_.contains(name);
}

Profile& AppProfile() {
    static MemoryProfile fallback;
    return selectedProfile != nullptr ? *selectedProfile : fallback;
}

void SetAppProfile(Profile* profile) {
    selectedProfile = profile;
}

} // namespace vk
