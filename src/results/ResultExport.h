#pragma once
// "Save result": which format a chosen file name gets, and the exact bytes of the two 8-bit formats
// (the two UTF-8 ones, chosen by their own filters in the save dialog, are in Utf8Exports.h).
//
//   HTML  (a name ending in exactly "html" or "htm"): a page with a table of the rows the list
//         shows, in display order, from the texts the list displays;
//   text  (any other name): the full path of every hit in the store, in the order found, rows
//         deleted from the list included; one path a line.
//
// Both go through ExportStream (ISO-8859-1, LF as CR LF, characters above 255 as numeric
// references). In the page, names, sizes and paths are escaped (& < > " as entities) in the
// cells and in the link targets alike, so that a file called <img src=x onerror=...>.txt shows
// as text and a quote in a name cannot end an attribute; every other byte is the format's own.

#include <string>
#include <string_view>
#include <vector>

namespace vk {

enum class ExportFormat { kHtml, kText, kCsv, kUnicodeText };

// The save dialog's filter: display names and patterns in pairs, separated by '|'.
inline constexpr std::wstring_view kSaveResultFilter =
    L"Web Page(*.html;*.htm)|*.html;*.htm|Text Files(*.txt)|*.txt|CSV (UTF-8) (*.csv)|*.csv|"
    L"Unicode text (*.txt)|*.txt|All Files(*.*)|*.*||";
// The filters (numbered from 1, as the dialog numbers them) that choose a format of their own;
// with any other the file name chooses (ExportFormatFor).
inline constexpr unsigned kCsvFilterIndex = 3;
inline constexpr unsigned kUnicodeTextFilterIndex = 4;
// The text format's file when the dialog gives no name: in the program's folder of the user's data
// (platform/UserFiles.h), where the forms keep vk.set.
inline constexpr std::wstring_view kUnnamedExportFile = L"unknoun.txt";

// HTML when the extension of the file name (the text after the last dot of the name's last part)
// is exactly "html" or "htm", letter case included; text otherwise.
[[nodiscard]] ExportFormat ExportFormatFor(std::wstring_view path);
// The format of the filter chosen in the save dialog, else of the file name.
[[nodiscard]] ExportFormat ExportFormatFor(std::wstring_view path, unsigned filterIndex);

// The file the text formats are written to: the path, or kUnnamedExportFile in the user's data
// folder (made when missing) when it is empty.
[[nodiscard]] std::wstring TextExportPath(std::wstring_view path);

// One row as the list displays it: the texts of sub-items 0 (name), 1 (size) and 2 (path).
struct ExportRow {
    std::wstring name;
    std::wstring size;
    std::wstring path;
};

// The page of the rows, in their order.
[[nodiscard]] std::string HtmlExport(const std::vector<ExportRow>& rows);

// The text file of the store's paths, in their order.
[[nodiscard]] std::string TextExport(const std::vector<std::wstring>& resultPaths);

// & < > " replaced by their entities; nothing else changes.
[[nodiscard]] std::wstring HtmlEscaped(std::wstring_view text);

} // namespace vk
