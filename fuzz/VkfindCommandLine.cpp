// vkfind's command line: any arguments never crash it; a command line it refuses is a usage
// error (exit 2, a message, no rows), and one it takes holds values in their ranges. Command
// lines it takes are run against a small folder network of the target's own (those that name a
// network of their own or the SMB network are only parsed).

#include "FuzzInput.h"
#include "vkfind/CommandLine.h"
#include "vkfind/Vkfind.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::wstring& SmallNetwork() {
    static const std::wstring root = [] {
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("vk_fuzz_network_" + std::to_string(getpid()));
        const std::filesystem::path share = path / "Microsoft Windows Network" / "ACME" / "SERVER" / "share";
        std::filesystem::create_directories(share / "sub");
        std::filesystem::create_directories(path / "Microsoft Windows Network" / "ACME" / "OTHER" / "data$");
        std::ofstream(share / "a.txt") << "alpha beta";
        std::ofstream(share / "sub" / "b.doc") << "gamma";
        return path.wstring();
    }();
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    static const std::wstring kWords[] = {L"--network",
                                          L"--mask",
                                          L"--share-mask",
                                          L"--text",
                                          L"--at-least",
                                          L"--at-most",
                                          L"--format",
                                          L"--columns",
                                          L"name,size,modified,folder",
                                          L"folder,name",
                                          L"modified",
                                          L"name,name",
                                          L"-j",
                                          L"--jobs",
                                          L"--quiet",
                                          L"--shares",
                                          L"--list",
                                          L"--smb",
                                          L"--smb-port",
                                          L"--smb-timeout",
                                          L"--auth-file",
                                          L"--help",
                                          L"--version",
                                          L"-h",
                                          L"tsv",
                                          L"csv",
                                          L"json",
                                          L"*.txt",
                                          L"\\\\SERVER",
                                          L"\\\\SERVER\\share",
                                          L"\\\\SERVER\\share\\sub",
                                          L"Microsoft Windows Network/ACME",
                                          L"0",
                                          L"64",
                                          L"65",
                                          L"-1",
                                          L"+12",
                                          L"",
                                          L"--mask=*.doc",
                                          L"--jobs=3",
                                          L"--",
                                          L"-",
                                          L"--network="};
    std::vector<std::wstring> args(input.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (std::wstring& arg : args) {
        if (input.ConsumeBool()) {
            arg = kWords[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kWords) - 1)];
        } else {
            arg = vk::fuzz::WideText(input, 12, L"-=*?.\\/;,j0123456789abcdefghijklmnopqrstuvwxyz");
        }
    }
    const vk::ParsedCommandLine parsed = vk::ParseCommandLine(args, SmallNetwork());
    if (parsed.error.empty()) {
        const vk::VkfindOptions& options = parsed.options;
        VK_FUZZ_CHECK(options.jobs >= -1 && options.jobs <= 64);
        VK_FUZZ_CHECK(options.smbTimeoutSeconds > 0);
        // --columns taken: each field once at most.
        for (std::size_t i = 0; i < options.columns.size(); ++i) {
            for (std::size_t k = i + 1; k < options.columns.size(); ++k) {
                VK_FUZZ_CHECK(options.columns[i] != options.columns[k]);
            }
        }
        if (options.smb || options.networkRoot != SmallNetwork()) {
            return 0;
        }
    }
    std::ostringstream out;
    std::ostringstream err;
    const int status = vk::RunVkfind(args, SmallNetwork(), out, err);
    VK_FUZZ_CHECK(status == vk::kExitSearchRan || status == vk::kExitNetworkUnreadable || status == vk::kExitUsage);
    if (!parsed.error.empty()) {
        VK_FUZZ_CHECK(status == vk::kExitUsage);
    }
    if (status == vk::kExitUsage) {
        VK_FUZZ_CHECK(out.str().empty() && !err.str().empty());
    }
    return 0;
}
