#include "vkfind/ServersFile.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vk {

ParsedServerList ParseServersFile(std::string_view text) {
    ParsedServerList parsed;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3); // a byte order mark
    }
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(text.size(), end + 1));
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || line[first] == '#') {
            continue;
        }
        // A line is one entry: its spaces belong to it (a share's name may hold them).
        line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
        const std::wstring entry = WideFromUtf8(line);
        const ParsedServerList one = ParseServerList(entry);
        if (one.entries.size() == 1 && one.rejected.empty()) {
            MergeServerEntries(parsed.entries, one.entries);
        } else {
            parsed.rejected.push_back(entry);
        }
    }
    return parsed;
}

std::optional<std::wstring> ReadServersFile(const std::wstring& path, std::vector<std::wstring>& entries) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) {
        return L"cannot read the servers file " + path;
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return L"cannot read the servers file " + path;
    }
    ParsedServerList parsed = ParseServersFile(text);
    if (!parsed.rejected.empty()) {
        return L"not a server name or UNC path in " + path + L": " + parsed.rejected.front();
    }
    entries = std::move(parsed.entries);
    return std::nullopt;
}

} // namespace vk
