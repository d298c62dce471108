#include "platform/FolderNetwork.h"

#include "platform/Utf8.h"
#include "platform/WildcardName.h"

#include <algorithm>
#include <string>
#include <thread>
#include <utility>

namespace vk {
namespace {

constexpr std::wstring_view kFaultsFileName = L"network-faults.txt";
constexpr std::uint64_t kMaxFaultsFileSize = 1U << 20;

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v';
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::wstring_view TrimTrailingBackslashes(std::wstring_view text) {
    while (!text.empty() && text.back() == L'\\') {
        text.remove_suffix(1);
    }
    return text;
}

std::wstring_view TrimLeadingBackslashes(std::wstring_view text) {
    while (!text.empty() && text.front() == L'\\') {
        text.remove_prefix(1);
    }
    return text;
}

// Characters that no name on a Windows share holds. The slash and the colon matter most: in a
// native path below the root they would separate or name a stream.
bool IsValidNameChar(wchar_t c) {
    return c >= 0x20 && c != L'/' && c != L':' && c != L'*' && c != L'?' && c != L'"' && c != L'<' && c != L'>' &&
           c != L'|';
}

bool IsValidMaskChar(wchar_t c) {
    return c == L'*' || c == L'?' || IsValidNameChar(c);
}

// \\SERVER[\component...] taken apart the way Windows normalises a UNC path: empty components
// and "." dropped, ".." goes up but never above the share.
struct UncPath {
    std::wstring_view server;
    std::vector<std::wstring_view> components; // share first
    std::wstring Normalized() const {
        std::wstring text = L"\\\\";
        text += server;
        for (const auto component : components) {
            text += L'\\';
            text += component;
        }
        return text;
    }
};

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
            break;
        }
        unc.remove_prefix(end + 1);
    }
    return true;
}

std::wstring JoinNative(std::wstring_view folder, std::wstring_view name) {
    std::wstring path(folder);
    if (!path.empty() && path.back() != kNativeSeparator && path.back() != L'/') {
        path += kNativeSeparator;
    }
    path += name;
    return path;
}

std::wstring UpperCaseName(std::wstring_view name) {
    std::wstring upper(name);
    for (auto& c : upper) {
        c = ToUpperNameChar(c);
    }
    return upper;
}

// True when path is folder or lies below it; no regard to case or trailing backslashes.
bool IsSameOrBelow(std::wstring_view path, std::wstring_view folder) {
    path = TrimTrailingBackslashes(path);
    folder = TrimTrailingBackslashes(folder);
    if (folder.empty() || path.size() < folder.size() || !EqualNamesNoCase(path.substr(0, folder.size()), folder)) {
        return false;
    }
    return path.size() == folder.size() || path[folder.size()] == L'\\';
}

// The subfolders of a native folder, "." and ".." left out, sorted as listings are (whatever
// order the file system keeps them in).
bool ListFolders(FileSystem& system, const std::wstring& folder, std::vector<std::wstring>& names) {
    names.clear();
    ErrorCode error = kErrorSuccess;
    const auto listing = system.FindFirst(JoinNative(folder, L"*"), ListingDetail::kNamesOnly, error);
    if (!listing) {
        return false;
    }
    DirEntry entry;
    while (listing->Next(entry)) {
        if (entry.isDirectory && entry.name != L"." && entry.name != L"..") {
            names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return CompareNamesForListing(a, b) < 0; });
    return true;
}

