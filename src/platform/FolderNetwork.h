#pragma once
// A folder that stands in for a Windows network, for tests, benchmarks and demonstrations:
//
//   ROOT/<provider>/<domain>/<server>/<share>/<folders and files...>
//
// Providers and domains are containers, servers are reported as \\<server>, a server's
// sub-folders are its shares (hidden ones end in '$'). \\SERVER\share\rest resolves to
// ROOT/.../<server>/<share>/rest for every file operation. Every name of a path is matched
// without regard to case, as Windows matches them: the first server of a name (in provider,
// domain order) wins; below the server a name that is on disk as given wins, else the first that
// differs only in case (in listing order).
//
// The optional file ROOT/network-faults.txt makes the network misbehave the way real ones do.
// One rule a line; '#' at the start of a line or after a blank starts a comment; paths are UNC
// paths, matched without regard to case:
//
//   deny \\SERVER\share\folder     listing or opening anything in that folder (or share, or
//                                  server), at any depth, fails with "access denied", as an
//                                  inherited denial does
//   lock \\SERVER\share\file.txt   opening that file fails with a sharing violation
//   unreachable \\SERVER           the server does not answer (every path below it fails)
//   printer \\SERVER\share         the share is a printer queue (ipc: the inter-process
//   ipc \\SERVER\share             share; device: a device): listed by the server with that
//   device \\SERVER\share          type, never a folder to walk
//   nobrowse PROVIDER NAME         the provider lists no domains, as a network without the
//                                  browse service answers (its servers are still there by name)
//   delay 2ms                      each listing, open or enumeration call takes that long
//                                  (units: us, ms, s; at most kMaxCallDelay)

#include "platform/FileSystem.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vk {

// The longest delay per call a faults file may ask for: longer ones would make a search look hung.
constexpr std::chrono::seconds kMaxCallDelay{10};

struct NetworkFaults {
    std::vector<std::wstring> deniedFolders;
    std::vector<std::wstring> lockedFiles;
    std::vector<std::wstring> unreachableServers;
    std::vector<std::pair<std::wstring, std::uint32_t>> shareTypes; // \\SERVER\share, type
    std::vector<std::wstring> unbrowsedProviders;
    std::chrono::microseconds callDelay{0};
};

// Parses the text of a faults file. Lines it does not understand are reported in errors (one
// message per line, "line N: ...") and otherwise ignored.
[[nodiscard]] NetworkFaults ParseNetworkFaults(std::wstring_view text, std::vector<std::wstring>& errors);

class FolderNetwork {
public:
    struct Server {
        std::wstring name;       // as the folder is named
        std::wstring nativePath; // ROOT/provider/domain/server
        std::wstring provider;
        std::wstring domain;
    };
    struct Domain {
        std::wstring name;
        std::wstring nativePath;          // ROOT/provider/domain
        std::vector<std::size_t> servers; // indices into Servers(), in listing order
    };
    struct Provider {
        std::wstring name;
        std::wstring nativePath; // ROOT/provider
        std::vector<Domain> domains;
    };

    // root: the folder's native path. system: the file system that holds it (not owned; must
    // outlive this object).
    FolderNetwork(std::wstring root, FileSystem& system);

    // Scans providers, domains and servers and reads ROOT/network-faults.txt if present.
    // Fails with kErrorPathNotFound when root is not a folder.
    [[nodiscard]] ErrorCode Load();

    [[nodiscard]] const std::wstring& Root() const { return root_; }
    [[nodiscard]] FileSystem& System() const { return system_; }
    // Everything Load found, each level sorted as listings are (see CompareNamesForListing).
    [[nodiscard]] const std::vector<Provider>& Providers() const { return providers_; }
    [[nodiscard]] const std::vector<Server>& Servers() const { return servers_; }
    [[nodiscard]] NetworkFaults& Faults() { return faults_; }
    [[nodiscard]] const NetworkFaults& Faults() const { return faults_; }
    // Problems found in the faults file by Load.
    [[nodiscard]] const std::vector<std::wstring>& FaultFileErrors() const { return faultFileErrors_; }

    // Maps \\SERVER\share[\rest] (or \\SERVER alone) to its native path. Fails with
    // kErrorBadNetPath for an unknown or unreachable server and kErrorInvalidName for a path
    // that is not a UNC path.
    [[nodiscard]] std::optional<std::wstring> MapUncPath(std::wstring_view unc, ErrorCode& error) const;

