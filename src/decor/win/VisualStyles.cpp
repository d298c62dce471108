#include "decor/win/VisualStyles.h"

#include <uxtheme.h>

namespace vk {
namespace {

bool AskTheSystem(HWND control) {
    return IsAppThemed() && GetWindowTheme(control) != nullptr;
}

ThemeQuery theQuery = &AskTheSystem;

} // namespace

bool DrawnByTheme(HWND control) {
    return control && theQuery(control);
}

ThemeQuery UseThemeQuery(ThemeQuery query) {
    const ThemeQuery previous = theQuery;
    theQuery = query ? query : &AskTheSystem;
    return previous;
}

} // namespace vk
