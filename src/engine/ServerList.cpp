#include "engine/ServerList.h"

#include "platform/UncPath.h"
#include "platform/WildcardName.h"

#include <algorithm>

namespace vk {
namespace {

constexpr int kMaxEntries = 10000;

bool IsListSeparator(wchar_t c) {
    return c == L',' || c == L';' || c == L'\n' || c == L'\r';
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// \\NAME[\share...] for a name or a UNC path; empty when the text is neither. A server name holds
// no wildcard and no path separator.
std::wstring NormalizedEntry(std::wstring_view text) {
    const std::wstring_view rest = TrimTrailingBackslashes(TrimLeadingBackslashes(text));
    if (rest.empty() || rest.find(L'/') != std::wstring_view::npos) {
        return {};
    }
    const std::wstring unc = L"\\\\" + std::wstring(rest);
    UncPath path;
    if (!ParseUncPath(unc, path) || path.server.empty() || path.server == L"." || path.server == L"..") {
        return {};
    }
    for (const wchar_t c : path.server) {
        if (!IsValidNameChar(c) || c < L' ' || IsBlank(c)) {
            return {};
        }
    }
    return path.Normalized();
}

bool Contains(const std::vector<std::wstring>& list, std::wstring_view entry) {
    return std::any_of(list.begin(), list.end(),
                       [entry](const std::wstring& known) { return EqualNamesNoCase(known, entry); });
}

void AddPiece(std::wstring_view piece, ParsedServerList& parsed) {
    if (piece.empty()) {
        return;
    }
    const std::wstring entry = NormalizedEntry(piece);
    if (entry.empty()) {
        parsed.rejected.emplace_back(piece);
    } else if (!Contains(parsed.entries, entry)) {
        parsed.entries.push_back(entry);
    }
}

} // namespace

ParsedServerList ParseServerList(std::wstring_view text) {
    ParsedServerList parsed;
    while (!text.empty()) {
        const auto end =
            static_cast<std::size_t>(std::find_if(text.begin(), text.end(), IsListSeparator) - text.begin());
        std::wstring_view part = Trim(text.substr(0, end));
        text.remove_prefix(std::min(text.size(), end + 1));
        // A path below a server keeps its spaces; anything else is a list of names.
        const std::wstring_view named = TrimLeadingBackslashes(part);
        if (part.starts_with(L"\\\\") && TrimTrailingBackslashes(named).find(L'\\') != std::wstring_view::npos) {
            AddPiece(part, parsed);
            continue;
        }
        while (!part.empty()) {
            const auto blank = std::find_if(part.begin(), part.end(), IsBlank);
            const auto length = static_cast<std::size_t>(blank - part.begin());
            AddPiece(part.substr(0, length), parsed);
            part = Trim(part.substr(length));
        }
    }
    return parsed;
}

std::wstring ServerOfEntry(std::wstring_view entry) {
    const std::wstring_view name = TrimLeadingBackslashes(entry);
    return L"\\\\" + std::wstring(name.substr(0, name.find(L'\\')));
}

std::size_t MergeServerEntries(std::vector<std::wstring>& list, const std::vector<std::wstring>& entries) {
    std::size_t added = 0;
    for (const std::wstring& entry : entries) {
        if (!Contains(list, entry)) {
            list.push_back(entry);
            ++added;
        }
    }
    return added;
}

std::vector<std::wstring> LoadServerList(const Profile& profile) {
    const int count = std::clamp(profile.GetInt(kServersSection, L"Count", 0), 0, kMaxEntries);
    std::vector<std::wstring> list;
    for (int i = 1; i <= count; ++i) {
        const std::wstring stored = profile.GetText(kServersSection, L"Server" + std::to_wstring(i), L"");
        const std::wstring entry = NormalizedEntry(stored);
        if (!entry.empty() && !Contains(list, entry)) {
            list.push_back(entry);
        }
    }
    return list;
}

bool SaveServerList(Profile& profile, const std::vector<std::wstring>& list) {
    bool saved = true;
    int index = 0;
    for (const std::wstring& entry : list) {
        saved = profile.WriteText(kServersSection, L"Server" + std::to_wstring(++index), entry) && saved;
    }
    // The count last: a list cut short by a failed write never names an entry that was not written.
    return profile.WriteInt(kServersSection, L"Count", index) && saved;
}

} // namespace vk
