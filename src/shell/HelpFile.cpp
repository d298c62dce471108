#include "shell/HelpFile.h"

#include "shell/ShellTexts.h"

namespace vk {

std::optional<std::wstring> FindHelpFile(const std::wstring& programFolder,
                                         const std::function<bool(const std::wstring&)>& exists) {
    if (!programFolder.empty()) {
        std::wstring beside = programFolder;
        if (beside.back() != L'\\' && beside.back() != L'/') {
            beside += L'\\';
        }
        beside += kHelpFileName;
        if (exists(beside)) {
            return beside;
        }
    }
    if (exists(kHelpFileName)) {
        return kHelpFileName;
    }
    return std::nullopt;
}

} // namespace vk
