#include "vkfind/Vkfind.h"

#include "engine/EngineTexts.h"
#include "engine/MaskPieces.h"
#include "engine/ModifiedTime.h"
#include "engine/RequestFilters.h"
#include "engine/SearchEngine.h"
#include "network/MemoryScopeTree.h"
#include "platform/NetworkEnvironment.h"
#include "platform/SystemMessages.h"
#include "platform/UncPath.h"
#include "platform/Utf8.h"
#include "results/IconKeyTable.h"
#include "results/MemoryResultList.h"
#include "vkfind/CommandLine.h"
#include "vkfind/RowWriter.h"
#include "vkfind/ScopeSelection.h"
#include "vkfind/ServersFile.h"
#include "vkfind/SmbSetup.h"

#include "VarnokleVersion.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>

namespace vk {
namespace {

// Status texts of pane 0 as lines on standard error.
class ConsoleStatus final : public IStatusBar {
public:
    ConsoleStatus(std::ostream& err, bool quiet) : err_(err), quiet_(quiet) {}
    void SetPaneText(int pane, std::wstring_view text) override {
        if (quiet_ || pane != kPaneMessage) {
            return;
        }
        std::lock_guard lock(lock_);
        err_ << Utf8FromWide(text) << '\n';
    }

private:
    std::ostream& err_;
    bool quiet_;
    std::mutex lock_;
};

// Message boxes as lines on standard error; counts them, since a shown message means the
// listing failed.
class ConsoleMessages final : public IUserMessages {
public:
    explicit ConsoleMessages(std::ostream& err) : err_(err) {}
    void ShowMessage(std::wstring_view text, std::wstring_view caption) override {
        err_ << Utf8FromWide(caption) << ": " << Utf8FromWide(text) << '\n';
        ++shown;
    }
    int shown = 0;

private:
    std::ostream& err_;
};

int UsageError(std::ostream& err, const std::wstring& message) {
    err << "vkfind: " << Utf8FromWide(message) << "\nTry 'vkfind --help' for more information.\n";
    return kExitUsage;
}

int Failure(std::ostream& err, const std::wstring& message) {
    err << "vkfind: " << Utf8FromWide(message) << '\n';
    return kExitNetworkUnreadable;
}

// The modified times, exclusions, depth and kind. Returns an error text, or nothing.
std::optional<std::wstring> FillWalkFilters(const VkfindOptions& options, SearchRequest& request) {
    const std::int64_t now = FileTimeNow();
    const std::pair<const std::optional<std::wstring>*, std::optional<std::int64_t>*> times[] = {
        {&options.modifiedAfter, &request.modifiedAfter}, {&options.modifiedBefore, &request.modifiedBefore}};
    for (const auto& [text, time] : times) {
        if (!*text) {
            continue;
        }
        *time = ParseWhen(**text, now);
        if (!*time) {
            return std::wstring(text == &options.modifiedAfter ? L"--modified-after" : L"--modified-before") +
                   L" takes YYYY-MM-DD, YYYY-MM-DDTHH:MM, YYYY-MM-DDTHH:MM:SS or a span (30m, 12h, 7d, 4w), not '" +
                   **text + L"'";
        }
    }
    for (const auto& mask : options.excludes) {
        if (auto fault = FileMaskFault(mask)) {
            return L"--exclude: " + *fault;
        }
        request.excludeMask += (request.excludeMask.empty() ? L"" : L";") + mask;
    }
    request.maxDepth = options.maxDepth;
    if (options.type) {
        request.kind = *options.type == L"f" ? SearchRequest::Kind::kFiles : SearchRequest::Kind::kFolders;
    }
    return std::nullopt;
}

// Fills the request as the advanced search form does. Returns an error text, or nothing.
std::optional<std::wstring> FillRequest(const VkfindOptions& options, SearchRequest& request) {
    request = {};
    if (auto fault = FileMaskFault(options.fileMask)) {
        return L"--mask: " + *fault;
    }
    // Separators alone are no mask, like an empty one.
    request.fileMask = SplitFileMask(options.fileMask).empty() ? std::wstring() : options.fileMask;
    request.shareMask = options.shareMask;
    if (options.atLeastKb || options.atMostKb) {
        request.sizeFilterOn = true;
        request.sizeAtMost = options.atMostKb.has_value();
        const std::wstring& text = options.atMostKb ? *options.atMostKb : *options.atLeastKb;
        const KilobyteBound bound = ReadKilobyteBound(text);
        if (!bound.wholeNumber) {
            return std::wstring(options.atMostKb ? L"--at-most" : L"--at-least") +
                   L" takes a whole number of kilobytes, not '" + text + L"'";
        }
        request.sizeLimit = bound.bytes;
    }
    if (options.containingText && !options.containingText->empty()) {
        request.textFilterOn = true;
        request.containingText = *options.containingText;
    }
    if (auto problem = FillWalkFilters(options, request)) {
        return problem;
    }
    if (request.fileMask.empty() && request.shareMask.empty() && (request.sizeFilterOn || HasWalkFilters(request))) {
        request.fileMask = L"*";
    }
    if (request.fileMask.empty() && request.shareMask.empty()) {
        return std::wstring(kTextPleaseInsertMask);
    }
    return std::nullopt;
}

// Writes the rows; a failure (a full disk, a closed pipe) is reported, never taken for success.
int PrintRows(const MemoryResultList& list, const ResultStore& store, const VkfindOptions& options, std::ostream& out,
              std::ostream& err) {
    const auto modifiedOf = [&store](std::intptr_t data) {
        return store.Modified(static_cast<std::size_t>(data)).value_or(0);
    };
    errno = 0;
    if (WriteRows(out, options.format, list, modifiedOf, options.columns)) {
        return kExitSearchRan;
    }
    const int reason = errno;
    err << "vkfind: cannot write the results";
    if (reason != 0) {
        err << ": " << std::strerror(reason);
    }
    err << '\n';
    return kExitOutputFailed;
}

// Why the server of a path gives no share list, or nothing when it gives one.
std::optional<std::wstring> ShareListRefusal(NetworkServices& network, const std::wstring& path) {
    const std::wstring server(ParseScope(path).server);
    std::vector<ShareInfo> shares;
    std::uint32_t resume = 0;
    const ErrorCode error = network.ShareEnum(server, shares, resume);
    if (error == kErrorSuccess || error == kErrorMoreData) {
        return std::nullopt;
    }
    return L"cannot list the shares of " + server + L": " + SystemErrorText(error);
}

bool IsNotFound(ErrorCode error) {
    return error == kErrorPathNotFound || error == kErrorBadNetName || error == kErrorBadNetPath ||
           error == kErrorInvalidName || error == kErrorDirectory || error == kErrorFilenameTooLong;
}

// A share or folder scope must be there to be searched: a misspelt one is a failure, not a
// search without hits. Returns the exit status for the first that is not, or nothing.
std::optional<int> CheckSharePaths(FileSystem& files, const std::vector<std::wstring>& paths, std::ostream& err) {
    for (const auto& path : paths) {
        const ErrorCode error = files.CheckFolder(path);
        if (error == kErrorSuccess) {
            continue;
        }
        if (IsNotFound(error)) {
            return Failure(err, L"not found in the network: " + path);
        }
        return Failure(err, L"cannot read " + path + L": " + SystemErrorText(error));
    }
    return std::nullopt;
}

} // namespace

int RunVkfind(const std::vector<std::wstring>& args, const std::wstring& environmentNetwork, std::ostream& out,
              std::ostream& err) {
    const ParsedCommandLine parsed = ParseCommandLine(args, environmentNetwork);
    if (!parsed.error.empty()) {
        return UsageError(err, parsed.error);
    }
    const VkfindOptions& options = parsed.options;
    if (options.help) {
        out << Utf8FromWide(UsageText());
        return kExitSearchRan;
    }
    if (options.version) {
        out << "vkfind " VK_VERSION_TEXT "\n";
        return kExitSearchRan;
    }
    const bool browsing = options.sharesOf || options.listOf;

    SearchRequest request;
    if (!browsing) {
        if (const auto problem = FillRequest(options, request)) {
            return UsageError(err, *problem);
        }
    }
    std::vector<std::wstring> sharePaths;
    std::vector<std::wstring> networkScopes;
    using Kind = ScopeText::Kind;
    for (const auto& scope : options.scopes) {
        const Kind kind = ParseScope(scope).kind;
        if (kind == Kind::kShareOrFolder) {
            sharePaths.emplace_back(TrimTrailingBackslashes(scope));
        } else if (kind == Kind::kBadUnc) {
            return UsageError(err, L"not a share, server or tree path: " + scope);
        } else {
            networkScopes.push_back(scope);
        }
    }
    if (options.sharesOf && ParseScope(*options.sharesOf).kind != Kind::kServer) {
        return UsageError(err, L"--shares takes a server, \\\\SERVER: " + *options.sharesOf);
    }
    if (options.listOf && ParseScope(*options.listOf).kind != Kind::kShareOrFolder) {
        return UsageError(err, L"--list takes a share or folder, \\\\SERVER\\share[\\folder]: " + *options.listOf);
    }

    std::vector<std::wstring> addedServers;
    if (!options.serversFile.empty()) {
        if (const auto problem = ReadServersFile(options.serversFile, addedServers)) {
            return Failure(err, *problem);
        }
    }

    NetworkEnvironment environment;
    if (options.smb) {
        const auto variables = [](const char* name) -> std::optional<std::string> {
            const char* value = std::getenv(name);
            return value ? std::optional<std::string>(value) : std::nullopt;
        };
        if (const auto failure = UseSmbNetwork(options, environment, variables)) {
            return failure->exitStatus == kExitUsage ? UsageError(err, failure->message)
                                                     : Failure(err, failure->message);
        }
    } else if (!options.networkRoot.empty()) {
        if (environment.UseFolderNetwork(options.networkRoot) != kErrorSuccess) {
            return Failure(err, L"cannot read the network folder " + options.networkRoot);
        }
        for (const auto& problem : environment.FaultFileErrors()) {
            err << "vkfind: network-faults.txt: " << Utf8FromWide(problem) << '\n';
        }
    } else {
#ifndef _WIN32
        return UsageError(err, L"this system has no Windows network: point --network (or VARNOKLE_NETWORK) at a "
                               L"folder network" +
                                   std::wstring(kSmbAvailable ? L", or search SMB servers with --smb" : L""));
#endif
    }

    MemoryResultList resultList;
    ConsoleStatus status(err, options.quiet);
    ConsoleMessages messages(err);
    NoIconImages images;
    IconKeyTable icons(images);
    icons.ResetCache();
    MemoryScopeTree tree;
    CSearchEngine engine(
        {&environment.Files(), &resultList, &status, &icons, nullptr, &environment.Network(), &messages});
    ScopeSelection selection(engine, tree);
    engine.AddedServers().SetEntries(std::move(addedServers));
    if (options.jobs >= 0) {
        engine.SetReadAheadJobs(options.jobs);
    }
    // Rows with neither size nor time need no call per hit for them.
    engine.SetShownDetail(WritesSizeOrTime(options.format, options.columns) ? ListingDetail::kNamesAndSizes
                                                                            : ListingDetail::kNamesOnly);

    if (browsing) {
        selection.ShowTopLevel();
        const std::wstring target =
            options.sharesOf ? *options.sharesOf : std::wstring(TrimTrailingBackslashes(*options.listOf));
        const TreeNode node = options.sharesOf ? selection.FindServer(target) : selection.FindShareOrFolder(target);
        if (node == kNoNode) {
            // A server that does not give its share list (a refused logon) hides every share.
            if (const auto refusal = ShareListRefusal(environment.Network(), target)) {
                return Failure(err, *refusal);
            }
            return Failure(err, L"not found in the network: " + target);
        }
        if (options.sharesOf) {
            const ErrorCode result = engine.BrowseServerShares(node, tree.Text(node));
            if (result != kErrorSuccess) {
                return Failure(err, L"cannot list the shares of " + target + L": " + SystemErrorText(result));
            }
        } else {
            engine.BrowseFolder(node);
            if (messages.shown > 0) {
                return kExitNetworkUnreadable;
            }
        }
        return PrintRows(resultList, engine.Results(), options, out, err);
    }

    // No scope: the whole network as the tree shows it at start-up. Network scopes: only the
    // nodes they name. Share and folder paths are searched as they are.
    if (options.scopes.empty() || !networkScopes.empty()) {
        selection.ShowTopLevel();
        if (!networkScopes.empty()) {
            selection.SelectNothing();
            for (const auto& scope : networkScopes) {
                if (!selection.Select(scope)) {
                    return Failure(err, L"not found in the network: " + scope);
                }
            }
        }
    }
    if (const auto failed = CheckSharePaths(environment.Files(), sharePaths, err)) {
        return *failed;
    }
    engine.Request() = request;
    engine.SetScopePaths(std::move(sharePaths));
    engine.ShowSearchState(true);
    engine.searchRunning = true;
    engine.StartSearch();
    engine.WaitForSearchEnd();
    return PrintRows(resultList, engine.Results(), options, out, err);
}

} // namespace vk
