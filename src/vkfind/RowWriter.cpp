#include "vkfind/RowWriter.h"

#include "engine/ModifiedTime.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace vk {
namespace {

bool IsControl(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A UTF-16 code unit of a surrogate pair, or a lone one. (Where wide characters are 32 bits,
// every surrogate is lone: an undecodable file-name byte is one of them.)
bool IsSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// True when text[i] is the first half of a well-formed surrogate pair (UTF-16 only).
bool StartsPair(std::wstring_view text, std::size_t i) {
    return sizeof(wchar_t) == 2 && text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
           text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
}

std::string Hex(unsigned value, int digits) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

// The escape of a character in a quoted TSV field or a JSON string: \\, \", \t, \n, \r, and
// \u with four hex digits (format "%04X" or "%04x") for other controls and lone surrogates.
// Empty for a character that stands for itself.
std::string CharacterEscape(wchar_t c, const char* hexFormat) {
    switch (c) {
    case L'\\':
        return "\\\\";
    case L'"':
        return "\\\"";
    case L'\t':
        return "\\t";
    case L'\n':
        return "\\n";
    case L'\r':
        return "\\r";
    default:
        break;
    }
    if (!IsControl(c) && !IsSurrogate(c)) {
        return {};
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, hexFormat, static_cast<unsigned>(c));
    return std::string("\\u") + buffer;
}

// text in UTF-8, with each character for which escape gives a text replaced by that text. A
// surrogate pair stays one character.
template <typename Escape> std::string Escaped(std::wstring_view text, Escape escape) {
    std::string out;
    std::size_t plain = 0; // start of the run not yet written
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (StartsPair(text, i)) {
            ++i;
            continue;
        }
        const std::string replacement = escape(text[i]);
        if (!replacement.empty()) {
            out += Utf8FromWide(text.substr(plain, i - plain));
            out += replacement;
            plain = i + 1;
        }
    }
    return out + Utf8FromWide(text.substr(plain));
}

bool NeedsTsvQuotes(std::wstring_view text) {
    if (!text.empty() && text.front() == L'"') {
        return true;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (StartsPair(text, i)) {
            ++i;
        } else if (IsControl(text[i]) || IsSurrogate(text[i])) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<OutputFormat> ParseOutputFormat(std::wstring_view text) {
    if (text == L"tsv") {
        return OutputFormat::kTsv;
    }
    if (text == L"csv") {
        return OutputFormat::kCsv;
    }
    if (text == L"json") {
        return OutputFormat::kJson;
    }
    return std::nullopt;
}

std::string TsvField(std::wstring_view text) {
    if (!NeedsTsvQuotes(text)) {
        return Utf8FromWide(text);
    }
    return '"' +
           Escaped(text,
                   [](wchar_t c) {
                       if (IsEscapedByte(c)) {
                           return "\\x" + Hex(static_cast<unsigned>(c - 0xDC00), 2);
                       }
                       return CharacterEscape(c, "%04X");
                   }) +
           '"';
}

std::string JsonString(std::wstring_view text) {
    return '"' + Escaped(text, [](wchar_t c) { return CharacterEscape(c, "%04x"); }) + '"';
}

namespace {

constexpr std::wstring_view kColumnNames[] = {L"name", L"size", L"modified", L"folder"};
constexpr OutputColumn kDefaultColumns[] = {OutputColumn::kName, OutputColumn::kSize, OutputColumn::kFolder};

} // namespace

std::optional<std::vector<OutputColumn>> ParseColumns(std::wstring_view text) {
    std::vector<OutputColumn> columns;
    for (;;) {
        const std::size_t comma = text.find(L',');
        const std::wstring_view name = text.substr(0, comma);
        std::size_t known = 0;
        while (known < std::size(kColumnNames) && kColumnNames[known] != name) {
            ++known;
        }
        const auto column = static_cast<OutputColumn>(known);
        if (known == std::size(kColumnNames) || std::find(columns.begin(), columns.end(), column) != columns.end()) {
            return std::nullopt;
        }
        columns.push_back(column);
        if (comma == std::wstring_view::npos) {
            return columns;
        }
        text.remove_prefix(comma + 1);
    }
}

bool WritesSizeOrTime(OutputFormat format, std::span<const OutputColumn> columns) {
    if (columns.empty()) {
        columns = kDefaultColumns;
    }
    return format == OutputFormat::kJson || std::any_of(columns.begin(), columns.end(), [](OutputColumn column) {
               return column == OutputColumn::kSize || column == OutputColumn::kModified;
           });
}

namespace {

// True for a field that tsv (tsv true) or csv write as its characters, one byte each: printable
// ASCII, not beginning with '"' for tsv, without ',' or '"' for csv. Most names and folders are
// such, and skip the general encoding.
bool IsPlainField(std::wstring_view text, bool tsv) {
    if (tsv && !text.empty() && text.front() == L'"') {
        return false;
    }
    for (const wchar_t c : text) {
        if (c < 0x20 || c > 0x7E || (!tsv && (c == L',' || c == L'"'))) {
            return false;
        }
    }
    return true;
}

// Output gathered in memory and handed to the stream in large pieces.
constexpr std::size_t kWriteChunk = 64 * 1024;

} // namespace

bool WriteRows(std::ostream& out, OutputFormat format, const MemoryResultList& list,
               const std::function<std::int64_t(std::intptr_t)>& modifiedOf, std::span<const OutputColumn> columns) {
    if (columns.empty()) {
        columns = kDefaultColumns;
    }
    std::string pending;
    pending.reserve(kWriteChunk + 4096);
    if (format == OutputFormat::kCsv) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            pending += i > 0 ? "," : "";
            pending += Utf8FromWide(kColumnNames[static_cast<std::size_t>(columns[i])]);
        }
        pending += "\r\n";
    }
    // The time costs a conversion a row: it is made only where it is written.
    const bool showsTime =
        modifiedOf && (format == OutputFormat::kJson ||
                       std::find(columns.begin(), columns.end(), OutputColumn::kModified) != columns.end());
    bool written = static_cast<bool>(out);
    const auto hand = [&out, &pending, &written] {
        out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
        pending.clear();
        written = static_cast<bool>(out);
    };
    list.ForEachRow([&](const MemoryResultList::RowView& row) {
        if (!written) {
            return;
        }
        // Named views, not a structured binding: the lambda below captures them.
        const std::wstring_view name = row.columns[0];
        const std::wstring_view size = row.columns[1];
        const std::wstring_view folder = row.columns[2];
        const std::wstring time = showsTime ? IsoLocalText(modifiedOf(row.data)) : std::wstring();
        const auto field = [&](OutputColumn column) -> std::wstring_view {
            switch (column) {
            case OutputColumn::kName:
                return name;
            case OutputColumn::kSize:
                return size;
            case OutputColumn::kModified:
                return time;
            case OutputColumn::kFolder:
                break;
            }
            return folder;
        };
        switch (format) {
        case OutputFormat::kTsv:
        case OutputFormat::kCsv: {
            const bool tsv = format == OutputFormat::kTsv;
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const std::wstring_view text = field(columns[i]);
                if (i > 0) {
                    pending += tsv ? '\t' : ',';
                }
                if (IsPlainField(text, tsv)) {
                    std::transform(text.begin(), text.end(), std::back_inserter(pending),
                                   [](wchar_t c) { return static_cast<char>(c); });
                } else {
                    pending += tsv ? TsvField(text) : CsvField(text);
                }
            }
            pending += tsv ? "\n" : "\r\n";
            break;
        }
        case OutputFormat::kJson:
            pending += "{\"name\":" + JsonString(name) + ",\"size\":" + (size.empty() ? "null" : Utf8FromWide(size)) +
                       ",\"modified\":" + (time.empty() ? "null" : JsonString(time)) +
                       ",\"folder\":" + JsonString(folder) + "}\n";
            break;
        }
        if (pending.size() >= kWriteChunk) {
            hand();
        }
    });
    if (written && !pending.empty()) {
        hand();
    }
    if (!written) {
        return false;
    }
    out.flush();
    return static_cast<bool>(out);
}

} // namespace vk
