#include "forms/FormStateFile.h"

#include "forms/LenientNumber.h"
#include "forms/MaskHistory.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

namespace vk {
namespace {

// A history's block; an optional block is left out when it would hold no entry.
void AppendBlock(std::string& bytes, const std::vector<std::wstring>& entries, bool optional = false) {
    const std::size_t considered = std::min(entries.size(), kStoredHistoryEntries);
    std::vector<const std::wstring*> stored;
    for (std::size_t i = 0; i < considered; ++i) {
        if (IsStorableEntry(entries[i])) {
            stored.push_back(&entries[i]);
        }
    }
    if (optional && stored.empty()) {
        return;
    }
    bytes += std::to_string(stored.size());
    bytes += "\r\n";
    for (const std::wstring* entry : stored) {
        for (const wchar_t c : *entry) {
            bytes += static_cast<char>(static_cast<unsigned char>(c));
        }
        bytes += "\r\n";
    }
}

// The next line of rest (without its line feed and a carriage return before it), or false at
// the end of the bytes.
bool NextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) {
        return false;
    }
    const std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) {
        line = rest;
        rest = {};
        return true;
    }
    line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    rest.remove_prefix(end + 1);
    return true;
}

std::wstring Widen(std::string_view line) {
    std::wstring text;
    text.reserve(line.size());
    for (const char c : line) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return text;
}

// One block: its count line (already read) and its entries.
void ReadEntries(std::string_view& rest, std::string_view countLine, std::vector<std::wstring>& entries) {
    const long long count = ReadLenientInteger(countLine);
    if (count <= 0) {
        return;
    }
    const bool sane = count <= static_cast<long long>(kMaxEntriesRead);
    const std::size_t wanted = sane ? static_cast<std::size_t>(count) : kMaxEntriesRead;
    std::string_view line;
    for (std::size_t i = 0; i < wanted; ++i) {
        if (NextLine(rest, line)) {
            entries.push_back(Widen(line));
        } else if (sane) {
            entries.emplace_back();
        } else {
            break;
        }
    }
}

} // namespace

bool IsStorableEntry(std::wstring_view entry) {
    return entry.size() <= kMaxStoredEntryLength && std::all_of(entry.begin(), entry.end(), [](wchar_t c) {
               return c != L'\n' && static_cast<std::uint32_t>(c) <= 0xFF;
           });
}

std::string FormatFormState(const FormState& state, FormBlocks blocks) {
    std::string bytes;
    AppendBlock(bytes, state.fileMasks);
    if (blocks == FormBlocks::kFileAndShareMasks) {
        AppendBlock(bytes, state.shareMasks);
        AppendBlock(bytes, state.excludeMasks, true);
    }
    return bytes;
}

FormState ParseFormState(std::string_view bytes, FormBlocks blocks) {
    FormState state;
    std::string_view line;
    if (!NextLine(bytes, line)) {
        return state;
    }
    ReadEntries(bytes, line, state.fileMasks);
    if (blocks == FormBlocks::kFileAndShareMasks && NextLine(bytes, line)) {
        ReadEntries(bytes, line, state.shareMasks);
        if (NextLine(bytes, line)) {
            ReadEntries(bytes, line, state.excludeMasks);
        }
    }
    return state;
}

FormState ReadFormStateFile(const std::filesystem::path& file, FormBlocks blocks) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return {};
    }
    std::string bytes;
    char chunk[4096];
    while (bytes.size() < kMaxFormStateBytes) {
        in.read(chunk, static_cast<std::streamsize>(std::min(sizeof chunk, kMaxFormStateBytes - bytes.size())));
        const std::streamsize got = in.gcount();
        if (got <= 0) {
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return ParseFormState(bytes, blocks);
}

bool WriteFormStateFile(const std::filesystem::path& file, const FormState& state, FormBlocks blocks) {
    const std::string bytes = FormatFormState(state, blocks);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace vk
