// The notification-area icon on real windows under Wine, whose shell shows the icons in a window
// of its own ("Wine System Tray", made by explorer.exe when the first icon comes and hidden when
// the last goes). Clicks on the icon are real mouse input at the icon's place in that window.
#include "shell/win/SubTray2.h"

#include "shell/TrayIconRules.h"
#include "shell/win/TrayIcon.h"

#include "framework/MessageLoop.h"
#include "resource.h"
#include "support/Drive.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vk {
namespace {

using testing::ClickAt;
using testing::WhileModal;

constexpr UINT kIconId = kTrayIconId;

// A plain top-level window with a procedure of its own that records what reaches it. Exit
// destroys it, as a program's close does.
class TestWindow {
public:
    TestWindow() {
        WNDCLASSEXW windowClass{sizeof windowClass};
        windowClass.lpfnWndProc = &TestWindow::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = L"VkTrayTestWindow";
        RegisterClassExW(&windowClass); // fails harmlessly from the second window on
        hwnd = CreateWindowExW(0, L"VkTrayTestWindow", L"Tray test window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200,
                               400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    }
    ~TestWindow() {
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd = nullptr;
    std::vector<WPARAM> commands;
    std::vector<UINT> messages;
    int finalMessages = 0; // WM_NCDESTROY

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self) {
            self->messages.push_back(message);
            if (message == WM_COMMAND) {
                self->commands.push_back(wParam);
                if (LOWORD(wParam) == ID_APP_EXIT) {
                    DestroyWindow(hwnd);
                }
            } else if (message == WM_NCDESTROY) {
                ++self->finalMessages;
            }
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
};

UINT TrayMessage() {
    return RegisterWindowMessageW(L"SubTray2WindowMsg");
}

// Whether the shell holds an icon of the window (changing nothing of it).
bool IconShown(HWND window, UINT id = kIconId) {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = window;
    record.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

UINT_PTR Property(HWND window, const wchar_t* name) {
    return reinterpret_cast<UINT_PTR>(GetPropW(window, name));
}

bool PumpUntil(const std::function<bool()>& done) {
    return ui::PumpUntil(done, std::chrono::seconds(20));
}

// The centre of the first icon in the shell's icon window: where a person clicks.
POINT IconPlace() {
    const HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    POINT place{0, 0};
    if (tray) {
        ClientToScreen(tray, &place);
    }
    const int cell = GetSystemMetrics(SM_CXSMICON) + 4; // the icon and its border
    return {place.x + cell / 2, place.y + cell / 2};
}

TEST(SubTray2, AddKeepsItsStateInTheWindowsPropertiesAndRemoveGivesItAllBack) {
    TestWindow window;
    const auto ownProcedure = GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC);
    ASSERT_TRUE(SubTray2Add(window.hwnd, 1, kIconId, L"Varnokle", nullptr));
    EXPECT_TRUE(IconShown(window.hwnd));
    EXPECT_EQ(Property(window.hwnd, kSubTray2NotifyTrayMsgProperty), TrayMessage());
    EXPECT_EQ(static_cast<LONG_PTR>(Property(window.hwnd, kSubTray2OldWndProcProperty)), ownProcedure);
    EXPECT_EQ(Property(window.hwnd, kSubTray2StyleProperty), 1u);
    EXPECT_EQ(Property(window.hwnd, kSubTray2IdProperty), kIconId);
    EXPECT_EQ(Property(window.hwnd, kSubTray2MenuHandleProperty), 0u);
    EXPECT_EQ(GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubTray2WindowProc));
    // The shell shows the icons in a window of its own.
    const HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(IsWindowVisible(tray));

    // A second add changes nothing, the option word included, and leaves one icon.
    EXPECT_TRUE(SubTray2Add(window.hwnd, 0, kIconId, L"Other", nullptr));
    EXPECT_EQ(Property(window.hwnd, kSubTray2StyleProperty), 1u);

    // The menu: made by the first item, a separator for command 0.
    ASSERT_TRUE(SubTray2AddMenuItem(window.hwnd, ID_APP_ABOUT, L"&About"));
    ASSERT_TRUE(SubTray2AddMenuItem(window.hwnd, 0, nullptr));
    ASSERT_TRUE(SubTray2AddMenuItem(window.hwnd, ID_APP_EXIT, L"&Exit"));
    const auto menu = reinterpret_cast<HMENU>(Property(window.hwnd, kSubTray2MenuHandleProperty));
    ASSERT_TRUE(IsMenu(menu));
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(ID_APP_ABOUT));
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    wchar_t text[32] = L"";
    GetMenuStringW(menu, 2, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Exit");

    ASSERT_TRUE(SubTray2Remove(window.hwnd));
    EXPECT_FALSE(IconShown(window.hwnd));
    EXPECT_FALSE(IsMenu(menu));
    for (const wchar_t* name : {kSubTray2NotifyTrayMsgProperty, kSubTray2OldWndProcProperty, kSubTray2StyleProperty,
                                kSubTray2IdProperty, kSubTray2MenuHandleProperty}) {
        EXPECT_EQ(GetPropW(window.hwnd, name), nullptr) << name;
    }
    EXPECT_EQ(GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC), ownProcedure);
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    EXPECT_FALSE(IsIconic(window.hwnd)); // a visible window stays as it was
    // The shell hides its icon window with the last icon.
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(tray); }));
}

