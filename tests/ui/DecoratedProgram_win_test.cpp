// The decoration in the program as start-up puts it together, under Wine: the main frame's
// drop-down menus opened with keys are owner-drawn, measured by the frame with the menu font and
// drawn with the command icons, while the system menu keeps the system's drawing; the flat look is
// on from start-up, for the search forms (also one swapped in later) and for Options while it
// runs, and the end of the program takes it off again.
#include "decor/win/FlatLook.h"
#include "decor/win/MenuImages.h"
#include "forms/FormHost.h"
#include "forms/Settings.h"
#include "forms/win/SearchFormView.h"
#include "framework/MessageLoop.h"
#include "resource.h"
#include "results/win/Varnokle2View.h"
#include "shell/win/MainFrame.h"
#include "shell/win/SplitterView.h"
#include "shell/win/Varnokle2App.h"
#include "support/TempTree.h"
#include "ui/support/AfterEachMessage.h"
#include "ui/support/CurrentDirectory.h"
#include "ui/support/DialogWatcher.h"
#include "ui/support/MenuFont.h"
#include "ui/support/MenuRecorder.h"
#include "ui/support/PixelCanvas.h"
#include "ui/support/ThemeLook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vk {
namespace {

using testing::AfterEachMessage;
using testing::CurrentDirectory;
using testing::DialogWatcher;
using testing::MenuRecorder;
using testing::PixelCanvas;

// The size of a menu label in the system's menu font, as the system's text drawing measures it.
SIZE MenuLabelSize(const std::wstring& text) {
    return testing::WithMenuFont([&](HDC dc) {
        RECT rect{};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_CALCRECT);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    });
}

int ItemHeight(const SIZE& label) {
    const int height = std::max(static_cast<int>(label.cy) + 2, 20);
    return height + height % 2;
}

class DecoratedProgram : public ::testing::Test {
protected:
    DecoratedProgram() {
        tree_.MakeFile("Net/DOM/SRV/share/a.txt", "a");
        tree_.MakeDir("work");
        here_ = std::make_unique<CurrentDirectory>(tree_.PathOf("work"));
    }
    ~DecoratedProgram() override {
        app_.reset();
        // A frame that closed without its message loop leaves its quit message behind.
        MSG quit{};
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        here_.reset();
        theSettings = {};
        theFormSize = {};
    }

    // The program started as a start for embedding: no tip of the day.
    void Start() {
        CVarnokle2App::Setup setup;
        setup.args = {L"/Embedding"};
        setup.networkEnvironment = tree_.Native("Net");
        setup.profile = &profile_;
        setup.userDataFolder = tree_.PathOf("work");
        app_ = std::make_unique<CVarnokle2App>();
        ASSERT_TRUE(app_->InitInstance(setup));
    }

    void End() {
        PostMessageW(Frame(), WM_CLOSE, 0, 0);
        EXPECT_EQ(app_->Run(), 0);
        app_.reset();
    }

    testing::ThemeLook classic_; // controls drawn the classic way, whatever theme Wine runs

    struct SeenDialog {
        HWND window = nullptr;
        bool watched = false;
        std::vector<bool> decorated; // for each control asked about
    };

    // Runs the command, which opens a modal dialog titled `title`; looks at the dialog once it has
    // initialised (watched? which of the controls `ids` are decorated?), then closes it with `close`.
    SeenDialog RunDialog(UINT command, const std::wstring& title, int close, const std::vector<int>& ids) {
        SeenDialog seen;
        AfterEachMessage initialised([&](const CWPRETSTRUCT& m) {
            wchar_t text[64] = {};
            if (m.message != WM_INITDIALOG || seen.window || !GetWindowTextW(m.hwnd, text, 64) || title != text) {
                return;
            }
            seen.window = m.hwnd;
            seen.watched = theFlatLook.IsWatched(m.hwnd);
            for (const int id : ids) {
                seen.decorated.push_back(theFlatLook.FindControl(GetDlgItem(m.hwnd, id)) != nullptr);
            }
        });
        DialogWatcher closer(title, [close](HWND dialog) { SendMessageW(dialog, WM_COMMAND, close, 0); });
        app_->MainFrame()->Send(WM_COMMAND, command, 0);
        closer.Join();
        EXPECT_TRUE(closer.Found()) << "no dialog titled " << std::string(title.begin(), title.end());
        return seen;
    }

