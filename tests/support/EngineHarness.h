#pragma once
// An engine wired to in-memory models: the fake file system, the memory result list, a status
// bar that records its texts, and the icon key table with counting image lists.

#include "engine/EngineTexts.h"
#include "engine/SearchEngine.h"
#include "network/MemoryScopeTree.h"
#include "results/IconKeyTable.h"
#include "results/MemoryResultList.h"
#include "support/FakeFileSystem.h"
#include "support/FakeNetwork.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace vk::testing {

class RecordingStatusBar final : public IStatusBar {
public:
    void SetPaneText(int pane, std::wstring_view text) override {
        std::lock_guard lock(lock_);
        texts_[pane == kPaneItemCount ? 1 : 0].emplace_back(text);
    }
    [[nodiscard]] std::vector<std::wstring> Texts(int pane) const {
        std::lock_guard lock(lock_);
        return texts_[pane == kPaneItemCount ? 1 : 0];
    }
    [[nodiscard]] std::wstring Last(int pane) const {
        const auto texts = Texts(pane);
        return texts.empty() ? std::wstring() : texts.back();
    }

private:
    mutable std::mutex lock_;
    std::vector<std::wstring> texts_[2];
};

class RecordingForm final : public ISearchForm {
public:
    void SetSearchButtons(bool running) override {
        {
            std::lock_guard lock(lock_);
            states_.push_back(running);
        }
        if (onSetButtons) {
            onSetButtons(running);
        }
    }
    // Runs after each switch has been recorded, on the thread that switched the buttons.
    std::function<void(bool running)> onSetButtons;
    [[nodiscard]] std::vector<bool> States() const {
        std::lock_guard lock(lock_);
        return states_;
    }

private:
    mutable std::mutex lock_;
    std::vector<bool> states_;
};

class RecordingMessages final : public IUserMessages {
public:
    void ShowMessage(std::wstring_view text, std::wstring_view caption) override {
        std::lock_guard lock(lock_);
        shown_.emplace_back(std::wstring(caption) + L": " + std::wstring(text));
    }
    [[nodiscard]] std::vector<std::wstring> Shown() const {
        std::lock_guard lock(lock_);
        return shown_;
    }

private:
    mutable std::mutex lock_;
    std::vector<std::wstring> shown_;
};

struct EngineHarness {
    FakeFileSystem files;
    MemoryResultList list;
    RecordingStatusBar status;
    RecordingForm form;
    NoIconImages images;
    IconKeyTable icons{images};
    FakeNetwork network;
    MemoryScopeTree tree;
    RecordingMessages messages;
    CSearchEngine engine{{&files, &list, &status, &icons, &form, &network, &messages}};

    EngineHarness() { icons.ResetCache(); }

    // Gives the engine the tree and fills its top level, as the tree pane does at start-up.
    void UseTree() {
        engine.SetScopeTree(&tree);
        engine.ExpandNetworkNode(kNoNode, -1);
    }
    // A double-click on a node.
    void Expand(TreeNode node) { engine.ExpandNetworkNode(node, tree.Data(node)); }

    // Starts a search as a form's Start button does it.
    void Start(std::vector<std::wstring> scope) {
        engine.SetScopePaths(std::move(scope));
        engine.ShowSearchState(true);
        engine.searchRunning = true;
        engine.StartSearch();
    }
    // Starts a search and waits for its end.
    void Run(std::vector<std::wstring> scope) {
        Start(std::move(scope));
        engine.WaitForSearchEnd();
    }

    [[nodiscard]] std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (const auto& row : list.Rows()) {
            names.push_back(row.columns[0]);
        }
        return names;
    }
};

} // namespace vk::testing
