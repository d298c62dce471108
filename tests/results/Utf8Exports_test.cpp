#include "results/Utf8Exports.h"

#include "engine/ModifiedTime.h"
#include "platform/Utf8.h"
#include "results/ResultExport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vk {
namespace {

// An RFC 4180 reader: the records of UTF-8 text after its byte-order mark.
std::vector<std::vector<std::wstring>> ReadCsv(std::string_view bytes) {
    EXPECT_EQ(bytes.substr(0, 3), kUtf8ByteOrderMark);
    bytes.remove_prefix(3);
    std::vector<std::vector<std::wstring>> records;
    std::vector<std::wstring> record;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (quoted) {
            if (c == '"' && i + 1 < bytes.size() && bytes[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',' || (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
            record.push_back(WideFromFileName(field));
            field.clear();
            if (c == '\r') {
                records.push_back(std::move(record));
                record.clear();
                ++i;
            }
        } else {
            // Outside quotes a line end belongs to the record's end, as spreadsheets read it.
            EXPECT_TRUE(c != '\r' && c != '\n') << "a bare line end in a field at byte " << i;
            field += c;
        }
    }
    EXPECT_TRUE(field.empty() && record.empty() && !quoted) << "the last record is not ended";
    return records;
}

// A path a line, each line ended by CR LF.
std::vector<std::wstring> ReadLines(std::string_view bytes) {
    EXPECT_EQ(bytes.substr(0, 3), kUtf8ByteOrderMark);
    bytes.remove_prefix(3);
    std::vector<std::wstring> lines;
    for (std::size_t end; (end = bytes.find("\r\n")) != std::string_view::npos; bytes.remove_prefix(end + 2)) {
        lines.push_back(WideFromFileName(bytes.substr(0, end)));
    }
    EXPECT_TRUE(bytes.empty());
    return lines;
}

TEST(Utf8Exports, CsvAndUnicodeTextReadBackAsTheRowsAndPaths) {
    const std::int64_t noon = *FileTimeFromLocal({2026, 12, 9, 12, 30, 5});
    std::wstring beyondBasicPlane = sizeof(wchar_t) == 2 ? std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}
                                                         : std::wstring{static_cast<wchar_t>(0x1F600)};
    // Where wide characters are 32 bits, a file-name byte that is not UTF-8 (platform/Utf8.h).
    const std::wstring notUtf8 = sizeof(wchar_t) == 4 ? std::wstring{static_cast<wchar_t>(0xDCE9)} : L"";
    const std::vector<CsvRow> rows = {
        {L"plain.txt", L"12", noon, L"\\\\SRV\\share"},
        {L"a,b.txt", L"", 0, L"\\\\SRV\\share\\x,y"},
        {L"say \"hi\".doc", L"3", noon, L"\\\\SRV\\\"q\""},
        {L"two\nlines.txt", L"4", 0, L"\\\\SRV\\cr\r"},
        {L"caf" + notUtf8 + L".txt", L"6", 0, L"\\\\SRV\\s"},
        {L"\u0416\u4e2d\u00e9" + beyondBasicPlane + L".txt", L"5", noon, L"\\\\SRV\\\u0416"},
    };
    const auto records = ReadCsv(CsvExport(rows));
    ASSERT_EQ(records.size(), rows.size() + 1);
    EXPECT_EQ(records[0], (std::vector<std::wstring>{L"Name", L"Size", L"Modified", L"Folder"}));
    std::vector<std::wstring> paths;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CsvRow& row = rows[i];
        EXPECT_EQ(records[i + 1],
                  (std::vector<std::wstring>{row.name, row.size, IsoLocalText(row.modified), row.folder}))
            << i;
        paths.push_back(row.folder + L"\\" + row.name);
    }
    EXPECT_EQ(records[1][2].substr(0, 19), L"2026-12-09T12:30:05");
    EXPECT_EQ(CsvExport({}), std::string(kUtf8ByteOrderMark) + "Name,Size,Modified,Folder\r\n");

    // The Unicode text: every path as it is, a line feed or carriage return inside a name included.
    EXPECT_EQ(ReadLines(UnicodeTextExport(paths)), paths);
    EXPECT_EQ(UnicodeTextExport({}), kUtf8ByteOrderMark);
}

TEST(Utf8Exports, TheirFiltersChooseThemWhateverTheName) {
    EXPECT_EQ(ExportFormatFor(L"r.html", kCsvFilterIndex), ExportFormat::kCsv);
    EXPECT_EQ(ExportFormatFor(L"r.csv", kUnicodeTextFilterIndex), ExportFormat::kUnicodeText);
    // The other filters leave it to the name, as before.
    EXPECT_EQ(ExportFormatFor(L"r.csv", 2), ExportFormat::kText);
    EXPECT_EQ(ExportFormatFor(L"r.htm", 5), ExportFormat::kHtml);
}

} // namespace
} // namespace vk
