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
// A node of the network tree that could not be read: the text, the node's name, ": " and the
// system's message.
constexpr const wchar_t* kTextCannotRead = L"Cannot read ";
// A node of the network tree whose enumeration runs: the text, the node's name and "...". And the
// nodes whose enumerations Stop abandoned (a server that did not answer), after the text.
constexpr const wchar_t* kTextReading = L"Reading ";
constexpr const wchar_t* kTextStoppedReading = L"Stopped reading ";
// A provider that lists no computers (networks without the browse service): after its name.
constexpr const wchar_t* kTextListsNoComputers = L" lists no computers. Add servers by name with Tools, Add Server...";
// The Add Server dialog: pieces of the list that are no server name (each on a line after the
// text), and a list without any name.
constexpr const wchar_t* kTextNotAServerName = L"These are not server names or UNC paths:";
constexpr const wchar_t* kTextTypeAServerName =
    L"Type the name or address of a server, such as FILESRV01 or 192.0.2.7.";

// Status bar panes.
constexpr int kPaneMessage = 0;
constexpr int kPaneItemCount = 1;

} // namespace vk
