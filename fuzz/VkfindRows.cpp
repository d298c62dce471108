// vkfind's row writers: random rows written as TSV, CSV and JSON Lines and read back by readers
// written here (TSV with its escapes, RFC 4180 CSV, a JSON parser) give the same rows. Names are
// what file names on this system give: any characters, and undecodable bytes (U+DC80-U+DCFF)
// where the bytes were not UTF-8; TSV is also read back for any text at all, lone surrogates
// included. CSV writes a name's bytes as they are, so it is read back as bytes. The rows carry
// random modified times, and TSV and CSV are written with random --columns as well as without.

#include "FuzzInput.h"
#include "engine/ModifiedTime.h"
#include "platform/Utf8.h"
#include "vkfind/RowWriter.h"

#include <sstream>

namespace {

using Row = std::vector<std::wstring>;

unsigned HexValue(std::string_view digits) {
    VK_FUZZ_CHECK(!digits.empty());
    unsigned value = 0;
    for (const char c : digits) {
        const bool digit = c >= '0' && c <= '9';
        const bool upper = c >= 'A' && c <= 'F';
        const bool lower = c >= 'a' && c <= 'f';
        VK_FUZZ_CHECK(digit || upper || lower);
        value = value * 16 + static_cast<unsigned>(digit ? c - '0' : upper ? c - 'A' + 10 : c - 'a' + 10);
    }
    return value;
}

// UTF-8 read with Python's "surrogateescape": a byte that begins no character is U+DC00 + byte.
std::wstring DecodeNameBytes(std::string_view bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int length = b < 0x80                 ? 1
                           : b >= 0xC2 && b <= 0xDF ? 2
                           : b >= 0xE0 && b <= 0xEF ? 3
                           : b >= 0xF0 && b <= 0xF4 ? 4
                                                    : 0;
        char32_t code = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
        bool ok = length > 0 && i + static_cast<std::size_t>(length) <= bytes.size();
        for (int k = 1; ok && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            ok = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        ok = ok && !(length == 3 && code < 0x800) && !(length == 4 && (code < 0x10000 || code > 0x10FFFF)) &&
             !(code >= 0xD800 && code <= 0xDFFF);
        if (!ok) {
            text += static_cast<wchar_t>(0xDC00 + b);
            ++i;
        } else {
            text += static_cast<wchar_t>(code);
            i += static_cast<std::size_t>(length);
        }
    }
    return text;
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t next = text.find(end, at);
        VK_FUZZ_CHECK(next != std::string::npos);
        lines.push_back(text.substr(at, next - at));
        at = next + end.size();
    }
    return lines;
}

std::wstring ReadTsvField(std::string_view field) {
    if (field.empty() || field.front() != '"') {
        VK_FUZZ_CHECK(field.find_first_of("\t\n\r") == std::string_view::npos);
        return DecodeNameBytes(field);
    }
    VK_FUZZ_CHECK(field.size() >= 2 && field.back() == '"');
    field = field.substr(1, field.size() - 2);
    std::wstring text;
    std::size_t plain = 0;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            VK_FUZZ_CHECK(field[i] != '"');
            continue;
        }
        text += DecodeNameBytes(field.substr(plain, i - plain));
        VK_FUZZ_CHECK(i + 1 < field.size());
        const char e = field[++i];
        if (e == 'x' || e == 'u') {
            const std::size_t digits = e == 'x' ? 2 : 4;
            VK_FUZZ_CHECK(i + digits < field.size() + 1);
            const unsigned value = HexValue(field.substr(i + 1, digits));
            text += static_cast<wchar_t>(e == 'x' ? 0xDC00 + value : value);
            i += digits;
        } else {
            VK_FUZZ_CHECK(e == '\\' || e == '"' || e == 't' || e == 'n' || e == 'r');
            text += e == 't' ? L'\t' : e == 'n' ? L'\n' : e == 'r' ? L'\r' : static_cast<wchar_t>(e);
        }
        plain = i + 1;
    }
    return text + DecodeNameBytes(field.substr(plain));
}

std::vector<Row> ReadTsv(const std::string& text) {
    std::vector<Row> rows;
    for (const std::string& line : Lines(text, "\n")) {
        Row row;
        std::size_t at = 0;
        for (std::size_t tab; (tab = line.find('\t', at)) != std::string::npos; at = tab + 1) {
            row.push_back(ReadTsvField(std::string_view(line).substr(at, tab - at)));
        }
        row.push_back(ReadTsvField(std::string_view(line).substr(at)));
        rows.push_back(std::move(row));
    }
    return rows;
}