TEST(SubTray2, CallsThatCannotWorkReturnFalseAndChangeNothing) {
    TestWindow window;
    EXPECT_FALSE(SubTray2Add(nullptr, 0, kIconId, L"Varnokle", nullptr));
    EXPECT_FALSE(SubTray2Add(window.hwnd, 0, 0, L"Varnokle", nullptr));      // id 0
    EXPECT_FALSE(SubTray2AddMenuItem(window.hwnd, ID_APP_ABOUT, L"&About")); // no icon yet
    EXPECT_FALSE(SubTray2Remove(window.hwnd));
    EXPECT_EQ(GetPropW(window.hwnd, kSubTray2MenuHandleProperty), nullptr);

    // Someone else's state under the same name: not ours to take over.
    SetPropW(window.hwnd, kSubTray2OldWndProcProperty, reinterpret_cast<HANDLE>(1));
    EXPECT_FALSE(SubTray2Add(window.hwnd, 0, kIconId, L"Varnokle", nullptr));
    EXPECT_FALSE(IconShown(window.hwnd));
    RemovePropW(window.hwnd, kSubTray2OldWndProcProperty);

    // A procedure installed over ours: removing would unhook it, so nothing is done.
    ASSERT_TRUE(SubTray2Add(window.hwnd, 0, kIconId, L"Varnokle", nullptr));
    const auto ours = SetWindowLongPtrW(window.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
    EXPECT_FALSE(SubTray2Remove(window.hwnd));
    EXPECT_TRUE(IconShown(window.hwnd));
    SetWindowLongPtrW(window.hwnd, GWLP_WNDPROC, ours);
    EXPECT_TRUE(SubTray2Remove(window.hwnd));
}

TEST(SubTray2, TheCallbackIsOnlyForTheIconAndNeverReachesTheWindowsOwnProcedure) {
    TestWindow window;
    ASSERT_TRUE(AddProgramTrayIcon(window.hwnd, false));
    window.messages.clear();
    EXPECT_EQ(SendMessageW(window.hwnd, TrayMessage(), kIconId + 1, WM_LBUTTONDOWN), 0); // another icon's
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_MOUSEMOVE);
    SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    EXPECT_EQ(std::count(window.messages.begin(), window.messages.end(), TrayMessage()), 0);
    // Other messages pass through unchanged.
    SendMessageW(window.hwnd, WM_APP + 7, 0, 0);
    EXPECT_EQ(window.messages.back(), static_cast<UINT>(WM_APP + 7));
}

TEST(SubTray2, ALeftClickOnTheIconHidesTheWindowAndTheNextBringsItBackAsItWas) {
    TestWindow window;
    ASSERT_TRUE(AddProgramTrayIcon(window.hwnd, false));
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(FindWindowW(nullptr, L"Wine System Tray")) != FALSE; }));

    ClickAt(IconPlace());
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window.hwnd); }));
    ClickAt(IconPlace());
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window.hwnd) != FALSE; }));
    EXPECT_FALSE(IsIconic(window.hwnd));
    EXPECT_FALSE(IsZoomed(window.hwnd));
    EXPECT_EQ(GetForegroundWindow(), window.hwnd);

    // A maximized window comes back maximized. (Wine's icon window lies under a maximized
    // window, out of reach of the pointer: the clicks come as the shell reports them.)
    ShowWindow(window.hwnd, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(window.hwnd));
    SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(window.hwnd));
    SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    EXPECT_TRUE(IsZoomed(window.hwnd));
}

