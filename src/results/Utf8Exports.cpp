#include "results/Utf8Exports.h"

#include "engine/ModifiedTime.h"
#include "platform/Utf8.h"

namespace vk {
namespace {

bool IsControl(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

std::string CsvField(std::wstring_view text) {
    bool quote = false;
    for (const wchar_t c : text) {
        quote = quote || c == L',' || c == L'"' || IsControl(c);
    }
    std::string bytes = FileNameFromWide(text);
    if (!quote) {
        return bytes;
    }
    std::string field = "\"";
    for (const char c : bytes) {
        field += c;
        if (c == '"') {
            field += '"';
        }
    }
    return field + '"';
}

std::string CsvExport(const std::vector<CsvRow>& rows) {
    std::string bytes(kUtf8ByteOrderMark);
    bytes += "Name,Size,Modified,Folder\r\n";
    for (const CsvRow& row : rows) {
        bytes += CsvField(row.name);
        bytes += ',';
        bytes += CsvField(row.size);
        bytes += ',';
        bytes += CsvField(IsoLocalText(row.modified));
        bytes += ',';
        bytes += CsvField(row.folder);
        bytes += "\r\n";
    }
    return bytes;
}

std::string UnicodeTextExport(const std::vector<std::wstring>& resultPaths) {
    std::string bytes(kUtf8ByteOrderMark);
    for (const std::wstring& path : resultPaths) {
        bytes += FileNameFromWide(path);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace vk
