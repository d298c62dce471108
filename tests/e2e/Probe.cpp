// vk_probe: what a running program's windows show, read from outside the way a person reads the
// screen, for the end-to-end test. It never sends input: the test types and clicks with xdotool.
// It can ask a window to paint itself afresh, for a picture to compare the one on the screen with.
//
//   vk_probe windows                  the visible top-level windows: class, title, rectangle
//   vk_probe dump CLASS [TITLE]       one top-level window (by class, and title if given) and all
//                                     its controls: id, class, screen rectangle, visible, enabled,
//                                     checked, text; the status bar's panes; the list view's rows;
//                                     the toolbar's buttons; where its close box is
//   vk_probe version FILE             an executable's version resource: the fixed file version and
//                                     the texts FileVersion, ProductVersion, ProductName
//   vk_probe redraw CLASS             invalidates one top-level window, its frame and every window
//                                     in it, so that its program paints all of it afresh
//
// Output: one JSON document on standard output (UTF-8). Exit status 0, or 1 when the window (or
// the version resource) is not there. (A pop-up menu's items cannot be read from outside under
// Wine, whose menus live in their process: the test finds an open menu among the top-level
// windows, class #32768.)

#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <winver.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::string Json(const std::wstring& text) {
    std::string out = "\"";
    for (const char c : Utf8(text)) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string Json(const RECT& r) {
    char text[96];
    std::snprintf(text, sizeof text, "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right, r.bottom);
    return text;
}

std::string Json(bool value) {
    return value ? "true" : "false";
}

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

// WM_GETTEXT crosses processes: the system carries the text back.
std::wstring TextOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

// Memory in the target process for the messages whose buffers the system does not carry.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) {
            memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteBuffer() {
        if (memory_) {
            VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        }
        if (process_) {
            CloseHandle(process_);
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    [[nodiscard]] bool Ready() const { return memory_ != nullptr; }
    [[nodiscard]] char* At(std::size_t offset) const { return static_cast<char*>(memory_) + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t size) const {
        return WriteProcessMemory(process_, At(offset), data, size, nullptr) != FALSE;
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const {
        return ReadProcessMemory(process_, At(offset), data, size, nullptr) != FALSE;
    }
    [[nodiscard]] std::size_t Size() const { return size_; }

private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
    std::size_t size_;
};

constexpr std::size_t kTextChars = 1024;

std::vector<std::wstring> StatusPanes(HWND bar) {
    std::vector<std::wstring> panes;
    RemoteBuffer buffer(bar, kTextChars * sizeof(wchar_t));
    if (!buffer.Ready()) {
        return panes;
    }
    const auto count = SendMessageW(bar, SB_GETPARTS, 0, 0);
    for (WPARAM pane = 0; pane < static_cast<WPARAM>(count); ++pane) {
        const auto length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, pane, 0));
        std::wstring text(kTextChars, L'\0');
        if (length < kTextChars) {
            SendMessageW(bar, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(buffer.At(0)));
            buffer.Read(0, text.data(), (static_cast<std::size_t>(length) + 1) * sizeof(wchar_t));
        }
        text.resize(length < kTextChars ? length : 0);
        panes.push_back(text);
    }
    return panes;
}

std::vector<std::vector<std::wstring>> Rows(HWND list) {
    std::vector<std::vector<std::wstring>> rows;
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    RemoteBuffer buffer(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!buffer.Ready()) {
        return rows;
    }
    // The registry value MaxRows (DWORD) of HKCU\Software\Varnokle Probe makes it read only the
    // first rows of a long list (a read costs a message a cell).
    DWORD limit = 0;
    DWORD size = sizeof limit;
    const bool limited = RegGetValueW(HKEY_CURRENT_USER, L"Software\\Varnokle Probe", L"MaxRows", RRF_RT_REG_DWORD,
                                      nullptr, &limit, &size) == ERROR_SUCCESS;
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (limited) {
        count = std::min(count, static_cast<int>(limit));
    }
    for (int row = 0; row < count; ++row) {
        std::vector<std::wstring> cells;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = static_cast<int>(kTextChars);
            item.pszText = reinterpret_cast<LPWSTR>(buffer.At(sizeof(LVITEMW)));
            buffer.Write(0, &item, sizeof item);
            const auto length =
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.At(0)));
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            buffer.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
            text.resize(static_cast<std::size_t>(length));
            cells.push_back(text);
        }
        rows.push_back(cells);
    }
    return rows;
}

