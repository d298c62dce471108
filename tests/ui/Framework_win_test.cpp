// The framework layer: message tables with fallback to the base class, notifications reflected
// to control objects, form views from templates, the catch-all, and the message pump.

#include "framework/Controls.h"
#include "framework/FormView.h"
#include "framework/MessageBoxes.h"
#include "framework/MessageLoop.h"
#include "resource.h"
#include "ui/support/DialogWatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace vk::ui {
namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kPong = WM_APP + 2;
constexpr UINT kThrow = WM_APP + 3;

class BaseWindow : public Window {
public:
    std::vector<std::string> calls;

protected:
    bool ProcessMessage(Message& m) override {
        return DispatchMessageTable(*this, kTable, m) || Window::ProcessMessage(m);
    }

private:
    bool OnPing(Message& m) {
        calls.push_back("base ping");
        m.result = 1;
        return true;
    }
    bool OnPong(Message& m) {
        calls.push_back("base pong");
        m.result = 2;
        return true;
    }
    static constexpr MessageEntry<BaseWindow> kTable[] = {On(kPing, &BaseWindow::OnPing),
                                                          On(kPong, &BaseWindow::OnPong)};
};

class DerivedWindow : public BaseWindow {
protected:
    bool ProcessMessage(Message& m) override {
        return DispatchMessageTable(*this, kTable, m) || BaseWindow::ProcessMessage(m);
    }

private:
    // Declines pings above 10, so that they fall back to the base class.
    bool OnPing(Message& m) {
        if (m.wParam > 10) {
            return false;
        }
        calls.push_back("derived ping");
        m.result = 10;
        return true;
    }
    bool OnThrow(Message&) { throw std::runtime_error("handler failed"); }
    bool OnFortyTwo(Message& m) {
        calls.push_back("command " + std::to_string(m.CommandId()));
        return true;
    }
    static constexpr MessageEntry<DerivedWindow> kTable[] = {On(kPing, &DerivedWindow::OnPing),
                                                             On(kThrow, &DerivedWindow::OnThrow),
                                                             ui::OnCommand(42, &DerivedWindow::OnFortyTwo)};
};

TEST(Framework, MessageTablesFallBackToTheBaseClassAndThenTheSystem) {
    DerivedWindow window;
    ASSERT_TRUE(window.Create(L"VkTestWindow", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100, nullptr, nullptr));
    EXPECT_EQ(window.Send(kPing, 5), 10);  // the derived handler
    EXPECT_EQ(window.Send(kPing, 50), 1);  // declined: the base handler
    EXPECT_EQ(window.Send(kPong), 2);      // only the base has it
    EXPECT_EQ(window.Send(WM_APP + 9), 0); // nobody: the system's default
    window.Send(WM_COMMAND, MAKEWPARAM(42, 0));
    window.Send(WM_COMMAND, MAKEWPARAM(43, 0)); // no entry for 43
    EXPECT_EQ(window.calls, (std::vector<std::string>{"derived ping", "base ping", "base pong", "command 42"}));
    EXPECT_EQ(Window::FromHandle(window.Handle()), &window);
}

TEST(Framework, AHandlerThatThrowsNeverUnwindsThroughWindows) {
    DerivedWindow window;
    ASSERT_TRUE(window.Create(L"VkTestWindow", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100, nullptr, nullptr));
    EXPECT_EQ(window.Send(kThrow), 0); // default processing instead
    EXPECT_EQ(window.Send(kPing, 1), 10);
}

