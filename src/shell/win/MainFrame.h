#pragma once
// The program's one top-level window: the menu, the toolbar, the status bar and the main splitter
// with the left side (the network tree above the search form) and the result list. It receives
// every command of the menu, the toolbar, the accelerators and the result list's pop-up menu; the
// shell's own it carries out, and those on the results it carries out on the result list (save,
// copy, select) or hands to the result view (delete, arrange, open, properties). Commands without a
// handler are disabled.
//
// Its panes are sized from the search form that is shown: the left column is as wide as the form
// with a sizing border on either side, the form row as high as the form with one above and below.
//
// With the ShowIconInTray setting (theSettings, loaded before the frame is made) the frame has an
// icon in the notification area from its creation to its close; Options rebuilds it. Closing
// stops a running search and waits for its threads before any window goes; so does the end of
// the session (log-off, shutdown), which also writes the settings and the histories.
//
// Its drop-down menus (and the result list's pop-up menu, which it owns) are owner-drawn with the
// command icons of theMenuIconTable; the menu bar and the system menu keep the system's drawing.

#include "decor/win/IconMenu.h"
#include "framework/CommandTable.h"
#include "framework/DockBar.h"
#include "framework/PaneSplitter.h"
#include "framework/ToolBar.h"
#include "shell/win/FrameShell.h"
#include "shell/win/LeftSide.h"
#include "shell/win/StatusBar.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vk {

class CRightFrameWnd;
class CSplitterView;
class CVarnokle2View;
class IShellActions;

class CMainFrame final : public ui::Window {
public:
    // The services a frame is made with; the document and any seams must outlive it.
    struct Setup {
        FormFactory makeForm;                 // the lower pane's search forms
        bool advancedForm = false;            // which form comes first
        IFrameShell* shell = nullptr;         // null: the system's
        IShellActions* resultShell = nullptr; // the result view's shell calls; null: the system's
    };

    CMainFrame(CVarnokle2Doc& document, Setup setup);
    // Stops a running search and waits for its threads before the status bar and the panes go.
    ~CMainFrame() override;

    // Creates the window (not shown yet) with its menu, panes, toolbar and status bar. False when
    // any of them cannot be made.
    bool CreateFrame();
    // Every view's initial update, then the panes fitted to the form.
    void InitialUpdate();
    // Brings the toolbar's button states up to date; the message loop calls it when idle.
    void OnIdle();
    // When set, closing the frame ends the message loop (the program's main window).
    void SetEndsProgram(bool ends) { endsProgram_ = ends; }

    [[nodiscard]] HACCEL Accelerators() const { return accelerators_; }
    [[nodiscard]] const CIconMenu& Menu() const { return menu_; }
    [[nodiscard]] CPaneSplitter& Splitter() { return splitter_; }
    [[nodiscard]] CVarnokle2View* ResultView() const { return resultView_; }
    // The left column: the network tree above the search form, in a frame of its own.
    [[nodiscard]] CRightFrameWnd* LeftColumn() const { return leftColumn_; }
    [[nodiscard]] CSplitterView* LeftSide() const;
    [[nodiscard]] ui::ToolBarCtrl& ToolBar() { return toolBar_; }
    // The toolbar's holder: docked on a side of the frame (at the top at first) or floating.
    [[nodiscard]] ui::DockBar& ToolBarDock() { return dockBar_; }
    [[nodiscard]] CStatusBar& StatusBar() { return statusBar_; }
    [[nodiscard]] bool SplitterReady() const { return splitterReady_; }
    // The command's state as menus and buttons show it.
    [[nodiscard]] ui::CommandState StateOf(UINT command) const;

    // Lays out the bars and the panes for the present client size.
    void RecalcLayout();

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    bool OnCreate(ui::Message& m);
    bool CreateClient(int clientWidth);
    bool OnSize(ui::Message& m);
    bool OnActivate(ui::Message& m);
    bool OnSetFocus(ui::Message& m);
    bool OnClose(ui::Message& m);
    bool OnDestroy(ui::Message& m);
    bool OnQueryEndSession(ui::Message& m);
    bool OnEndSession(ui::Message& m);
    // The settings and the form's histories written, as at the end of a session.
    void SaveState();
    bool OnCommand(ui::Message& m);
    bool OnInitMenuPopup(ui::Message& m);
    bool OnIconMenuMessage(ui::Message& m); // measure item, draw item, menu char
    bool OnMenuSelect(ui::Message& m);
    bool OnSysColorChange(ui::Message& m);
    bool OnSettingChange(ui::Message& m);
    bool OnToolTipText(ui::Message& m);
    bool OnHotItemChange(ui::Message& m);
    // Swaps the search form with the panes' painting held, then lays them out once and paints
    // them whole.
    bool SwapForm(const std::function<bool()>& swap);

    // The commands.
    void Exit(UINT);
    void Options(UINT);
    void TipOfTheDay(UINT);
    void Show(UINT);
    void ToResultView(UINT command);
    // Commands of the network tree pane (Add Server), which it carries out itself.
    void ToTreeView(UINT command);
    void SaveResult(UINT);
    void CopyFiles(UINT);
    void CopyPath(UINT);
    void SelectAll(UINT);
    void InvertSelection(UINT);
    void ToggleToolBar(UINT);
    void ToggleStatusBar(UINT);
    void NextPane(UINT command);
    void MapNetworkDrive(UINT);
    void Help(UINT);
    void Online(UINT);
    void EMail(UINT);
    void About(UINT);
    // Select All and Invert Selection are enabled when the list holds a row; Copy Files, Copy
    // Path and Delete Items when a row is selected.
    [[nodiscard]] bool HasRows() const;
    [[nodiscard]] bool HasSelection() const;
    // A copy that did not reach the clipboard (another program holds it) is said in a box.
    void ReportClipboardFailure(bool copied) const;
    [[nodiscard]] bool ToolBarShown() const;
    [[nodiscard]] bool StatusBarShown() const;
    static std::span<const ui::CommandEntry<CMainFrame>> Commands();

    // The message pane: a command's prompt, or the idle text.
    void ShowPrompt(UINT command);
    void ShowIdleText();
    // The notification-area icon as the settings want it: taken away, then added again when
    // ShowIconInTray is 1.
    void RebuildTrayIcon();
    void AddTrayIcon();
    // The panes F6 moves between, in order: tree, form, results; those that are not shown are left out.
    [[nodiscard]] std::vector<HWND> FocusPanes() const;

    CIconMenu menu_; // the frame's menu; a window destroys its menu itself
    CVarnokle2Doc& document_;
    Setup setup_;
    std::unique_ptr<IFrameShell> systemShell_;
    IFrameShell& shell_;
    HACCEL accelerators_ = nullptr;
    ui::ToolBarCtrl toolBar_;
    ui::DockBar dockBar_; // holds the toolbar; goes before it
    CStatusBar statusBar_;
    CPaneSplitter splitter_;
    CRightFrameWnd* leftColumn_ = nullptr; // panes of the splitter
    CVarnokle2View* resultView_ = nullptr;
    bool splitterReady_ = false;
    bool endsProgram_ = false;
    bool closing_ = false;          // set while the close waits for a search to end
    std::wstring toolTip_;          // the text a tooltip is showing
    HWND lastFocus_ = nullptr;      // where the keyboard was when the frame was last left
    unsigned saveResultFilter_ = 1; // the save dialog's filter last chosen (from 1: the web page)
};

} // namespace vk
