// "Save result": random rows written as a page and as a text file, read back by readers written
// here: the page by an HTML tokenizer (tags, attributes in double quotes, character
// references), the text file as ISO-8859-1 lines. The page gives back every name, path and size
// (its line ends as HTML reads them); the text file gives back every path that
// holds no line end and no '&' (those it writes by its lossy rule: a line feed as CR LF, a
// character above 255 as its numeric reference). The two UTF-8 formats are read back by an RFC 4180
// reader and as CR LF lines: the CSV file gives back every row (its time as the ISO text), the
// Unicode text file every path that holds no CR LF of its own.

#include "results/ResultExport.h"
#include "FuzzInput.h"
#include "engine/ModifiedTime.h"
#include "platform/Utf8.h"
#include "results/Utf8Exports.h"

namespace {

// The text of ISO-8859-1 bytes with its character references read.
std::wstring Unreferenced(std::string_view bytes) {
    static const std::pair<std::string_view, wchar_t> kEntities[] = {
        {"&amp;", L'&'}, {"&lt;", L'<'}, {"&gt;", L'>'}, {"&quot;", L'"'}, {"&nbsp", L'\u00A0'}};
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size();) {
        if (bytes[i] == '&') {
            bool named = false;
            for (const auto& [entity, c] : kEntities) {
                if (bytes.substr(i, entity.size()) == entity) {
                    text += c;
                    i += entity.size();
                    named = true;
                    break;
                }
            }
            if (named) {
                continue;
            }
            if (bytes.substr(i, 2) == "&#") {
                const std::size_t end = bytes.find(';', i);
                VK_FUZZ_CHECK(end != std::string_view::npos && end > i + 2 && end - i < 12);
                text += static_cast<wchar_t>(std::stoul(std::string(bytes.substr(i + 2, end - i - 2))));
                i = end + 1;
                continue;
            }
            VK_FUZZ_CHECK(!"a bare '&' in the page");
        }
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i++]));
    }
    return text;
}

// HTML's reading of line ends: CR LF and a lone CR are a line feed.
std::wstring Lines(std::wstring_view text);

// What the page gives back of a text: the export writes a line feed as CR LF and a carriage
// return as it is (so CR LF comes back as two line ends), and HTML reads line ends so.
std::wstring AsRead(std::wstring_view text) {
    std::wstring written;
    for (const wchar_t c : text) {
        written += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    }
    return Lines(written);
}

std::wstring Lines(std::wstring_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            out += L'\n';
            if (i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

struct Token {
    bool tag = false;
    std::string name;  // a tag's name, "/a" for an end tag
    std::wstring text; // text, or a tag's href
};

std::vector<Token> Tokens(std::string_view page) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < page.size()) {
        if (page[i] == '<') {
            const std::size_t end = page.find('>', i);
            VK_FUZZ_CHECK(end != std::string_view::npos);
            const std::string_view inside = page.substr(i + 1, end - i - 1);
            VK_FUZZ_CHECK(inside.find('<') == std::string_view::npos);
            Token token{true, std::string(inside.substr(0, inside.find(' '))), {}};
            const std::size_t href = inside.find("href=\"");
            if (href != std::string_view::npos) {
                const std::size_t close = inside.find('"', href + 6);
                VK_FUZZ_CHECK(close == inside.size() - 1);
                token.text = Lines(Unreferenced(inside.substr(href + 6, close - href - 6)));
            } else {
                VK_FUZZ_CHECK(inside.find('&') == std::string_view::npos);
            }
            tokens.push_back(std::move(token));
            i = end + 1;
        } else {
            const std::size_t end = std::min(page.find('<', i), page.size());
            tokens.push_back({false, {}, Lines(Unreferenced(page.substr(i, end - i)))});
            i = end;
        }
    }
    return tokens;
}

// The rows of the page's table after its header row: the texts and targets of the two links and
// the text of the third cell.
std::vector<std::array<std::wstring, 5>> ReadPage(std::string_view page) {
    std::vector<std::array<std::wstring, 5>> rows;
    std::size_t cell = 0;
    bool inLink = false;
    bool inCell = false;
    std::size_t links = 0;
    std::array<std::wstring, 5> row;
    int tr = 0;
    for (const Token& token : Tokens(page)) {
        if (token.tag) {
            if (token.name == "tr") {
                ++tr;
                row = {};
                cell = 0;
                links = 0;
            } else if (token.name == "/tr" && tr > 1) {
                rows.push_back(row);
            } else if (token.name == "td") {
                ++cell;
                inCell = true;
            } else if (token.name == "/td") {
                inCell = false;
            } else if (token.name == "a") {
                VK_FUZZ_CHECK(links < 2);
                row[links * 2 + 1] = token.text;
                inLink = true;
            } else if (token.name == "/a") {
                ++links;
                inLink = false;
            }
        } else if (inLink && tr > 1) {
            row[links * 2] += token.text;
        } else if (inCell && cell == 3 && tr > 1) {
            row[4] += token.text;
        }
    }
    return rows;
}

