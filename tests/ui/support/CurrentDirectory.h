#pragma once
// Runs a test in a folder of its own as the current directory (where the forms keep vk.set and
// Help looks first), and goes back to the one before at its end.

#include <filesystem>

namespace vk::testing {

class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& path) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~CurrentDirectory() { std::filesystem::current_path(previous_); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

} // namespace vk::testing
