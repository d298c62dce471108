#pragma once
// The tip of the day: a modal dialog (204) that shows one tip of the tips file "Tips.tip" beside
// the program, a different one at every showing.
//
// Making the object reads the next tip and the start-up choice; ending it saves the position in
// the tips file, whether the dialog was shown or not. "Next tip" reads on; OK writes the start-up
// choice of the check box; closing any other way writes nothing.

#include "framework/FormView.h"
#include "platform/Profile.h"
#include "resource.h"
#include "shell/TipOfTheDay.h"

#include <filesystem>
#include <string>

namespace vk {

class IUserMessages;

// "Tips.tip" in the folder of the program's executable.
[[nodiscard]] std::filesystem::path TipsFilePath();

class CTipOfTheDayDlg : public ui::ModalDialog {
public:
    // The program's tips file and profile; messages in message boxes.
    explicit CTipOfTheDayDlg(HWND owner = nullptr);
    // Another tips file, profile or message sink (tests).
    CTipOfTheDayDlg(HWND owner, const std::filesystem::path& tipsFile, Profile& profile, IUserMessages& messages);

    // Shows the dialog and returns how it ended; without a tips file only beeps and returns IDOK.
    INT_PTR RunTipDialog();

    // Whether the tip is offered at start-up.
    [[nodiscard]] bool StartUpFlag() const { return tips_.StartUp(); }
    // The tip shown (the message that the file is missing when there is none).
    [[nodiscard]] const std::wstring& TipText() const { return tipText_; }

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    bool OnInitDialog(ui::Message& m);
    bool OnNextTip(ui::Message& m);
    bool OnOk(ui::Message& m);
    bool OnPaint(ui::Message& m);

    // Draws the tip; full: the panel, the strip, the picture and the line as well.
    void PaintTip(HDC dc, bool full) const;
    // Takes the tip from the reader, and tells the user if the tips file could not be read.
    void TakeTip();
    void SetCheckBox() const;

    bool OnCancel(ui::Message& m);

    // The white panel: the dialog draws its inside, which the control itself then leaves alone.
    class Panel final : public ui::Window {
    protected:
        bool ProcessMessage(ui::Message& m) override;
    };

    HWND owner_;
    IUserMessages& messages_;
    TipOfTheDay tips_;
    std::wstring tipText_;
    Panel panel_;

    static constexpr ui::MessageEntry<CTipOfTheDayDlg> kTable[] = {
        ui::On(WM_INITDIALOG, &CTipOfTheDayDlg::OnInitDialog),
        ui::On(WM_PAINT, &CTipOfTheDayDlg::OnPaint),
        ui::OnControl(BN_CLICKED, IDC_TIP_NEXT, &CTipOfTheDayDlg::OnNextTip),
        ui::OnCommand(IDOK, &CTipOfTheDayDlg::OnOk),
        ui::OnCommand(IDCANCEL, &CTipOfTheDayDlg::OnCancel),
    };
};

// The tip of the day at start-up: moves on by one tip and shows the dialog unless the user has
// turned that off. Never for a start by embedding or automation.
void ShowTipAtStartUp(HWND mainWindow, bool embeddingOrAutomation);

// The Help menu's "Tip of the Day": the dialog whatever the start-up choice (a beep without a
// tips file).
void ShowTipOfTheDay(HWND owner);

} // namespace vk
