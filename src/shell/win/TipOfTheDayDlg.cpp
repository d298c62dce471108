#include "shell/win/TipOfTheDayDlg.h"

#include "document/UserMessages.h"
#include "engine/EngineTexts.h"
#include "framework/Module.h"
#include "platform/DebugTrace.h"

#include <memory>
#include <type_traits>

namespace vk {
namespace {

IUserMessages& MessageBoxes() {
    static MessageBoxMessages boxes;
    return boxes;
}

// A control's rectangle in its dialog's client coordinates: the whole control, or only the inside
// of its border.
RECT ControlRect(HWND dialog, int id, bool inside) {
    const HWND control = GetDlgItem(dialog, id);
    RECT rect{};
    if (!control) {
        return rect;
    }
    if (inside) {
        GetClientRect(control, &rect);
        MapWindowPoints(control, dialog, reinterpret_cast<POINT*>(&rect), 2);
    } else {
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiDeleter>;

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// Selects an object into a DC for the life of this object.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The picture with its white background (the white area joined to its top-left pixel) in the
// colour of the strip, drawn with its top-left corner at a point; returns its height.
int DrawPicture(HDC dc, POINT at, COLORREF background) {
    const GdiObject picture(LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDB_TIP_BULB), IMAGE_BITMAP, 0, 0, 0));
    BITMAP size{};
    if (!picture || GetObjectW(picture.get(), sizeof size, &size) != sizeof size) {
        return 0;
    }
    const MemoryDc source(CreateCompatibleDC(dc));
    const MemoryDc copy(CreateCompatibleDC(dc));
    const GdiObject copyBitmap(CreateCompatibleBitmap(dc, size.bmWidth, size.bmHeight));
    const GdiObject brush(CreateSolidBrush(background));
    if (!source || !copy || !copyBitmap || !brush) {
        return 0;
    }
    const Selection sourcePicture(source.get(), picture.get());
    const Selection copyPicture(copy.get(), copyBitmap.get());
    BitBlt(copy.get(), 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
    {
        const Selection fill(copy.get(), brush.get());
        ExtFloodFill(copy.get(), 0, 0, RGB(255, 255, 255), FLOODFILLSURFACE);
    }
    BitBlt(dc, at.x, at.y, size.bmWidth, size.bmHeight, copy.get(), 0, 0, SRCCOPY);
    return size.bmHeight;
}

GdiObject MakeFont(int height, int weight, const wchar_t* face) {
    return GdiObject(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face));
}

} // namespace

std::filesystem::path TipsFilePath() {
    const std::wstring folder = ui::ProgramFolder();
    return folder.empty() ? std::filesystem::path(L"Tips.tip") : std::filesystem::path(folder) / L"Tips.tip";
}

CTipOfTheDayDlg::CTipOfTheDayDlg(HWND owner) : CTipOfTheDayDlg(owner, TipsFilePath(), AppProfile(), MessageBoxes()) {}

CTipOfTheDayDlg::CTipOfTheDayDlg(HWND owner, const std::filesystem::path& tipsFile, Profile& profile,
                                 IUserMessages& messages)
    : ui::ModalDialog(IDD_TIP), owner_(owner), messages_(messages), tips_(profile, tipsFile) {
    TakeTip();
}

INT_PTR CTipOfTheDayDlg::RunTipDialog() {
    if (!tips_.HasFile()) {
        MessageBeep(0xFFFFFFFF);
        return IDOK;
    }
    return DoModal(owner_);
}

bool CTipOfTheDayDlg::ProcessMessage(ui::Message& m) {
    return ui::DispatchMessageTable(*this, kTable, m) || ModalDialog::ProcessMessage(m);
}

void CTipOfTheDayDlg::TakeTip() {
    tipText_ = tips_.HasFile() ? tips_.Tip() : ui::LoadText(IDS_TIP_FILE_ABSENT);
    if (tips_.TakeTrouble()) {
        messages_.ShowMessage(ui::LoadText(IDS_TIP_FILE_TROUBLE), kProgramName);
    }
}

void CTipOfTheDayDlg::SetCheckBox() const {
    CheckDlgButton(hwnd_, IDC_TIP_STARTUP, tips_.StartUp() ? BST_CHECKED : BST_UNCHECKED);
}

bool CTipOfTheDayDlg::OnInitDialog(ui::Message& m) {
    panel_.Attach(GetDlgItem(hwnd_, IDC_TIP_PANEL));
    SetCheckBox();
    m.result = TRUE; // the default focus
    return true;
}

bool CTipOfTheDayDlg::OnNextTip(ui::Message&) {
    tips_.NextTip();
    TakeTip();
    // The check box shows the choice as it stands until OK, undoing a click on it.
    SetCheckBox();
    if (const HDC dc = GetDC(hwnd_)) {
        PaintTip(dc, false);
        ReleaseDC(hwnd_, dc);
    }
    return true;
}

bool CTipOfTheDayDlg::OnOk(ui::Message&) {
    const bool offer = IsDlgButtonChecked(hwnd_, IDC_TIP_STARTUP) == BST_CHECKED;
    End(IDOK);
    tips_.SetStartUp(offer);
    return true;
}

bool CTipOfTheDayDlg::OnCancel(ui::Message&) {
    End(IDCANCEL);
    return true;
}

bool CTipOfTheDayDlg::OnPaint(ui::Message& m) {
    PAINTSTRUCT paint{};
    if (const HDC dc = BeginPaint(hwnd_, &paint)) {
        PaintTip(dc, true);
        EndPaint(hwnd_, &paint);
    }
    m.result = 0;
    return true;
}

void CTipOfTheDayDlg::PaintTip(HDC dc, bool full) const {
    const RECT panel = ControlRect(hwnd_, IDC_TIP_PANEL, true);
    RECT tip = ControlRect(hwnd_, IDC_TIP_TEXT, false);
    const RECT picture = ControlRect(hwnd_, IDC_TIP_PICTURE, false);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    if (full) {
        FillRect(dc, &panel, GetSysColorBrush(COLOR_WINDOW));
        const RECT strip{panel.left, panel.top, tip.left - 10, panel.bottom};
        FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNSHADOW));
        const int pictureHeight = DrawPicture(dc, {picture.left, picture.top}, shadow);
        const int lineTop = picture.top + pictureHeight + 6;
        const RECT line{panel.left, lineTop, panel.right, lineTop + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));

    const GdiObject headingFont = MakeFont(22, FW_BOLD, L"Times");
    const GdiObject tipFont = MakeFont(16, FW_NORMAL, L"Arial");
    const HGDIOBJ previousFont = SelectObject(dc, headingFont.get());
    const std::wstring heading = ui::LoadText(IDS_TIP_DID_YOU_KNOW);
    RECT headingRect{tip.left, picture.top, tip.right, tip.bottom};
    DrawTextW(dc, heading.c_str(), static_cast<int>(heading.size()), &headingRect, DT_SINGLELINE | DT_NOPREFIX);

    FillRect(dc, &tip, GetSysColorBrush(COLOR_WINDOW));
    SelectObject(dc, tipFont.get());
    DrawTextW(dc, tipText_.c_str(), static_cast<int>(tipText_.size()), &tip, DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previousFont);
}

