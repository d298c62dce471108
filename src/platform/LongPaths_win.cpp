#include "platform/LongPaths.h"

#include "platform/FileSystem.h"

#include <windows.h>

#include <algorithm>

namespace vk {
namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

// The path without the long-form prefix, as the shell and the user see it.
std::wstring WithoutLongPrefix(const std::wstring& path) {
    if (path.starts_with(kLongUncPrefix)) {
        return L"\\\\" + path.substr(kLongUncPrefix.size());
    }
    if (path.starts_with(kLongPrefix)) {
        return path.substr(kLongPrefix.size());
    }
    return path;
}

} // namespace

std::optional<std::wstring> LongFormPath(const std::wstring& path) {
    if (path.starts_with(kLongPrefix)) {
        return path;
    }
    std::wstring prefixed;
    if (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) {
        prefixed = std::wstring(kLongPrefix) + path;
    } else if (path.starts_with(L"\\\\") || path.starts_with(L"//")) {
        prefixed = std::wstring(kLongUncPrefix) + path.substr(2);
    } else {
        return std::nullopt;
    }
    std::replace(prefixed.begin(), prefixed.end(), L'/', L'\\');
    return prefixed;
}

std::optional<std::wstring> ShellablePath(const std::wstring& path) {
    if (path.size() <= kMaxPathLength) {
        return path;
    }
    const auto longForm = LongFormPath(path);
    if (!longForm) {
        return std::nullopt;
    }
    std::wstring shortForm(longForm->size() + 1, L'\0');
    const DWORD length = GetShortPathNameW(longForm->c_str(), shortForm.data(), static_cast<DWORD>(shortForm.size()));
    if (length == 0 || length >= shortForm.size()) {
        return std::nullopt;
    }
    shortForm.resize(length);
    std::wstring shellable = WithoutLongPrefix(shortForm);
    if (shellable.size() > kMaxPathLength) {
        return std::nullopt;
    }
    return shellable;
}

} // namespace vk
