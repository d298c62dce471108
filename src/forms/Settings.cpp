#include "forms/Settings.h"

namespace vk {

CSettings theSettings;

void CSettings::Load(const Profile& profile) {
    ShowIconInTray = profile.GetInt(kSectionSettings, kKeyShowIconInTray, 0);
    MinimizeToTray = profile.GetInt(kSectionSettings, kKeyMinimizeToTray, 0);
    ShowTips = profile.GetInt(kSectionSettings, kKeyShowTips, 0);
    Advanced = profile.GetInt(kSectionSettings, kKeyAdvanced, 0);
}

bool CSettings::Save(Profile& profile) const {
    bool saved = profile.WriteInt(kSectionSettings, kKeyShowIconInTray, ShowIconInTray);
    saved = profile.WriteInt(kSectionSettings, kKeyMinimizeToTray, MinimizeToTray) && saved;
    saved = profile.WriteInt(kSectionSettings, kKeyShowTips, ShowTips) && saved;
    saved = profile.WriteInt(kSectionSettings, kKeyAdvanced, Advanced) && saved;
    return saved;
}

} // namespace vk
