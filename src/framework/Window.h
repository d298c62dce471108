#pragma once
// The base of every window object: a window handle and its messages. A window is either created
// by the object (Create, for frames and plain windows), created from a dialog template (see
// FormView and ModalDialog), or an existing control taken over by subclassing (Attach, through
// Subclass.h), as controls from dialog templates are.
//
// Notifications (WM_NOTIFY, and WM_COMMAND from controls) are first offered to the control's own
// object, if it has one, through ReflectedMessage; only if it does not handle them does the
// parent's table see them. So a control wrapper can keep its own notifications to itself.
//
// Nothing unwinds through Windows: every message runs under a catch-all, and a handler that
// throws counts as not having handled its message.

#include "framework/Message.h"
#include "framework/Subclass.h"

#include <string>

namespace vk::ui {

class Window : private Subclass {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    [[nodiscard]] HWND Handle() const { return hwnd_; }
    [[nodiscard]] bool Exists() const { return hwnd_ != nullptr && IsWindow(hwnd_) != FALSE; }

    // Registers (once) a window class of the given name with this library's window procedure
    // and creates a window of it for this object.
    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int width,
                int height, HWND parent, HMENU menuOrId);

    // Takes over an existing window (a control of a dialog template) by subclassing it.
    bool Attach(HWND hwnd);
    // Gives the window back its own procedure.
    void Detach();

    // Destroys the window (not the object).
    void Destroy();

    // The object of a window that belongs to one, or null.
    [[nodiscard]] static Window* FromHandle(HWND hwnd);

    [[nodiscard]] std::wstring Text() const;
    void SetText(const std::wstring& text) const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(hwnd_, message, wParam, lParam);
    }

protected:
    // This class's messages; unhandled ones go to the base class's ProcessMessage.
    virtual bool ProcessMessage(Message& m);
    // A notification of this window, sent by the system to its parent. Handled: the parent's
    // handlers do not see it.
    virtual bool ReflectedMessage(Message& m);
    // What happens to a message nobody handled.
    virtual LRESULT DefaultProcessing(Message& m);
    // After WM_NCDESTROY: the handle is gone.
    virtual void OnFinalMessage() {}

    // Offers WM_COMMAND / WM_NOTIFY from a child control to that control's object.
    bool ReflectToChild(Message& m);
    // Reflection first, then this class's tables.
    bool Handle(Message& m);

    // Runs a message through ProcessMessage and the default processing, under a catch-all.
    LRESULT Route(Message& m);

    friend LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
    friend INT_PTR CALLBACK DialogProcedure(HWND, UINT, WPARAM, LPARAM);

    void Bind(HWND hwnd);
    void Unbind();

    HWND hwnd_ = nullptr;

private:
    // The messages of an attached window.
    LRESULT OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    [[nodiscard]] bool Attached() const { return SubclassedWindow() != nullptr; }
};

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The module whose resources the program uses (the executable).
[[nodiscard]] HINSTANCE ModuleInstance();

} // namespace vk::ui
