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
//   json  JSON Lines: one object a row, {"name":...,"size":N or null,"folder":...}. A file-name
//         byte that is not UTF-8 is written as \udcHH (HH the byte), as Python's "surrogateescape"
//         reads it back.
// All three are UTF-8 (but for the bytes csv writes as they are).

#include "results/MemoryResultList.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

enum class OutputFormat { kTsv, kCsv, kJson };

// "tsv", "csv" or "json"; nothing for anything else.
[[nodiscard]] std::optional<OutputFormat> ParseOutputFormat(std::wstring_view text);

// The rows in the format, header included. Returns false when the stream failed.
[[nodiscard]] bool WriteRows(std::ostream& out, OutputFormat format, const MemoryResultList& list);

// One field as each format writes it (without the separators around it).
[[nodiscard]] std::string TsvField(std::wstring_view text);
[[nodiscard]] std::string CsvField(std::wstring_view text);
[[nodiscard]] std::string JsonString(std::wstring_view text);

} // namespace vk