bool ParseDelay(std::wstring_view text, std::chrono::microseconds& delay) {
    std::size_t i = 0;
    std::uint64_t whole = 0;
    std::uint64_t fraction = 0;
    std::uint64_t fractionScale = 1;
    bool digits = false;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        whole = whole * 10 + static_cast<std::uint64_t>(text[i] - L'0');
        digits = true;
        if (whole > 1'000'000'000) {
            return false;
        }
    }
    if (i < text.size() && text[i] == L'.') {
        for (++i; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
            if (fractionScale < 1'000'000) {
                fraction = fraction * 10 + static_cast<std::uint64_t>(text[i] - L'0');
                fractionScale *= 10;
            }
            digits = true;
        }
    }
    const std::wstring_view unit = Trim(text.substr(i));
    std::uint64_t perUnit = 0;
    if (EqualNamesNoCase(unit, L"us")) {
        perUnit = 1;
    } else if (EqualNamesNoCase(unit, L"ms")) {
        perUnit = 1000;
    } else if (EqualNamesNoCase(unit, L"s")) {
        perUnit = 1'000'000;
    }
    if (!digits || perUnit == 0) {
        return false;
    }
    delay = std::chrono::microseconds(
        static_cast<std::chrono::microseconds::rep>(whole * perUnit + fraction * perUnit / fractionScale));
    return true;
}

} // namespace

NetworkFaults ParseNetworkFaults(std::wstring_view text, std::vector<std::wstring>& errors) {
    NetworkFaults faults;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find(L'\n');
        std::wstring_view line = text.substr(0, end);
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);

        // '#' begins a comment at the start of a line or after a blank; inside a name it is
        // part of the name.
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == L'#' && (i == 0 || IsSpace(line[i - 1]))) {
                line = line.substr(0, i);
                break;
            }
        }
        line = Trim(line);
        if (line.empty()) {
            continue;
        }
        std::size_t keywordEnd = 0;
        while (keywordEnd < line.size() && !IsSpace(line[keywordEnd])) {
            ++keywordEnd;
        }
        const std::wstring_view keyword = line.substr(0, keywordEnd);
        const std::wstring_view argument = Trim(line.substr(keywordEnd));
        const std::wstring prefix = L"line " + std::to_wstring(lineNumber) + L": ";

        if (EqualNamesNoCase(keyword, L"delay")) {
            if (!ParseDelay(argument, faults.callDelay)) {
                errors.push_back(prefix + L"'delay' needs a duration such as 2ms (units us, ms, s)");
            }
            continue;
        }
        const bool deny = EqualNamesNoCase(keyword, L"deny");
        const bool lock = EqualNamesNoCase(keyword, L"lock");
        const bool unreachable = EqualNamesNoCase(keyword, L"unreachable");
        if (!deny && !lock && !unreachable) {
            errors.push_back(prefix + L"unknown rule '" + std::wstring(keyword) + L"'");
            continue;
        }
        UncPath path;
        const bool parsed = ParseUncPath(argument, path);
        if (deny && parsed) {
            faults.deniedFolders.push_back(path.Normalized());
        } else if (lock && parsed && path.components.size() >= 2) {
            faults.lockedFiles.push_back(path.Normalized());
        } else if (unreachable && parsed && path.components.empty()) {
            faults.unreachableServers.push_back(path.Normalized());
        } else if (deny) {
            errors.push_back(prefix + L"'deny' needs a UNC path such as \\\\SERVER\\share\\folder");
        } else if (lock) {
            errors.push_back(prefix + L"'lock' needs the UNC path of a file such as \\\\SERVER\\share\\file.txt");
        } else {
            errors.push_back(prefix + L"'unreachable' needs a server such as \\\\SERVER");
        }
    }
    return faults;
}

FolderNetwork::FolderNetwork(std::wstring root, FileSystem& system) : root_(std::move(root)), system_(system) {}