// The toolbar's buttons: command id and screen rectangle (separators left out).
std::string ToolBarButtons(HWND bar) {
    std::string buttons;
    RemoteBuffer buffer(bar, sizeof(TBBUTTON) + sizeof(RECT));
    if (!buffer.Ready()) {
        return buttons;
    }
    const auto count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        RECT rect{};
        if (!SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.At(0))) ||
            !buffer.Read(0, &button, sizeof button) || (button.fsStyle & BTNS_SEP) != 0 ||
            !SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(buffer.At(sizeof(TBBUTTON)))) ||
            !buffer.Read(sizeof(TBBUTTON), &rect, sizeof rect)) {
            continue;
        }
        MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        buttons += (buttons.empty() ? "" : ", ") +
                   ("{\"command\": " + std::to_string(button.idCommand) + ", \"rect\": " + Json(rect) + "}");
    }
    return buttons;
}

struct Dump {
    std::string controls;
    std::string status;
    std::string rows;
    std::string buttons;
};

BOOL CALLBACK AddControl(HWND control, LPARAM context) {
    auto* dump = reinterpret_cast<Dump*>(context);
    const std::wstring cls = ClassOf(control);
    RECT rect{};
    GetWindowRect(control, &rect);
    const auto style = GetWindowLongW(control, GWL_STYLE);
    std::string entry = "{\"id\": " + std::to_string(GetDlgCtrlID(control)) + ", \"class\": " + Json(cls) +
                        ", \"rect\": " + Json(rect) + ", \"visible\": " + Json(IsWindowVisible(control) != FALSE) +
                        ", \"enabled\": " + Json(IsWindowEnabled(control) != FALSE);
    if (_wcsicmp(cls.c_str(), L"Button") == 0 &&
        ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX || (style & BS_TYPEMASK) == BS_CHECKBOX)) {
        entry += ", \"checked\": " + Json(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
    }
    if (cls == WC_TREEVIEWW) {
        entry += ", \"items\": " + std::to_string(SendMessageW(control, TVM_GETCOUNT, 0, 0));
    }
    entry += ", \"text\": " + Json(TextOf(control)) + "}";
    dump->controls += (dump->controls.empty() ? "" : ",\n  ") + entry;
    if (cls == STATUSCLASSNAMEW && dump->status.empty()) {
        for (const auto& pane : StatusPanes(control)) {
            dump->status += (dump->status.empty() ? "" : ", ") + Json(pane);
        }
        dump->status = "[" + dump->status + "]";
    }
    if (cls == TOOLBARCLASSNAMEW && dump->buttons.empty()) {
        dump->buttons = "[" + ToolBarButtons(control) + "]";
    }
    if (cls == WC_LISTVIEWW && dump->rows.empty()) {
        for (const auto& row : Rows(control)) {
            std::string cells;
            for (const auto& cell : row) {
                cells += (cells.empty() ? "" : ", ") + Json(cell);
            }
            dump->rows += (dump->rows.empty() ? "" : ",\n  ") + ("[" + cells + "]");
        }
        dump->rows = "[" + dump->rows + "]";
    }
    return TRUE;
}

BOOL CALLBACK AddTopLevel(HWND window, LPARAM context) {
    auto* out = reinterpret_cast<std::string*>(context);
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    *out += (out->empty() ? "" : ",\n ") +
            ("{\"class\": " + Json(ClassOf(window)) + ", \"title\": " + Json(TextOf(window)) +
             ", \"rect\": " + Json(rect) + ", \"pid\": " + std::to_string(pid) + "}");
    return TRUE;
}