TEST(Framework, DestroyingTheObjectDestroysItsWindowAndForgetsIt) {
    HWND hwnd = nullptr;
    {
        DerivedWindow window;
        ASSERT_TRUE(window.Create(L"VkTestWindow", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100, nullptr, nullptr));
        hwnd = window.Handle();
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

// A list-view wrapper that keeps its column clicks to itself.
class OwnList : public ListViewCtrl {
public:
    int columnClicks = 0;

protected:
    bool ReflectedMessage(Message& m) override {
        if (m.message == WM_NOTIFY && m.Notify()->code == LVN_COLUMNCLICK) {
            ++columnClicks;
            return true;
        }
        return false;
    }
};

class ResultForm : public FormView {
public:
    ResultForm() : FormView(IDD_RESULT_VIEW) {}
    OwnList list;
    int parentClicks = 0;
    int parentDoubleClicks = 0;
    bool initialised = false;
    void OnInitialUpdate() override { initialised = list.Attach(Item(IDC_RESULT_LIST)); }

protected:
    bool ProcessMessage(Message& m) override {
        return DispatchMessageTable(*this, kTable, m) || FormView::ProcessMessage(m);
    }

private:
    bool OnColumnClick(Message&) {
        ++parentClicks;
        return true;
    }
    bool OnDoubleClick(Message& m) {
        ++parentDoubleClicks;
        m.result = 0;
        return true;
    }
    static constexpr MessageEntry<ResultForm> kTable[] = {
        OnNotify(LVN_COLUMNCLICK, IDC_RESULT_LIST, &ResultForm::OnColumnClick),
        OnNotify(NM_DBLCLK, IDC_RESULT_LIST, &ResultForm::OnDoubleClick)};
};

void SendNotify(HWND parent, HWND from, UINT id, UINT code) {
    NMLISTVIEW info{};
    info.hdr = {from, id, code};
    SendMessageW(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
}

TEST(Framework, FormViewsComeFromTemplatesAndControlsGetTheirOwnNotificationsFirst) {
    InitCommonControlClasses();
    BaseWindow host;
    ASSERT_TRUE(host.Create(L"VkTestHost", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 0, 400, 300, nullptr, nullptr));
    ResultForm form;
    ASSERT_TRUE(form.CreateView(host.Handle()));
    form.OnInitialUpdate();
    ASSERT_TRUE(form.initialised);
    EXPECT_EQ(GetParent(form.Handle()), host.Handle());
    EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_STYLE) & WS_CHILD);

    SendNotify(form.Handle(), form.list.Handle(), IDC_RESULT_LIST, LVN_COLUMNCLICK);
    SendNotify(form.Handle(), form.list.Handle(), IDC_RESULT_LIST, NM_DBLCLK);
    EXPECT_EQ(form.list.columnClicks, 1); // the list's own object handled it
    EXPECT_EQ(form.parentClicks, 0);
    EXPECT_EQ(form.parentDoubleClicks, 1); // not the list's business: the form's table

    // The list wrapper really talks to the control (a plain list: the result template's keeps
    // its rows elsewhere).
    ListViewCtrl plain;
    ASSERT_TRUE(plain.Attach(CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 200, 100, host.Handle(),
                                             nullptr, ModuleInstance(), nullptr)));
    EXPECT_EQ(plain.InsertColumn(0, L"Name", 100), 0);
    EXPECT_EQ(plain.InsertItem(0, L"a.txt", 0), 0);
    EXPECT_TRUE(plain.SetItemText(0, 0, L"b.txt"));
    EXPECT_EQ(plain.ItemText(0, 0), L"b.txt");
    EXPECT_TRUE(plain.SetItemData(0, 77));
    EXPECT_EQ(plain.ItemData(0), 77);
    EXPECT_EQ(plain.ItemCount(), 1);
}

TEST(Framework, KeyboardMessagesOfFormViewsGoToTheDialogManager) {
    InitCommonControlClasses();
    BaseWindow host;
    ASSERT_TRUE(host.Create(L"VkTestHost", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 0, 400, 300, nullptr, nullptr));
    ResultForm form;
    ASSERT_TRUE(form.CreateView(host.Handle()));
    form.OnInitialUpdate();
    MSG tab{form.list.Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(PreTranslate(tab, nullptr, nullptr));
    MSG elsewhere{host.Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(PreTranslate(elsewhere, nullptr, nullptr));
}

TEST(Framework, PumpUntilHandlesPostedMessagesAndGivesUpInTime) {
    BaseWindow window;
    ASSERT_TRUE(window.Create(L"VkTestWindow2", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100, nullptr, nullptr));
    PostMessageW(window.Handle(), kPong, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !window.calls.empty(); }, std::chrono::seconds(5)));
    EXPECT_FALSE(PumpUntil([] { return false; }, std::chrono::milliseconds(50)));
}

TEST(Framework, TheMessageLoopRunsItsIdleWorkWhenTheQueueIsEmpty) {
    BaseWindow window;
    ASSERT_TRUE(window.Create(L"VkTestWindow3", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100, nullptr, nullptr));
    PostMessageW(window.Handle(), kPong, 0, 0);
    PostMessageW(window.Handle(), kPong, 0, 0);
    std::vector<std::size_t> handledAtIdle;
    const int code = RunMessageLoop(nullptr, nullptr, [&] {
        handledAtIdle.push_back(window.calls.size());
        PostQuitMessage(7);
    });
    EXPECT_EQ(code, 7);
    // Once, after both waiting messages.
    EXPECT_EQ(handledAtIdle, (std::vector<std::size_t>{2}));
}

// A box belongs to the active window, so that it cannot fall behind it; one that an engine
// thread shows (a browse failure) belongs to the main window.
TEST(MessageBoxes, AreOwnedByTheActiveWindowAndFromOtherThreadsByTheMainWindow) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                        nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    SetMainWindow(window);
    {
        vk::testing::DialogCloser box(L"Here");
        ShowMessageBox(L"text", L"Here", MB_OK);
        box.Join();
        EXPECT_TRUE(box.found);
        EXPECT_EQ(box.owner, window);
    }
    {
        vk::testing::DialogCloser box(L"From a thread");
        std::atomic<bool> shown{false};
        std::thread engine([&] {
            ShowMessageBox(L"text", L"From a thread", MB_OK);
            shown = true;
        });
        // The box disables its owner, a message this thread must handle.
        EXPECT_TRUE(PumpUntil([&] { return shown.load(); }, std::chrono::seconds(20)));
        engine.join();
        box.Join();
        EXPECT_TRUE(box.found);
        EXPECT_EQ(box.owner, window);
    }
    SetMainWindow(nullptr);
    DestroyWindow(window);
}

} // namespace
} // namespace vk::ui
