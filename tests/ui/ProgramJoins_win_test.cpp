// The program as start-up puts it together, on real windows under Wine: the main frame with the
// real search forms on a folder network, the settings in an in-memory profile, the tray icon in
// Wine's notification area. Options saving the settings and rebuilding the icon, Show, the command
// of a dismissed tray menu, the mode switch with "Minimize window to system tray", closing during a
// search, and the application's start-up itself.
#include "shell/win/MainFrame.h"

#include "document/Varnokle2Doc.h"
#include "engine/EngineTexts.h"
#include "forms/FormTexts.h"
#include "forms/Settings.h"
#include "forms/win/SearchFormView.h"
#include "framework/MessageLoop.h"
#include "network/win/UpView.h"
#include "platform/NetworkEnvironment.h"
#include "resource.h"
#include "shell/win/SplitterView.h"
#include "shell/win/SubTray2.h"
#include "shell/win/TipOfTheDayDlg.h"
#include "shell/win/TrayIcon.h"
#include "shell/win/Varnokle2App.h"
#include "support/TempTree.h"
#include "ui/support/CurrentDirectory.h"
#include "ui/support/DialogWatcher.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace vk {
namespace {

using testing::CurrentDirectory;
using testing::DialogCloser;
using testing::DialogWatcher;

bool PumpUntil(const std::function<bool()>& done) {
    return ui::PumpUntil(done, std::chrono::seconds(30));
}

bool HasTrayIcon(HWND window) {
    return GetPropW(window, kSubTray2IdProperty) != nullptr;
}

// The texts of the tray icon's menu, in order.
std::vector<std::wstring> TrayMenu(HWND window) {
    std::vector<std::wstring> items;
    const auto menu = static_cast<HMENU>(GetPropW(window, kSubTray2MenuHandleProperty));
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        items.emplace_back(text);
    }
    return items;
}

// Records, on this thread, each window that is destroyed or hidden while it happens.
class WindowWatch {
public:
    explicit WindowWatch(std::function<void(const CWPSTRUCT&)> seen) : seen_(std::move(seen)) {
        Current() = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &WindowWatch::Hook, nullptr, GetCurrentThreadId());
    }
    ~WindowWatch() {
        UnhookWindowsHookEx(hook_);
        Current() = nullptr;
    }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

private:
    static WindowWatch*& Current() {
        static WindowWatch* current = nullptr;
        return current;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && Current()) {
            Current()->seen_(*reinterpret_cast<const CWPSTRUCT*>(lParam));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    std::function<void(const CWPSTRUCT&)> seen_;
    HHOOK hook_ = nullptr;
};

class ProgramJoins : public ::testing::Test {
protected:
    void SetUp() override {
        theFormSize = {};
        theSettings = {};
        SetAppProfile(&profile_);
        for (int i = 0; i < 40; ++i) {
            tree_.MakeFile("net/Net/DOM/SRV/share/f" + std::to_string(i) + "/a" + std::to_string(i) + ".txt", "a");
        }
        tree_.MakeDir("work");
        here_ = std::make_unique<CurrentDirectory>(tree_.PathOf("work"));
    }

    void TearDown() override {
        frame_.reset();
        document_.reset();
        here_.reset();
        SetAppProfile(nullptr);
        theSettings = {};
        theFormSize = {};
    }

    // The frame as start-up makes it, with the settings of the profile; delay slows every call of
    // the network down.
    void Open(const char* delay = nullptr) {
        if (delay) {
            tree_.MakeFile("net/network-faults.txt", std::string("delay ") + delay + "\n");
        }
        ASSERT_EQ(environment_.UseFolderNetwork(tree_.Native("net")), kErrorSuccess);
        document_ = std::make_unique<CVarnokle2Doc>(environment_);
        theSettings.Load(profile_);
        CMainFrame::Setup setup;
        setup.makeForm = SearchFormFactory(*document_);
        setup.advancedForm = theSettings.Advanced != 0;
        frame_ = std::make_unique<CMainFrame>(*document_, setup);
        ASSERT_TRUE(frame_->CreateFrame());
        frame_->InitialUpdate();
        ShowWindow(frame_->Handle(), SW_SHOWMAXIMIZED);
        ui::PumpWaitingMessages();
    }

