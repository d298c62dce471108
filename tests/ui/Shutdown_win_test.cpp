// Closing the window while a slow search runs: the tree pane and the result pane over the real
// engine on a folder network whose every call takes a while. Nothing the search's threads use may
// go before they have ended, and waiting for them must not block the messages they send.
#include "document/Varnokle2Doc.h"
#include "engine/EngineTexts.h"
#include "network/win/UpView.h"
#include "platform/NetworkEnvironment.h"
#include "results/win/Varnokle2View.h"
#include "support/TempTree.h"
#include "ui/support/PaneHost.h"
#include "ui/support/Watchdog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace vk {
namespace {

using testing::PaneHost;
using testing::Watchdog;

// Longer than any of these waits may take; a wait that blocks ends the program.
constexpr std::chrono::seconds kDeadlockLimit{60};

class Shutdown : public ::testing::Test {
protected:
    void SetUp() override {
        for (int share = 0; share < 4; ++share) {
            for (int folder = 0; folder < 30; ++folder) {
                root.MakeFile("Net/DOM/SRV/s" + std::to_string(share) + "/d" + std::to_string(folder) + "/f.txt", "x");
            }
        }
        root.MakeFile("network-faults.txt", "delay 20ms\n");
        ASSERT_EQ(environment.UseFolderNetwork(root.Root()), kErrorSuccess);
        host = std::make_unique<PaneHost>(800, 600);
        document = std::make_unique<CVarnokle2Doc>(environment);
        results = std::make_unique<CVarnokle2View>(*document);
        tree = std::make_unique<CUpView>(*document);
        ASSERT_TRUE(host->Host(*results));
        ASSERT_TRUE(tree->CreateView(host->Handle()));
        tree->OnInitialUpdate();
    }

    void TearDown() override {
        tree.reset();
        results.reset();
        document.reset();
        host.reset();
    }

    CSearchEngine& Engine() { return document->Engine(); }

    // A search of the whole network as the Start button runs it, once it is walking.
    void StartSlowSearch() {
        Engine().Request().fileMask = L"*";
        Engine().searchRunning = true;
        ASSERT_TRUE(Engine().StartSearch());
        ASSERT_TRUE(PaneHost::PumpUntil([&] { return results->List().ItemCount() > 0; })) << "the search found nothing";
    }

    test::TempTree root;
    NetworkEnvironment environment;
    std::unique_ptr<PaneHost> host;
    std::unique_ptr<CVarnokle2Doc> document;
    std::unique_ptr<CVarnokle2View> results;
    std::unique_ptr<CUpView> tree;
};

TEST_F(Shutdown, TheDocumentStopsTheSearchAndWaitsForItsThreadsBeforeTheWindowsGo) {
    StartSlowSearch();
    {
        Watchdog watchdog(kDeadlockLimit);
        document->StopSearchAndWait();
    }
    EXPECT_FALSE(Engine().SearchThreadsRunning());
    EXPECT_FALSE(Engine().searchActive);
    EXPECT_EQ(host->statusBar.PaneText(kPaneMessage), kTextSearchCompleted);
    const int rows = results->List().ItemCount();

    // Now the windows may go, in any order.
    DestroyWindow(host->Handle());
    tree.reset();
    results.reset();
    document.reset();
    EXPECT_GT(rows, 0);
    EXPECT_LT(rows, 4 * 30 * 2) << "the search was not stopped";
}

TEST_F(Shutdown, DestroyingTheWindowsDuringASlowSearchWaitsForItsThreadsAsTheTreeGoes) {
    StartSlowSearch();
    {
        Watchdog watchdog(kDeadlockLimit);
        // The panes go with their parent, the result list before the tree pane: the list's
        // window is gone while the threads still run, and the tree pane waits for them.
        DestroyWindow(host->Handle());
    }
    EXPECT_FALSE(Engine().SearchThreadsRunning());
    EXPECT_EQ(Engine().ScopeTree(), nullptr);
    Watchdog watchdog(kDeadlockLimit);
    tree.reset();
    results.reset();
    document.reset();
}

TEST_F(Shutdown, DestroyingThePaneObjectsDuringASlowSearchWaitsForItsThreads) {
    StartSlowSearch();
    Watchdog watchdog(kDeadlockLimit);
    // The result pane's object goes first, its window with it.
    results.reset();
    EXPECT_FALSE(Engine().SearchThreadsRunning());
    EXPECT_EQ(Engine().Services().resultList, nullptr);
    tree.reset();
    EXPECT_EQ(Engine().ScopeTree(), nullptr);
    document.reset();
}

// The search form as the engine sees it: its buttons are switched by messages carried out on the
// user interface thread. It can press Start again as soon as the buttons come back.
class FormStandIn final : public ui::Window, public ISearchForm {
public:
    static constexpr UINT kSetButtons = WM_APP + 1;

