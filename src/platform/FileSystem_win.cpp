#include "platform/FileSystem.h"

#include "platform/LongPaths.h"
#include "platform/ReparsePoints_win.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace vk {
namespace {

constexpr std::size_t kClassicLimit = MAX_PATH - 1;

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    [[nodiscard]] HANDLE Get() const { return handle_; }
    [[nodiscard]] HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

class WinListing final : public DirectoryListing {
public:
    WinListing(HANDLE find, const WIN32_FIND_DATAW& first) : find_(find), data_(first) {}
    WinListing(const WinListing&) = delete;
    WinListing& operator=(const WinListing&) = delete;
    ~WinListing() override { FindClose(find_); }

    bool Next(DirEntry& entry) override {
        if (!pending_ && !FindNextFileW(find_, &data_)) {
            return false;
        }
        pending_ = false;
        entry.name.assign(data_.cFileName);
        entry.isDirectory = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isLink = IsLinkEntry(data_);
        entry.size = (static_cast<std::uint64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
        entry.modified =
            static_cast<std::int64_t>((static_cast<std::uint64_t>(data_.ftLastWriteTime.dwHighDateTime) << 32) |
                                      data_.ftLastWriteTime.dwLowDateTime);
        entry.contentOffline = IsContentOfflineEntry(data_);
        return true;
    }

private:
    HANDLE find_;
    WIN32_FIND_DATAW data_;
    bool pending_ = true; // the entry that FindFirstFileExW returned
};

class WinFile final : public ReadableFile {
public:
    WinFile(HANDLE file, std::uint64_t length) : file_(file), length_(length) {}

    std::uint64_t Length() const override { return length_; }

    std::size_t Read(void* buffer, std::size_t count) override {
        auto* bytes = static_cast<char*>(buffer);
        std::size_t done = 0;
        while (done < count) {
            const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(count - done, 1U << 30));
            DWORD got = 0;
            if (!ReadFile(file_.Get(), bytes + done, wanted, &got, nullptr) || got == 0) {
                break;
            }
            done += got;
        }
        return done;
    }

private:
    UniqueHandle file_;
    std::uint64_t length_;
};

class WinFileSystem final : public FileSystem {
public:
    explicit WinFileSystem(std::size_t maxPathLength) : maxPathLength_(maxPathLength) {}

    std::unique_ptr<DirectoryListing> FindFirst(const std::wstring& pattern, ListingDetail /*detail*/,
                                                ErrorCode& error) override {
        const auto path = SystemPath(pattern, error);
        if (!path) {
            return nullptr;
        }
        WIN32_FIND_DATAW data{};
        HANDLE find = FindFirstFileExW(path->c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
            find = FindFirstFileW(path->c_str(), &data); // systems before Windows 7
        }
        if (find == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            return nullptr;
        }
        error = kErrorSuccess;
        return std::make_unique<WinListing>(find, data);
    }

    std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path, ErrorCode& error) override {
        const auto systemPath = SystemPath(path, error);
        if (!systemPath) {
            return nullptr;
        }
        UniqueHandle file(CreateFileW(systemPath->c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (file.Get() == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            return nullptr;
        }
        LARGE_INTEGER length{};
        if (!GetFileSizeEx(file.Get(), &length)) {
            error = GetLastError();
            return nullptr;
        }
        error = kErrorSuccess;
        return std::make_unique<WinFile>(file.Release(), static_cast<std::uint64_t>(length.QuadPart));
    }

private:
    // The path as the system takes it: refused over the limit, and with the long-path prefix
    // when the limit allows more than the classic 259 characters and the path needs it.
    std::optional<std::wstring> SystemPath(const std::wstring& path, ErrorCode& error) const {
        if (path.size() > maxPathLength_) {
            error = kErrorFilenameTooLong;
            return std::nullopt;
        }
        if (path.find(L'\0') != std::wstring::npos) {
            error = kErrorInvalidName;
            return std::nullopt;
        }
        if (path.size() <= kClassicLimit) {
            return path;
        }
        auto prefixed = LongFormPath(path);
        if (!prefixed) {
            error = kErrorFilenameTooLong; // a relative path cannot take the prefix
        }
        return prefixed;
    }

    std::size_t maxPathLength_;
};

} // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
    return MakeSystemFileSystem(kMaxLongPathLength);
}

std::unique_ptr<FileSystem> MakeSystemFileSystem(std::size_t maxPathLength) {
    return std::make_unique<WinFileSystem>(maxPathLength);
}

} // namespace vk
