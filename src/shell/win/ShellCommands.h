#pragma once
// The main frame's commands that go to the system: Map Network Drive, Help, the web site and
// the support e-mail.

#include "shell/win/FrameShell.h"

namespace vk {

// Opens the system's dialog, modal to frame; an error is shown in the system's words (or by its
// number, when the system has no text for it; the network provider's words for an extended error)
// in an information box owned by frame. Success and cancel say nothing.
void MapNetworkDrive(HWND frame, IFrameShell& shell);

// Opens the help file from the program's folder or, when it is not there, from the current
// directory; says so when it is in neither, and when the help viewer cannot show it.
void OpenHelp(HWND frame, IFrameShell& shell);

// The project's web site; what goes wrong the shell says in its own dialogs over the frame.
void OpenWebSite(HWND frame, IFrameShell& shell);

// A new mail to the support address.
void SendSupportMail(HWND frame, IFrameShell& shell);

} // namespace vk