ErrorCode FolderNetwork::Load() {
    providers_.clear();
    servers_.clear();
    serverIndex_.clear();
    faults_ = NetworkFaults{};
    faultFileErrors_.clear();

    std::vector<std::wstring> providers;
    if (!ListFolders(system_, root_, providers)) {
        return kErrorPathNotFound;
    }
    std::vector<std::wstring> domains;
    std::vector<std::wstring> servers;
    for (const auto& provider : providers) {
        const std::wstring providerPath = JoinNative(root_, provider);
        Provider& providerEntry = providers_.emplace_back(Provider{provider, providerPath, {}});
        if (!ListFolders(system_, providerPath, domains)) {
            continue;
        }
        for (const auto& domain : domains) {
            const std::wstring domainPath = JoinNative(providerPath, domain);
            Domain& domainEntry = providerEntry.domains.emplace_back(Domain{domain, domainPath, {}});
            if (!ListFolders(system_, domainPath, servers)) {
                continue;
            }
            for (const auto& server : servers) {
                serverIndex_.try_emplace(UpperCaseName(server), servers_.size());
                domainEntry.servers.push_back(servers_.size());
                servers_.push_back(Server{server, JoinNative(domainPath, server), provider, domain});
            }
        }
    }

    ErrorCode error = kErrorSuccess;
    const auto file = system_.OpenForReading(JoinNative(root_, kFaultsFileName), error);
    if (!file) {
        if (error != kErrorFileNotFound && error != kErrorPathNotFound) {
            faultFileErrors_.push_back(std::wstring(kFaultsFileName) + L": cannot be read (error " +
                                       std::to_wstring(error) + L")");
        }
        return kErrorSuccess;
    }
    if (file->Length() > kMaxFaultsFileSize) {
        faultFileErrors_.push_back(std::wstring(kFaultsFileName) + L": too large, ignored");
        return kErrorSuccess;
    }
    std::string bytes(static_cast<std::size_t>(file->Length()), '\0');
    bytes.resize(file->Read(bytes.data(), bytes.size()));
    std::string_view text(bytes);
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    faults_ = ParseNetworkFaults(WideFromUtf8(text), faultFileErrors_);
    return kErrorSuccess;
}

const FolderNetwork::Server* FolderNetwork::FindServer(std::wstring_view name) const {
    const auto found = serverIndex_.find(UpperCaseName(TrimLeadingBackslashes(name)));
    return found == serverIndex_.end() ? nullptr : &servers_[found->second];
}

bool FolderNetwork::IsUnreachable(std::wstring_view serverName) const {
    serverName = TrimLeadingBackslashes(TrimTrailingBackslashes(serverName));
    for (const auto& server : faults_.unreachableServers) {
        if (EqualNamesNoCase(TrimLeadingBackslashes(TrimTrailingBackslashes(server)), serverName)) {
            return true;
        }
    }
    return false;
}

bool FolderNetwork::IsDenied(std::wstring_view uncFolder) const {
    for (const auto& denied : faults_.deniedFolders) {
        if (IsSameOrBelow(uncFolder, denied)) {
            return true;
        }
    }
    return false;
}

bool FolderNetwork::IsLocked(std::wstring_view uncFile) const {
    uncFile = TrimTrailingBackslashes(uncFile);
    for (const auto& locked : faults_.lockedFiles) {
        if (EqualNamesNoCase(TrimTrailingBackslashes(locked), uncFile)) {
            return true;
        }
    }
    return false;
}

void FolderNetwork::SimulateCallDelay() const {
    if (faults_.callDelay.count() > 0) {
        std::this_thread::sleep_for(faults_.callDelay);
    }
}

ErrorCode FolderNetwork::ListShares(const Server& server, std::vector<std::wstring>& names) const {
    return ListFolders(system_, server.nativePath, names) ? kErrorSuccess : kErrorBadNetPath;
}

bool FolderNetwork::FolderExists(const std::wstring& nativePath) const {
    ErrorCode error = kErrorSuccess;
    const auto listing = system_.FindFirst(JoinNative(nativePath, L"*"), ListingDetail::kNamesOnly, error);
    // An empty folder may list nothing at all where the system leaves out "." and "..".
    return listing != nullptr || error == kErrorFileNotFound;
}

