#include "vkfind/Vkfind.h"

#include "engine/EngineTexts.h"
#include "engine/SearchEngine.h"
#include "platform/FolderNetwork.h"
#include "platform/Utf8.h"
#include "results/IconKeyTable.h"
#include "results/MemoryResultList.h"
#include "vkfind/CommandLine.h"

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

int UsageError(std::ostream& err, const std::wstring& message) {
    err << "vkfind: " << Utf8FromWide(message) << "\nTry 'vkfind --help' for more information.\n";
    return kExitUsage;
}

// Fills the request as the advanced search form does. Returns an error text, or nothing.
std::optional<std::wstring> FillRequest(const VkfindOptions& options, SearchRequest& request) {
    request = {};
    request.fileMask = options.fileMask;
    request.shareMask = options.shareMask;
    if (options.atLeastKb || options.atMostKb) {
        request.sizeFilterOn = true;
        request.sizeAtMost = options.atMostKb.has_value();
        request.sizeLimit = SizeLimitFromKilobyteText(options.atMostKb ? *options.atMostKb : *options.atLeastKb);
    }
    if (options.containingText && !options.containingText->empty()) {
        request.textFilterOn = true;
        request.containingText = *options.containingText;
    }
    if (request.fileMask.empty() && request.shareMask.empty() && request.sizeFilterOn) {
        request.fileMask = L"*";
    }
    if (request.fileMask.empty() && request.shareMask.empty()) {
        return std::wstring(kTextPleaseInsertMask);
    }
    return std::nullopt;
}

std::wstring WithoutTrailingBackslashes(std::wstring path) {
    while (path.size() > 2 && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

} // namespace

bool IsShareScope(const std::wstring& path) {
    if (path.size() < 5 || path[0] != L'\\' || path[1] != L'\\') {
        return false;
    }
    const std::size_t serverEnd = path.find(L'\\', 2);
    return serverEnd != std::wstring::npos && serverEnd > 2 && serverEnd + 1 < path.size() &&
           path[serverEnd + 1] != L'\\';
}

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

    std::vector<std::wstring> scopes;
    for (const auto& scope : options.scopes) {
        if (!IsShareScope(scope)) {
            return UsageError(err,
                              L"not a share or folder path: " + scope + L" (expected \\\\SERVER\\share[\\folder])");
        }
        scopes.push_back(WithoutTrailingBackslashes(scope));
    }

    SearchRequest request;
    if (const auto problem = FillRequest(options, request)) {
        return UsageError(err, *problem);
    }

    // Below a folder network's root the native paths are longer than the UNC paths they stand
    // for; the network itself holds the UNC paths to the program's limit.
    std::unique_ptr<FileSystem> system =
        MakeSystemFileSystem(options.networkRoot.empty() ? kMaxPathLength : kMaxLongPathLength);
    std::unique_ptr<FolderNetwork> network;
    std::unique_ptr<FileSystem> networkFiles;
    FileSystem* fileSystem = system.get();
    if (!options.networkRoot.empty()) {
        network = std::make_unique<FolderNetwork>(options.networkRoot, *system);
        if (network->Load() != kErrorSuccess) {
            err << "vkfind: cannot read the network folder " << Utf8FromWide(options.networkRoot) << '\n';
            return kExitNetworkUnreadable;
        }
        for (const auto& problem : network->FaultFileErrors()) {
            err << "vkfind: network-faults.txt: " << Utf8FromWide(problem) << '\n';
        }
        networkFiles = std::make_unique<FolderNetworkFileSystem>(*network);
        fileSystem = networkFiles.get();
    } else {
#ifndef _WIN32
        return UsageError(err, L"this system has no Windows network: point --network (or VARNOKLE_NETWORK) at a "
                               L"folder network");
#endif
    }

    MemoryResultList resultList;
    ConsoleStatus status(err, options.quiet);
    NoIconImages images;
    IconKeyTable icons(images);
    icons.ResetCache();
    CSearchEngine engine({fileSystem, &resultList, &status, &icons, nullptr});
    engine.Request() = request;
    engine.SetScopePaths(std::move(scopes));
    engine.ShowSearchState(true);
    engine.searchRunning = true;
    engine.StartSearch();
    engine.WaitForSearchEnd();

    for (const auto& row : resultList.Rows()) {
        out << Utf8FromWide(row.columns[0]) << '\t' << Utf8FromWide(row.columns[1]) << '\t'
            << Utf8FromWide(row.columns[2]) << '\n';
    }
    out.flush();
    return kExitSearchRan;
}

} // namespace vk