// The about box opened from the tray menu of a hidden window: the icon shows the window with the
// box in front, and a second click leaves both shown (a hidden owner would leave the box
// unreachable behind a disabled window).
TEST(SubTray2, WithADialogOpenTheIconBringsTheDialogToTheFrontAndNeverHidesItsOwner) {
    TestWindow window;
    ASSERT_TRUE(AddProgramTrayIcon(window.hwnd, true));
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(FindWindowW(nullptr, L"Wine System Tray")) != FALSE; }));
    SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_LBUTTONDOWN);
    ASSERT_FALSE(IsWindowVisible(window.hwnd));
    bool shownWithBoxInFront = false;
    bool keptWithBoxInFront = false;
    bool keptWhenMinimized = false;
    WhileModal driver([&] {
        const HWND box = FindWindowW(L"#32770", L"Tray test box");
        if (!box || !IsWindowVisible(box)) {
            return false;
        }
        SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_LBUTTONDOWN);
        // (Which window Wine makes the foreground one here is not reliable: the box's being shown
        // with its owner is what is checked.)
        shownWithBoxInFront = IsWindowVisible(window.hwnd) && IsWindowVisible(box);
        SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_LBUTTONDOWN);
        keptWithBoxInFront = IsWindowVisible(window.hwnd) && IsWindowVisible(box);
        SendMessageW(window.hwnd, WM_SIZE, SIZE_MINIMIZED, 0); // minimize-to-tray's cue
        keptWhenMinimized = IsWindowVisible(window.hwnd) != FALSE;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    MessageBoxW(window.hwnd, L"About", L"Tray test box", MB_OK);
    EXPECT_TRUE(driver.Done());
    EXPECT_TRUE(shownWithBoxInFront);
    EXPECT_TRUE(keptWithBoxInFront);
    EXPECT_TRUE(keptWhenMinimized);
}

TEST(SubTray2, WithBitZeroMinimizingHidesTheWindowAndWithoutItTheWindowStaysOnTheTaskBar) {
    for (const UINT options : {1u, 0u}) {
        SCOPED_TRACE(options);
        TestWindow window;
        ASSERT_TRUE(AddProgramTrayIcon(window.hwnd, options == kTrayHideWhenMinimized));
        SetForegroundWindow(window.hwnd);
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == window.hwnd; }));
        SendMessageW(window.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0); // the caption's minimize button
        ui::PumpWaitingMessages();
        EXPECT_TRUE(IsIconic(window.hwnd));
        EXPECT_EQ(IsWindowVisible(window.hwnd) != FALSE, options == 0);

        // A click on the icon brings the window back either way (a visible minimized window is
        // hidden first, as by any click on a shown window).
        if (options == 0) {
            ClickAt(IconPlace());
            ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window.hwnd); }));
        }
        ClickAt(IconPlace());
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window.hwnd) && !IsIconic(window.hwnd); }));
    }
}

TEST(SubTray2, RemovingTheIconOfAHiddenWindowLeavesItMinimizedOnTheTaskBar) {
    TestWindow window;
    ASSERT_TRUE(AddProgramTrayIcon(window.hwnd, false));
    SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_LBUTTONDOWN);
    ASSERT_FALSE(IsWindowVisible(window.hwnd));
    ASSERT_TRUE(SubTray2Remove(window.hwnd));
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    EXPECT_TRUE(IsIconic(window.hwnd));
    EXPECT_NE(GetForegroundWindow(), window.hwnd);
}

