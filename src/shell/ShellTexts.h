#pragma once
// The program's help file, the addresses its Help menu opens, and its last words. (The program's
// name, the caption of its message boxes, is the engine's kProgramName.)

namespace vk {

// The project's web site ("Varnokle Online") and the support address ("E-Mail").
constexpr const wchar_t* kWebSite = L"https://varnokle.example.org/";
constexpr const wchar_t* kSupportMailLink = L"mailto:support@varnokle.example.org";

// The help file: looked for beside the program, then in the current directory.
constexpr const wchar_t* kHelpFileName = L"Varnokle.chm";
constexpr const wchar_t* kTextHelpFileMissing =
    L"The help file Varnokle.chm is neither in the program's folder nor in the current folder.";
// When the system's help viewer cannot show it: this, the file's path, a line break and the
// system's reason.
constexpr const wchar_t* kTextHelpViewerFailed = L"The help viewer could not show ";

// What the program says when a failure it did not foresee ends it.
constexpr const wchar_t* kTextClipboardFailed =
    L"The clipboard could not be set: another program may be using it. Please try again.";
constexpr const wchar_t* kTextUnexpectedEnd = L"Varnokle has met an unexpected failure and ends.";

} // namespace vk
