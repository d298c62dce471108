#pragma once
// Copy Files and Copy Path: the selected rows of the result list on the clipboard, as the shell's
// file list (pasted into a folder, it copies the files) or as the folder of the first one as
// text. Either replaces the whole clipboard with its one block, made before the clipboard is
// emptied; with no row selected, or with the clipboard held by another program, nothing changes.
//
// The paths come from the result store by the rows' data values. The store has a lock of its
// own, held only while a path is copied out, so reading it while a search appends is safe and
// never waits for the engine.

#include "engine/ResultStore.h"
#include "framework/Win32.h"
#include "platform/NetworkEnvironment.h"
#include "results/win/ResultListCtrl.h"

namespace vk {

// CF_HDROP of the full paths of the selected rows, in increasing row order, as the shell opens
// them (on a folder network the folders' own paths, as Open uses). True if the clipboard got it.
bool CopySelectedFiles(const CResultListCtrl& list, const ResultStore& store, const NetworkEnvironment& environment,
                       HWND owner);

// CF_UNICODETEXT of the "Path" column of the first selected row. True if the clipboard got it.
bool CopySelectedPath(const CResultListCtrl& list, HWND owner);

} // namespace vk
