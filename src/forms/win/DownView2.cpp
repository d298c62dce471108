#include "forms/win/DownView2.h"

#include "engine/SearchEngine.h"
#include "forms/FormTexts.h"
#include "forms/SearchCriteria.h"
#include "resource.h"

namespace vk {
namespace {

// Each check box and the inputs it switches.
struct Criterion {
    int check;
    int inputs[2];
};
constexpr Criterion kCriteria[] = {
    {IDC_SHARE_MASK_ON, {IDC_SHARE_MASK, 0}},
    {IDC_FILE_MASK_ON, {IDC_FILE_MASK, 0}},
    {IDC_SIZE_ON, {IDC_SIZE_MODE, IDC_SIZE_BOUND}},
    {IDC_TEXT_ON, {IDC_CONTAINING_TEXT, 0}},
};

} // namespace

CDownView2::CDownView2(CSearchEngine& engine, SearchButtons& buttons)
    : CSearchFormView(IDD_ADVANCED_FORM, true, engine, buttons) {}

CDownView2::~CDownView2() {
    Destroy();
}

bool CDownView2::ProcessMessage(ui::Message& m) {
    static constexpr ui::MessageEntry<CDownView2> kMessages[] = {
        ui::OnControl(BN_CLICKED, IDC_SHARE_MASK_ON, &CDownView2::OnCheckClicked),
        ui::OnControl(BN_CLICKED, IDC_FILE_MASK_ON, &CDownView2::OnCheckClicked),
        ui::OnControl(BN_CLICKED, IDC_SIZE_ON, &CDownView2::OnCheckClicked),
        ui::OnControl(BN_CLICKED, IDC_TEXT_ON, &CDownView2::OnCheckClicked),
        ui::OnControl(CBN_SELCHANGE, IDC_MODIFIED_MODE, &CDownView2::OnModifiedChosen),
    };
    return ui::DispatchMessageTable(*this, kMessages, m) || CSearchFormView::ProcessMessage(m);
}

CSearchFormView::ButtonIds CDownView2::Buttons() const {
    return {IDC_START_ADVANCED, IDC_STOP_ADVANCED, IDC_SIMPLE_MODE};
}

void CDownView2::AttachControls() {
    fileMasks_.Attach(Item(IDC_FILE_MASK));
    shareMasks_.Attach(Item(IDC_SHARE_MASK));
    filters_.Attach(hwnd_);
}

void CDownView2::AddTools(FormToolTip& tip) {
    tip.AddTool(Item(IDC_SHARE_MASK), kTipShareMask);
    tip.AddTool(Item(IDC_FILE_MASK), kTipFileMask);
    tip.AddTool(Item(IDC_START_ADVANCED), kTipStart);
    tip.AddTool(Item(IDC_STOP_ADVANCED), kTipStop);
    tip.AddTool(Item(IDC_FILE_MASK_ON), kTipFileMaskCheck);
    tip.AddTool(Item(IDC_SHARE_MASK_ON), kTipShareMaskCheck);
    tip.AddTool(Item(IDC_SIZE_MODE), kTipSizeMode);
    tip.AddTool(Item(IDC_SIZE_BOUND), kTipSize);
    filters_.AddTools(tip);
}

void CDownView2::LoadHistories(const FormState& state) {
    fileMasks_.Fill(state.fileMasks);
    shareMasks_.Fill(state.shareMasks);
    filters_.ExcludeBox().Fill(state.excludeMasks);
}

FormState CDownView2::HistoriesToStore() const {
    return {fileMasks_.Entries(), shareMasks_.Entries(), filters_.ExcludeBox().Entries()};
}

void CDownView2::ResetInputs() {
    for (const Criterion& criterion : kCriteria) {
        CheckDlgButton(hwnd_, criterion.check, BST_CHECKED);
    }
    SetDlgItemTextW(hwnd_, IDC_SIZE_BOUND, kInitialSizeText);
    EnableInputs();
    const HWND sizeMode = Item(IDC_SIZE_MODE);
    SendMessageW(sizeMode, CB_RESETCONTENT, 0, 0);
    SendMessageW(sizeMode, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(kSizeAtLeast));
    SendMessageW(sizeMode, CB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(kSizeAtMost));
    SendMessageW(sizeMode, CB_SETCURSEL, 0, 0);
    filters_.Reset();
}

bool CDownView2::OnCheckClicked(ui::Message&) {
    EnableInputs();
    return true;
}

bool CDownView2::OnModifiedChosen(ui::Message&) {
    filters_.ShowPickers();
    return true;
}

void CDownView2::EnableInputs() const {
    for (const Criterion& criterion : kCriteria) {
        const BOOL enabled = IsChecked(criterion.check) ? TRUE : FALSE;
        for (const int input : criterion.inputs) {
            if (input != 0) {
                EnableWindow(Item(input), enabled);
            }
        }
    }
}

bool CDownView2::IsChecked(int id) const {
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

std::wstring CDownView2::TextOf(int id) const {
    return ControlText(Item(id));
}

AdvancedFormInput CDownView2::ReadInput() const {
    AdvancedFormInput input;
    input.shareMaskOn = IsChecked(IDC_SHARE_MASK_ON);
    input.shareMask = shareMasks_.EditText();
    input.fileMaskOn = IsChecked(IDC_FILE_MASK_ON);
    input.fileMask = fileMasks_.EditText();
    input.textOn = IsChecked(IDC_TEXT_ON);
    input.containingText = TextOf(IDC_CONTAINING_TEXT);
    input.sizeOn = IsChecked(IDC_SIZE_ON);
    input.sizeMode = TextOf(IDC_SIZE_MODE);
    input.sizeKilobytes = TextOf(IDC_SIZE_BOUND);
    filters_.Read(input);
    return input;
}

void CDownView2::OnStart() {
    const AdvancedFormInput input = ReadInput();
    const MaskComboBox& excludeMasks = filters_.ExcludeBox();
    const StartPlan plan = FillAdvancedRequest(input, fileMasks_.Entries(), shareMasks_.Entries(), Engine().Request(),
                                               excludeMasks.Entries());
    if (plan.fileMaskToHistory) {
        fileMasks_.InsertAtTop(input.fileMask);
    }
    if (plan.shareMaskToHistory) {
        shareMasks_.InsertAtTop(input.shareMask);
    }
    if (plan.excludeMaskToHistory) {
        excludeMasks.InsertAtTop(input.excludeMask);
    }
    if (plan.fileMaskToHistory || plan.shareMaskToHistory || plan.excludeMaskToHistory) {
        SaveHistories();
    }
    if (plan.start) {
        BeginSearch();
    } else {
        RefuseRequest(plan.refusal);
    }
}

} // namespace vk
