// Shows the tip of the day's dialog with a tips file, copies the dialog as it appears on the
// screen into a BMP file and closes it, so that scripts/screenshot-tip.sh can show it.
//
//   vk_tip_shot TIPS-FILE OUTPUT.bmp

#include "engine/EngineSeams.h"
#include "framework/Win32.h"
#include "platform/Profile.h"
#include "shell/win/TipOfTheDayDlg.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace vk {
namespace {

class PrintedMessages final : public IUserMessages {
public:
    void ShowMessage(std::wstring_view text, std::wstring_view) override {
        std::fwprintf(stderr, L"%ls\n", std::wstring(text).c_str());
    }
};

// The screen's pixels under a window, as a 24-bit bottom-up BMP.
bool SaveWindowPicture(HWND window, const std::wstring& path) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB};
    const int rowSize = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(rowSize) * static_cast<std::size_t>(height));
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);
    const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                               reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (rows != height) {
        return false;
    }
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header + pixels.size()), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof header};
    header.biSizeImage = static_cast<DWORD>(pixels.size());
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

std::wstring output;
bool saved = false;

void CALLBACK Shoot(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowW(L"#32770", L"Tip of the Day");
    if (!dialog || !IsWindowVisible(dialog)) {
        return;
    }
    KillTimer(nullptr, timer);
    UpdateWindow(dialog);
    saved = SaveWindowPicture(dialog, output);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

} // namespace
} // namespace vk

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: vk_tip_shot TIPS-FILE OUTPUT.bmp\n");
        return 2;
    }
    vk::output = argv[2];
    vk::MemoryProfile profile;
    vk::PrintedMessages messages;
    vk::CTipOfTheDayDlg dialog(nullptr, argv[1], profile, messages);
    SetTimer(nullptr, 0, 300, &vk::Shoot);
    dialog.RunTipDialog();
    return vk::saved ? 0 : 1;
}
