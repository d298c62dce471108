#include "forms/win/DownView.h"

#include "engine/SearchEngine.h"
#include "forms/FormTexts.h"
#include "forms/SearchCriteria.h"
#include "resource.h"

namespace vk {

CDownView::CDownView(CSearchEngine& engine, SearchButtons& buttons)
    : CSearchFormView(IDD_SIMPLE_FORM, false, engine, buttons) {}

CDownView::~CDownView() {
    Destroy();
}

CSearchFormView::ButtonIds CDownView::Buttons() const {
    return {IDC_START, IDC_STOP, IDC_ADVANCED_MODE};
}

void CDownView::AttachControls() {
    fileMasks_.Attach(Item(IDC_MASK));
}

void CDownView::AddTools(FormToolTip& tip) {
    tip.AddTool(Item(IDC_MASK), kTipFileMask);
    tip.AddTool(Item(IDC_START), kTipStart);
    tip.AddTool(Item(IDC_STOP), kTipStop);
}

void CDownView::LoadHistories(const FormState& state) {
    fileMasks_.Fill(state.fileMasks);
}

FormState CDownView::HistoriesToStore() const {
    return {fileMasks_.Entries(), {}};
}

void CDownView::OnStart() {
    const std::wstring mask = fileMasks_.EditText();
    const StartPlan plan = FillSimpleRequest(mask, fileMasks_.Entries(), Engine().Request());
    if (plan.fileMaskToHistory) {
        fileMasks_.InsertAtTop(mask);
        SaveHistories();
    }
    if (plan.start) {
        BeginSearch();
    } else {
        RefuseRequest(plan.refusal);
    }
}

} // namespace vk