// Opens the icon's menu with a right click on the icon and, once it is open, runs choose (given
// the menu's window); returns the commands that reached the window.
//
// On Windows the menu closes on a click elsewhere only when its owner is the foreground window, a
// top-level one, and opens properly the next time only after a posted WM_NULL: the helper that
// owns it is checked while the menu is open, and the WM_NULL afterwards.
std::vector<WPARAM> ChooseFromTrayMenu(TestWindow& window, const std::function<void(HWND)>& choose) {
    window.commands.clear();
    window.messages.clear();
    HWND helper = nullptr;
    LONG_PTR helperStyle = 0;
    HWND foreground = nullptr;
    WhileModal whileOpen([&] {
        const HWND menuWindow = FindWindowW(L"#32768", nullptr);
        if (!menuWindow || !IsWindowVisible(menuWindow)) {
            return false;
        }
        helper = FindWindowW(L"Static", L"HideTrayMenuBase");
        helperStyle = GetWindowLongPtrW(helper, GWL_STYLE);
        foreground = GetForegroundWindow();
        choose(menuWindow);
        return true;
    });
    ClickAt(IconPlace(), true);
    EXPECT_TRUE(PumpUntil([&] { return whileOpen.Done() && (!window.commands.empty() || !IsWindow(window.hwnd)); }));
    EXPECT_NE(helper, nullptr);
    EXPECT_EQ(helperStyle & (WS_CHILD | WS_POPUP | WS_VISIBLE), LONG_PTR{WS_POPUP}) << "a hidden top-level pop-up";
    EXPECT_EQ(foreground, helper);
    EXPECT_EQ(FindWindowW(L"Static", L"HideTrayMenuBase"), nullptr); // gone with the menu
    EXPECT_NE(std::find(window.messages.begin(), window.messages.end(), UINT{WM_NULL}), window.messages.end());
    return window.commands;
}

// Clicks the menu item at a position of the tray menu.
std::function<void(HWND)> ClickItem(HWND window, int position) {
    return [=](HWND) {
        RECT item{};
        GetMenuItemRect(nullptr, reinterpret_cast<HMENU>(Property(window, kSubTray2MenuHandleProperty)), position,
                        &item);
        ClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    };
}

TEST(SubTray2, TheTrayMenuPostsTheChosenCommandAndZeroWhenDismissed) {
    TestWindow window;
    ASSERT_TRUE(AddProgramTrayIcon(window.hwnd, false));
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(FindWindowW(nullptr, L"Wine System Tray")) != FALSE; }));

    EXPECT_EQ(ChooseFromTrayMenu(window, ClickItem(window.hwnd, 0)), std::vector<WPARAM>{ID_APP_ABOUT});
    EXPECT_EQ(ChooseFromTrayMenu(window, ClickItem(window.hwnd, 1)), std::vector<WPARAM>{ID_TRAY_SHOW});
    // Keys work too; Escape dismisses the menu and posts command 0.
    EXPECT_EQ(ChooseFromTrayMenu(window,
                                 [&](HWND) {
                                     for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
                                         PostMessageW(window.hwnd, WM_KEYDOWN, key, 0);
                                     }
                                 }),
              std::vector<WPARAM>{ID_TRAY_SHOW});
    EXPECT_EQ(ChooseFromTrayMenu(window, [&](HWND) { PostMessageW(window.hwnd, WM_KEYDOWN, VK_ESCAPE, 0); }),
              std::vector<WPARAM>{0});
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
}

// The shell's Shell_NotifyIconW with a way to refuse adding (the taskbar is not there) and a
// record of every icon added; put in place for a test's lifetime.
class NotifyIconSeam {
public:
    NotifyIconSeam() : previous_(SubTray2UseNotifyIcon(&NotifyIconSeam::Notify)) { current_ = this; }
    ~NotifyIconSeam() {
        SubTray2UseNotifyIcon(previous_);
        current_ = nullptr;
    }
    NotifyIconSeam(const NotifyIconSeam&) = delete;
    NotifyIconSeam& operator=(const NotifyIconSeam&) = delete;

    bool taskbarThere = true;
    std::vector<NOTIFYICONDATAW> added;

private:
    static BOOL WINAPI Notify(DWORD message, NOTIFYICONDATAW* record) {
        if ((message == NIM_ADD || message == NIM_MODIFY) && !current_->taskbarThere) {
            return FALSE;
        }
        if (message == NIM_ADD) {
            current_->added.push_back(*record);
        }
        return Shell_NotifyIconW(message, record);
    }

