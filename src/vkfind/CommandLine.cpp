#include "vkfind/CommandLine.h"

#include <functional>
#include <map>

namespace vk {

std::wstring UsageText() {
    return LR"(Usage: vkfind [--network DIR] [--mask MASKS] [--share-mask MASK] [--text TEXT]
              [--at-least KB | --at-most KB] [--quiet] SCOPE...

Searches shares and folders of a Windows network for files and folders, the way the
Varnokle window does, and prints every hit when the search has ended.

  SCOPE             a share or a folder below one: \\SERVER\share[\folder...]
  --network DIR     search the folder network DIR (ROOT/provider/domain/server/share/...)
                    instead of the system's network; the environment variable
                    VARNOKLE_NETWORK sets the same
  --mask MASKS      file or folder masks, separated by space, ';' or ',' (*.txt;*.doc);
                    each mask is a full walk of every share
  --share-mask MASK only shares whose names match MASK (wildcards * and ?; \A a letter,
                    \0 a digit, \X a Roman numeral letter)
  --text TEXT       only files that contain TEXT (same wildcards; no regard to case)
  --at-least KB     only entries of at least KB kilobytes (1 KB = 1024 bytes)
  --at-most KB      only entries of at most KB kilobytes
  --quiet           no status texts
  --help            this text

With --at-least or --at-most and no mask, the mask is "*".

Output: one hit a line in list order, in UTF-8: the name, the size (files only) and the
containing folder, separated by tabs. Status texts go to standard error.

Exit status: 0 when the search ran, 1 when the network could not be read, 2 for a usage
error.
)";
}

ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& args, const std::wstring& environmentNetwork) {
    ParsedCommandLine parsed;
    VkfindOptions& options = parsed.options;
    options.networkRoot = environmentNetwork;

    const std::map<std::wstring, std::function<void(const std::wstring&)>> withValue = {
        {L"--network", [&](const std::wstring& v) { options.networkRoot = v; }},
        {L"--mask", [&](const std::wstring& v) { options.fileMask = v; }},
        {L"--share-mask", [&](const std::wstring& v) { options.shareMask = v; }},
        {L"--text", [&](const std::wstring& v) { options.containingText = v; }},
        {L"--at-least", [&](const std::wstring& v) { options.atLeastKb = v; }},
        {L"--at-most", [&](const std::wstring& v) { options.atMostKb = v; }},
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
            options.help = true;
        } else if (arg == L"--quiet" || arg == L"-q") {
            options.quiet = true;
        } else if (const auto option = withValue.find(arg); option != withValue.end()) {
            if (i + 1 >= args.size()) {
                parsed.error = arg + L" needs a value";
                return parsed;
            }
            option->second(args[++i]);
        } else if (arg.size() > 1 && arg[0] == L'-' && arg[1] == L'-') {
            parsed.error = L"unknown option " + arg;
            return parsed;
        } else {
            options.scopes.push_back(arg);
        }
    }
    if (options.help) {
        return parsed;
    }
    if (options.atLeastKb && options.atMostKb) {
        parsed.error = L"--at-least and --at-most exclude each other";
    } else if (options.scopes.empty()) {
        parsed.error = L"no SCOPE given";
    }
    return parsed;
}

} // namespace vk