    [[nodiscard]] HWND Frame() const { return frame_->Handle(); }
    [[nodiscard]] CSearchFormView* Form() const { return dynamic_cast<CSearchFormView*>(frame_->LeftSide()->Form()); }
    void Command(UINT id) { frame_->Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // Runs Options; act works on the dialog from another thread and must close it.
    void RunOptions(const std::function<void(HWND)>& act) {
        DialogWatcher watcher(L"Options", act);
        Command(ID_VIEW_OPTIONS);
        watcher.Join();
        ASSERT_TRUE(watcher.Found()) << "no dialog titled Options";
    }

    static void Press(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

    test::TempTree tree_;
    MemoryProfile profile_;
    std::unique_ptr<CurrentDirectory> here_;
    NetworkEnvironment environment_;
    std::unique_ptr<CVarnokle2Doc> document_;
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(ProgramJoins, OptionsSavesTheSettingsAndRebuildsTheTrayIconAndCancelChangesNothing) {
    Open();
    EXPECT_FALSE(HasTrayIcon(Frame())) << "a fresh profile has no tray icon";

    RunOptions([](HWND dialog) {
        Press(dialog, IDC_SHOW_TRAY_ICON);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(profile_.GetInt(kSectionSettings, kKeyShowIconInTray, -1), 1);
    EXPECT_EQ(profile_.GetInt(kSectionSettings, kKeyMinimizeToTray, -1), 0);
    EXPECT_EQ(profile_.GetInt(kSectionSettings, kKeyAdvanced, -1), 0) << "all four settings are saved";
    ASSERT_TRUE(HasTrayIcon(Frame()));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(Frame(), kSubTray2IdProperty)), kTrayIconId);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(Frame(), kSubTray2StyleProperty)), 0u);
    EXPECT_EQ(TrayMenu(Frame()), (std::vector<std::wstring>{L"&About", L"&Show", L"&Exit"}));

    // Minimizing to the tray as well: the icon is made again with the option.
    RunOptions([](HWND dialog) {
        Press(dialog, IDC_MINIMIZE_TO_TRAY);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(Frame(), kSubTray2StyleProperty)), 1u);
    EXPECT_EQ(TrayMenu(Frame()).size(), 3u) << "the menu is made once";

    // Cancel after changing the boxes: the icon stays as it was.
    RunOptions([](HWND dialog) {
        Press(dialog, IDC_SHOW_TRAY_ICON);
        Press(dialog, IDCANCEL);
    });
    EXPECT_TRUE(HasTrayIcon(Frame()));
    EXPECT_EQ(theSettings.ShowIconInTray, 1);

    RunOptions([](HWND dialog) {
        Press(dialog, IDC_SHOW_TRAY_ICON);
        Press(dialog, IDOK);
    });
    EXPECT_FALSE(HasTrayIcon(Frame()));
    EXPECT_NE(GetWindowLongPtrW(Frame(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubTray2WindowProc));
    EXPECT_EQ(profile_.GetInt(kSectionSettings, kKeyShowIconInTray, -1), 0);
    EXPECT_TRUE(IsWindowVisible(Frame()));
}

TEST_F(ProgramJoins, TheTrayIconComesWithTheSettingAndTheTrayMenusCommandsReachTheFrame) {
    profile_.WriteInt(kSectionSettings, kKeyShowIconInTray, 1);
    Open();
    ASSERT_TRUE(HasTrayIcon(Frame()));

    // A left click on the icon hides the frame; the menu's Show brings it back, maximized.
    const UINT trayMessage = RegisterWindowMessageW(kSubTray2MessageName);
    frame_->Send(trayMessage, kTrayIconId, WM_LBUTTONDOWN);
    ASSERT_FALSE(IsWindowVisible(Frame()));
    PostMessageW(Frame(), WM_COMMAND, ID_TRAY_SHOW, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Frame()) != FALSE; }));
    EXPECT_TRUE(IsZoomed(Frame()));
    // From the task bar's minimized state as well.
    ShowWindow(Frame(), SW_MINIMIZE);
    Command(ID_TRAY_SHOW);
    EXPECT_FALSE(IsIconic(Frame()));

    // A dismissed menu posts command 0: nothing happens, no dialog opens.
    {
        DialogCloser anyBox(kProgramName, std::chrono::milliseconds(500));
        PostMessageW(Frame(), WM_COMMAND, 0, 0);
        ui::PumpWaitingMessages();
        anyBox.Join();
        EXPECT_FALSE(anyBox.found);
    }
    EXPECT_TRUE(IsWindowVisible(Frame()));

    // Exit closes the frame and takes the icon away.
    const HWND frame = Frame();
    PostMessageW(frame, WM_COMMAND, ID_APP_EXIT, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(frame); }));
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = frame;
    record.uID = kTrayIconId;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &record)) << "the icon outlived the frame";
}

