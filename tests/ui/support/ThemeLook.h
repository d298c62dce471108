#pragma once
// Which controls count as drawn by a theme, for a test's (or a picture's) lifetime. Wine runs its
// "Light" theme, and the program leaves themed controls to the theme: the flat look's tests ask for
// the classic look, in which every control is the flat look's to decorate.

#include "decor/win/VisualStyles.h"

namespace vk::testing {

class ThemeLook {
public:
    static bool Classic(HWND) { return false; }

    explicit ThemeLook(ThemeQuery query = &Classic) : previous_(UseThemeQuery(query)) {}
    ~ThemeLook() { UseThemeQuery(previous_); }
    ThemeLook(const ThemeLook&) = delete;
    ThemeLook& operator=(const ThemeLook&) = delete;

private:
    ThemeQuery previous_;
};

} // namespace vk::testing
