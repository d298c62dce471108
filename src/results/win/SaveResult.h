#pragma once
// "Save result": the save dialog, then the file in the format its filter or name asks for (see
// ResultExport and Utf8Exports): the page or the CSV file of the rows the list shows, in their
// order, or the text or Unicode text file of the whole store in the order found. A file that cannot be created or
// written is reported in a message box that names it; nothing then counts as saved.

#include "engine/ResultStore.h"
#include "framework/Win32.h"
#include "results/win/ResultListCtrl.h"

#include <optional>
#include <string>

namespace vk {

// The save dialog, owned by owner, opened with filterIndex (numbered from 1) selected; the full
// path chosen, or nothing when cancelled. filterIndex becomes the filter chosen.
[[nodiscard]] std::optional<std::wstring> AskSaveResultPath(HWND owner, unsigned& filterIndex);

// Writes the result to path ("unknoun.txt" in the user's data folder for an empty text path), in
// the format of the filter chosen or else of the name (ExportFormatFor). On failure shows the
// message naming the file (ui::ShowMessageBox) and returns false.
bool WriteResultFile(const std::wstring& path, const CResultListCtrl& list, const ResultStore& store, HWND owner,
                     unsigned filterIndex = 1);

// The whole command: the dialog, then the file. filterIndex is the filter the dialog opens with,
// and becomes the one chosen, so that the next save offers it again. Returns whether a file was
// written.
bool SaveResult(const CResultListCtrl& list, const ResultStore& store, HWND owner, unsigned& filterIndex);

} // namespace vk
