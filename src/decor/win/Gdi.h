#pragma once
// Small owners of GDI objects for the decoration's drawing: each gives its object back to the
// system when it goes out of scope.

#include "framework/Win32.h"

#include <utility>

namespace vk::gdi {

// A pen, brush, font or bitmap, deleted at the end.
template <class Handle> class Object {
public:
    Object() = default;
    explicit Object(Handle handle) : handle_(handle) {}
    ~Object() { Reset(); }
    Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Object& operator=(Object&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    [[nodiscard]] Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset() {
        if (handle_) {
            DeleteObject(handle_);
            handle_ = nullptr;
        }
    }

private:
    Handle handle_ = nullptr;
};

using Bitmap = Object<HBITMAP>;
using Brush = Object<HBRUSH>;
using Font = Object<HFONT>;
using Pen = Object<HPEN>;

// Selects an object into a drawing surface and puts the previous one back at the end.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory surface compatible with another one, deleted at the end.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (dc_) {
            DeleteDC(dc_);
        }
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    [[nodiscard]] HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// A window's surface (GetDC or GetWindowDC), released at the end.
class WindowDc {
public:
    WindowDc() = default;
    WindowDc(HWND window, bool wholeWindow) : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() { Release(); }
    WindowDc(WindowDc&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&& other) noexcept {
        if (this != &other) {
            Release();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    [[nodiscard]] HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    void Release() {
        if (dc_) {
            ReleaseDC(window_, dc_);
            dc_ = nullptr;
        }
    }
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

} // namespace vk::gdi
