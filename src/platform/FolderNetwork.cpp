#include "platform/FolderNetwork.h"

#include "platform/Blanks.h"
#include "platform/NetworkServices.h"
#include "platform/UncPath.h"
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
    const std::wstring_view unit = TrimBlanks(text.substr(i));
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

// The share type a rule's keyword marks a share with.
std::optional<std::uint32_t> ShareTypeOfRule(std::wstring_view keyword) {
    if (EqualNamesNoCase(keyword, L"printer")) {
        return kShareTypePrintQueue;
    }
    if (EqualNamesNoCase(keyword, L"ipc")) {
        return kShareTypeIpc;
    }
    if (EqualNamesNoCase(keyword, L"device")) {
        return kShareTypeDevice;
    }
    return std::nullopt;
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
            if (line[i] == L'#' && (i == 0 || IsBlank(line[i - 1]))) {
                line = line.substr(0, i);
                break;
            }
        }
        line = TrimBlanks(line);
        if (line.empty()) {
            continue;
        }
        std::size_t keywordEnd = 0;
        while (keywordEnd < line.size() && !IsBlank(line[keywordEnd])) {
            ++keywordEnd;
        }
        const std::wstring_view keyword = line.substr(0, keywordEnd);
        const std::wstring_view argument = TrimBlanks(line.substr(keywordEnd));
        const std::wstring prefix = L"line " + std::to_wstring(lineNumber) + L": ";

        if (EqualNamesNoCase(keyword, L"delay")) {
            std::chrono::microseconds delay{0};
            if (!ParseDelay(argument, delay)) {
                errors.push_back(prefix + L"'delay' needs a duration such as 2ms (units us, ms, s)");
            } else if (delay > kMaxCallDelay) {
                errors.push_back(prefix + L"'delay' may be at most " + std::to_wstring(kMaxCallDelay.count()) +
                                 L"s, ignored");
            } else {
                faults.callDelay = delay;
            }
            continue;
        }
        if (EqualNamesNoCase(keyword, L"nobrowse")) {
            if (argument.empty()) {
                errors.push_back(prefix + L"'nobrowse' needs a provider's name");
            } else {
                faults.unbrowsedProviders.emplace_back(argument);
            }
            continue;
        }
        if (const auto type = ShareTypeOfRule(keyword)) {
            UncPath path;
            if (ParseUncPath(argument, path) && path.components.size() == 1) {
                faults.shareTypes.emplace_back(path.Normalized(), *type);
            } else {
                errors.push_back(prefix + L"'" + std::wstring(keyword) + L"' needs a share such as \\\\SERVER\\share");
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
            faultFileErrors_.push_back(L"cannot be read (error " + std::to_wstring(error) + L")");
        }
        return kErrorSuccess;
    }
    if (file->Length() > kMaxFaultsFileSize) {
        faultFileErrors_.push_back(L"too large, ignored");
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

std::uint32_t FolderNetwork::ShareType(std::wstring_view serverName, std::wstring_view share) const {
    const std::wstring path = L"\\\\" + std::wstring(TrimLeadingBackslashes(serverName)) + L"\\" + std::wstring(share);
    for (const auto& [marked, type] : faults_.shareTypes) {
        if (EqualNamesNoCase(marked, path)) {
            return type;
        }
    }
    return IsHiddenShare(share) ? kShareTypeDiskTree | kShareTypeSpecial : kShareTypeDiskTree;
}

bool FolderNetwork::IsUnbrowsed(std::wstring_view provider) const {
    return std::any_of(faults_.unbrowsedProviders.begin(), faults_.unbrowsedProviders.end(),
                       [&](const std::wstring& name) { return EqualNamesNoCase(name, provider); });
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

// The on-disk name in a native folder that equals name without regard to case: name itself when
// it is there, else the first in listing order.
std::optional<std::wstring> FindNameNoCase(FileSystem& system, const std::wstring& folder, std::wstring_view name) {
    ErrorCode error = kErrorSuccess;
    const auto listing = system.FindFirst(JoinNative(folder, L"*"), ListingDetail::kNamesOnly, error);
    std::optional<std::wstring> found;
    DirEntry entry;
    while (listing && listing->Next(entry)) {
        if (entry.name == name) {
            return entry.name;
        }
        if (!found && EqualNamesNoCase(entry.name, name)) {
            found = entry.name;
        }
    }
    return found;
}

} // namespace

std::optional<std::wstring>
FolderNetwork::ResolveNames(const Server& server, const std::vector<std::wstring_view>& names, Lookup lookup) const {
    constexpr std::size_t kMaxRemembered = 4096;
    std::wstring native = server.nativePath;
    std::wstring key = UpperCaseName(server.name);
    std::unique_lock lock(resolvedLock_);
    if (lookup == Lookup::kAfresh) {
        resolvedNames_.clear();
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        key += L'\\';
        key += UpperCaseName(names[i]);
        if (const auto known = resolvedNames_.find(key); known != resolvedNames_.end()) {
            native = known->second;
            continue;
        }
        if (lookup == Lookup::kKnownFolders) {
            for (; i < names.size(); ++i) {
                native = JoinNative(native, names[i]);
            }
            return native;
        }
        lock.unlock(); // no lock held while listing
        const auto found = FindNameNoCase(system_, native, names[i]);
        lock.lock();
        if (!found) {
            return std::nullopt;
        }
        native = JoinNative(native, *found);
        if (resolvedNames_.size() >= kMaxRemembered) {
            resolvedNames_.clear();
        }
        resolvedNames_.emplace(key, native);
    }
    return native;
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

namespace {

// Whether the system file system below matches masks by the rules of WildcardName.h. Ours on
// POSIX does; Windows' listings apply 8.3 short names too, and Wine's differ in '*.' and '?'.
#ifdef _WIN32
constexpr bool kSystemMatchesMasks = false;
#else
constexpr bool kSystemMatchesMasks = true;
#endif

// A listing of the system's, with only the entries that match a mask.
class MatchingListing final : public DirectoryListing {
public:
    bool Next(DirEntry& entry) override {
        if (next_ >= entries_.size()) {
            return false;
        }
        entry = entries_[next_++];
        return true;
    }
    // Null (and kErrorFileNotFound) when nothing matches.
    static std::unique_ptr<DirectoryListing> Make(DirectoryListing& all, std::wstring_view mask, ErrorCode& error) {
        auto matching = std::make_unique<MatchingListing>();
        const FileMask fileMask(mask);
        DirEntry entry;
        while (all.Next(entry)) {
            if (fileMask.Matches(entry.name)) {
                matching->entries_.push_back(entry);
            }
        }
        if (matching->entries_.empty()) {
            error = kErrorFileNotFound;
            return nullptr;
        }
        return matching;
    }

private:
    std::vector<DirEntry> entries_;
    std::size_t next_ = 0;
};

std::unique_ptr<DirectoryListing> ListNative(FileSystem& system, const std::wstring& folder, std::wstring_view mask,
                                             ListingDetail detail, ErrorCode& error) {
    if (kSystemMatchesMasks) {
        return system.FindFirst(JoinNative(folder, mask), detail, error);
    }
    auto all = system.FindFirst(JoinNative(folder, L"*"), detail, error);
    return all ? MatchingListing::Make(*all, mask, error) : nullptr;
}

// What an operation reports when its path is not there as spelt: a listing whose folder is
// missing, or an open whose file or folder is missing. (A listing that finds no entry matching its
// mask is no such case: its folder is there.)
enum class Missing { kFolder, kFolderOrFile };

bool IsMissing(ErrorCode error, Missing missing) {
    return error == kErrorPathNotFound || (missing == Missing::kFolderOrFile && error == kErrorFileNotFound);
}

// Carries out an operation on the native path of a UNC path. When the path is not there as
// spelt, its names are matched on disk without regard to case and the operation is tried again:
// below the folders found before (so a walk below a folder spelt in another case lists nothing
// extra), then looking the names up, then afresh. The path as spelt costs no lookup.
template <typename Result, typename Operation>
Result OnNativePath(const FolderNetwork& network, const UncPath& path, const std::wstring& native, Missing missing,
                    ErrorCode& error, Operation operation) {
    Result result = operation(native, error);
    if (result || !IsMissing(error, missing) || path.components.empty()) {
        return result;
    }
    const auto* server = network.FindServer(path.server);
    std::vector<std::wstring> tried = {native};
    using Lookup = FolderNetwork::Lookup;
    for (const Lookup lookup : {Lookup::kKnownFolders, Lookup::kListFolders, Lookup::kAfresh}) {
        auto resolved = network.ResolveNames(*server, path.components, lookup);
        if (!resolved || std::find(tried.begin(), tried.end(), *resolved) != tried.end()) {
            continue;
        }
        result = operation(*resolved, error);
        if (result || !IsMissing(error, missing)) {
            return result;
        }
        tried.push_back(std::move(*resolved));
    }
    error = RefineNotFound(network, path, error);
    return result;
}

// The first steps of a listing of dir\mask (length: the pattern's): the length check, the parse
// (into path), the call's delay, the mapping to the native path and the denied check. The
// native path as spelt, or nothing with the error of the step that failed.
std::optional<std::wstring> ReachFolder(const FolderNetwork& network, std::wstring_view dir, std::wstring_view mask,
                                        std::size_t length, UncPath& path, ErrorCode& error) {
    if (length > kMaxLongPathLength) {
        error = kErrorFilenameTooLong;
        return std::nullopt;
    }
    if (!ParseUncPath(dir, path) || !std::all_of(mask.begin(), mask.end(), IsValidMaskChar)) {
        error = kErrorInvalidName;
        return std::nullopt;
    }
    network.SimulateCallDelay();
    auto native = MapParsed(network, path, error);
    if (native && network.DeniesAnyFolder() && network.IsDenied(path.Normalized())) {
        error = kErrorAccessDenied;
        return std::nullopt;
    }
    return native;
}

} // namespace

std::unique_ptr<DirectoryListing> FolderNetworkFileSystem::FindFirst(const std::wstring& pattern, ListingDetail detail,
                                                                     ErrorCode& error) {
    // Without a backslash there is no folder, and the empty one does not parse.
    const std::size_t split = pattern.rfind(L'\\');
    const std::wstring_view whole(pattern);
    const std::wstring_view dir = split == std::wstring::npos ? std::wstring_view() : whole.substr(0, split);
    const std::wstring_view mask = split == std::wstring::npos ? std::wstring_view() : whole.substr(split + 1);
    UncPath path;
    const auto native = ReachFolder(network_, dir, mask, pattern.size(), path, error);
    if (!native) {
        return nullptr;
    }
    if (mask.empty()) {
        error = kErrorFileNotFound;
        return nullptr;
    }
    FileSystem& system = network_.System();
    return OnNativePath<std::unique_ptr<DirectoryListing>>(network_, path, *native, Missing::kFolder, error,
                                                           [&](const std::wstring& folder, ErrorCode& failure) {
                                                               return ListNative(system, folder, mask, detail, failure);
                                                           });
}

ErrorCode FolderNetworkFileSystem::CheckFolder(const std::wstring& dir) {
    // As FindFirst(dir\*) finds the folder, without listing it.
    UncPath path;
    ErrorCode error = kErrorSuccess;
    const auto native = ReachFolder(network_, dir, L"*", dir.size() + 2, path, error);
    if (!native) {
        return error;
    }
    FileSystem& system = network_.System();
    struct Check {
        bool found = false;
        explicit operator bool() const { return found; }
    };
    const Check check = OnNativePath<Check>(network_, path, *native, Missing::kFolder, error,
                                            [&](const std::wstring& folder, ErrorCode& failure) {
                                                failure = system.CheckFolder(folder);
                                                return Check{failure == kErrorSuccess};
                                            });
    return check ? kErrorSuccess : error;
}

BothPasses FolderNetworkFileSystem::ListBothPasses(const std::wstring& dir, std::wstring_view mask,
                                                   ListingDetail detail) {
    return ListBothFrom(nullptr, dir, mask, detail);
}

BothPasses FolderNetworkFileSystem::ListSubfolderBothPasses(const OpenFolder* parent, const std::wstring& dir,
                                                            std::wstring_view mask, ListingDetail detail) {
    return ListBothFrom(parent, dir, mask, detail);
}

BothPasses FolderNetworkFileSystem::ListBothFrom(const OpenFolder* parent, const std::wstring& dir,
                                                 std::wstring_view mask, ListingDetail detail) {
    UncPath path;
    const bool maskIsValid = std::all_of(mask.begin(), mask.end(), IsValidMaskChar);
    if (!ReadsBothPassesAtOnce() || !maskIsValid || mask.empty() || dir.size() + 1 + mask.size() > kMaxLongPathLength ||
        !ParseUncPath(dir, path)) {
        return FileSystem::ListBothPasses(dir, mask, detail);
    }
    BothPasses passes;
    network_.SimulateCallDelay();
    ErrorCode error = kErrorSuccess;
    const auto native = MapParsed(network_, path, error);
    if (native && network_.DeniesAnyFolder() && network_.IsDenied(path.Normalized())) {
        error = kErrorAccessDenied;
    }
    if (!native || error != kErrorSuccess) {
        passes.matchingError = passes.everyError = error;
        return passes;
    }
    // The folder is looked up as a listing of every entry would look it up. The parent kept open
    // (the system's own) serves the path as spelt; the names looked up again are listed by path.
    FileSystem& system = network_.System();
    struct Read {
        BothPasses passes;
        explicit operator bool() const { return passes.every != nullptr; }
    };
    Read read = OnNativePath<Read>(
        network_, path, *native, Missing::kFolder, error, [&](const std::wstring& folder, ErrorCode& failure) {
            Read attempt{system.ListSubfolderBothPasses(std::exchange(parent, nullptr), folder, mask, detail)};
            failure = attempt.passes.everyError;
            return attempt;
        });
    if (!read) {
        read.passes.matchingError = read.passes.everyError = error;
    }
    return std::move(read.passes);
}

std::unique_ptr<ReadableFile> FolderNetworkFileSystem::OpenForReading(const std::wstring& path, ErrorCode& error) {
    if (path.size() > kMaxLongPathLength) {
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
    FileSystem& system = network_.System();
    return OnNativePath<std::unique_ptr<ReadableFile>>(
        network_, parsed, *native, Missing::kFolderOrFile, error,
        [&](const std::wstring& file, ErrorCode& failure) { return system.OpenForReading(file, failure); });
}

} // namespace vk
