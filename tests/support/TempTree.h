#pragma once
// A folder tree for tests: made under the system's temporary folder, removed with the object.
// Relative paths are UTF-8 with '/' between names on every platform; file contents are bytes.

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace vk::test {

// UTF-16LE bytes of text, optionally after a byte-order mark.
inline std::string Utf16LeBytes(std::u16string_view text, bool withBom) {
    std::string bytes;
    if (withBom) {
        bytes += "\xFF\xFE";
    }
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class TempTree {
public:
    TempTree() {
        std::error_code error;
        const auto base = std::filesystem::temp_directory_path(error);
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate = base / ("vk-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = candidate;
            }
        }
        if (path_.empty()) {
            ADD_FAILURE() << "cannot make a temporary folder under " << base.string() << ": " << error.message();
        }
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
    ~TempTree() {
        std::error_code error;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, error);
        }
    }

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
    [[nodiscard]] std::filesystem::path PathOf(std::string_view relative) const {
        const std::u8string_view utf8(reinterpret_cast<const char8_t*>(relative.data()), relative.size());
        return relative.empty() ? path_ : (path_ / std::filesystem::path(utf8)).make_preferred();
    }

    // The root's native path (no trailing separator), and that of a path below it.
    [[nodiscard]] std::wstring Root() const { return Wide(path_); }
    [[nodiscard]] std::wstring Native(std::string_view relative) const { return Wide(PathOf(relative)); }

    // Makes a folder and any missing parents.
    void MakeDir(std::string_view relative) const {
        std::error_code error;
        std::filesystem::create_directories(PathOf(relative), error);
        if (error) {
            ADD_FAILURE() << "cannot make folder " << relative << ": " << error.message();
        }
    }

    // Makes (or replaces) a file with the given bytes, and any missing parent folders.
    void MakeFile(std::string_view relative, std::string_view bytes = {}) const {
        const auto file = PathOf(relative);
        std::error_code error;
        std::filesystem::create_directories(file.parent_path(), error);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            ADD_FAILURE() << "cannot write file " << relative;
        }
    }

    // A file's bytes; empty when there is no such file.
    [[nodiscard]] std::string ReadFile(std::string_view relative) const {
        std::ifstream in(PathOf(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // A file of the given length that takes no room on disk where the system allows holes.
    void MakeSparseFile(std::string_view relative, std::uint64_t size) const {
        MakeFile(relative);
        std::error_code error;
        std::filesystem::resize_file(PathOf(relative), size, error);
        if (error) {
            ADD_FAILURE() << "cannot size file " << relative << ": " << error.message();
        }
    }

    // A symbolic link to a folder; false where the system or the user may not make one.
    [[nodiscard]] bool MakeDirLink(std::string_view relative, std::string_view target) const {
        std::error_code error;
        std::filesystem::create_directory_symlink(PathOf(target), PathOf(relative), error);
        return !error;
    }

private:
    static std::wstring Wide(const std::filesystem::path& path) {
#ifdef _WIN32
        return path.wstring();
#else
        return WideFromUtf8(path.native());
#endif
    }

    std::filesystem::path path_;
};

} // namespace vk::test