// The records of an RFC 4180 file after its byte-order mark: CR LF ends a record, a field in
// double quotes may hold anything with '"' doubled, a field without holds no '"', CR or LF.
std::vector<std::vector<std::wstring>> ReadCsv(std::string_view text) {
    VK_FUZZ_CHECK(text.substr(0, 3) == "\xEF\xBB\xBF");
    text.remove_prefix(3);
    std::vector<std::vector<std::wstring>> records;
    std::vector<std::wstring> record;
    std::string field;
    bool fieldStart = true;
    for (std::size_t i = 0; i < text.size();) {
        if (fieldStart && text[i] == '"') {
            for (++i;; ++i) {
                VK_FUZZ_CHECK(i < text.size());
                if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else if (text[i] == '"') {
                    ++i;
                    break;
                } else {
                    field += text[i];
                }
            }
            VK_FUZZ_CHECK(i < text.size() && (text[i] == ',' || text[i] == '\r'));
            fieldStart = false;
        } else if (text[i] == ',' || text.substr(i, 2) == "\r\n") {
            record.push_back(vk::WideFromFileName(field));
            field.clear();
            fieldStart = true;
            if (text[i] == '\r') {
                records.push_back(std::move(record));
                record.clear();
                ++i;
            }
            ++i;
        } else {
            VK_FUZZ_CHECK(text[i] != '"' && text[i] != '\r' && text[i] != '\n');
            field += text[i++];
            fieldStart = false;
        }
    }
    VK_FUZZ_CHECK(field.empty() && record.empty() && fieldStart);
    return records;
}

void CheckUtf8Formats(FuzzedDataProvider& input, const std::vector<vk::ExportRow>& rows,
                      const std::vector<std::wstring>& paths) {
    std::vector<vk::CsvRow> csvRows;
    for (const vk::ExportRow& row : rows) {
        const std::int64_t modified =
            input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange<std::int64_t>(1, 2650467743999999999);
        csvRows.push_back({row.name, row.size, modified, row.path});
    }
    const auto records = ReadCsv(vk::CsvExport(csvRows));
    VK_FUZZ_CHECK(records.size() == csvRows.size() + 1);
    VK_FUZZ_CHECK(records[0] == (std::vector<std::wstring>{L"Name", L"Size", L"Modified", L"Folder"}));
    for (std::size_t i = 0; i < csvRows.size(); ++i) {
        const vk::CsvRow& row = csvRows[i];
        VK_FUZZ_CHECK(records[i + 1] ==
                      (std::vector<std::wstring>{row.name, row.size, vk::IsoLocalText(row.modified), row.folder}));
    }

    const std::string written = vk::UnicodeTextExport(paths);
    std::string_view text = written;
    VK_FUZZ_CHECK(text.substr(0, 3) == "\xEF\xBB\xBF");
    text.remove_prefix(3);
    for (const std::wstring& path : paths) {
        if (path.find(L"\r\n") != std::wstring::npos) {
            return; // a CR LF of the path's own cannot be told from the line's end
        }
        const std::size_t end = text.find("\r\n");
        VK_FUZZ_CHECK(end != std::string_view::npos && vk::WideFromFileName(text.substr(0, end)) == path);
        text.remove_prefix(end + 2);
    }
    VK_FUZZ_CHECK(text.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    static constexpr std::wstring_view kSpecial = L"&<>\"';#\\\r\n\t aZ\u00E9\u00FF\u0100\u0416\xDC80\U0001F600";
    std::vector<vk::ExportRow> rows(input.ConsumeIntegralInRange<std::size_t>(0, 4));
    std::vector<std::wstring> paths;
    for (vk::ExportRow& row : rows) {
        // Names and paths as this system's file names read: through their bytes.
        row.name = vk::WideFromFileName(vk::FileNameFromWide(vk::fuzz::WideText(input, 12, kSpecial)));
        row.size = vk::WideFromFileName(vk::FileNameFromWide(vk::fuzz::WideText(input, 4, L"0123456789,&")));
        row.path = vk::WideFromFileName(vk::FileNameFromWide(vk::fuzz::WideText(input, 12, kSpecial)));
        paths.push_back(row.path);
    }
    CheckUtf8Formats(input, rows, paths);

    const std::vector<std::array<std::wstring, 5>> read = ReadPage(vk::HtmlExport(rows));
    VK_FUZZ_CHECK(read.size() == rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const vk::ExportRow& row = rows[i];
        const std::wstring target = row.path + (row.path.empty() || row.path.back() != L'\\' ? L"\\" : L"") + row.name;
        if (!(read[i][0] == AsRead(row.name) && read[i][1] == AsRead(target))) {
            std::fprintf(stderr, "name [%s] read [%s] target [%s] read [%s]\n", vk::fuzz::Codes(row.name).c_str(),
                         vk::fuzz::Codes(read[i][0]).c_str(), vk::fuzz::Codes(target).c_str(),
                         vk::fuzz::Codes(read[i][1]).c_str());
            VK_FUZZ_CHECK(!"a name or a link target is read back otherwise");
        }
        VK_FUZZ_CHECK(read[i][2] == AsRead(row.path) && read[i][3] == AsRead(row.path));
        VK_FUZZ_CHECK(read[i][4] == AsRead(row.size.empty() ? L"\u00A0" : row.size) + L"\n");
    }

    const std::string text = vk::TextExport(paths);
    std::size_t at = 0;
    for (const std::wstring& path : paths) {
        if (path.find_first_of(L"\r\n&") != std::wstring::npos) {
            return 0; // the lossy rule: the lines that follow cannot be told apart any more
        }
        const std::size_t end = text.find("\r\n", at);
        VK_FUZZ_CHECK(end != std::string::npos);
        VK_FUZZ_CHECK(Unreferenced(std::string_view(text).substr(at, end - at)) == path);
        at = end + 2;
    }
    VK_FUZZ_CHECK(at == text.size());
    return 0;
}
