#pragma once
// What the Options dialog shows and what its "Apply" keeps: the three check boxes, read from the
// settings and the tip of the day's start-up choice, and written back to them.

#include "forms/Settings.h"
#include "platform/Profile.h"

namespace vk {

struct OptionsChoices {
    bool showIconInTray = false;    // "Show icon in system tray"
    bool minimizeToTray = false;    // "Minimize window to system tray"
    bool showTipsAtStartup = false; // "Show tips at startup"

    // The dialog's opening state: each box from its value (a tray or minimize value counts only
    // when it is exactly 1; tips show at start-up when "StartUp" of section "Tip" is 0 or missing).
    [[nodiscard]] static OptionsChoices FromSettings(const CSettings& settings, const Profile& profile);

    // "Minimize window to system tray" can be changed only while the tray icon is chosen. It keeps
    // its check mark while disabled, and the mark counts at "Apply".
    [[nodiscard]] bool MinimizeEnabled() const { return showIconInTray; }

    // "Apply": the tray and minimize settings (not saved here: the main frame saves the settings)
    // and "StartUp" of section "Tip", which is written at once. False if that write failed.
    bool Apply(CSettings& settings, Profile& profile) const;
};

} // namespace vk
