#pragma once
// The command-line arguments of a picture tool, the program's name first.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace vk::testing {

inline std::vector<std::wstring> ToolArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 0; i < count; ++i) {
        args.emplace_back(arguments[i]);
    }
    LocalFree(arguments);
    return args;
}

} // namespace vk::testing