bool CTipOfTheDayDlg::Panel::ProcessMessage(ui::Message& m) {
    // The control would paint its inside white over the dialog's drawing, which the dialog (not
    // clipping its children) makes whenever the panel needs it. Its sunken edge stays its own.
    if (m.message == WM_ERASEBKGND) {
        m.result = 1;
        return true;
    }
    if (m.message == WM_PAINT) {
        PAINTSTRUCT paint{};
        BeginPaint(m.hwnd, &paint);
        EndPaint(m.hwnd, &paint);
        return true;
    }
    return Window::ProcessMessage(m);
}

void ShowTipAtStartUp(HWND mainWindow, bool embeddingOrAutomation) {
    if (embeddingOrAutomation) {
        return;
    }
    try {
        CTipOfTheDayDlg dialog(mainWindow);
        if (dialog.StartUpFlag()) {
            dialog.RunTipDialog();
        }
    } catch (...) {
        // No tip this time; the program goes on.
        DebugTrace(L"the tip of the day could not be shown at start-up");
    }
}

void ShowTipOfTheDay(HWND owner) {
    try {
        CTipOfTheDayDlg dialog(owner);
        dialog.RunTipDialog();
    } catch (...) {
        // No tip this time.
        DebugTrace(L"the tip of the day could not be shown");
    }
}

} // namespace vk