    explicit FormStandIn(CSearchEngine& engine) : engine_(engine) {
        Create(L"VarnokleFormStandIn", L"", WS_POPUP, 0, 0, 0, 0, 0, nullptr, nullptr);
    }
    // From the engine's threads too: one message to the user interface thread.
    void SetSearchButtons(bool running) override { Send(kSetButtons, running ? 1 : 0); }

    std::vector<bool> states;
    int startsToPress = 0; // presses of Start as soon as the buttons come back
    int starts = 0;        // of which the engine accepted

protected:
    bool ProcessMessage(ui::Message& m) override {
        if (m.message != kSetButtons) {
            return ui::Window::ProcessMessage(m);
        }
        states.push_back(m.wParam != 0);
        if (m.wParam == 0 && startsToPress > 0) {
            --startsToPress;
            // The Start handler: the buttons, the flag, then the engine. The controller that has
            // just switched the buttons back has not returned yet: it waits for this message.
            engine_.ShowSearchState(true);
            engine_.searchRunning = true;
            starts += engine_.StartSearch() ? 1 : 0;
        }
        return true;
    }

private:
    CSearchEngine& engine_;
};

TEST_F(Shutdown, StartPressedTheMomentTheButtonsComeBackRunsTheNextSearch) {
    FormStandIn form(Engine());
    Engine().Services().searchForm = &form;
    form.startsToPress = 1;
    Engine().Request().fileMask = L"*";
    Engine().SetScopeTree(nullptr); // one share is quicker than the whole network
    Engine().SetScopePaths({L"\\\\SRV\\s0"});
    Engine().ShowSearchState(true);
    Engine().searchRunning = true;
    ASSERT_TRUE(Engine().StartSearch());
    ASSERT_TRUE(PaneHost::PumpUntil([&] { return !Engine().SearchThreadsRunning(); }));
    Engine().WaitForSearchEnd();
    EXPECT_EQ(form.starts, 1);
    EXPECT_EQ(form.states, (std::vector<bool>{true, false, true, false})) << "the form ends idle";
    EXPECT_EQ(host->statusBar.PaneText(kPaneMessage), kTextSearchCompleted);
    EXPECT_EQ(results->List().ItemCount(), 60) << "the second search ran whole";
    Engine().Services().searchForm = nullptr;
    Engine().SetScopeTree(&tree->Tree());
}

TEST_F(Shutdown, ASearchStartedWhileTheDocumentWaitsIsStoppedToo) {
    FormStandIn form(Engine());
    Engine().Services().searchForm = &form;
    form.startsToPress = 1;
    StartSlowSearch();
    {
        Watchdog watchdog(kDeadlockLimit);
        document->StopSearchAndWait();
    }
    EXPECT_EQ(form.starts, 1);
    EXPECT_FALSE(Engine().SearchThreadsRunning());
    EXPECT_FALSE(Engine().searchRunning);
    EXPECT_EQ(form.states.back(), false);
    Engine().Services().searchForm = nullptr;
}

TEST_F(Shutdown, AQuitMetWhileTheDocumentWaitsIsLeftForTheMessageLoop) {
    StartSlowSearch();
    PostQuitMessage(7);
    {
        Watchdog watchdog(kDeadlockLimit);
        document->StopSearchAndWait();
    }
    EXPECT_FALSE(Engine().SearchThreadsRunning());
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7U);
}

} // namespace
} // namespace vk
