#pragma once
// The message loop of the user interface thread: accelerators for the main window, keyboard
// navigation (Tab, Enter) for the form views, then the usual translation and dispatch.

#include "framework/Win32.h"

#include <chrono>
#include <functional>

namespace vk::ui {

// Form views and modeless dialogs whose keyboard messages go to the dialog manager.
void RegisterDialogForKeys(HWND dialog);
void UnregisterDialogForKeys(HWND dialog);

// True when the message was used by the accelerators or a dialog. Ctrl+C in an edit box is left to
// the box (it copies its text), whatever the accelerators say.
bool PreTranslate(MSG& msg, HWND acceleratorWindow, HACCEL accelerators);

// Runs until WM_QUIT; returns its exit code. onIdle, if given, runs each time the queue has been
// emptied (the main frame brings its toolbar's button states up to date there).
int RunMessageLoop(HWND acceleratorWindow = nullptr, HACCEL accelerators = nullptr,
                   const std::function<void()>& onIdle = {});

// Handles the messages waiting in this thread's queue, and returns.
void PumpWaitingMessages();

// Handles messages until done() holds or the time is up; returns done()'s last answer. For
// waits on the user interface thread that must keep sent messages flowing (engine threads send
// it messages synchronously), and for tests.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Handles messages until done() holds, however long that takes: for waits that must not end
// before their event (threads that use this thread's objects have ended). A WM_QUIT met meanwhile
// is kept aside and posted again once done() holds, for the message loop to find.
void PumpUntilDone(const std::function<bool()>& done);

} // namespace vk::ui
