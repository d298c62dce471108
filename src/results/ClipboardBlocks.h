#pragma once
// The clipboard blocks of Copy Files and Copy Path, byte for byte (little-endian throughout).
//
// Copy Files, the shell's file list (CF_HDROP):
//   offset 0   4 bytes  offset of the file list: 20
//   offset 4   8 bytes  drop point x, y: 0, 0
//   offset 12  4 bytes  non-client flag: 0
//   offset 16  4 bytes  wide-character flag: 1
//   offset 20  2n bytes each path as UTF-16 code units followed by one 0 unit
//   then       5 bytes  zero: the 0 unit that ends the list and three spare bytes
// n counts the code units of the list with each path's 0 unit, so the block has 2n + 25 bytes.
//
// Copy Path, Unicode text (CF_UNICODETEXT): the text as UTF-16 code units and one 0 unit.

#include <string>
#include <string_view>
#include <vector>

namespace vk {

[[nodiscard]] std::vector<unsigned char> FileDropBlock(const std::vector<std::wstring>& paths);

[[nodiscard]] std::vector<unsigned char> UnicodeTextBlock(std::wstring_view text);

} // namespace vk