// RFC 4180: records end in CR LF; a field in double quotes may hold anything, '"' doubled.
std::vector<Row> ReadCsv(const std::string& text, const std::vector<std::string>& header) {
    std::vector<std::vector<std::string>> records(1);
    std::string field;
    std::size_t i = 0;
    bool atFieldStart = true;
    while (i < text.size()) {
        if (atFieldStart && text[i] == '"') {
            for (++i;; ++i) {
                VK_FUZZ_CHECK(i < text.size());
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        ++i;
                    } else {
                        ++i;
                        break;
                    }
                } else {
                    field += text[i];
                }
            }
            atFieldStart = false;
            VK_FUZZ_CHECK(i < text.size() && (text[i] == ',' || text[i] == '\r'));
            continue;
        }
        if (text[i] == ',') {
            records.back().push_back(field);
            field.clear();
            atFieldStart = true;
            ++i;
        } else if (text.compare(i, 2, "\r\n") == 0) {
            records.back().push_back(field);
            field.clear();
            records.emplace_back();
            atFieldStart = true;
            i += 2;
        } else {
            VK_FUZZ_CHECK(text[i] != '"' && text[i] != '\r' && text[i] != '\n');
            field += text[i++];
            atFieldStart = false;
        }
    }
    VK_FUZZ_CHECK(field.empty() && records.back().empty());
    records.pop_back();
    VK_FUZZ_CHECK(!records.empty() && records.front() == header);
    std::vector<Row> rows;
    for (std::size_t r = 1; r < records.size(); ++r) {
        Row row;
        for (const std::string& bytes : records[r]) {
            row.push_back(DecodeNameBytes(bytes));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// A JSON parser for the values a row holds: objects, strings, whole numbers and null.
class Json {
public:
    explicit Json(std::string_view text) : text_(text) {}

    // name, size, modified ("" for null) and folder.
    Row ReadRow() {
        Row row;
        Expect('{');
        for (const char* key : {"name", "size", "modified", "folder"}) {
            VK_FUZZ_CHECK(ReadString() == DecodeNameBytes(key));
            Expect(':');
            if (std::string_view(key) == "size") {
                row.push_back(ReadSize());
            } else if (std::string_view(key) == "modified" && text_.substr(at_, 4) == "null") {
                at_ += 4;
                row.emplace_back();
            } else {
                row.push_back(ReadString());
            }
            if (std::string_view(key) != "folder") {
                Expect(',');
            }
        }
        Expect('}');
        VK_FUZZ_CHECK(at_ == text_.size());
        return row;
    }

private:
    void Expect(char c) {
        VK_FUZZ_CHECK(at_ < text_.size() && text_[at_] == c);
        ++at_;
    }

    std::wstring ReadSize() {
        if (text_.substr(at_, 4) == "null") {
            at_ += 4;
            return {};
        }
        std::wstring digits;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
            digits += static_cast<wchar_t>(text_[at_++]);
        }
        VK_FUZZ_CHECK(!digits.empty() && (digits == L"0" || digits.front() != L'0'));
        return digits;
    }

    std::wstring ReadString() {
        Expect('"');
        std::wstring text;
        std::size_t plain = at_;
        for (;;) {
            VK_FUZZ_CHECK(at_ < text_.size());
            const char c = text_[at_];
            VK_FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20);
            if (c == '"' || c == '\\') {
                text += DecodeNameBytes(text_.substr(plain, at_ - plain));
                ++at_;
                if (c == '"') {
                    return text;
                }
                VK_FUZZ_CHECK(at_ < text_.size());
                const char e = text_[at_++];
                if (e == 'u') {
                    char32_t code = HexValue(text_.substr(at_, 4));
                    at_ += 4;
                    // A pair of escaped surrogates is one character.
                    if (code >= 0xD800 && code <= 0xDBFF && text_.substr(at_, 2) == "\\u") {
                        const unsigned low = HexValue(text_.substr(at_ + 2, 4));
                        if (low >= 0xDC00 && low <= 0xDFFF) {
                            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                            at_ += 6;
                        }
                    }
                    text += static_cast<wchar_t>(code);
                } else {
                    const std::string_view simple = "\"\\/bfnrt";
                    const std::wstring_view meant = L"\"\\/\b\f\n\r\t";
                    VK_FUZZ_CHECK(simple.find(e) != std::string_view::npos);
                    text += meant[simple.find(e)];
                }
                plain = at_;
            } else {
                ++at_;
            }
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

std::vector<Row> ReadJson(const std::string& text) {
    std::vector<Row> rows;
    for (const std::string& line : Lines(text, "\n")) {
        rows.push_back(Json(line).ReadRow());
    }
    return rows;
}

constexpr vk::OutputColumn kAllColumns[] = {vk::OutputColumn::kName, vk::OutputColumn::kSize,
                                            vk::OutputColumn::kModified, vk::OutputColumn::kFolder};
constexpr const char* kColumnNames[] = {"name", "size", "modified", "folder"};
constexpr vk::OutputColumn kDefaultColumns[] = {vk::OutputColumn::kName, vk::OutputColumn::kSize,
                                                vk::OutputColumn::kFolder};

// Rows with their data value an index into times, the rows' modified times.
std::vector<Row> Write(vk::OutputFormat format, const std::vector<vk::ResultRow>& rows,
                       const std::vector<std::int64_t>& times, std::span<const vk::OutputColumn> columns) {
    vk::MemoryResultList list;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int at = list.InsertRow(list.GetItemCount(), rows[i].columns[0], rows[i].image);
        list.SetColumnText(at, 1, rows[i].columns[1]);
        list.SetColumnText(at, 2, rows[i].columns[2]);
        list.SetRowData(at, static_cast<std::intptr_t>(i));
    }
    std::ostringstream out;
    VK_FUZZ_CHECK(vk::WriteRows(
        out, format, list, [&](std::intptr_t data) { return times.at(static_cast<std::size_t>(data)); }, columns));
    std::vector<std::string> header;
    for (const vk::OutputColumn column : columns.empty() ? std::span(kDefaultColumns) : columns) {
        header.push_back(kColumnNames[static_cast<std::size_t>(column)]);
    }
    switch (format) {
    case vk::OutputFormat::kTsv:
        return ReadTsv(out.str());
    case vk::OutputFormat::kCsv:
        return ReadCsv(out.str(), header);
    default:
        return ReadJson(out.str());
    }
}

// The fields the rows should give back in those columns (none: name, size and folder).
std::vector<Row> Columns(const std::vector<vk::ResultRow>& rows, const std::vector<std::int64_t>& times,
                         std::span<const vk::OutputColumn> columns) {
    std::vector<Row> expected;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Row row;
        for (const vk::OutputColumn column : columns.empty() ? std::span(kDefaultColumns) : columns) {
            switch (column) {
            case vk::OutputColumn::kName:
                row.push_back(rows[i].columns[0]);
                break;
            case vk::OutputColumn::kSize:
                row.push_back(rows[i].columns[1]);
                break;
            case vk::OutputColumn::kModified:
                row.push_back(vk::IsoLocalText(times[i]));
                break;
            case vk::OutputColumn::kFolder:
                row.push_back(rows[i].columns[2]);
                break;
            }
        }
        expected.push_back(std::move(row));
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    static constexpr std::wstring_view kSpecial =
        L"\"\",,\\\t\n\r\x01\x1F\x7F\x85\x9F aZ\u00E9\u2028\xDC80\xDCFF\xD800\U0001F600";
    std::vector<vk::ResultRow> anyText(input.ConsumeIntegralInRange<std::size_t>(0, 3));
    std::vector<vk::ResultRow> names = anyText;
    for (std::size_t i = 0; i < anyText.size(); ++i) {
        auto& [name, sizeText, folder] = anyText[i].columns;
        name = vk::fuzz::WideText(input, 10, kSpecial);
        folder = vk::fuzz::WideText(input, 10, kSpecial);
        const bool file = input.ConsumeBool();
        sizeText = file ? std::to_wstring(input.ConsumeIntegral<std::uint64_t>()) : L"";
        // As a file name on this system reads: through its bytes.
        names[i].columns = {vk::WideFromFileName(vk::FileNameFromWide(name)), sizeText,
                            vk::WideFromFileName(vk::FileNameFromWide(folder))};
    }
    // Times unknown (0), or any time from 1601 to 9999 in file time ticks.
    std::vector<std::int64_t> times;
    for (std::size_t i = 0; i < anyText.size(); ++i) {
        times.push_back(input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange<std::int64_t>(1, 2650467743999999999));
    }
    // --columns: each field at most once, in any order; or none.
    std::vector<vk::OutputColumn> columns;
    std::vector<vk::OutputColumn> left(std::begin(kAllColumns), std::end(kAllColumns));
    for (std::size_t n = input.ConsumeIntegralInRange<std::size_t>(0, 4); n > 0 && !left.empty(); --n) {
        const std::size_t pick = input.ConsumeIntegralInRange<std::size_t>(0, left.size() - 1);
        columns.push_back(left[pick]);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    for (const std::span<const vk::OutputColumn> chosen :
         {std::span<const vk::OutputColumn>(), std::span<const vk::OutputColumn>(columns)}) {
        VK_FUZZ_CHECK(Write(vk::OutputFormat::kTsv, anyText, times, chosen) == Columns(anyText, times, chosen));
        VK_FUZZ_CHECK(Write(vk::OutputFormat::kTsv, names, times, chosen) == Columns(names, times, chosen));
        VK_FUZZ_CHECK(Write(vk::OutputFormat::kCsv, names, times, chosen) == Columns(names, times, chosen));
    }
    VK_FUZZ_CHECK(Write(vk::OutputFormat::kJson, names, times, {}) == Columns(names, times, kAllColumns));
    return 0;
}
