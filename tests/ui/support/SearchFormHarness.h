#pragma once
// The search forms in a test window on a folder network, the way the main window holds them: a
// test holder of the lower pane that swaps the forms (the mode switch), the engine of a document
// with an in-memory result list and the window's status bar, the state file in a folder of its
// own (the current directory) and the settings in an in-memory profile.
//
// The network: \\SRV\share holds kFolders folders of a few files each (a.txt and b.doc at the top,
// big.bin of 5000 bytes); a test may slow every listing down or use another network.

#include "document/Varnokle2Doc.h"
#include "engine/EngineTexts.h"
#include "engine/SearchEngine.h"
#include "forms/FormHost.h"
#include "forms/Settings.h"
#include "forms/win/SearchForms.h"
#include "framework/MessageLoop.h"
#include "platform/NetworkEnvironment.h"
#include "platform/Profile.h"
#include "resource.h"
#include "results/IconKeyTable.h"
#include "results/MemoryResultList.h"
#include "support/TempTree.h"
#include "ui/support/DialogWatcher.h"
#include "ui/support/PaneHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace vk::testing {

// Holds the lower pane's form in a test window and swaps it as the pane layout does.
class TestFormHost final : public IFormHost {
public:
    TestFormHost(PaneHost& pane, CVarnokle2Doc& document) : pane_(pane), document_(document) {}

    // Creates the form of the given kind, places it and runs its initial update.
    bool Show(bool advanced) {
        form_ = MakeSearchForm(advanced, document_.Engine(), document_.Buttons());
        form_->SetHost(this);
        return pane_.Host(*form_);
    }

    bool ReplaceForm(bool advanced) override {
        ++replacements;
        if (cannotMakeForms) {
            replaced = false;
            return false;
        }
        form_.reset();
        replaced = Show(advanced);
        return replaced;
    }

    // Destroys the form, as closing the main window does.
    void Close() { form_.reset(); }

    [[nodiscard]] bool HasForm() const { return form_ != nullptr; }
    [[nodiscard]] CSearchFormView& Form() const { return *form_; }

    int replacements = 0;
    bool replaced = false;
    bool cannotMakeForms = false; // the other form cannot be made: the swap fails

private:
    PaneHost& pane_;
    CVarnokle2Doc& document_;
    std::unique_ptr<CSearchFormView> form_;
};

class SearchFormTest : public ::testing::Test {
protected:
    static constexpr int kFolders = 30;

    void SetUp() override {
        root.MakeFile("Net/DOM/SRV/share/a.txt", "alpha");
        root.MakeFile("Net/DOM/SRV/share/b.doc", "bravo");
        root.MakeFile("Net/DOM/SRV/share/big.bin", std::string(5000, 'x'));
        for (int i = 0; i < kFolders; ++i) {
            root.MakeFile("Net/DOM/SRV/share/f" + std::to_string(i) + "/c" + std::to_string(i) + ".txt", "c");
        }
        root.MakeFile("network-faults.txt", Faults());
        ASSERT_EQ(environment.UseFolderNetwork(NetworkRoot()), kErrorSuccess);

        wchar_t current[1024] = {};
        GetCurrentDirectoryW(1024, current);
        previousDirectory_ = current;
        ASSERT_TRUE(SetCurrentDirectoryW(work.Root().c_str()));

        theSettings = CSettings{};
        SetAppProfile(&profile);

        pane = std::make_unique<PaneHost>(420, 500);
        document = std::make_unique<CVarnokle2Doc>(environment);
        EngineServices& services = Engine().Services();
        services.resultList = &list;
        services.iconIndex = &icons;
        Engine().SetScopePaths(Scope());
        holder = std::make_unique<TestFormHost>(*pane, *document);
    }

    void TearDown() override {
        if (document) {
            document->StopSearchAndWait();
        }
        holder.reset();
        document.reset();
        pane.reset();
        SetAppProfile(nullptr);
        theSettings = CSettings{};
        SetCurrentDirectoryW(previousDirectory_.c_str());
    }

    // The network's faults file; slower networks make searches that can be watched.
    [[nodiscard]] virtual std::string Faults() const { return ""; }
    // The folder network, and the shares or folders that the searches walk.
    [[nodiscard]] virtual std::wstring NetworkRoot() const { return root.Root(); }
    [[nodiscard]] virtual std::vector<std::wstring> Scope() const { return {L"\\\\SRV\\share"}; }

    CSearchEngine& Engine() { return document->Engine(); }
    CSearchFormView& Form() { return holder->Form(); }
    HWND Item(int id) { return Form().Item(id); }

    [[nodiscard]] bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
    [[nodiscard]] std::wstring Status() const { return pane->statusBar.PaneText(kPaneMessage); }

    // The state file's bytes (empty when there is none).
    [[nodiscard]] std::string StateFile() const { return work.ReadFile("vk.set"); }
    void WriteStateFile(std::string_view bytes) const { work.MakeFile("vk.set", bytes); }

    // A click with the left mouse button on a control: press and release, through the message
    // loop as the system delivers them.
    static void Click(HWND control) {
        RECT client{};
        GetClientRect(control, &client);
        const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageW(control, WM_LBUTTONUP, 0, point);
        ui::PumpWaitingMessages();
    }

    // The edit field of an editable combo box.
    static HWND EditOf(HWND combo) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo, &info);
        return info.hwndItem;
    }

    // Keys as the keyboard gives them: into the system's input, for the control with the focus
    // in the active window. They arrive through the message loop (and the dialog manager); wait
    // for what they do.
    static void TypeKeys(const std::wstring& text) {
        std::vector<INPUT> inputs;
        for (const wchar_t c : text) {
            INPUT key{};
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = c;
            key.ki.dwFlags = KEYEVENTF_UNICODE;
            inputs.push_back(key);
            key.ki.dwFlags |= KEYEVENTF_KEYUP;
            inputs.push_back(key);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    static void PressKey(WORD virtualKey) {
        INPUT keys[2] = {};
        keys[0].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = virtualKey;
        keys[1] = keys[0];
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    }
    // Makes the window active and gives the keyboard focus to one of its controls, as clicking
    // into it does.
    static void Focus(HWND control) {
        SetForegroundWindow(GetAncestor(control, GA_ROOT));
        SetFocus(control);
        ui::PumpWaitingMessages();
    }

    // Handles messages until the search has completed and its threads have ended.
    bool WaitForCompletion() {
        return PaneHost::PumpUntil(
            [&] { return !Engine().SearchThreadsRunning() && Status() == kTextSearchCompleted; });
    }

    // The names of the result rows, sorted.
    [[nodiscard]] std::vector<std::wstring> RowNames() const {
        std::vector<std::wstring> names;
        for (const auto& row : list.Rows()) {
            names.push_back(row.columns[0]);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempTree root;
    test::TempTree work;
    NetworkEnvironment environment;
    MemoryProfile profile;
    MemoryResultList list;
    NoIconImages images;
    IconKeyTable icons{images};
    std::unique_ptr<PaneHost> pane;
    std::unique_ptr<CVarnokle2Doc> document;
    std::unique_ptr<TestFormHost> holder;

private:
    std::wstring previousDirectory_;
};

} // namespace vk::testing
