#pragma once
// The console tool's output: the result list's rows in one of three formats, each unambiguous
// whatever the names hold.
//
//   tsv   one row a line: name, size (files only) and containing folder, separated by tabs. A
//         field is written as it is unless it holds a control character (U+0000-U+001F,
//         U+007F-U+009F), a byte of a file name that is not UTF-8 or a lone surrogate, or begins
//         with '"'. Such a field is written in double quotes with escapes: \\ \" \t \n \r, \xHH
//         for a file-name byte that is not UTF-8 (HH is the byte) and \uHHHH for any other of
//         those characters. So a field that begins with '"' is always quoted, and a tab or a line
//         end in the output always separates.
//   csv   RFC 4180: a header line (name,size,folder), then one record a row, CRLF line ends;
//         fields holding ',', '"', CR, LF or another control character in double quotes, with
//         '"' doubled. A file-name byte that is not UTF-8 is written as the byte itself.
//   json  JSON Lines: one object a row, {"name":...,"size":N or null,"modified":...,"folder":...}
//         (modified: ISO 8601 local time with the offset, or null). A file-name byte that is not
//         UTF-8 is written as \udcHH (HH the byte), as Python's "surrogateescape" reads it back.
// tsv and csv write the columns name, size and folder, or the ones asked for (OutputColumn).
// All three are UTF-8 (but for the bytes csv writes as they are).

#include "results/MemoryResultList.h"
#include "results/Utf8Exports.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

enum class OutputFormat { kTsv, kCsv, kJson };
enum class OutputColumn { kName, kSize, kModified, kFolder };

// "tsv", "csv" or "json"; nothing for anything else.
[[nodiscard]] std::optional<OutputFormat> ParseOutputFormat(std::wstring_view text);

// Field names separated by commas ("name,size,modified,folder", each at most once); nothing
// for an unknown or repeated name or an empty list.
[[nodiscard]] std::optional<std::vector<OutputColumn>> ParseColumns(std::wstring_view text);

// Whether rows written so show a size or a time: json always does, tsv and csv when one of their
// columns (empty: the default ones) is the size or the time.
[[nodiscard]] bool WritesSizeOrTime(OutputFormat format, std::span<const OutputColumn> columns);

// The list's rows in the format, header included. modifiedOf(data): the last write time of the
// row whose data value is data (file time ticks, 0 unknown); none given: every time unknown.
// columns: the tsv and csv columns; empty: name, size and folder. Returns false when the stream
// failed.
[[nodiscard]] bool WriteRows(std::ostream& out, OutputFormat format, const MemoryResultList& list,
                             const std::function<std::int64_t(std::intptr_t)>& modifiedOf = {},
                             std::span<const OutputColumn> columns = {});

// One field as tsv and json write it (without the separators around it); csv writes CsvField.
[[nodiscard]] std::string TsvField(std::wstring_view text);
[[nodiscard]] std::string JsonString(std::wstring_view text);

} // namespace vk
