#include "results/win/ShellActions.h"

#include "platform/NetworkEnvironment.h"

#include <shellapi.h>

namespace vk {

const wchar_t* OpenVerbFor(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? L"explore" : L"open";
}

std::wstring ShellActions::SystemPath(const std::wstring& path) const {
    return environment_.ShellPath(path).value_or(path);
}

DWORD ShellActions::Attributes(const std::wstring& path) {
    const auto mapped = environment_.ShellPath(path);
    return mapped ? GetFileAttributesW(mapped->c_str()) : INVALID_FILE_ATTRIBUTES;
}

void ShellActions::Execute(const std::wstring& verb, const std::wstring& path, HWND owner) {
    ShellExecuteW(owner, verb.c_str(), SystemPath(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShellActions::ShowProperties(const std::wstring& path) {
    const std::wstring file = SystemPath(path);
    SHELLEXECUTEINFOW info{sizeof info};
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = nullptr;
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    info.nShow = SW_HIDE;
    ShellExecuteExW(&info);
}

} // namespace vk
