#include "framework/Window.h"

#include "platform/DebugTrace.h"

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace vk::ui {
namespace {

// The objects of this process's windows, by handle. Every message looks its window's object up
// (a notification twice: the parent's and the control's), so the lookup must cost nothing; a
// window property would do the same, but under Wine each read of one is a round trip to the
// window server, which made emptying a large list several times slower.
class WindowObjects {
public:
    void Set(HWND hwnd, Window* object) {
        std::lock_guard lock(lock_);
        objects_[hwnd] = object;
    }
    void Erase(HWND hwnd, const Window* object) {
        std::lock_guard lock(lock_);
        const auto found = objects_.find(hwnd);
        if (found != objects_.end() && found->second == object) {
            objects_.erase(found);
        }
    }
    Window* Get(HWND hwnd) {
        std::lock_guard lock(lock_);
        const auto found = objects_.find(hwnd);
        return found == objects_.end() ? nullptr : found->second;
    }

private:
    std::mutex lock_;
    std::unordered_map<HWND, Window*> objects_;
};

WindowObjects& Objects() {
    static WindowObjects objects;
    return objects;
}

void TraceFailedHandler(UINT message) {
    DebugTrace(L"a handler failed on message " + std::to_wstring(message) + L"; it counts as unhandled");
}

} // namespace

HINSTANCE ModuleInstance() {
    return GetModuleHandleW(nullptr);
}

Window::~Window() {
    if (!hwnd_) {
        return;
    }
    if (Attached()) {
        Detach();
        return;
    }
    // The window must not call back into an object that is going away.
    const HWND hwnd = hwnd_;
    Unbind();
    if (IsWindow(hwnd)) {
        DestroyWindow(hwnd);
    }
}

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? Objects().Get(hwnd) : nullptr;
}

void Window::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    Objects().Set(hwnd, this);
}

void Window::Unbind() {
    if (hwnd_) {
        Objects().Erase(hwnd_, this);
    }
    hwnd_ = nullptr;
}

bool Window::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId) {
    WNDCLASSEXW windowClass{sizeof windowClass};
    if (!GetClassInfoExW(ModuleInstance(), className, &windowClass)) {
        windowClass = {sizeof windowClass};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = ModuleInstance();
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = className;
        if (!RegisterClassExW(&windowClass)) {
            return false;
        }
    }
    return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId, ModuleInstance(),
                           this) != nullptr;
}

bool Window::Attach(HWND hwnd) {
    if (!hwnd || hwnd_ || FromHandle(hwnd)) {
        return false;
    }
    Bind(hwnd);
    if (!Install(hwnd)) {
        Unbind();
        return false;
    }
    return true;
}

void Window::Detach() {
    Remove();
    Unbind();
}

void Window::Destroy() {
    if (Exists()) {
        DestroyWindow(hwnd_);
    }
}

std::wstring Window::Text() const {
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
    return text;
}

void Window::SetText(const std::wstring& text) const {
    SetWindowTextW(hwnd_, text.c_str());
}

bool Window::ProcessMessage(Message&) {
    return false;
}

bool Window::Handle(Message& m) {
    // A control's own object sees its notifications before the parent's tables do.
    if ((m.message == WM_NOTIFY || m.message == WM_COMMAND) && m.lParam != 0 && ReflectToChild(m)) {
        return true;
    }
    return ProcessMessage(m);
}

bool Window::ReflectedMessage(Message&) {
    return false;
}

bool Window::ReflectToChild(Message& m) {
    const HWND child = m.message == WM_NOTIFY ? m.Notify()->hwndFrom : reinterpret_cast<HWND>(m.lParam);
    Window* control = FromHandle(child);
    return control && control != this && control->ReflectedMessage(m);
}

LRESULT Window::DefaultProcessing(Message& m) {
    if (Attached()) {
        return PassOn(m.message, m.wParam, m.lParam);
    }
    return DefWindowProcW(m.hwnd, m.message, m.wParam, m.lParam);
}

LRESULT Window::Route(Message& m) {
    bool handled = false;
    try {
        handled = Handle(m);
    } catch (...) {
        // A handler that failed leaves the message to the default processing.
        TraceFailedHandler(m.message);
        handled = false;
    }
    if (!handled) {
        m.result = DefaultProcessing(m);
    }
    return m.result;
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* object = static_cast<Window*>(create->lpCreateParams)) {
            object->Bind(hwnd);
        }
    }
    Window* object = Window::FromHandle(hwnd);
    if (!object) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    Message m{hwnd, message, wParam, lParam, 0};
    const LRESULT result = object->Route(m);
    if (message == WM_NCDESTROY) {
        object->Unbind();
        object->OnFinalMessage();
    }
    return result;
}

LRESULT Window::OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    Message m{hwnd_, message, wParam, lParam, 0};
    if (message == WM_NCDESTROY) {
        // The object lets go before the final message goes on to the procedures under it.
        Detach();
        OnFinalMessage();
        return PassOn(message, wParam, lParam);
    }
    return Route(m);
}

INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG && lParam != 0) {
        reinterpret_cast<Window*>(lParam)->Bind(hwnd);
    }
    Window* object = Window::FromHandle(hwnd);
    if (!object) {
        return FALSE;
    }
    Message m{hwnd, message, wParam, lParam, 0};
    bool handled = false;
    try {
        handled = object->Handle(m);
    } catch (...) {
        TraceFailedHandler(message);
        handled = false;
    }
    if (message == WM_NCDESTROY) {
        object->Unbind();
        object->OnFinalMessage();
        return FALSE;
    }
    if (!handled) {
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
    switch (message) {
    // These answer through the procedure's own result, not through DWLP_MSGRESULT.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(m.result);
    default:
        // Written only when it changes: under Wine each write is a round trip to the window
        // server, and most answers are the 0 that is already there.
        if (GetWindowLongPtrW(hwnd, DWLP_MSGRESULT) != m.result) {
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, m.result);
        }
        return TRUE;
    }
}

} // namespace vk::ui