    [[nodiscard]] HWND Frame() const { return app_->MainFrame()->Handle(); }
    [[nodiscard]] HWND FormWindow() const { return app_->MainFrame()->LeftSide()->Form()->Handle(); }

    test::TempTree tree_;
    MemoryProfile profile_;
    std::unique_ptr<CurrentDirectory> here_;
    std::unique_ptr<CVarnokle2App> app_;
};

TEST_F(DecoratedProgram, TheViewMenuOpenedWithKeysIsOwnerDrawnWithItsIconsAndTheSystemMenuIsNot) {
    Start();
    const HMENU bar = GetMenu(Frame());
    const HMENU view = GetSubMenu(bar, 2);
    const HMENU arrange = GetSubMenu(view, 3);
    ASSERT_NE(arrange, nullptr);

    // What the Options item shows in its icon column, and the image it ought to be.
    PixelCanvas drawnIcon(16, 16);
    PixelCanvas expectedIcon(16, 16);
    bool optionsDrawn = false;
    const auto onDraw = [&](const DRAWITEMSTRUCT& item) {
        if (item.itemID != ID_VIEW_OPTIONS || (item.itemState & ODS_SELECTED) || optionsDrawn) {
            return;
        }
        const int height = item.rcItem.bottom - item.rcItem.top;
        optionsDrawn = BitBlt(drawnIcon.Dc(), 0, 0, 16, 16, item.hDC, item.rcItem.left + 3,
                              item.rcItem.top + (height - 16) / 2, SRCCOPY) != FALSE;
    };
    {
        // Alt+V opens View with its first item hot; Up goes round to Arrange Icons, Right opens it.
        MenuRecorder menus({VK_UP, VK_RIGHT}, onDraw);
        SendMessageW(Frame(), WM_SYSCOMMAND, SC_KEYMENU, 'v');

        const MenuRecorder::Popup* opened = menus.Find(view);
        ASSERT_NE(opened, nullptr) << "the View menu did not open";
        EXPECT_FALSE(opened->systemMenu);
        EXPECT_EQ(opened->items, 4);
        EXPECT_EQ(opened->ownerDrawn, opened->items) << "every item, once the frame has handled its opening";
        const MenuRecorder::Popup* sub = menus.Find(arrange);
        ASSERT_NE(sub, nullptr) << "Arrange Icons did not open";
        EXPECT_EQ(sub->ownerDrawn, 4);

        // Measured by the frame: label + 23, at least 20 high and even; the sub-menu item 20 wider.
        const SIZE options = MenuLabelSize(L"&Options");
        ASSERT_EQ(menus.measured.count(ID_VIEW_OPTIONS), 1u);
        EXPECT_EQ(menus.measured[ID_VIEW_OPTIONS].cx, options.cx + 23);
        EXPECT_EQ(menus.measured[ID_VIEW_OPTIONS].cy, ItemHeight(options));
        const UINT arrangeId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(arrange));
        ASSERT_EQ(menus.measured.count(arrangeId), 1u);
        EXPECT_EQ(menus.measured[arrangeId].cx, MenuLabelSize(L"Arrange Icons").cx + 23 + 20);
        ASSERT_EQ(menus.measured.count(ID_ARRANGE_BY_FOLDER), 1u) << "the sub-menu's items are measured too";
        EXPECT_NE(std::find(menus.drawn.begin(), menus.drawn.end(), ID_ARRANGE_BY_NAME), menus.drawn.end());
    }
    // Options' image is image 2 of theMenuImages, drawn at 3 pixels in on the menu's background.
    ASSERT_TRUE(optionsDrawn) << "the Options item was not drawn";
    expectedIcon.Fill(GetSysColor(COLOR_MENU));
    ASSERT_NE(theMenuImages, nullptr);
    ImageList_Draw(theMenuImages, 2, expectedIcon.Dc(), 0, 0, ILD_TRANSPARENT);
    int same = 0;
    int picture = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            same += drawnIcon.Pixel(x, y) == expectedIcon.Pixel(x, y);
            picture += expectedIcon.Pixel(x, y) != GetSysColor(COLOR_MENU);
        }
    }
    EXPECT_GT(picture, 20) << "the image has a picture to compare";
    EXPECT_EQ(same, 256) << "the Options item shows its own icon";

    {
        // Alt+Space: the system menu, which the frame leaves alone.
        MenuRecorder menus({});
        SendMessageW(Frame(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
        ASSERT_EQ(menus.popups.size(), 1u) << "the system menu did not open";
        EXPECT_TRUE(menus.popups[0].systemMenu);
        EXPECT_GT(menus.popups[0].items, 0);
        EXPECT_EQ(menus.popups[0].ownerDrawn, 0);
        EXPECT_TRUE(menus.measured.empty());
        EXPECT_TRUE(menus.drawn.empty());
    }
    End();
}

TEST_F(DecoratedProgram, TheFormsAndOptionsAreDecoratedWhileTheyLiveAndTheEndTakesTheFlatLookOff) {
    Start();
    EXPECT_EQ(theFlatLook.HookedThreadCount(), 1u) << "start-up switched it on for its thread";
    EXPECT_EQ(theFlatLook.Mode(), FlatLook::kDecorateDialogs);

    const HWND simple = FormWindow();
    const HWND mask = GetDlgItem(simple, IDC_MASK);
    EXPECT_TRUE(theFlatLook.IsWatched(simple));
    EXPECT_NE(theFlatLook.FindControl(mask), nullptr) << "the mask's combo box";
    EXPECT_NE(theFlatLook.FindControl(GetDlgItem(simple, IDC_START)), nullptr);
    // The result list's form view: the list with its client edge, and its column header.
    const HWND list = app_->MainFrame()->ResultView()->List().Handle();
    EXPECT_TRUE(theFlatLook.IsWatched(GetParent(list)));
    EXPECT_NE(theFlatLook.FindControl(list), nullptr);
    const HWND header = ListView_GetHeader(list);
    EXPECT_EQ(theFlatLook.FindControl(header) != nullptr, (GetWindowLongPtrW(header, GWL_STYLE) & HDS_BUTTONS) != 0);

    // The advanced form comes later, and the simple form's decoration goes with it.
    SendMessageW(GetDlgItem(simple, IDC_ADVANCED_MODE), BM_CLICK, 0, 0);
    ASSERT_TRUE(ui::PumpUntil([&] { return !IsWindow(simple); }, std::chrono::seconds(20)));
    EXPECT_FALSE(theFlatLook.IsWatched(simple));
    EXPECT_EQ(theFlatLook.FindControl(mask), nullptr);
    const HWND advanced = FormWindow();
    EXPECT_TRUE(theFlatLook.IsWatched(advanced));
    EXPECT_NE(theFlatLook.FindControl(GetDlgItem(advanced, IDC_FILE_MASK)), nullptr);
    EXPECT_NE(theFlatLook.FindControl(GetDlgItem(advanced, IDC_SIZE_ON)), nullptr) << "a check box";

    // Options and a message box (Map Network Drive fails at once under Wine), each looked at right
    // after it has initialised, then closed.
    const std::size_t decorated = theFlatLook.DecoratedCount();
    const SeenDialog options = RunDialog(ID_VIEW_OPTIONS, L"Options", IDCANCEL, {IDC_SHOW_TRAY_ICON, IDOK});
    ASSERT_NE(options.window, nullptr);
    EXPECT_TRUE(options.watched);
    EXPECT_EQ(options.decorated, (std::vector<bool>{true, true})) << "its check box and its push button";
    EXPECT_FALSE(theFlatLook.IsWatched(options.window)) << "the watch ends with the dialog";
    EXPECT_EQ(theFlatLook.DecoratedCount(), decorated) << "its controls' records went with it";
    const SeenDialog box = RunDialog(ID_TOOLS_MAP_NETWORK_DRIVE, L"Varnokle", IDOK, {IDOK});
    ASSERT_NE(box.window, nullptr);
    EXPECT_TRUE(box.watched);
    EXPECT_EQ(box.decorated, std::vector<bool>{true}) << "its OK button";
    EXPECT_EQ(theFlatLook.DecoratedCount(), decorated);

    End();
    EXPECT_EQ(theFlatLook.HookedThreadCount(), 0u) << "the end of the program removes the hook";
    EXPECT_EQ(theFlatLook.DecoratedCount(), 0u);
    EXPECT_EQ(theFlatLook.HoverTimer(), 0u);
    EXPECT_EQ(theMenuImages, nullptr);
    EXPECT_EQ(theMenuIconList.Count(), 0u);
}

} // namespace
} // namespace vk
