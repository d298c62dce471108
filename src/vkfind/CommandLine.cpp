#include "vkfind/CommandLine.h"

#include "engine/ReadAheadPool.h"
#include "engine/RequestFilters.h"

#include <functional>
#include <map>
#include <optional>

namespace vk {
namespace {

// No walk goes deeper than the longest path has folders.
constexpr int kMaxDepth = kMaxSearchDepth;

// A decimal number from low to high, digits only.
std::optional<int> ParseNumber(const std::wstring& text, int low, int high) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    int value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - L'0');
    }
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::wstring UsageText() {
    std::wstring text = LR"(Usage: vkfind [--network DIR] [--mask MASKS] [--share-mask MASK] [--text TEXT]
              [--at-least KB | --at-most KB] [--modified-after WHEN]
              [--modified-before WHEN] [--exclude MASKS]... [--max-depth N]
              [--type f|d] [--format FORMAT] [--columns FIELDS] [--jobs N] [--quiet]
              [--servers-file FILE] [SCOPE...]
       vkfind [--network DIR] [--format FORMAT] --shares \\SERVER
       vkfind [--network DIR] [--format FORMAT] --list \\SERVER\share[\folder...]
       vkfind --smb [--smb-port PORT] [--smb-timeout SECONDS] [--auth-file FILE]
              [the search options and SCOPE... | --shares \\SERVER | --list PATH]
       vkfind --help | --version

Searches a Windows network for files, folders and shares, the way the Varnokle window
does, and prints every hit when the search has ended.

  SCOPE             what to search; without one, the whole network:
                      \\SERVER\share[\folder...]  a share or a folder below one
                      \\SERVER                     a server: all its shares
                      Provider[/Domain[/\\SERVER]]  a part of the network tree, by the
                                                   names of its nodes ('/' between)
  --shares \\SERVER  list the server's shares (as double-clicking it in the tree does)
  --list PATH       list the entries of a share or folder, \\SERVER\share[\folder...]
  --servers-file FILE  servers the network does not list, as the window's Add Server
                    adds them: one a line (FILESRV01, 192.0.2.7, \\SERVER\share\folder),
                    '#' starts a comment line. They are searched with the network, in the
                    tree's group Provider/Added servers
  --network DIR     search the folder network DIR (ROOT/provider/domain/server/share/...)
                    instead of the system's network; the environment variable
                    VARNOKLE_NETWORK sets the same
  --smb             on Linux, search SMB servers (Windows or Samba file servers)
                    through the SMB client library instead: the workgroups its browse
                    service reports and the servers named in SCOPEs, --shares and
                    --list, by name or address (\\FILESRV, \\192.0.2.7). Logs on with
                    the user name and password of the authentication file
                    (smbclient's format: lines username = NAME, password = PASSWORD,
                    domain = DOMAIN) that --auth-file or VARNOKLE_SMB_AUTH_FILE names,
                    else of VARNOKLE_SMB_USER and VARNOKLE_SMB_PASSWORD, else as guest
  --smb-port PORT   connect to SMB servers on PORT (default: 445, then 139)
  --smb-timeout SECONDS  wait that long for a server to connect or answer (default 10)
  --auth-file FILE  the file with the SMB user name and password (see --smb)
  --mask MASKS      file or folder masks, separated by space, ';' or ',' (*.txt;*.doc);
                    each mask is a full walk of every share. A mask matches names within
                    each folder, as Windows lists them: * any run, ? one character or none
                    before a '.' or the end, *. names without an extension; it holds no
                    \, / or :
  --share-mask MASK only shares whose names match MASK (wildcards * and ?; \A a letter,
                    \0 a digit, \X a Roman numeral letter)
  --text TEXT       only files that contain TEXT (same wildcards; no regard to case)
  --at-least KB     only entries of at least KB kilobytes (a whole number; 1 KB = 1024 bytes)
  --at-most KB      only entries of at most KB kilobytes
  --modified-after WHEN   only entries modified at WHEN or later
  --modified-before WHEN  only entries modified before WHEN; WHEN is a local time,
                    YYYY-MM-DD, YYYY-MM-DDTHH:MM or YYYY-MM-DDTHH:MM:SS, or a span back
                    from now: 30m, 12h, 7d, 4w. Folders that fail it are still searched
  --exclude MASKS   no hits named so, and no search in folders named so (masks as for
                    --mask; may be given again)
  --max-depth N     search no deeper than N folders below each share or folder searched
                    (0: only its own entries)
  --type f|d        only files (f) or only folders (d)
  --format FORMAT   how the rows are written: tsv (the default), csv or json
  --columns FIELDS  the tsv or csv columns, from name, size, modified and folder
                    (--columns name,size,modified,folder)
  -j, --jobs N      threads that list folders and read files ahead of the walks
                    (0 to 64; default {jobs}; 0: each share is walked one call after the
                    other); the results and their order are the same with any N
  --quiet           no status texts
  --help            this text
  --version         the program's version

With --at-least, --at-most, --modified-..., --exclude, --max-depth or --type and no
mask, the mask is "*". A share mask alone lists the
matching shares themselves. A share or folder SCOPE is searched as a whole, whatever the
share mask says. Names are matched without regard to case, and paths of any depth (past
259 characters) are searched.

Output, in UTF-8, one hit in list order:
  tsv   a line: the name, the size (files only) and the containing folder, separated
        by tabs. A field holding a control character (tab, line end...) or a byte of a
        file name that is not UTF-8, or beginning with ", is written in double quotes
        with escapes: \\ \" \t \n \r, \xHH for such a byte, \uHHHH for other controls.
  csv   RFC 4180: a header line "name,size,folder", then a record per hit, CRLF line
        ends, fields quoted where needed; a byte of a name that is not UTF-8 is written
        as it is.
  json  a line per hit: {"name":...,"size":N or null,"modified":...,"folder":...}
        (modified: local time with its offset, 2026-12-09T13:05:00+01:00, or null); a
        byte of a name that is not UTF-8 is written as \udcHH.
  modified in tsv and csv (--columns) is written as in json, empty when unknown.
Status texts go to standard error.

Exit status: 0 when the search or listing ran, 1 when the network, a node, a SCOPE or a
listing could not be read or was not found (the message goes to standard error), 2 for a
usage error, 3 when the results could not be written (a full disk, a closed pipe).
)";
    const std::wstring placeholder = L"{jobs}";
    text.replace(text.find(placeholder), placeholder.size(), std::to_wstring(kDefaultReadAheadJobs));
    return text;
}

