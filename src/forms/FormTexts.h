#pragma once
// The search forms' own texts: their tooltips, the size modes of the advanced form, and what the
// status bar says when the settings or the forms' histories could not be kept.

namespace vk {

// Tooltips. The simple form uses the file mask, Start and Stop texts; the advanced form all.
constexpr const wchar_t* kTipFileMask = L"Use this parameter if you need find files or folders";
constexpr const wchar_t* kTipShareMask =
    L"Use this parameter if you need find shared resource\r\n on a servers(switching hiden shares)";
constexpr const wchar_t* kTipStart = L"Press \"Start\" button for start of search";
constexpr const wchar_t* kTipStop = L"Press \"Stop\" button for stop of search";
constexpr const wchar_t* kTipFileMaskCheck = L"Check/uncheck for enable/disable \"file mask\"";
constexpr const wchar_t* kTipShareMaskCheck = L"Check/uncheck for enable/disable \"sharing mask\"";
constexpr const wchar_t* kTipSizeMode = L"Select \"at least\" or \"at most\"";
constexpr const wchar_t* kTipSize = L"Size file";
// The advanced form's filter group.
constexpr const wchar_t* kTipModifiedMode = L"Select when the files or folders were last modified";
constexpr const wchar_t* kTipModifiedFirst =
    L"The time of \"after\" (included) or \"before\" (not included); for \"between\", its start";
constexpr const wchar_t* kTipModifiedUntil = L"The end of \"between\" (not included)";
constexpr const wchar_t* kTipExcludeMask =
    L"Files and folders so named are left out, and folders so named are not searched";
constexpr const wchar_t* kTipDepth =
    L"How many folders deep to search below each share or folder (0: its own entries only); empty for no limit";
constexpr const wchar_t* kTipFindKind = L"Select \"files and folders\", \"files only\" or \"folders only\"";

// The size modes, in the order of the box. Any text but the first exactly means "at most".
constexpr const wchar_t* kSizeAtLeast = L"at least";
constexpr const wchar_t* kSizeAtMost = L"at most";

// The filter group's choices, in the order of their boxes: the modified time
// (AdvancedFormInput::Modified) and the kind of hit (SearchRequest::Kind).
constexpr const wchar_t* kModifiedModes[] = {L"any time", L"after", L"before", L"between"};
constexpr const wchar_t* kFindKinds[] = {L"files and folders", L"files only", L"folders only"};

// The size bound a freshly shown advanced form starts with.
constexpr const wchar_t* kInitialSizeText = L"0";

// The filter group's refusals at Start.
constexpr const wchar_t* kTextBadDepth = L"Depth takes a number of folders from 0 to 32767, or nothing for no limit.";
constexpr const wchar_t* kTextNoSuchTime = L"The modified time chosen does not exist in this time zone.";

// A write of the profile or of the forms' state file that failed.
constexpr const wchar_t* kTextSettingsNotSaved = L"The settings could not be saved: they hold until Varnokle ends.";
constexpr const wchar_t* kTextHistoriesNotSaved = L"The mask histories could not be written to vk.set.";
// The mode button's other form could not be made: the form shown stays.
constexpr const wchar_t* kTextFormNotSwapped = L"The other search form could not be opened.";

} // namespace vk
