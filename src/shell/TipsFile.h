#pragma once
// The tips file of the tip of the day: a text file of 8-bit characters, one tip a line.
//
// A line whose first character is a space, a tab, a line feed (an empty line), ';' (a comment) or
// Ctrl-Z (the end-of-file mark that older editors write after the last line) is not a tip. Lines are read in pieces of
// at most 999 characters, and each piece counts as a line of its own. A carriage return before a line feed is dropped;
// every other byte becomes the character of the same code. Positions are byte offsets from the start of the file.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace vk {

// The longest piece of a line that is read at once, in characters (its line feed included).
constexpr std::size_t kTipPieceLength = 999;

enum class TipRead {
    kTip,          // the next tip was read
    kNoTip,        // the file holds no tip line: the whole file was read round once without one
    kRewindFailed, // the end was reached and the return to the start of the file failed
};

class TipsFile {
public:
    // Opens the file for reading (it stays open until Close or the object's end); false if it
    // cannot be opened.
    bool Open(const std::filesystem::path& path);
    void Close();
    [[nodiscard]] bool IsOpen() const { return file_.is_open(); }

    // The byte position of the next read; -1 when it cannot be told.
    [[nodiscard]] std::int64_t Position();
    // Moves to a byte position from the start of the file. A position past the end is allowed (the
    // next read finds the end); a negative one is refused.
    bool Seek(std::int64_t position);

    // Reads on to the next tip line, going back to the start of the file at its end, and puts it
    // (with its line feed, if it has one) into tip. Goes round the file at most once: a file
    // without a tip line ends the search with kNoTip instead of going round for ever.
    [[nodiscard]] TipRead ReadNextTip(std::wstring& tip);

    // Whether the file holds at least one tip line. Reads the file from its start; the position is
    // then undefined.
    [[nodiscard]] bool HoldsTip();

private:
    // The next piece of a line; empty at the end of the file (or on a read error).
    std::wstring ReadPiece();

    std::filebuf file_;
};

// The end-of-file mark some editors write after a text's last line.
constexpr wchar_t kEndOfFileMark = L'\x1A';

// Whether a piece of a line read from a tips file is a tip.
[[nodiscard]] bool IsTipLine(std::wstring_view piece);

// The fixed-width text of a time: "Wed Jan  2 02:03:55 1980" (weekday, month, day of month in two
// characters, hh:mm:ss and the four-digit year).
[[nodiscard]] std::wstring TimeStampText(const std::tm& time);

} // namespace vk
