#include "platform/UncPath.h"

namespace vk {

std::wstring UncPath::Normalized() const {
    std::wstring text = L"\\\\";
    text += server;
    for (const auto component : components) {
        text += L'\\';
        text += component;
    }
    return text;
}

bool IsValidNameChar(wchar_t c) {
    return c != L'\0' && c != L'/' && c != L':' && c != L'*' && c != L'?' && c != L'"' && c != L'<' && c != L'>' &&
           c != L'|';
}

bool IsValidMaskChar(wchar_t c) {
    return c == L'*' || c == L'?' || IsValidNameChar(c);
}

std::wstring_view TrimLeadingBackslashes(std::wstring_view text) {
    while (!text.empty() && text.front() == L'\\') {
        text.remove_prefix(1);
    }
    return text;
}

std::wstring_view TrimTrailingBackslashes(std::wstring_view text) {
    while (!text.empty() && text.back() == L'\\') {
        text.remove_suffix(1);
    }
    return text;
}

bool IsHiddenShare(std::wstring_view name) {
    return !name.empty() && name.back() == L'$';
}

bool ParseUncPath(std::wstring_view unc, UncPath& path) {
    if (unc.size() < 3 || unc[0] != L'\\' || unc[1] != L'\\' || unc[2] == L'\\') {
        return false;
    }
    unc.remove_prefix(2);
    path.components.clear();
    bool first = true;
    while (true) {
        const std::size_t end = unc.find(L'\\');
        const std::wstring_view name = unc.substr(0, end);
        for (const wchar_t c : name) {
            if (!IsValidNameChar(c)) {
                return false;
            }
        }
        if (first) {
            if (name.empty() || name == L"." || name == L"..") {
                return false;
            }
            path.server = name;
            first = false;
        } else if (name == L"..") {
            if (path.components.size() > 1) {
                path.components.pop_back();
            }
        } else if (!name.empty() && name != L".") {
            path.components.push_back(name);
        }
        if (end == std::wstring_view::npos) {
            return true;
        }
        unc.remove_prefix(end + 1);
    }
}

} // namespace vk
