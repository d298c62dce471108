#pragma once
// "Save result"'s two UTF-8 formats, each beginning with a byte-order mark so that spreadsheets and
// editors take it for UTF-8:
//
//   CSV (UTF-8)   the header "Name,Size,Modified,Folder", then a record for each row the list
//                 shows, in display order (RFC 4180: CR LF ends a record; a field holding ',', '"'
//                 or a control character, CR and LF included, is written in double quotes with
//                 '"' doubled). Modified is the local time with its offset from UTC
//                 (2026-12-09T13:05:00+01:00), empty where unknown.
//   Unicode text  the full path of every hit in the store, in the order found, rows deleted from
//                 the list included, each ended by CR LF. Every character is written as it is: a
//                 line feed within a name stays a lone line feed.
//
// A file-name byte that is not UTF-8 (see platform/Utf8.h) is written as the byte itself, so the
// name's own bytes come back; vkfind's csv writes fields by the same rule.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// The UTF-8 byte-order mark both formats begin with.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// One row as the CSV file has it: the name, size and folder texts the list shows, and the hit's
// last write time (file time ticks; 0 unknown).
struct CsvRow {
    std::wstring name;
    std::wstring size;
    std::int64_t modified = 0;
    std::wstring folder;
};

[[nodiscard]] std::string CsvExport(const std::vector<CsvRow>& rows);
[[nodiscard]] std::string UnicodeTextExport(const std::vector<std::wstring>& resultPaths);

// One RFC 4180 field in UTF-8, quoted when it holds ',', '"' or a control character.
[[nodiscard]] std::string CsvField(std::wstring_view text);

} // namespace vk
