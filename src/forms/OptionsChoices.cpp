#include "forms/OptionsChoices.h"

namespace vk {

OptionsChoices OptionsChoices::FromSettings(const CSettings& settings, const Profile& profile) {
    OptionsChoices choices;
    choices.showIconInTray = settings.ShowIconInTray == 1;
    choices.minimizeToTray = settings.MinimizeToTray == 1;
    choices.showTipsAtStartup = profile.GetInt(kSectionTip, kKeyStartUp, 0) == 0;
    return choices;
}

bool OptionsChoices::Apply(CSettings& settings, Profile& profile) const {
    settings.ShowIconInTray = showIconInTray ? 1 : 0;
    settings.MinimizeToTray = minimizeToTray ? 1 : 0;
    return profile.WriteInt(kSectionTip, kKeyStartUp, showTipsAtStartup ? 0 : 1);
}

} // namespace vk
