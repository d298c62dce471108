// Varnokle.exe: the window program.

#include "shell/win/Varnokle2App.h"

#include "engine/EngineTexts.h"
#include "framework/MessageBoxes.h"
#include "framework/Win32.h"
#include "shell/ShellTexts.h"

#include <ole2.h>
#include <shellapi.h>

#include <cstdlib>

namespace {

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; arguments && i < count; ++i) {
        args.emplace_back(arguments[i]);
    }
    LocalFree(arguments);
    return args;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    // The shell's calls (open, properties, the clipboard's file lists) want OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);
    int exitCode = 1;
    try {
        vk::CVarnokle2App app;
        vk::CVarnokle2App::Setup setup;
        setup.args = Arguments();
        const wchar_t* network = _wgetenv(L"VARNOKLE_NETWORK");
        setup.networkEnvironment = network ? network : L"";
        exitCode = app.InitInstance(setup) ? app.Run() : app.ExitCode();
    } catch (...) {
        // Whatever it was, the user is told why the program ends.
        vk::ui::ShowMessageBox(vk::kTextUnexpectedEnd, vk::kProgramName, MB_OK | MB_ICONERROR);
        exitCode = 1;
    }
    if (SUCCEEDED(ole)) {
        OleUninitialize();
    }
    return exitCode;
}
