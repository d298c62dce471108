#pragma once
// The user's short date and short time format pictures ("M/d/yyyy", "h:mm tt"), as the locale
// settings give them. They are read once and kept, since a list asks for them for every cell it
// paints; the main window has them read again when the user changes the regional settings.

#include <string>

namespace vk::ui {

struct LocaleFormats {
    std::wstring shortDate; // LOCALE_SSHORTDATE; empty when the locale has none
    std::wstring shortTime; // LOCALE_SSHORTTIME; empty when the locale has none
};

// The formats as last read (read now the first time). Any thread may ask.
[[nodiscard]] LocaleFormats UserLocaleFormats();

// The regional settings changed: the next UserLocaleFormats reads them again.
void RereadLocaleFormats();

// The query UserLocaleFormats asks (GetLocaleInfoEx for the user's locale; an LCTYPE in, the
// text or empty out), or what tests put in its place; returns the one it replaces.
using LocaleInfoQuery = std::wstring (*)(unsigned long type);
LocaleInfoQuery UseLocaleInfoQuery(LocaleInfoQuery query);

} // namespace vk::ui
