#include "shell/TipOfTheDay.h"

#include "platform/DebugTrace.h"
#include "platform/FileTimes.h"

#include <climits>

namespace vk {

std::optional<std::wstring> FileCreationTimeStamp(const std::filesystem::path& path) {
    const std::optional<std::tm> created = FileCreationLocalTime(path);
    if (!created) {
        return std::nullopt;
    }
    return TimeStampText(*created);
}

TipOfTheDay::TipOfTheDay(Profile& profile, const std::filesystem::path& tipsFile, const FileTimeStampReader& timeStamp)
    : profile_(profile) {
    startUp_ = profile_.GetInt(kSectionTip, kKeyStartUp, 0) == 0;
    int position = profile_.GetInt(kSectionTip, kKeyFilePos, 0);
    if (!file_.Open(tipsFile)) {
        return;
    }
    if (!file_.HoldsTip()) {
        file_.Close();
        return;
    }
    const std::optional<std::wstring> stamp = timeStamp ? timeStamp(tipsFile) : std::nullopt;
    if (stamp && *stamp != profile_.GetText(kSectionTip, kKeyTimeStamp, L"")) {
        // A new file: its tips start again from the first.
        position = 0;
        profile_.WriteText(kSectionTip, kKeyTimeStamp, *stamp);
    }
    if (!file_.Seek(position)) {
        // A position no file has (a negative one): say so, and start from the first tip.
        trouble_ = true;
        if (!file_.Seek(0)) {
            return;
        }
    }
    NextTip();
}

TipOfTheDay::~TipOfTheDay() {
    if (!file_.IsOpen()) {
        return;
    }
    try {
        const std::int64_t position = file_.Position();
        if (position >= 0) {
            // A file too long for the saved number starts again from its first tip.
            profile_.WriteInt(kSectionTip, kKeyFilePos, position <= INT_MAX ? static_cast<int>(position) : 0);
        }
    } catch (...) {
        // The position is lost; the next object starts where the profile says.
        DebugTrace(L"the tip of the day's position could not be kept");
    }
    file_.Close();
}

void TipOfTheDay::NextTip() {
    std::wstring tip;
    switch (file_.ReadNextTip(tip)) {
    case TipRead::kTip:
        tip_ = std::move(tip);
        break;
    case TipRead::kRewindFailed:
        trouble_ = true;
        break;
    case TipRead::kNoTip:
        break;
    }
}

void TipOfTheDay::SetStartUp(bool offer) {
    startUp_ = offer;
    profile_.WriteInt(kSectionTip, kKeyStartUp, offer ? 0 : 1);
}

} // namespace vk