// A write of the settings or of the forms' histories that fails is said in the status bar.
TEST_F(ProgramJoins, SettingsAndHistoriesThatCannotBeWrittenAreSaidInTheStatusBar) {
    Open();
    profile_.SetFailing(true);
    RunOptions([](HWND dialog) { Press(dialog, IDOK); });
    EXPECT_EQ(frame_->StatusBar().PaneText(kPaneMessage), kTextSettingsNotSaved);

    // The mode switch writes the histories (vk.set, made a folder here) as the simple form goes,
    // then the settings.
    std::filesystem::remove(tree_.PathOf("work/vk.set"));
    tree_.MakeDir("work/vk.set");
    frame_->StatusBar().SetPaneText(kPaneMessage, L"Ready");
    SendMessageW(GetDlgItem(Form()->Handle(), IDC_ADVANCED_MODE), BM_CLICK, 0, 0);
    ui::PumpWaitingMessages();
    ASSERT_TRUE(Form()->IsAdvanced());
    EXPECT_EQ(frame_->StatusBar().PaneText(kPaneMessage), kTextSettingsNotSaved);
    profile_.SetFailing(false);
    SendMessageW(GetDlgItem(Form()->Handle(), IDC_SIMPLE_MODE), BM_CLICK, 0, 0);
    ui::PumpWaitingMessages();
    ASSERT_FALSE(Form()->IsAdvanced());
    EXPECT_EQ(frame_->StatusBar().PaneText(kPaneMessage), kTextHistoriesNotSaved);
    EXPECT_EQ(profile_.GetInt(kSectionSettings, kKeyAdvanced, -1), 0);
}

