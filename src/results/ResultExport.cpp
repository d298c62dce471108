#include "results/ResultExport.h"

#include "platform/UserFiles.h"
#include "results/ExportStream.h"

namespace vk {
namespace {

constexpr std::wstring_view kHeaderRow =
    L"<tr bgcolor=\"#0000ff\"><td width=\"40%\"><font color=\"white\">Name</font></td>"
    L"<td width=\"40%\"><font color=\"white\">Path</font></td>"
    L"<td width=\"20%\"><font color=\"white\">Size</font></td></tr>";

void WriteRow(ExportStream& out, const ExportRow& row) {
    const std::wstring name = HtmlEscaped(row.name);
    const std::wstring path = HtmlEscaped(row.path);
    out.Write(L"\n<tr><td>\n");
    std::wstring link = L"<a href=\"" + path;
    if (row.path.empty() || row.path.back() != L'\\') {
        link += L'\\';
    }
    link += name + L"\">" + name + L"</a></td>";
    out.Write(link);
    out.Write(L"\n<td>");
    out.Write(L"<a href=\"");
    out.Write(path);
    out.Write(L"\">");
    out.Write(path);
    out.Write(L"</a>");
    out.Write(L"\n</td>");
    out.Write(L"\n<td>");
    // Without a semicolon, as the page has always had it.
    out.Write(row.size.empty() ? std::wstring(L"&nbsp") : HtmlEscaped(row.size));
    out.Write(L"\n</td>");
    out.Write(L"\n</tr>\n");
}

} // namespace

ExportFormat ExportFormatFor(std::wstring_view path) {
    const auto nameStart = path.find_last_of(L"\\/");
    const std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
    const auto dot = name.rfind(L'.');
    const std::wstring_view extension = dot == std::wstring_view::npos ? std::wstring_view{} : name.substr(dot + 1);
    return extension == L"html" || extension == L"htm" ? ExportFormat::kHtml : ExportFormat::kText;
}

ExportFormat ExportFormatFor(std::wstring_view path, unsigned filterIndex) {
    switch (filterIndex) {
    case kCsvFilterIndex:
        return ExportFormat::kCsv;
    case kUnicodeTextFilterIndex:
        return ExportFormat::kUnicodeText;
    default:
        return ExportFormatFor(path);
    }
}

std::wstring TextExportPath(std::wstring_view path) {
    return path.empty() ? UserFileToWrite(std::filesystem::path(kUnnamedExportFile)).wstring() : std::wstring(path);
}

std::string HtmlExport(const std::vector<ExportRow>& rows) {
    ExportStream out;
    out.Write(L"<html>");
    out.Write(L"<title>");
    out.Write(L"Varnokle - result");
    out.Write(L"</title>");
    out.Write(L"\r\n<body>");
    out.Write(L"<table border=\"1\">");
    out.Write(kHeaderRow);
    for (const ExportRow& row : rows) {
        WriteRow(out, row);
    }
    out.Write(L"\r\n</table>");
    out.Write(L"</body>");
    out.Write(L"</html>");
    return out.Bytes();
}

std::string TextExport(const std::vector<std::wstring>& resultPaths) {
    ExportStream out;
    for (const std::wstring& path : resultPaths) {
        out.Write(path);
        out.Write(L"\n");
    }
    return out.Bytes();
}

std::wstring HtmlEscaped(std::wstring_view text) {
    std::wstring escaped;
    escaped.reserve(text.size());
    for (const wchar_t c : text) {
        switch (c) {
        case L'&':
            escaped += L"&amp;";
            break;
        case L'<':
            escaped += L"&lt;";
            break;
        case L'>':
            escaped += L"&gt;";
            break;
        case L'"':
            escaped += L"&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace vk
