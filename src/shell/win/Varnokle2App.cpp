#include "shell/win/Varnokle2App.h"

#include "decor/win/FlatLook.h"
#include "decor/win/MenuImages.h"
#include "document/Varnokle2Doc.h"
#include "engine/EngineTexts.h"
#include "engine/SearchEngine.h"
#include "forms/Settings.h"
#include "framework/Controls.h"
#include "framework/MessageBoxes.h"
#include "framework/MessageLoop.h"
#include "framework/Module.h"
#include "platform/NetworkEnvironment.h"
#include "platform/SystemMessages.h"
#include "platform/UserFiles.h"
#include "resource.h"
#include "shell/StartUpOptions.h"
#include "shell/win/MainFrame.h"
#include "shell/win/TipOfTheDayDlg.h"

namespace vk {
namespace {

constexpr const wchar_t* kCompanyKey = L"Varnokle";
constexpr const wchar_t* kMainWindowTitle = L"Varnokle";

// The application title (string 57344): the profile's application key.
std::wstring ApplicationTitle() {
    const std::wstring title = ui::LoadText(IDS_APP_TITLE);
    return title.empty() ? std::wstring(kProgramName) : title;
}

void ShowMessage(const std::wstring& text, UINT icon) {
    ui::ShowMessageBox(text, kProgramName, MB_OK | icon);
}

} // namespace

CVarnokle2App::CVarnokle2App() = default;

CVarnokle2App::~CVarnokle2App() {
    // The frame first (it stops a search that still runs), then the document and the network.
    frame_.reset();
    document_.reset();
    environment_.reset();
    // Every window left gets its own procedures back; the menu icons and their list go with the
    // frame.
    if (flatLookOn_) {
        theFlatLook.EndOfProgram();
    }
    theMenuIconList.Clear();
    DestroyMenuImages();
    if (profileSelected_) {
        SetAppProfile(nullptr);
    }
    if (userDataFolderSelected_) {
        SelectUserDataFolder({});
    }
}

bool CVarnokle2App::Fail(const std::wstring& message) {
    ShowMessage(message, MB_ICONEXCLAMATION);
    exitCode_ = 1;
    return false;
}

bool CVarnokle2App::InitInstance(const Setup& setup) {
    // Systems outside the NT family are told so, and nothing else happens.
    if (IsOutsideNtFamily(GetVersion())) {
        ShowMessage(kTextNotNtFamily, 0);
        exitCode_ = 0;
        return false;
    }
    ui::InitCommonControlClasses();
    // The flat look for this thread: the controls of every dialog and form view are decorated
    // when it initialises, message boxes and the system's file dialog included.
    flatLookOn_ = theFlatLook.SwitchOn(FlatLook::kCallingThread, FlatLook::kDecorateDialogs);

    // The profile: HKCU\Software\Varnokle\<application title>.
    Profile* profile = setup.profile;
    if (!profile) {
        registry_ = MakeRegistryProfile(kCompanyKey, ApplicationTitle());
        profile = registry_.get();
    }
    SetAppProfile(profile);
    profileSelected_ = true;
    // The user's own files (vk.set) go to %APPDATA%\Varnokle, not to the current directory.
    SelectUserDataFolder(setup.userDataFolder.value_or(SystemUserDataFolder(kProgramName)));
    userDataFolderSelected_ = true;

    const StartUpOptions options = ParseStartUpOptions(setup.args);
    if (!options.error.empty()) {
        return Fail(options.error);
    }
    environment_ = std::make_unique<NetworkEnvironment>();
    if (const auto folder = ChosenNetwork(options, setup.networkEnvironment)) {
        if (const ErrorCode error = environment_->UseFolderNetwork(*folder); error != kErrorSuccess) {
            return Fail(L"The folder network " + *folder + L" cannot be read: " + SystemErrorText(error));
        }
        if (const auto problems = environment_->FaultFileErrors(); !problems.empty()) {
            std::wstring text = L"network-faults.txt:";
            for (const auto& problem : problems) {
                text += L"\n" + problem;
            }
            ShowMessage(text, MB_ICONINFORMATION);
        }
    }

    // The settings before the panes: the lower pane's form and the engine's buttons follow
    // Advanced.
    theSettings.Load(AppProfile());
    document_ = std::make_unique<CVarnokle2Doc>(*environment_);
    CMainFrame::Setup frameSetup;
    frameSetup.makeForm = SearchFormFactory(*document_);
    frameSetup.advancedForm = theSettings.Advanced != 0;
    frame_ = std::make_unique<CMainFrame>(*document_, std::move(frameSetup));
    if (!frame_->CreateFrame()) {
        frame_.reset();
        return Fail(L"The main window could not be created.");
    }
    frame_->SetEndsProgram(true);
    frame_->InitialUpdate();

    const HWND window = frame_->Handle();
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    SetWindowTextW(window, kMainWindowTitle);

    ShowTipAtStartUp(window, options.embeddingOrAutomation);
    return true;
}

int CVarnokle2App::Run() {
    if (!frame_ || !frame_->Exists()) {
        return exitCode_;
    }
    CMainFrame& frame = *frame_;
    return ui::RunMessageLoop(frame.Handle(), frame.Accelerators(), [&frame] { frame.OnIdle(); });
}

} // namespace vk
