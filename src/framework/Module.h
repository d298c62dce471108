#pragma once
// What the program's own module gives: the texts of its string table and the folder it lies in.

#include "framework/Win32.h"

#include <string>

namespace vk::ui {

// A string of the string table; empty when there is none.
[[nodiscard]] std::wstring LoadText(UINT id);

// The folder of the program's executable, without a trailing separator; empty when the system
// cannot say.
[[nodiscard]] std::wstring ProgramFolder();

} // namespace vk::ui
