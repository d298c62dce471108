#pragma once
// The form state file, "vk.set" in the program's folder of the user's data (platform/UserFiles.h:
// %APPDATA%\Varnokle, or one that an older version left in the current directory): the mask
// histories of the search forms, kept from one run to the next and handed from one form to the
// other at a mode switch.
//
// Plain text, one byte per character (the byte is the character's code, 0 to 255), every line
// ending in CR LF (a reader takes a line feed as the end, dropping a carriage return before it):
//   N1                  the number of file-mask entries, decimal
//   N1 lines            the file-mask history, newest first
//   N2                  the number of share-mask entries (advanced form only)
//   N2 lines            the share-mask history
//   N3                  the number of exclude-mask entries (advanced form only, and only when
//   N3 lines            there are any): the exclude-mask history
//
// The exclude block comes after the others, so a file without it reads as before (no exclude
// history), and a program that reads only the first two blocks reads a file with it as before.
//
// Reading is forgiving: a count is read the lenient way (see LenientNumber.h; no number gives 0),
// and entries missing at the end of the file come in as empty ones. Hand-edited files are
// bounded: a count above kMaxEntriesRead reads the lines that are there, at most that many, and
// the file is read no further than kMaxFormStateBytes.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// The file's name; the forms find it with UserFileToRead and UserFileToWrite at each read and write.
constexpr const wchar_t* kFormStateFileName = L"vk.set";

// Entries beyond this count are not read, and a count beyond it is not made up with empty entries.
constexpr std::size_t kMaxEntriesRead = 100;
// The longest entry that is written (the longest text a person can type into a mask box).
constexpr std::size_t kMaxStoredEntryLength = 32766;
// How much of the file is read at most: far more than the longest file the program writes.
constexpr std::size_t kMaxFormStateBytes = std::size_t{1} << 20;

// Which blocks a form reads and writes: the simple form the file masks only, the advanced form both.
enum class FormBlocks { kFileMasks, kFileAndShareMasks };

struct FormState {
    std::vector<std::wstring> fileMasks;
    std::vector<std::wstring> shareMasks;
    std::vector<std::wstring> excludeMasks;

    friend bool operator==(const FormState&, const FormState&) = default;
};

// Whether an entry can be stored in the file as it is: no character above 255 (the file has one
// byte per character), no line feed (it would end the line), and not longer than
// kMaxStoredEntryLength. Other entries are left out of the file rather than changed.
[[nodiscard]] bool IsStorableEntry(std::wstring_view entry);

// The file's bytes for a form's histories: of each history written, its first
// kStoredHistoryEntries entries, less those that cannot be stored.
[[nodiscard]] std::string FormatFormState(const FormState& state, FormBlocks blocks);

// The histories in a file's bytes; the share and exclude masks stay empty for kFileMasks.
[[nodiscard]] FormState ParseFormState(std::string_view bytes, FormBlocks blocks);

// Reads the file. A file that cannot be opened gives empty histories; nothing is reported. A
// missing file is left missing: the first write makes it.
[[nodiscard]] FormState ReadFormStateFile(const std::filesystem::path& file, FormBlocks blocks);

// Writes the file, creating or emptying it. False if it could not be written; nothing is
// reported.
bool WriteFormStateFile(const std::filesystem::path& file, const FormState& state, FormBlocks blocks);

} // namespace vk
