#include "shell/HelpFile.h"

#include "shell/ShellTexts.h"

namespace vk {

std::optional<std::wstring> FindHelpFile(const std::wstring& programFolder,
                                         const std::function<bool(const std::wstring&)>& exists) {
    if (exists(kHelpFileName)) {
        return kHelpFileName;
    }
    if (programFolder.empty()) {
        return std::nullopt;
    }
    std::wstring beside = programFolder;
    if (beside.back() != L'\\' && beside.back() != L'/') {
        beside += L'\\';
    }
    beside += kHelpFileName;
    if (exists(beside)) {
        return beside;
    }
    return std::nullopt;
}

} // namespace vk
