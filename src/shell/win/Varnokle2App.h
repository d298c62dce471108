#pragma once
// The application: start-up (the system check, the profile, the network, the document, the main
// frame with its panes, the tip of the day), then the message loop until the main frame closes.
// From start-up to its end the program's dialogs and form views have the flat look.

#include "platform/Profile.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vk {

class CMainFrame;
class CVarnokle2Doc;
class NetworkEnvironment;

class CVarnokle2App {
public:
    // Where start-up finds what it needs; the program's own unless a test gives others.
    struct Setup {
        std::vector<std::wstring> args;  // the command line after the program's name
        std::wstring networkEnvironment; // VARNOKLE_NETWORK's value, empty when unset
        Profile* profile = nullptr;      // null: the registry
        // Where vk.set and the like go (platform/UserFiles.h); unset: %APPDATA%\Varnokle.
        std::optional<std::filesystem::path> userDataFolder;
    };

    CVarnokle2App();
    ~CVarnokle2App();
    CVarnokle2App(const CVarnokle2App&) = delete;
    CVarnokle2App& operator=(const CVarnokle2App&) = delete;

    // Start-up. True: the main window is shown and the message loop is to run. False: the program
    // ends with ExitCode() (0 after the refusal of a system outside the NT family, 1 when the
    // network folder or the main window could not be made; the user has been told).
    bool InitInstance(const Setup& setup);
    // The message loop until the main frame has closed; returns the program's exit code.
    int Run();

    [[nodiscard]] int ExitCode() const { return exitCode_; }
    [[nodiscard]] CMainFrame* MainFrame() const { return frame_.get(); }

private:
    bool Fail(const std::wstring& message);

    std::unique_ptr<Profile> registry_;
    std::unique_ptr<NetworkEnvironment> environment_;
    std::unique_ptr<CVarnokle2Doc> document_;
    std::unique_ptr<CMainFrame> frame_;
    bool profileSelected_ = false;
    bool userDataFolderSelected_ = false;
    bool flatLookOn_ = false;
    int exitCode_ = 0;
};

} // namespace vk
