#pragma once
// An in-memory file system with UNC paths, for engine tests: deterministic listings (sorted, "."
// and ".." first), files with given bytes or sizes, denied folders, locked files, directory links,
// entries that vanish between their listing and their use, files whose content is offline, one read for both listings
// of a folder when asked, and a hook that runs at every listing call (to block or count workers).

#include "platform/FileSystem.h"
#include "platform/WildcardName.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vk::testing {

class FakeFileSystem final : public FileSystem {
public:
    FakeFileSystem() : root_(std::make_shared<Node>()) { root_->isDirectory = true; }

    // Creates a folder and its parents: AddDir(L"\\\\SERVER\\share\\a\\b").
    void AddDir(const std::wstring& path) { Make(path, true); }
    // Creates a file with the given bytes; size, when given, is what listings report instead.
    void AddFile(const std::wstring& path, std::string bytes = {}, std::optional<std::uint64_t> size = {}) {
        Node& node = Make(path, false);
        node.size = size ? *size : bytes.size();
        node.bytes = std::move(bytes);
    }
    // A directory link: listed as a folder with isLink set; its target is not modelled.
    void AddLink(const std::wstring& path) { Make(path, true).isLink = true; }
    void Deny(const std::wstring& folder) { denied_.insert(Upper(folder)); }
    // The entry stays in its folder's listings, but is gone when it is opened or listed itself.
    void Vanish(const std::wstring& path) { Make(path, false).vanished = true; }
    // ListBothPasses reads a folder once (one call, one hook) for both of its listings.
    bool readsBothPassesAtOnce = false;
    // A listing of names only (ListingDetail::kNamesOnly) carries no sizes, as where they cost a
    // call per entry.
    bool sizesCostACall = false;
    void Lock(const std::wstring& file) { locked_.insert(Upper(file)); }
    // Listed as a file whose content is offline (contentOffline); it can still be opened.
    void MarkContentOffline(const std::wstring& file) { Make(file, false).contentOffline = true; }

    // Runs at the start of every FindFirst with the listing's directory (not under any lock).
    std::function<void(const std::wstring& dir)> onFindFirst;
    // Runs after onFindFirst with the whole pattern (directory and mask).
    std::function<void(const std::wstring& pattern)> onFindFirstPattern;
    // Runs at every read of an open file.
    std::function<void()> onRead;
    // Runs at every open, with the path.
    std::function<void(const std::wstring& path)> onOpen;

    [[nodiscard]] std::vector<std::wstring> ListedDirectories() const {
        std::lock_guard lock(lock_);
        return listed_;
    }

    std::unique_ptr<DirectoryListing> FindFirst(const std::wstring& pattern, ListingDetail detail,
                                                ErrorCode& error) override {
        const std::size_t slash = pattern.rfind(L'\\');
        const std::wstring dir = pattern.substr(0, slash);
        Called(dir);
        if (onFindFirstPattern) {
            onFindFirstPattern(pattern);
        }
        return List(pattern, detail, error);
    }

    bool ReadsBothPassesAtOnce() const override { return readsBothPassesAtOnce; }
    BothPasses ListBothPasses(const std::wstring& dir, std::wstring_view mask, ListingDetail detail) override {
        if (!readsBothPassesAtOnce) {
            return FileSystem::ListBothPasses(dir, mask, detail);
        }
        Called(dir);
        BothPasses both;
        both.matching = List(dir + L"\\" + std::wstring(mask), detail, both.matchingError);
        both.every = List(dir + L"\\*", ListingDetail::kNamesOnly, both.everyError);
        return both;
    }

    std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path, ErrorCode& error) override {
        if (onOpen) {
            onOpen(path);
        }
        const Node* node = Find(path);
        if (!node || node->isDirectory) {
            error = kErrorFileNotFound;
            return nullptr;
        }
        if (locked_.count(Upper(path))) {
            error = kErrorSharingViolation;
            return nullptr;
        }
        return std::make_unique<File>(node->bytes, node->size, onRead);
    }

