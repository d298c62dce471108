#include "framework/ShellExecute.h"

namespace vk::ui {
namespace {

ShellExecuteFunction theShellExecute = &ShellExecuteExW;

} // namespace

bool ShellVerb(HWND owner, const wchar_t* verb, const std::wstring& target, int show) {
    SHELLEXECUTEINFOW info{sizeof info};
    info.hwnd = owner;
    info.lpVerb = verb;
    info.lpFile = target.c_str();
    info.nShow = show;
    return theShellExecute(&info) != FALSE;
}

ShellExecuteFunction UseShellExecute(ShellExecuteFunction function) {
    const ShellExecuteFunction previous = theShellExecute;
    theShellExecute = function ? function : &ShellExecuteExW;
    return previous;
}

} // namespace vk::ui
