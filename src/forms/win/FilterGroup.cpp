#include "forms/win/FilterGroup.h"

#include "engine/RequestFilters.h"
#include "forms/FormTexts.h"
#include "forms/SearchCriteria.h"
#include "forms/win/FormToolTip.h"
#include "framework/LocaleFormats.h"
#include "resource.h"

#include <iterator>
#include <string>

namespace vk {
namespace {

constexpr std::int64_t kTicksPerDay = 24LL * 60 * 60 * 10'000'000;

// The pickers' format: the user's short date and short time (without seconds, which the pickers
// leave at 0).
std::wstring PickerFormat() {
    const ui::LocaleFormats formats = ui::UserLocaleFormats();
    return (formats.shortDate.empty() ? L"yyyy-MM-dd" : formats.shortDate) + L" " +
           (formats.shortTime.empty() ? L"HH:mm" : formats.shortTime);
}

void FillChoices(HWND combo, const wchar_t* const* choices, std::size_t count) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < count; ++i) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choices[i]));
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

// Today's local date at midnight, days later.
SYSTEMTIME MidnightInDays(int days) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SYSTEMTIME midnight{};
    midnight.wYear = now.wYear;
    midnight.wMonth = now.wMonth;
    midnight.wDay = now.wDay;
    FILETIME ticks{};
    if (days == 0 || !SystemTimeToFileTime(&midnight, &ticks)) {
        return midnight;
    }
    ULARGE_INTEGER value{};
    value.LowPart = ticks.dwLowDateTime;
    value.HighPart = ticks.dwHighDateTime;
    value.QuadPart += static_cast<std::uint64_t>(days * kTicksPerDay);
    ticks = {value.LowPart, value.HighPart};
    SYSTEMTIME later{};
    return FileTimeToSystemTime(&ticks, &later) ? later : midnight;
}

LocalDateTime PickedTime(HWND picker) {
    SYSTEMTIME picked{};
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked)) != GDT_VALID) {
        GetLocalTime(&picked);
    }
    return {picked.wYear, picked.wMonth, picked.wDay, picked.wHour, picked.wMinute, 0};
}

} // namespace

void FilterGroup::Attach(HWND form) {
    form_ = form;
    excludeMasks_.Attach(Item(IDC_EXCLUDE_MASK));
    const std::wstring format = PickerFormat();
    for (const int picker : {IDC_MODIFIED_FIRST, IDC_MODIFIED_UNTIL}) {
        SendMessageW(Item(picker), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format.c_str()));
    }
    SendMessageW(Item(IDC_DEPTH_SPIN), UDM_SETRANGE32, 0, kMaxSearchDepth);
}

void FilterGroup::AddTools(FormToolTip& tip) const {
    tip.AddTool(Item(IDC_MODIFIED_MODE), kTipModifiedMode);
    tip.AddTool(Item(IDC_MODIFIED_FIRST), kTipModifiedFirst);
    tip.AddTool(Item(IDC_MODIFIED_UNTIL), kTipModifiedUntil);
    tip.AddTool(Item(IDC_EXCLUDE_MASK), kTipExcludeMask);
    tip.AddTool(Item(IDC_DEPTH), kTipDepth);
    tip.AddTool(Item(IDC_DEPTH_SPIN), kTipDepth);
    tip.AddTool(Item(IDC_FIND_KIND), kTipFindKind);
}

void FilterGroup::Reset() const {
    FillChoices(Item(IDC_MODIFIED_MODE), kModifiedModes, std::size(kModifiedModes));
    FillChoices(Item(IDC_FIND_KIND), kFindKinds, std::size(kFindKinds));
    const SYSTEMTIME today = MidnightInDays(0);
    const SYSTEMTIME tomorrow = MidnightInDays(1);
    SendMessageW(Item(IDC_MODIFIED_FIRST), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&today));
    SendMessageW(Item(IDC_MODIFIED_UNTIL), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&tomorrow));
    excludeMasks_.SetEditText(L"");
    // The up-down writes its position into the box when it moves; an empty box is no limit.
    SendMessageW(Item(IDC_DEPTH_SPIN), UDM_SETPOS32, 0, 0);
    SetWindowTextW(Item(IDC_DEPTH), L"");
    ShowPickers();
}

void FilterGroup::ShowPickers() const {
    using Modified = AdvancedFormInput::Modified;
    const auto modified = static_cast<Modified>(Choice(IDC_MODIFIED_MODE));
    EnableWindow(Item(IDC_MODIFIED_FIRST), modified != Modified::kAnyTime ? TRUE : FALSE);
    const HWND until = Item(IDC_MODIFIED_UNTIL);
    const bool between = modified == Modified::kBetween;
    EnableWindow(until, between ? TRUE : FALSE);
    ShowWindow(until, between ? SW_SHOWNA : SW_HIDE);
}

int FilterGroup::Choice(int id) const {
    const auto chosen = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
    return chosen == CB_ERR ? 0 : static_cast<int>(chosen);
}

void FilterGroup::Read(AdvancedFormInput& input) const {
    input.modified = static_cast<AdvancedFormInput::Modified>(Choice(IDC_MODIFIED_MODE));
    const LocalDateTime first = PickedTime(Item(IDC_MODIFIED_FIRST));
    if (input.modified == AdvancedFormInput::Modified::kBefore) {
        input.before = first;
    } else {
        input.after = first;
        input.before = PickedTime(Item(IDC_MODIFIED_UNTIL));
    }
    input.excludeMask = excludeMasks_.EditText();
    input.depth = ControlText(Item(IDC_DEPTH));
    input.kind = static_cast<SearchRequest::Kind>(Choice(IDC_FIND_KIND));
}

} // namespace vk