namespace {

// The native path of a parsed UNC path, or the network's error for its server.
std::optional<std::wstring> MapParsed(const FolderNetwork& network, const UncPath& path, ErrorCode& error) {
    const auto* server = network.FindServer(path.server);
    if (server == nullptr || network.IsUnreachable(path.server)) {
        error = kErrorBadNetPath;
        return std::nullopt;
    }
    std::wstring native = server->nativePath;
    for (const auto component : path.components) {
        native += kNativeSeparator;
        native += component;
    }
    error = kErrorSuccess;
    return native;
}

// A path that was not found may lie in a share that does not exist, which a network reports
// as a bad network name.
ErrorCode RefineNotFound(const FolderNetwork& network, const UncPath& path, ErrorCode error) {
    if ((error != kErrorPathNotFound && error != kErrorFileNotFound) || path.components.empty()) {
        return error;
    }
    const auto* server = network.FindServer(path.server);
    ErrorCode shareError = kErrorSuccess;
    const auto share = network.System().FindFirst(JoinNative(server->nativePath, path.components.front()),
                                                  ListingDetail::kNamesOnly, shareError);
    DirEntry entry;
    return share && share->Next(entry) && entry.isDirectory ? error : kErrorBadNetName;
}

} // namespace

std::optional<std::wstring> FolderNetwork::MapUncPath(std::wstring_view unc, ErrorCode& error) const {
    UncPath path;
    if (!ParseUncPath(unc, path)) {
        error = kErrorInvalidName;
        return std::nullopt;
    }
    return MapParsed(*this, path, error);
}

std::unique_ptr<DirectoryListing> FolderNetworkFileSystem::FindFirst(const std::wstring& pattern, ListingDetail detail,
                                                                     ErrorCode& error) {
    if (pattern.size() > kMaxPathLength) {
        error = kErrorFilenameTooLong;
        return nullptr;
    }
    const std::size_t split = pattern.rfind(L'\\');
    UncPath path;
    if (split == std::wstring::npos || !ParseUncPath(std::wstring_view(pattern).substr(0, split), path)) {
        error = kErrorInvalidName;
        return nullptr;
    }
    const std::wstring_view mask = std::wstring_view(pattern).substr(split + 1);
    for (const wchar_t c : mask) {
        if (!IsValidMaskChar(c)) {
            error = kErrorInvalidName;
            return nullptr;
        }
    }
    network_.SimulateCallDelay();
    const auto native = MapParsed(network_, path, error);
    if (!native) {
        return nullptr;
    }
    if (network_.IsDenied(path.Normalized())) {
        error = kErrorAccessDenied;
        return nullptr;
    }
    if (mask.empty()) {
        error = kErrorFileNotFound;
        return nullptr;
    }
    auto listing = network_.System().FindFirst(JoinNative(*native, mask), detail, error);
    if (!listing && error == kErrorPathNotFound) {
        error = RefineNotFound(network_, path, error);
    }
    return listing;
}

std::unique_ptr<ReadableFile> FolderNetworkFileSystem::OpenForReading(const std::wstring& path, ErrorCode& error) {
    if (path.size() > kMaxPathLength) {
        error = kErrorFilenameTooLong;
        return nullptr;
    }
    UncPath parsed;
    if (!ParseUncPath(path, parsed)) {
        error = kErrorInvalidName;
        return nullptr;
    }
    network_.SimulateCallDelay();
    const auto native = MapParsed(network_, parsed, error);
    if (!native) {
        return nullptr;
    }
    const std::wstring normalized = parsed.Normalized();
    if (network_.IsDenied(normalized)) {
        error = kErrorAccessDenied;
        return nullptr;
    }
    if (network_.IsLocked(normalized)) {
        error = kErrorSharingViolation;
        return nullptr;
    }
    auto file = network_.System().OpenForReading(*native, error);
    if (!file) {
        error = RefineNotFound(network_, parsed, error);
    }
    return file;
}

} // namespace vk
