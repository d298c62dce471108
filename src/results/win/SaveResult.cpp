#include "results/win/SaveResult.h"

#include "engine/EngineTexts.h"
#include "framework/MessageBoxes.h"
#include "results/FileErrorText.h"
#include "results/ResultExport.h"
#include "results/Utf8Exports.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace vk {
namespace {

// The longest path the dialog may hand back, terminator included.
constexpr DWORD kPathBuffer = 32768;

// The dialog wants its filter as pairs of strings each ended by a 0, the list by another.
std::wstring DialogFilter() {
    std::wstring filter(kSaveResultFilter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    return filter;
}

std::vector<ExportRow> DisplayedRows(const CResultListCtrl& list) {
    std::vector<ExportRow> rows;
    // The rows are the list's model, which changes only on this thread.
    for (int row = 0; row < static_cast<int>(list.Rows().Size()); ++row) {
        rows.push_back({list.RowText(row, 0), list.RowText(row, 1), list.RowText(row, 2)});
    }
    return rows;
}

// The CSV file's rows: the list's texts, in the order shown, and each hit's time from the store.
std::vector<CsvRow> DisplayedCsvRows(const CResultListCtrl& list, const ResultStore& store) {
    std::vector<CsvRow> rows;
    for (int row = 0; row < static_cast<int>(list.Rows().Size()); ++row) {
        const auto index = static_cast<std::size_t>(list.RowData(row));
        rows.push_back(
            {list.RowText(row, 0), list.RowText(row, 1), store.Modified(index).value_or(0), list.RowText(row, 2)});
    }
    return rows;
}

void ShowFileError(const std::wstring& text) {
    ui::ShowMessageBox(text, kProgramName, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

std::optional<std::wstring> AskSaveResultPath(HWND owner, unsigned& filterIndex) {
    const std::wstring filter = DialogFilter();
    std::vector<wchar_t> file(kPathBuffer, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = filterIndex;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathBuffer;
    // Appended to a name typed without an extension when the chosen filter gives none; the dialog
    // takes it without the "*." ("*.txt" would make names such as "r.*.t").
    dialog.lpstrDefExt = L"txt";
    // The program's current directory is where an older version's state file and help file are
    // looked for: the dialog leaves it as it was.
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    filterIndex = dialog.nFilterIndex;
    return std::wstring(file.data());
}

bool WriteResultFile(const std::wstring& path, const CResultListCtrl& list, const ResultStore& store, HWND,
                     unsigned filterIndex) {
    std::string bytes;
    std::wstring target = path;
    // The store is read through copies taken under its own short lock: safe while a search appends.
    switch (ExportFormatFor(path, filterIndex)) {
    case ExportFormat::kHtml:
        bytes = HtmlExport(DisplayedRows(list));
        break;
    case ExportFormat::kCsv:
        bytes = CsvExport(DisplayedCsvRows(list, store));
        break;
    case ExportFormat::kText:
        bytes = TextExport(store.Copy().resultPaths);
        target = TextExportPath(path);
        break;
    case ExportFormat::kUnicodeText:
        bytes = UnicodeTextExport(store.Copy().resultPaths);
        target = TextExportPath(path);
        break;
    }

    const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ShowFileError(FileErrorText(GetLastError(), target));
        return false;
    }
    DWORD written = 0;
    const bool wrote =
        bytes.empty() ||
        (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
    const DWORD writeError = wrote ? ERROR_SUCCESS : GetLastError();
    const bool flushed = FlushFileBuffers(file) != FALSE;
    const bool closed = CloseHandle(file) != FALSE;
    // A file that did not get all its bytes is not a saved result: say so rather than nothing.
    if (!wrote) {
        ShowFileError(FileErrorText(writeError == ERROR_SUCCESS ? ERROR_DISK_FULL : writeError, target));
        return false;
    }
    if (!flushed || !closed) {
        ShowFileError(FileCloseErrorText(target));
        return false;
    }
    return true;
}

bool SaveResult(const CResultListCtrl& list, const ResultStore& store, HWND owner, unsigned& filterIndex) {
    const std::optional<std::wstring> path = AskSaveResultPath(owner, filterIndex);
    return path && WriteResultFile(*path, list, store, owner, filterIndex);
}

} // namespace vk
