#pragma once
// The texts the engine shows in the status bar and its message boxes.

namespace vk {

// The program's name, the caption of its message boxes.
constexpr const wchar_t* kProgramName = L"Varnokle";

constexpr const wchar_t* kTextPleaseWait = L"Please wait...";
constexpr const wchar_t* kTextSearchIn = L"Search in ";
constexpr const wchar_t* kTextWaitingForThreads = L"Waiting for active threads to terminate...";
constexpr const wchar_t* kTextSearchCompleted = L"Search completed";
constexpr const wchar_t* kTextZeroItems = L"0 items";
constexpr const wchar_t* kTextItemsSuffix = L" items";
constexpr const wchar_t* kTextPleaseInsertMask = L"Please insert mask for search.";
// A walk or a worker that failed (most likely for want of memory) and gave up its part.
constexpr const wchar_t* kTextSearchFailedInPart =
    L"Part of the search failed (most likely for want of memory): the result list may lack some hits.";

// Status bar panes.
constexpr int kPaneMessage = 0;
constexpr int kPaneItemCount = 1;

} // namespace vk
