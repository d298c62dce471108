#pragma once
// The shell's verbs on a file or an address (ShellExecuteEx), made through one replaceable
// function so that tests can see the call. The shell shows its own dialogs for what goes wrong
// (no program for the file's type: the "Open with" choice; a file that is not there: its
// message), owned by the window given: the program never asks it to keep quiet
// (SEE_MASK_FLAG_NO_UI), which would leave a failed Open without a word.

#include "framework/Win32.h"

#include <shellapi.h>

#include <string>

namespace vk::ui {

using ShellExecuteFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);

// The verb on the target, shown as show says, with owner as the owner of the shell's windows.
// False when the shell reported a failure (which it has shown itself).
bool ShellVerb(HWND owner, const wchar_t* verb, const std::wstring& target, int show);

// Replaces the system's ShellExecuteExW (null: the system's again); returns the one before.
ShellExecuteFunction UseShellExecute(ShellExecuteFunction function);

} // namespace vk::ui
