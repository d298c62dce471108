#pragma once
// The user's settings while the program runs, kept in the application profile between runs, and
// the mask text that one search form hands to the other at a mode switch.

#include "platform/Profile.h"

#include <string>

namespace vk {

// Profile sections and keys.
constexpr const wchar_t* kSectionSettings = L"Settings";
constexpr const wchar_t* kKeyShowIconInTray = L"ShowIconInTray";
constexpr const wchar_t* kKeyMinimizeToTray = L"MinimizeToTray";
constexpr const wchar_t* kKeyShowTips = L"ShowTips";
constexpr const wchar_t* kKeyAdvanced = L"Advanced";
// The tip of the day's start-up choice: 0 (or missing) shows tips at start-up, anything else not.
constexpr const wchar_t* kSectionTip = L"Tip";
constexpr const wchar_t* kKeyStartUp = L"StartUp";

class CSettings {
public:
    // 0 or 1 as stored; a missing value loads as 0.
    int ShowTips = 0;       // kept and written back, used nowhere else
    int ShowIconInTray = 0; // the tray icon is shown
    int MinimizeToTray = 0; // minimizing sends the window to the tray
    int Advanced = 0;       // 1: the advanced search form fills the lower pane, 0: the simple one

    // The mask text carried from one search form to the other at a mode switch; never stored.
    // Whole, whatever its length.
    std::wstring carriedMask;

    // Reads ShowIconInTray, MinimizeToTray, ShowTips and Advanced from section "Settings", in that
    // order, each 0 when missing. The carried mask is left alone.
    void Load(const Profile& profile);
    // Writes the same four values in the same order; false if any write failed (the others are
    // written all the same).
    bool Save(Profile& profile) const;
};

// The program's settings, for its whole run.
extern CSettings theSettings;

} // namespace vk
