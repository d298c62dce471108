#pragma once
// "Save result": the save dialog, then the file in the format its name asks for (see
// ResultExport): the page of the rows the list shows, in their order, or the text file of the
// whole store in the order found. A file that cannot be created or written is reported in a
// message box that names it; nothing then counts as saved.

#include "engine/ResultStore.h"
#include "framework/Win32.h"
#include "results/win/ResultListCtrl.h"

#include <optional>
#include <string>

namespace vk {

// The save dialog, owned by owner; the full path chosen, or nothing when cancelled.
[[nodiscard]] std::optional<std::wstring> AskSaveResultPath(HWND owner);

// Writes the result to path ("unknoun.txt" in the user's data folder for an empty text path).
// On failure shows the message naming the file (ui::ShowMessageBox) and returns false.
bool WriteResultFile(const std::wstring& path, const CResultListCtrl& list, const ResultStore& store, HWND owner);

// The whole command: the dialog, then the file. Returns whether a file was written.
bool SaveResult(const CResultListCtrl& list, const ResultStore& store, HWND owner);

} // namespace vk