TEST_F(ProgramJoins, WithMinimizeToTrayTheModeSwitchNeverHidesTheFrame) {
    profile_.WriteInt(kSectionSettings, kKeyShowIconInTray, 1);
    profile_.WriteInt(kSectionSettings, kKeyMinimizeToTray, 1);
    Open();
    ASSERT_TRUE(IsZoomed(Frame()));
    int hidden = 0;
    {
        const HWND frame = Frame();
        WindowWatch watch([&](const CWPSTRUCT& m) {
            if (m.hwnd == frame && ((m.message == WM_SHOWWINDOW && m.wParam == FALSE) ||
                                    (m.message == WM_WINDOWPOSCHANGING &&
                                     (reinterpret_cast<const WINDOWPOS*>(m.lParam)->flags & SWP_HIDEWINDOW)))) {
                ++hidden;
            }
        });
        SendMessageW(GetDlgItem(Form()->Handle(), IDC_ADVANCED_MODE), BM_CLICK, 0, 0);
        ui::PumpWaitingMessages();
    }
    EXPECT_EQ(hidden, 0);
    ASSERT_TRUE(Form()->IsAdvanced());
    EXPECT_TRUE(IsWindowVisible(Frame()));
    EXPECT_TRUE(IsZoomed(Frame()));

    // The user's own minimize still sends it to the tray.
    ShowWindow(Frame(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(Frame()));
    Command(ID_TRAY_SHOW);
    EXPECT_TRUE(IsWindowVisible(Frame()));
}

TEST_F(ProgramJoins, ClosingDuringASearchDestroysNoWindowWhileTheSearchRunsAndTheFormSavesItsMasks) {
    Open("100ms");
    CSearchEngine& engine = document_->Engine();
    SetWindowTextW(GetDlgItem(Form()->Handle(), IDC_MASK), L"*.txt");
    SendMessageW(GetDlgItem(Form()->Handle(), IDC_START), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return frame_->StatusBar().PaneText(kPaneMessage).starts_with(kTextSearchIn); }));
    ASSERT_TRUE(engine.SearchThreadsRunning());

    const HWND frame = Frame();
    int destroyed = 0;
    int destroyedWhileRunning = 0;
    {
        WindowWatch watch([&](const CWPSTRUCT& m) {
            if (m.message == WM_DESTROY && (m.hwnd == frame || IsChild(frame, m.hwnd))) {
                ++destroyed;
                destroyedWhileRunning += engine.SearchThreadsRunning() ? 1 : 0;
            }
        });
        SendMessageW(frame, WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_GT(destroyed, 5);
    EXPECT_EQ(destroyedWhileRunning, 0);
    EXPECT_FALSE(engine.SearchThreadsRunning());
    EXPECT_EQ(tree_.ReadFile("work/vk.set"), "1\r\n*.txt\r\n");
}

// The masks are written when they join the history; at log-off or shutdown, after which Windows ends
// the process without destroying a window, the settings and vk.set are written at the question and
// the search is stopped at the end.
TEST_F(ProgramJoins, TheEndOfTheSessionStopsTheSearchAndWritesTheSettingsAndTheHistories) {
    Open("100ms");
    CSearchEngine& engine = document_->Engine();
    SetWindowTextW(GetDlgItem(Form()->Handle(), IDC_MASK), L"*.txt");
    SendMessageW(GetDlgItem(Form()->Handle(), IDC_START), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return frame_->StatusBar().PaneText(kPaneMessage).starts_with(kTextSearchIn); }));
    EXPECT_EQ(tree_.ReadFile("work/vk.set"), "1\r\n*.txt\r\n");
    std::filesystem::remove(tree_.PathOf("work/vk.set"));
    ASSERT_FALSE(profile_.Has(kSectionSettings, kKeyAdvanced));

    EXPECT_EQ(SendMessageW(Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(tree_.ReadFile("work/vk.set"), "1\r\n*.txt\r\n");
    EXPECT_TRUE(profile_.Has(kSectionSettings, kKeyAdvanced));
    ASSERT_TRUE(engine.SearchThreadsRunning());
    SendMessageW(Frame(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(engine.SearchThreadsRunning());
    EXPECT_TRUE(IsWindow(Frame()));
}

// The application's start-up, with the program's tips file beside the test program.
class ApplicationStartUp : public ::testing::Test {
protected:
    ApplicationStartUp() {
        tree_.MakeFile("Net/DOM/SRV/share/a.txt", "a");
        tree_.MakeDir("work");
        std::ofstream(TipsFilePath(), std::ios::binary) << "First tip\r\nSecond tip\r\nThird tip\r\n";
        here_ = std::make_unique<CurrentDirectory>(tree_.PathOf("work"));
    }
    ~ApplicationStartUp() override {
        here_.reset();
        std::error_code ignored;
        std::filesystem::remove(TipsFilePath(), ignored);
        theSettings = {};
        theFormSize = {};
    }

    CVarnokle2App::Setup Setup(std::vector<std::wstring> args) {
        CVarnokle2App::Setup setup;
        setup.args = std::move(args);
        setup.networkEnvironment = tree_.Native("Net");
        setup.profile = &profile_;
        setup.userDataFolder = tree_.PathOf("work");
        return setup;
    }

    int FilePos() const { return profile_.GetInt(kSectionTip, L"FilePos", -1); }

    test::TempTree tree_;
    MemoryProfile profile_;
    std::unique_ptr<CurrentDirectory> here_;
};

TEST_F(ApplicationStartUp, OpensTheFormOfTheSettingMaximizedAndMovesTheTipOnWithoutADialogWhenTurnedOff) {
    profile_.WriteInt(kSectionSettings, kKeyAdvanced, 1);
    profile_.WriteInt(kSectionTip, kKeyStartUp, 1);
    CVarnokle2App app;
    ASSERT_TRUE(app.InitInstance(Setup({})));
    EXPECT_EQ(&AppProfile(), &profile_);
    const HWND frame = app.MainFrame()->Handle();
    EXPECT_TRUE(IsZoomed(frame));
    EXPECT_TRUE(IsWindowEnabled(frame)) << "no dialog holds the window";
    EXPECT_EQ(app.MainFrame()->Text(), L"Varnokle");
    const auto* form = dynamic_cast<CSearchFormView*>(app.MainFrame()->LeftSide()->Form());
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->IsAdvanced());
    EXPECT_EQ(FilePos(), 11) << "one tip on";
    // The tree shows the folder network of the environment.
    CCheckTreeCtrl& tree = app.MainFrame()->LeftSide()->Tree()->Tree();
    ASSERT_TRUE(PumpUntil([&] { return tree.FirstChild(kNoNode) != kNoNode; }));
    EXPECT_EQ(tree.Text(tree.FirstChild(kNoNode)), L"DOM");

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(IsWindow(frame));
}

TEST_F(ApplicationStartUp, TheHelpMenusTipOfTheDayShowsTheDialogWhateverTheStartUpChoice) {
    profile_.WriteInt(kSectionTip, kKeyStartUp, 1);
    CVarnokle2App app;
    ASSERT_TRUE(app.InitInstance(Setup({})));
    ASSERT_EQ(FilePos(), 11);
    const HWND frame = app.MainFrame()->Handle();
    HWND owner = nullptr;
    DialogWatcher tip(L"Tip of the Day", [&](HWND dialog) {
        owner = GetWindow(dialog, GW_OWNER);
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    app.MainFrame()->Send(WM_COMMAND, ID_HELP_TIP_OF_THE_DAY, 0);
    tip.Join();
    EXPECT_TRUE(tip.Found());
    EXPECT_EQ(owner, frame);
    EXPECT_EQ(FilePos(), 23) << "the next tip";
    EXPECT_EQ(profile_.GetInt(kSectionTip, kKeyStartUp, -1), 1) << "closing it so writes nothing";
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.Run(), 0);
}

TEST_F(ApplicationStartUp, AStartForEmbeddingShowsNoTipAndMovesNothing) {
    CVarnokle2App app;
    ASSERT_TRUE(app.InitInstance(Setup({L"/Embedding"})));
    EXPECT_EQ(FilePos(), -1);
    const HWND frame = app.MainFrame()->Handle();
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_NE(app.MainFrame()->LeftSide()->Form(), nullptr);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.Run(), 0);
}

TEST_F(ApplicationStartUp, ANetworkFolderThatCannotBeReadIsReportedAndNothingOpens) {
    CVarnokle2App app;
    DialogCloser box;
    EXPECT_FALSE(app.InitInstance(Setup({L"--network", tree_.Native("missing")})));
    box.Join();
    EXPECT_EQ(app.ExitCode(), 1);
    EXPECT_EQ(app.MainFrame(), nullptr);
    ASSERT_TRUE(box.found);
    EXPECT_TRUE(box.text.starts_with(L"The folder network " + tree_.Native("missing") + L" cannot be read: "))
        << std::string(box.text.begin(), box.text.end());

    CVarnokle2App usage;
    DialogCloser again;
    EXPECT_FALSE(usage.InitInstance(Setup({L"--network"})));
    again.Join();
    EXPECT_TRUE(again.found);
    EXPECT_EQ(usage.ExitCode(), 1);
}

} // namespace
} // namespace vk
