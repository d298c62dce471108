#pragma once
// Measuring texts the way the owner-drawn menus do: on a surface of the screen with the system's
// menu font selected.

#include <windows.h>

namespace vk::testing {

// Returns measure(dc), with dc a surface of the screen holding the system's menu font.
template <class Measure> auto WithMenuFont(Measure measure) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    const auto result = measure(dc);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return result;
}

} // namespace vk::testing