    // Server names with or without the leading backslashes.
    [[nodiscard]] const Server* FindServer(std::wstring_view name) const;
    [[nodiscard]] bool IsUnreachable(std::wstring_view serverName) const;
    // True for a denied folder and for every path below it.
    [[nodiscard]] bool IsDenied(std::wstring_view uncFolder) const;
    // Whether any folder is denied at all (a listing then spares the question of its own path).
    [[nodiscard]] bool DeniesAnyFolder() const { return !faults_.deniedFolders.empty(); }
    [[nodiscard]] bool IsLocked(std::wstring_view uncFile) const;
    // The type of a server's share: a disk tree unless a rule says otherwise.
    [[nodiscard]] std::uint32_t ShareType(std::wstring_view serverName, std::wstring_view share) const;
    [[nodiscard]] bool IsUnbrowsed(std::wstring_view provider) const;
    // Sleeps for the configured delay per call (no-op when there is none).
    void SimulateCallDelay() const;

    // The names of a server's share folders as they are on disk now, sorted as listings are,
    // hidden ones included. Fails with kErrorBadNetPath when the server's folder is gone.
    [[nodiscard]] ErrorCode ListShares(const Server& server, std::vector<std::wstring>& names) const;
    // True while a native folder (a provider's or domain's) still exists.
    [[nodiscard]] bool FolderExists(const std::wstring& nativePath) const;

    // How ResolveNames finds the names of a path on disk.
    enum class Lookup {
        kKnownFolders, // the folders found before, the rest of the names as spelt: no listing
        kListFolders,  // the folders found before, the rest looked up by listing their folders
        kAfresh,       // every name looked up again, the folders found before forgotten
    };
    // The native path of server\names, each name matched on disk without regard to case (a name
    // that is there as spelt wins). Nothing when a name is not there. What is found is kept, so
    // that the paths below it need no further listings.
    [[nodiscard]] std::optional<std::wstring>
    ResolveNames(const Server& server, const std::vector<std::wstring_view>& names, Lookup lookup) const;

private:
    std::wstring root_;
    FileSystem& system_;
    std::vector<Provider> providers_;
    std::vector<Server> servers_;
    std::map<std::wstring, std::size_t> serverIndex_; // upper-case name -> servers_ index
    NetworkFaults faults_;
    std::vector<std::wstring> faultFileErrors_;
    // What ResolveNames found (a stale entry is looked up afresh): upper-case SERVER\names -> native path.
    mutable std::mutex resolvedLock_;
    mutable std::map<std::wstring, std::wstring> resolvedNames_;
};

// The file system of a folder network: UNC paths in (at most kMaxLongPathLength characters), the
// faults applied, the system's file system underneath. A share that does not exist gives
// kErrorBadNetName. Names are matched without regard to case, and listing masks by the rules of
// WildcardName.h on every platform.
class FolderNetworkFileSystem final : public FileSystem {
public:
    explicit FolderNetworkFileSystem(const FolderNetwork& network) : network_(network) {}

    [[nodiscard]] std::unique_ptr<DirectoryListing> FindFirst(const std::wstring& pattern, ListingDetail detail,
                                                              ErrorCode& error) override;
    // One call (one delay) for both listings of a folder where the system below reads a folder
    // once for both (POSIX); otherwise the two listings.
    [[nodiscard]] bool ReadsBothPassesAtOnce() const override { return network_.System().ReadsBothPassesAtOnce(); }
    [[nodiscard]] ErrorCode CheckFolder(const std::wstring& dir) override;
    [[nodiscard]] BothPasses ListBothPasses(const std::wstring& dir, std::wstring_view mask,
                                            ListingDetail detail) override;
    // The faults and the delay as for ListBothPasses; the folder is opened from its parent where
    // the system below kept the parent open.
    [[nodiscard]] BothPasses ListSubfolderBothPasses(const OpenFolder* parent, const std::wstring& dir,
                                                     std::wstring_view mask, ListingDetail detail) override;
    [[nodiscard]] std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path, ErrorCode& error) override;

private:
    [[nodiscard]] BothPasses ListBothFrom(const OpenFolder* parent, const std::wstring& dir, std::wstring_view mask,
                                          ListingDetail detail);

    const FolderNetwork& network_;
};

} // namespace vk
