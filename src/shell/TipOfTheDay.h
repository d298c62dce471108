#pragma once
// What the tip of the day keeps between its showings, and its way through the tips file.
//
// Profile section "Tip": "StartUp" (0 or missing: offer the tip at start-up), "FilePos" (the byte
// position in the tips file after the last tip read) and "TimeStamp" (the tips file's creation
// time when that position was last reset). Each object moves on by one tip: it reads the next tip
// when it is made and saves the position when it ends, whether the tip was shown or not. A tips
// file that is replaced (a new creation time) starts again from its first tip.
//
// A tips file without any tip line counts as a missing one: no tip, and the profile is left alone.

#include "forms/Settings.h"
#include "platform/Profile.h"
#include "shell/TipsFile.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace vk {

// The tip of the day's keys in section "Tip" besides "StartUp", which the Options dialog shares
// (forms/Settings.h).
inline constexpr const wchar_t* kKeyFilePos = L"FilePos";
inline constexpr const wchar_t* kKeyTimeStamp = L"TimeStamp";

// The time text of a file (TimeStampText of its creation time); none when it cannot be read.
using FileTimeStampReader = std::function<std::optional<std::wstring>(const std::filesystem::path&)>;
[[nodiscard]] std::optional<std::wstring> FileCreationTimeStamp(const std::filesystem::path& path);

class TipOfTheDay {
public:
    // Reads the start-up choice and the position, opens the tips file and reads the next tip.
    TipOfTheDay(Profile& profile, const std::filesystem::path& tipsFile,
                const FileTimeStampReader& timeStamp = FileCreationTimeStamp);
    // Saves the position in the tips file (if one is open) and closes it.
    ~TipOfTheDay();
    TipOfTheDay(const TipOfTheDay&) = delete;
    TipOfTheDay& operator=(const TipOfTheDay&) = delete;

    // Whether the tip is offered at start-up ("StartUp" is 0 or missing).
    [[nodiscard]] bool StartUp() const { return startUp_; }
    // Whether a tips file with tips is open; without one there is nothing to show.
    [[nodiscard]] bool HasFile() const { return file_.IsOpen(); }
    // The tip read last, with its line feed if it has one; empty before the first.
    [[nodiscard]] const std::wstring& Tip() const { return tip_; }
    // Whether the saved position could not be reached when the object was made (the tips then
    // start from the first one) or a return to the start of the file failed since: the user is
    // told that the tips file could not be read. Reading it clears it.
    [[nodiscard]] bool TakeTrouble() { return std::exchange(trouble_, false); }

    // Reads the next tip (after the last, the first again). The tip stays as it was when the file
    // no longer holds one or cannot be read.
    void NextTip();

    // Sets and writes the start-up choice: "StartUp" = 0 to offer the tip at start-up, 1 not to.
    void SetStartUp(bool offer);

private:
    Profile& profile_;
    TipsFile file_;
    bool startUp_ = true;
    bool trouble_ = false;
    std::wstring tip_;
};

} // namespace vk
