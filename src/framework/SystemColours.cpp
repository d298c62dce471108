#include "framework/SystemColours.h"

namespace vk::ui {
namespace {

bool AskTheSystem() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HighContrastQuery theQuery = &AskTheSystem;

BOOL CALLBACK SendSysColorChange(HWND window, LPARAM) {
    SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

} // namespace

bool HighContrastOn() {
    return theQuery();
}

HighContrastQuery UseHighContrastQuery(HighContrastQuery query) {
    const HighContrastQuery previous = theQuery;
    theQuery = query ? query : &AskTheSystem;
    return previous;
}

COLORREF ProgramTextColour(COLORREF own) {
    return HighContrastOn() ? GetSysColor(COLOR_WINDOWTEXT) : own;
}

void ForwardSysColorChange(HWND topLevel) {
    // Every descendant, parents before their children.
    EnumChildWindows(topLevel, &SendSysColorChange, 0);
}

} // namespace vk::ui
