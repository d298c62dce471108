// The tip of the day's dialog on a real window under Wine, driven with clicks and keys: "Next
// tip", OK and Escape and what they write, the start-up step, and what the dialog paints.
#include "shell/win/TipOfTheDayDlg.h"

#include "engine/EngineSeams.h"
#include "framework/MessageLoop.h"
#include "resource.h"
#include "shell/TipsFile.h"
#include "support/Drive.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vk {
namespace {

using testing::CentreOf;
using testing::ClickAt;
using testing::PressKey;
using testing::WhileModal;

class RecordedMessages final : public IUserMessages {
public:
    void ShowMessage(std::wstring_view text, std::wstring_view) override { texts.emplace_back(text); }
    std::vector<std::wstring> texts;
};

HWND OpenTipDialog() {
    const HWND dialog = FindWindowW(L"#32770", L"Tip of the Day");
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

// Steps run one a tick while the dialog is open; a step returns false to be asked again at the
// next tick (it waits for something), true when it is done. A step that waits for 10 s fails the
// test and closes the dialog, so that the test ends.
class DialogScript {
public:
    explicit DialogScript(std::vector<std::function<bool(HWND)>> steps)
        : steps_(std::move(steps)), run_([this] { return Step(); }) {}
    [[nodiscard]] bool Finished() const { return next_ == steps_.size(); }

private:
    bool Step() {
        const HWND dialog = OpenTipDialog();
        if (!dialog) {
            return false;
        }
        const auto now = std::chrono::steady_clock::now();
        if (next_ > 0 && now - stepStarted_ > std::chrono::seconds(10)) {
            ADD_FAILURE() << "step " << next_ << " of the dialog script waited in vain";
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        }
        while (next_ < steps_.size() && steps_[next_](dialog)) {
            ++next_;
            stepStarted_ = now;
        }
        return Finished();
    }

    std::vector<std::function<bool(HWND)>> steps_;
    std::size_t next_ = 0;
    std::chrono::steady_clock::time_point stepStarted_;
    WhileModal run_;
};

std::function<bool(HWND)> Click(int id) {
    return [id](HWND dialog) {
        ClickAt(CentreOf(GetDlgItem(dialog, id)));
        return true;
    };
}

std::function<bool(HWND)> WaitUntilChecked(bool checked) {
    return [checked](HWND dialog) { return (IsDlgButtonChecked(dialog, IDC_TIP_STARTUP) == BST_CHECKED) == checked; };
}

class TipOfTheDayDlgTest : public ::testing::Test {
protected:
    TipOfTheDayDlgTest() { tree_.MakeFile("Tips.tip", "; Tips\r\nFirst tip\r\nSecond tip\r\nThird tip\r\n"); }

    std::filesystem::path Tips() const { return tree_.PathOf("Tips.tip"); }
    int StartUp() const { return profile_.GetInt(L"Tip", L"StartUp", -1); }
    int FilePos() const { return profile_.GetInt(L"Tip", L"FilePos", -1); }

    test::TempTree tree_;
    MemoryProfile profile_;
    RecordedMessages messages_;
};

TEST_F(TipOfTheDayDlgTest, NextTipShowsTheNextAndPutsTheBoxBackAndOkWritesTheBox) {
    CTipOfTheDayDlg dialog(nullptr, Tips(), profile_, messages_);
    EXPECT_TRUE(dialog.StartUpFlag());
    EXPECT_EQ(dialog.TipText(), L"First tip\n");
    std::wstring tipAfterNext;
    DialogScript script({
        WaitUntilChecked(true),
        Click(IDC_TIP_STARTUP),
        WaitUntilChecked(false),
        Click(IDC_TIP_NEXT),
        [&](HWND) {
            tipAfterNext = dialog.TipText();
            return tipAfterNext != L"First tip\n";
        },
        WaitUntilChecked(true), // the box shows the choice as it stands until OK
        Click(IDC_TIP_STARTUP),
        WaitUntilChecked(false),
        Click(IDOK),
    });
    EXPECT_EQ(dialog.RunTipDialog(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(tipAfterNext, L"Second tip\n");
    EXPECT_EQ(StartUp(), 1);
    EXPECT_FALSE(dialog.StartUpFlag());
    EXPECT_FALSE(profile_.Has(L"Tip", L"FilePos")); // written when the object ends
}

TEST_F(TipOfTheDayDlgTest, EscapeWritesNothingButTheObjectsEndSavesThePosition) {
    {
        CTipOfTheDayDlg dialog(nullptr, Tips(), profile_, messages_);
        DialogScript script({
            Click(IDC_TIP_STARTUP),
            WaitUntilChecked(false),
            [](HWND) {
                PressKey(VK_ESCAPE);
                return true;
            },
        });
        EXPECT_EQ(dialog.RunTipDialog(), IDCANCEL);
        EXPECT_TRUE(script.Finished());
        EXPECT_FALSE(profile_.Has(L"Tip", L"StartUp"));
    }
    EXPECT_EQ(FilePos(), 19); // after "First tip\r\n"
    EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(TipOfTheDayDlgTest, WithoutATipsFileItOnlyBeepsAndTouchesNothing) {
    tree_.MakeFile("Comments.tip", "; nothing but comments\r\n\r\n");
    for (const auto& file : {tree_.PathOf("missing.tip"), tree_.PathOf("Comments.tip")}) {
        CTipOfTheDayDlg dialog(nullptr, file, profile_, messages_);
        EXPECT_EQ(dialog.TipText(), L"Tips file does not exist in the prescribed directory");
        bool shown = false;
        WhileModal watch([&] {
            shown = shown || OpenTipDialog() != nullptr;
            return false;
        });
        EXPECT_EQ(dialog.RunTipDialog(), IDOK);
        ui::PumpUntil([] { return false; }, std::chrono::milliseconds(200));
        EXPECT_FALSE(shown);
    }
    EXPECT_FALSE(profile_.Has(L"Tip", L"FilePos"));
    EXPECT_FALSE(profile_.Has(L"Tip", L"TimeStamp"));
}

TEST_F(TipOfTheDayDlgTest, APositionNoFileHasIsReportedAndTheFirstTipShown) {
    profile_.WriteText(L"Tip", L"TimeStamp", *FileCreationTimeStamp(Tips()));
    profile_.WriteInt(L"Tip", L"FilePos", -40);
    {
        CTipOfTheDayDlg dialog(nullptr, Tips(), profile_, messages_);
        EXPECT_EQ(messages_.texts, std::vector<std::wstring>{L"Trouble reading the tips file"});
        EXPECT_EQ(dialog.TipText(), L"First tip\n");
    }
    EXPECT_EQ(FilePos(), 19);
}

// The dialog as drawn: the panel in the window colour with the strip in the shadow colour on its
// left, the picture on the strip with its white background turned into the strip's colour (but
// not the white inside the bulb), and the line below the picture.
TEST_F(TipOfTheDayDlgTest, ThePictureSitsOnTheStripWithItsBackgroundFilledIn) {
    CTipOfTheDayDlg dialog(nullptr, Tips(), profile_, messages_);
    std::vector<COLORREF> seen;
    DialogScript script({[&](HWND window) {
                             UpdateWindow(window);
                             RECT picture{}, panel{};
                             GetWindowRect(GetDlgItem(window, IDC_TIP_PICTURE), &picture);
                             GetWindowRect(GetDlgItem(window, IDC_TIP_PANEL), &panel);
                             MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&picture), 2);
                             MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&panel), 2);
                             const HDC dc = GetDC(window);
                             for (const POINT p :
                                  {POINT{picture.left, picture.top}, POINT{picture.left + 7, picture.top + 5},
                                   POINT{picture.left + 12, picture.top + 8}, POINT{panel.left + 3, panel.bottom - 4},
                                   POINT{panel.right - 4, picture.top + 32 + 6},
                                   POINT{panel.right - 4, panel.bottom - 4}}) {
                                 seen.push_back(GetPixel(dc, p.x, p.y));
                             }
                             ReleaseDC(window, dc);
                             return true;
                         },
                         Click(IDOK)});
    dialog.RunTipDialog();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(seen, (std::vector<COLORREF>{shadow, RGB(255, 255, 255), RGB(255, 255, 0), shadow, shadow, window}));
}

// Every tip that ships with the program fits the dialog's tip rectangle in the tip's font.
TEST(ShippedTips, AreTwentyOrMoreAndEachFitsTheDialog) {
    const std::filesystem::path shipped = std::filesystem::path(VK_SOURCE_DIR) / "res" / "Tips.tip";
    MemoryProfile profile;
    RecordedMessages messages;
    CTipOfTheDayDlg dialog(nullptr, shipped, profile, messages);
    std::vector<std::wstring> tooTall;
    int tips = 0;
    DialogScript script({[&](HWND window) {
                             RECT area{};
                             GetWindowRect(GetDlgItem(window, IDC_TIP_TEXT), &area);
                             const HDC dc = GetDC(window);
                             const HFONT font = CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                                            DEFAULT_QUALITY, FF_SWISS, L"Arial");
                             const HGDIOBJ previous = SelectObject(dc, font);
                             TipsFile file;
                             file.Open(shipped);
                             std::wstring tip;
                             // Once round the file: the position falls when the reading wraps.
                             for (std::int64_t last = -1;
                                  file.ReadNextTip(tip) == TipRead::kTip && file.Position() > last;
                                  last = file.Position()) {
                                 RECT needed{0, 0, area.right - area.left, 0};
                                 DrawTextW(dc, tip.c_str(), static_cast<int>(tip.size()), &needed,
                                           DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
                                 if (needed.bottom > area.bottom - area.top) {
                                     tooTall.push_back(tip);
                                 }
                                 ++tips;
                             }
                             SelectObject(dc, previous);
                             DeleteObject(font);
                             ReleaseDC(window, dc);
                             return true;
                         },
                         Click(IDOK)});
    EXPECT_EQ(dialog.RunTipDialog(), IDOK);
    EXPECT_GE(tips, 20);
    EXPECT_TRUE(tooTall.empty()) << ::testing::PrintToString(tooTall);
}

// The start-up step uses the program's own tips file (beside the executable) and profile.
class TipAtStartUpTest : public TipOfTheDayDlgTest {
protected:
    TipAtStartUpTest() {
        std::filesystem::copy_file(Tips(), TipsFilePath(), std::filesystem::copy_options::overwrite_existing);
        SetAppProfile(&profile_);
    }
    ~TipAtStartUpTest() override {
        SetAppProfile(nullptr);
        std::error_code ignored;
        std::filesystem::remove(TipsFilePath(), ignored);
    }

    // Runs the start-up step; closes a dialog that it opens with OK and says whether there was one.
    bool StartUpShowsDialog(bool embedding) {
        bool shown = false;
        DialogScript script({[&](HWND) { return shown = true; }, Click(IDOK)});
        ShowTipAtStartUp(nullptr, embedding);
        return shown;
    }
};

TEST_F(TipAtStartUpTest, TheTipIsOfferedUnlessTurnedOffAndMovesOnEitherWay) {
    EXPECT_TRUE(StartUpShowsDialog(false));
    EXPECT_EQ(FilePos(), 19);
    EXPECT_EQ(StartUp(), 0); // OK with the box ticked

    profile_.WriteInt(L"Tip", L"StartUp", 1);
    EXPECT_FALSE(StartUpShowsDialog(false));
    EXPECT_EQ(FilePos(), 31); // one tip on, without a dialog
    EXPECT_FALSE(StartUpShowsDialog(false));
    EXPECT_EQ(FilePos(), 42);

    // Started for embedding or automation: no tip at all.
    profile_.WriteInt(L"Tip", L"StartUp", 0);
    EXPECT_FALSE(StartUpShowsDialog(true));
    EXPECT_EQ(FilePos(), 42);
}

} // namespace
} // namespace vk