namespace {

// A decimal number from 0 to kMaxReadAheadJobs; -1 for anything else.
int ParseJobs(const std::wstring& text) {
    if (text.empty() || text.size() > 2) {
        return -1;
    }
    int value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return -1;
        }
        value = value * 10 + (c - L'0');
    }
    return value <= kMaxReadAheadJobs ? value : -1;
}

} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& args, const std::wstring& environmentNetwork) {
    ParsedCommandLine parsed;
    VkfindOptions& options = parsed.options;
    options.networkRoot = environmentNetwork;
    std::wstring format = L"tsv";
    std::optional<std::wstring> jobs;
    std::optional<std::wstring> columns;
    std::optional<std::wstring> maxDepth;

    bool networkGiven = false;
    std::optional<std::wstring> smbPort;
    std::optional<std::wstring> smbTimeout;
    const std::map<std::wstring, std::function<void(const std::wstring&)>> withValue = {
        {L"--network",
         [&](const std::wstring& v) {
             options.networkRoot = v;
             networkGiven = true;
         }},
        {L"--smb-port", [&](const std::wstring& v) { smbPort = v; }},
        {L"--smb-timeout", [&](const std::wstring& v) { smbTimeout = v; }},
        {L"--auth-file", [&](const std::wstring& v) { options.authFile = v; }},
        {L"--servers-file", [&](const std::wstring& v) { options.serversFile = v; }},
        {L"--mask", [&](const std::wstring& v) { options.fileMask = v; }},
        {L"--share-mask", [&](const std::wstring& v) { options.shareMask = v; }},
        {L"--text", [&](const std::wstring& v) { options.containingText = v; }},
        {L"--at-least", [&](const std::wstring& v) { options.atLeastKb = v; }},
        {L"--at-most", [&](const std::wstring& v) { options.atMostKb = v; }},
        {L"--shares", [&](const std::wstring& v) { options.sharesOf = v; }},
        {L"--list", [&](const std::wstring& v) { options.listOf = v; }},
        {L"--modified-after", [&](const std::wstring& v) { options.modifiedAfter = v; }},
        {L"--modified-before", [&](const std::wstring& v) { options.modifiedBefore = v; }},
        {L"--exclude", [&](const std::wstring& v) { options.excludes.push_back(v); }},
        {L"--max-depth", [&](const std::wstring& v) { maxDepth = v; }},
        {L"--type", [&](const std::wstring& v) { options.type = v; }},
        {L"--columns", [&](const std::wstring& v) { columns = v; }},
        {L"--format", [&](const std::wstring& v) { format = v; }},
        {L"--jobs", [&](const std::wstring& v) { jobs = v; }},
        {L"-j", [&](const std::wstring& v) { jobs = v; }},
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
            options.help = true;
        } else if (arg == L"--version") {
            options.version = true;
        } else if (arg == L"--quiet" || arg == L"-q") {
            options.quiet = true;
        } else if (arg == L"--smb") {
            options.smb = true;
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
    if (options.help || options.version) {
        return parsed;
    }
    const bool browsing = options.sharesOf || options.listOf;
    if (options.smb) {
        // The variable's folder network gives way to an SMB network asked for on the command line.
        if (!networkGiven) {
            options.networkRoot.clear();
        }
    } else if (smbPort || smbTimeout || !options.authFile.empty()) {
        parsed.error = L"--smb-port, --smb-timeout and --auth-file go with --smb";
        return parsed;
    }
    const auto port = smbPort ? ParseNumber(*smbPort, 1, 65535) : std::optional<int>(0);
    const auto timeout = smbTimeout ? ParseNumber(*smbTimeout, 1, 3600) : std::optional<int>(options.smbTimeoutSeconds);
    options.smbPort = static_cast<std::uint16_t>(port.value_or(0));
    options.smbTimeoutSeconds = timeout.value_or(options.smbTimeoutSeconds);
    const auto knownFormat = ParseOutputFormat(format);
    options.format = knownFormat.value_or(OutputFormat::kTsv);
    if (maxDepth) {
        options.maxDepth = ParseNumber(*maxDepth, 0, kMaxDepth).value_or(-1);
    }
    if (columns) {
        options.columns = ParseColumns(*columns).value_or(std::vector<OutputColumn>());
    }
    if (options.smb && networkGiven) {
        parsed.error = L"--smb and --network exclude each other";
    } else if (!port) {
        parsed.error = L"--smb-port takes a port number from 1 to 65535, not '" + *smbPort + L"'";
    } else if (!timeout) {
        parsed.error = L"--smb-timeout takes a number of seconds from 1 to 3600, not '" + *smbTimeout + L"'";
    } else if (!knownFormat) {
        parsed.error = L"--format takes tsv, csv or json, not '" + format + L"'";
    } else if (columns && options.format == OutputFormat::kJson) {
        parsed.error = L"--columns goes with --format tsv or csv";
    } else if (columns && !ParseColumns(*columns)) {
        parsed.error = L"--columns takes names from name, size, modified and folder, separated by commas, each "
                       L"once, not '" +
                       *columns + L"'";
    } else if (maxDepth && !ParseNumber(*maxDepth, 0, kMaxDepth)) {
        parsed.error = L"--max-depth takes a number of folders from 0 to " + std::to_wstring(kMaxDepth) + L", not '" +
                       *maxDepth + L"'";
    } else if (options.type && *options.type != L"f" && *options.type != L"d") {
        parsed.error = L"--type takes f (files) or d (folders), not '" + *options.type + L"'";
    } else if (options.atLeastKb && options.atMostKb) {
        parsed.error = L"--at-least and --at-most exclude each other";
    } else if (options.sharesOf && options.listOf) {
        parsed.error = L"--shares and --list exclude each other";
    } else if (browsing && !options.scopes.empty()) {
        parsed.error = L"--shares and --list take no SCOPE";
    } else if (jobs) {
        options.jobs = ParseJobs(*jobs);
        if (options.jobs < 0) {
            parsed.error =
                L"--jobs takes a number from 0 to " + std::to_wstring(kMaxReadAheadJobs) + L", not '" + *jobs + L"'";
        }
    }
    return parsed;
}

} // namespace vk
