#include "shell/win/SplitterView.h"

#include "document/Varnokle2Doc.h"
#include "network/win/UpView.h"

namespace vk {
namespace {

constexpr int kTreeRow = 0;
constexpr int kFormRow = 1;
constexpr SIZE kTreeInitialSize{150, 0};

} // namespace

CSplitterView::CSplitterView(LeftSideSetup setup) : setup_(std::move(setup)) {}

CSplitterView::~CSplitterView() {
    // The panes' windows go while their objects still see their messages.
    Destroy();
}

bool CSplitterView::CreateIn(HWND parent, UINT id) {
    return Create(L"VarnokleSplitterView", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

CUpView* CSplitterView::Tree() const {
    return dynamic_cast<CUpView*>(splitter_.Pane(kTreeRow, 0));
}

ui::FormView* CSplitterView::Form() const {
    return dynamic_cast<ui::FormView*>(splitter_.Pane(kFormRow, 0));
}

std::unique_ptr<ui::FormView> CSplitterView::MakeForm(bool advanced) {
    return setup_.makeForm ? setup_.makeForm(advanced, *this) : nullptr;
}

bool CSplitterView::ProcessMessage(ui::Message& m) {
    // clang-format off
    static constexpr ui::MessageEntry<CSplitterView> kMessages[] = {
        ui::On(WM_CREATE, &CSplitterView::OnCreate),
        ui::On(WM_SIZE, &CSplitterView::OnSize),
        ui::On(WM_PAINT, &CSplitterView::OnPaint),
        ui::On(WM_ERASEBKGND, &CSplitterView::OnEraseBackground),
    };
    // clang-format on
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::Window::ProcessMessage(m);
}

bool CSplitterView::OnCreate(ui::Message& m) {
    m.result = -1;
    if (!setup_.document || !splitter_.CreateStatic(Handle(), 2, 1)) {
        return true;
    }
    if (!splitter_.CreateView(kTreeRow, 0, std::make_unique<CUpView>(*setup_.document), kTreeInitialSize)) {
        return true;
    }
    // Without a form the lower pane stays empty, and nothing is ever sent to it.
    splitter_.CreateView(kFormRow, 0, MakeForm(setup_.advancedForm), {0, 0});
    m.result = 0;
    return true;
}

void CSplitterView::InitialUpdate() {
    if (CUpView* tree = Tree()) {
        tree->OnInitialUpdate();
    }
    if (ui::FormView* form = Form()) {
        form->OnInitialUpdate();
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    SizePanes(client.right, client.bottom);
}

bool CSplitterView::ReplaceForm(bool advanced) {
    const auto swap = [this, advanced] {
        if (!splitter_.ReplaceView(kFormRow, 0, [this, advanced] { return MakeForm(advanced); })) {
            return false;
        }
        RECT client{};
        GetClientRect(Handle(), &client);
        SizePanes(client.right, client.bottom);
        return true;
    };
    return setup_.swapForm ? setup_.swapForm(swap) : swap();
}

bool CSplitterView::OnSize(ui::Message& m) {
    SizePanes(LOWORD(m.lParam), HIWORD(m.lParam));
    return true;
}

void CSplitterView::SizePanes(int width, int height) {
    if (!splitter_.Exists()) {
        return;
    }
    const FrameMetrics metrics = SystemFrameMetrics();
    const PaneRect rect = InnerSplitterRect(width, height, metrics);
    // The rows first: the move lays the splitter out with them.
    const auto rows = FormRows(height, theFormSize, metrics);
    splitter_.SetRowInfo(kTreeRow, rows[0].ideal, rows[0].minimum);
    splitter_.SetRowInfo(kFormRow, rows[1].ideal, rows[1].minimum);
    MoveWindow(splitter_.Handle(), rect.x, rect.y, rect.width, rect.height, TRUE);
    splitter_.RecalcLayout();
}

bool CSplitterView::OnPaint(ui::Message&) {
    // The splitter covers the whole view: nothing to draw.
    PAINTSTRUCT paint{};
    BeginPaint(Handle(), &paint);
    EndPaint(Handle(), &paint);
    return true;
}

bool CSplitterView::OnEraseBackground(ui::Message& m) {
    m.result = 1;
    return true;
}

} // namespace vk