private:
    struct Node {
        std::wstring name;
        bool isDirectory = false;
        bool isLink = false;
        bool vanished = false;
        bool contentOffline = false;
        std::uint64_t size = 0;
        std::string bytes;
        std::map<std::wstring, std::shared_ptr<Node>> children; // by upper-case name
    };

    // One listing call: recorded, and the hook run.
    void Called(const std::wstring& dir) {
        {
            std::lock_guard lock(lock_);
            listed_.push_back(dir);
        }
        if (onFindFirst) {
            onFindFirst(dir);
        }
    }

    std::unique_ptr<DirectoryListing> List(const std::wstring& pattern, ListingDetail detail, ErrorCode& error) const {
        const bool sized = detail == ListingDetail::kNamesAndSizes || !sizesCostACall;
        const std::size_t slash = pattern.rfind(L'\\');
        const std::wstring dir = pattern.substr(0, slash);
        const std::wstring mask = pattern.substr(slash + 1);
        if (pattern.size() > kMaxLongPathLength) {
            error = kErrorFilenameTooLong;
            return nullptr;
        }
        const Node* node = Find(dir);
        if (!node || !node->isDirectory) {
            error = kErrorPathNotFound;
            return nullptr;
        }
        if (denied_.count(Upper(dir))) {
            error = kErrorAccessDenied;
            return nullptr;
        }
        auto listing = std::make_unique<Listing>();
        for (const auto* dot : {L".", L".."}) {
            if (MatchesFileMask(dot, mask)) {
                listing->entries.push_back({dot, true, false, false, 0});
            }
        }
        for (const auto& [key, child] : node->children) {
            if (MatchesFileMask(child->name, mask)) {
                listing->entries.push_back(
                    {child->name, child->isDirectory, child->isLink, child->contentOffline, sized ? child->size : 0});
            }
        }
        if (listing->entries.empty()) {
            error = kErrorFileNotFound;
            return nullptr;
        }
        return listing;
    }

    struct Listing final : DirectoryListing {
        std::vector<DirEntry> entries;
        std::size_t next = 0;
        bool Next(DirEntry& entry) override {
            if (next >= entries.size()) {
                return false;
            }
            entry = entries[next++];
            return true;
        }
    };

    struct File final : ReadableFile {
        File(std::string bytes, std::uint64_t length, std::function<void()> hook)
            : data(std::move(bytes)), size(length), onRead(std::move(hook)) {}
        std::uint64_t Length() const override { return size; }
        std::size_t Read(void* buffer, std::size_t count) override {
            if (onRead) {
                onRead();
            }
            const std::size_t n = std::min(count, data.size() - position);
            std::copy_n(data.data() + position, n, static_cast<char*>(buffer));
            position += n;
            return n;
        }
        std::string data;
        std::uint64_t size;
        std::function<void()> onRead;
        std::size_t position = 0;
    };

    static std::wstring Upper(std::wstring text) {
        for (auto& c : text) {
            if (c >= L'a' && c <= L'z') {
                c = static_cast<wchar_t>(c - L'a' + L'A');
            }
        }
        while (!text.empty() && text.back() == L'\\') {
            text.pop_back();
        }
        return text;
    }

    static std::vector<std::wstring> Split(const std::wstring& path) {
        std::vector<std::wstring> parts;
        std::size_t start = 0;
        while (start <= path.size()) {
            const std::size_t end = std::min(path.find(L'\\', start), path.size());
            if (end > start) {
                parts.push_back(path.substr(start, end - start));
            }
            start = end + 1;
        }
        return parts;
    }

    Node& Make(const std::wstring& path, bool isDirectory) {
        Node* node = root_.get();
        const auto parts = Split(path);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            auto& child = node->children[Upper(parts[i])];
            if (!child) {
                child = std::make_shared<Node>();
                child->name = parts[i];
                child->isDirectory = i + 1 < parts.size() || isDirectory;
            }
            node = child.get();
        }
        return *node;
    }

    const Node* Find(const std::wstring& path) const {
        const Node* node = root_.get();
        for (const auto& part : Split(path)) {
            const auto it = node->children.find(Upper(part));
            if (it == node->children.end() || it->second->vanished) {
                return nullptr;
            }
            node = it->second.get();
        }
        return node;
    }

    std::shared_ptr<Node> root_;
    std::set<std::wstring> denied_;
    std::set<std::wstring> locked_;
    mutable std::mutex lock_;
    std::vector<std::wstring> listed_;
};

} // namespace vk::testing
