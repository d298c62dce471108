#include "framework/LocaleFormats.h"

#include "framework/Win32.h"

#include <iterator>
#include <mutex>
#include <optional>

namespace vk::ui {
namespace {

std::mutex formatsLock;
// A text of the user's locale, empty when it has none.
std::wstring LocaleInfo(unsigned long type) {
    wchar_t buffer[128];
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, static_cast<int>(std::size(buffer)));
    return length > 1 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : std::wstring();
}

std::optional<LocaleFormats> formatsRead;     // under formatsLock
LocaleInfoQuery localeInfoQuery = LocaleInfo; // under formatsLock

} // namespace

LocaleFormats UserLocaleFormats() {
    std::lock_guard lock(formatsLock);
    if (!formatsRead) {
        formatsRead = LocaleFormats{localeInfoQuery(LOCALE_SSHORTDATE), localeInfoQuery(LOCALE_SSHORTTIME)};
    }
    return *formatsRead;
}

void RereadLocaleFormats() {
    std::lock_guard lock(formatsLock);
    formatsRead.reset();
}

LocaleInfoQuery UseLocaleInfoQuery(LocaleInfoQuery query) {
    std::lock_guard lock(formatsLock);
    formatsRead.reset();
    const LocaleInfoQuery previous = localeInfoQuery;
    localeInfoQuery = query;
    return previous;
}

} // namespace vk::ui