    static inline NotifyIconSeam* current_ = nullptr;
    NotifyIconFunction previous_;
};

UINT TaskbarCreated() {
    return RegisterWindowMessageW(L"TaskbarCreated");
}

// Explorer restarted: every icon is gone from the shell, and the new taskbar says so.
void RestartTheShell(HWND window) {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = window;
    record.uID = kIconId;
    Shell_NotifyIconW(NIM_DELETE, &record);
    SendMessageW(window, TaskbarCreated(), 0, 0);
}

TEST(SubTray2, ANewTaskbarGetsTheIconAgainAsItWasAdded) {
    NotifyIconSeam shell;
    TestWindow window;
    ASSERT_TRUE(AddProgramTrayIcon(window.hwnd, true));
    ASSERT_TRUE(IconShown(window.hwnd));
    ASSERT_EQ(shell.added.size(), 1u);

    window.messages.clear();
    RestartTheShell(window.hwnd);
    EXPECT_TRUE(IconShown(window.hwnd));
    EXPECT_TRUE(SubTray2IconShown(window.hwnd));
    ASSERT_EQ(shell.added.size(), 2u);
    const NOTIFYICONDATAW& first = shell.added[0];
    const NOTIFYICONDATAW& again = shell.added[1];
    EXPECT_EQ(again.hWnd, first.hWnd);
    EXPECT_EQ(again.uID, kIconId);
    EXPECT_EQ(again.uFlags, first.uFlags);
    EXPECT_EQ(again.uCallbackMessage, TrayMessage());
    EXPECT_EQ(again.hIcon, first.hIcon);
    EXPECT_STREQ(again.szTip, L"Varnokle");
    // The window's own procedure hears of the new taskbar too.
    EXPECT_NE(std::find(window.messages.begin(), window.messages.end(), TaskbarCreated()), window.messages.end());
}

TEST(SubTray2, WithoutATaskbarTheIconWaitsForItAndTheWindowIsNeverHiddenWithoutTheIcon) {
    NotifyIconSeam shell;
    shell.taskbarThere = false; // at log-on, before the taskbar
    TestWindow window;
    ASSERT_TRUE(AddProgramTrayIcon(window.hwnd, true));
    EXPECT_FALSE(IconShown(window.hwnd));
    EXPECT_FALSE(SubTray2IconShown(window.hwnd));
    EXPECT_EQ(Property(window.hwnd, kSubTray2IdProperty), kIconId);

    // Nothing to bring a hidden window back with: neither a click nor a minimize hides it.
    SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    SendMessageW(window.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ui::PumpWaitingMessages();
    EXPECT_TRUE(IsIconic(window.hwnd));
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    ShowWindow(window.hwnd, SW_RESTORE);

    // The taskbar comes: so does the icon.
    shell.taskbarThere = true;
    SendMessageW(window.hwnd, TaskbarCreated(), 0, 0);
    EXPECT_TRUE(IconShown(window.hwnd));

    // Hidden in the tray, then Explorer restarts and the new taskbar refuses the icon: the window
    // comes back.
    SendMessageW(window.hwnd, TrayMessage(), kIconId, WM_LBUTTONDOWN);
    ASSERT_FALSE(IsWindowVisible(window.hwnd));
    shell.taskbarThere = false;
    RestartTheShell(window.hwnd);
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    EXPECT_FALSE(IsIconic(window.hwnd));
    EXPECT_FALSE(SubTray2IconShown(window.hwnd));
}

TEST(SubTray2, ExitFromTheTrayMenuClosesTheWindowAndTakesTheIconAway) {
    TestWindow window;
    ASSERT_TRUE(AddProgramTrayIcon(window.hwnd, false));
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(FindWindowW(nullptr, L"Wine System Tray")) != FALSE; }));
    const HWND hwnd = window.hwnd;
    EXPECT_EQ(ChooseFromTrayMenu(window, ClickItem(hwnd, 2)), std::vector<WPARAM>{ID_APP_EXIT});
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IconShown(hwnd));
    // The window's own procedure saw its end, to the last message.
    EXPECT_EQ(window.finalMessages, 1);
}

} // namespace
} // namespace vk