int Windows() {
    std::string list;
    EnumWindows(&AddTopLevel, reinterpret_cast<LPARAM>(&list));
    std::printf("[%s]\n", list.c_str());
    return 0;
}

// The centre of the window's close box, found by asking the window what lies under points along
// its caption, from the right; none when it has no close box.
std::string CloseBox(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int y = rect.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int right = -1;
    int left = -1;
    for (int x = rect.right - 1; x > rect.left && x > rect.right - 200; --x) {
        const bool close = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE;
        if (close && right < 0) {
            right = x;
        }
        if (close) {
            left = x;
        } else if (right >= 0) {
            break;
        }
    }
    return right < 0 ? "null" : "[" + std::to_string((left + right) / 2) + ", " + std::to_string(y) + "]";
}

int DumpWindow(const std::wstring& cls, const wchar_t* title) {
    const HWND window = FindWindowW(cls.c_str(), title);
    if (!window) {
        std::printf("null\n");
        return 1;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    GUITHREADINFO thread{sizeof thread};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    Dump dump;
    EnumChildWindows(window, &AddControl, reinterpret_cast<LPARAM>(&dump));
    std::printf(
        "{\"title\": %s, \"pid\": %lu, \"rect\": %s, \"client\": %s, \"visible\": %s, \"iconic\": %s, "
        "\"zoomed\": %s, \"enabled\": %s, \"active\": %s, \"focus\": %d, \"close_box\": %s,\n \"status\": %s,\n "
        "\"buttons\": %s,\n \"rows\": %s,\n \"controls\": [\n  %s]}\n",
        Json(TextOf(window)).c_str(), pid, Json(rect).c_str(), Json(client).c_str(),
        Json(IsWindowVisible(window) != FALSE).c_str(), Json(IsIconic(window) != FALSE).c_str(),
        Json(IsZoomed(window) != FALSE).c_str(), Json(IsWindowEnabled(window) != FALSE).c_str(),
        Json(thread.hwndActive == window).c_str(), thread.hwndFocus ? GetDlgCtrlID(thread.hwndFocus) : 0,
        CloseBox(window).c_str(), dump.status.empty() ? "[]" : dump.status.c_str(),
        dump.buttons.empty() ? "[]" : dump.buttons.c_str(), dump.rows.empty() ? "[]" : dump.rows.c_str(),
        dump.controls.c_str());
    return 0;
}

int Redraw(const std::wstring& cls) {
    const HWND window = FindWindowW(cls.c_str(), nullptr);
    if (!window) {
        std::printf("null\n");
        return 1;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    std::printf("true\n");
    return 0;
}

// The executable's version resource, as Explorer's properties show it.
int DumpVersion(const std::wstring& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<BYTE> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, data.data()) ||
        !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed) {
        std::printf("null\n");
        return 1;
    }
    const auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        return VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) && value
                   ? std::wstring(value)
                   : std::wstring();
    };
    const std::wstring fixedVersion =
        std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionMS)) +
        L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionLS));
    std::printf("{\"fixed\": %s, \"file\": %s, \"product\": %s, \"name\": %s}\n", Json(fixedVersion).c_str(),
                Json(text(L"FileVersion")).c_str(), Json(text(L"ProductVersion")).c_str(),
                Json(text(L"ProductName")).c_str());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"windows") {
        return Windows();
    }
    if (command == L"dump" && argc > 2) {
        return DumpWindow(argv[2], argc > 3 ? argv[3] : nullptr);
    }
    if (command == L"version" && argc > 2) {
        return DumpVersion(argv[2]);
    }
    if (command == L"redraw" && argc > 2) {
        return Redraw(argv[2]);
    }
    std::fwprintf(stderr, L"usage: vk_probe windows | dump CLASS [TITLE] | version FILE | redraw CLASS\n");
    return 2;
}
