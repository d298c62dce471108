#pragma once
// The kinds of decorated controls beside the generic one (FlatControl), and the factory that
// makes the decorator the choice by class and style names.

#include "decor/DecoratorChoice.h"
#include "decor/win/FlatControl.h"

#include <memory>

namespace vk {

[[nodiscard]] std::unique_ptr<FlatControl> MakeFlatControl(FlatKind kind, HWND window);

// An edit with a client edge. An up-down control that follows it with it as buddy continues
// its frame.
class FlatEdit : public FlatControl {
public:
    using FlatControl::FlatControl;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawFrame(HDC dc, const RECT& rect) override;

protected:
    void UpdateFlags() override;
    // The up-down control right after this edit whose buddy it is, aligned left or right; null
    // when there is none.
    [[nodiscard]] HWND AttachedUpDown() const;
};

// The edit of a simple combo box: framed on the combo box's surface, round the edit.
class FlatEditInSimpleCombo final : public FlatEdit {
public:
    using FlatEdit::FlatEdit;
    [[nodiscard]] FrameSurface DrawingSurface() const override;
};

// A drop-down combo box: the generic frame and a flat drop-down button. Also the date-time
// picker without an up-down control.
class FlatComboBox : public FlatControl {
public:
    using FlatControl::FlatControl;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawFrame(HDC dc, const RECT& rect) override;
    [[nodiscard]] bool HasFocus() const override;
};

class FlatDateTime final : public FlatComboBox {
public:
    using FlatComboBox::FlatComboBox;
    void DrawFrame(HDC dc, const RECT& rect) override;
};

class FlatPushButton final : public FlatControl {
public:
    using FlatControl::FlatControl;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawFrame(HDC dc, const RECT& rect) override;
};

class FlatCheckBox : public FlatControl {
public:
    using FlatControl::FlatControl;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawFrame(HDC dc, const RECT& rect) override;

protected:
    // Where the box (or the radio button's circle) is.
    [[nodiscard]] RECT BoxRect(const RECT& rect) const;
};

class FlatRadioButton final : public FlatCheckBox {
public:
    using FlatCheckBox::FlatCheckBox;
    void DrawFrame(HDC dc, const RECT& rect) override;
};

class FlatScrollBar final : public FlatControl {
public:
    using FlatControl::FlatControl;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawFrame(HDC dc, const RECT& rect) override;
};

class FlatUpDown final : public FlatControl {
public:
    using FlatControl::FlatControl;
    void DrawFrame(HDC dc, const RECT& rect) override;
    // An up-down control counts as focused while its buddy has the focus.
    [[nodiscard]] bool HasFocus() const override;
};

class FlatTrackBar final : public FlatControl {
public:
    using FlatControl::FlatControl;
    [[nodiscard]] FrameSurface DrawingSurface() const override;
    void DrawFrame(HDC dc, const RECT& rect) override;
};

class FlatIpAddress final : public FlatControl {
public:
    using FlatControl::FlatControl;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    [[nodiscard]] bool HasFocus() const override;
};

// Controls whose hover state belongs to one item under the pointer: header items, toolbar
// buttons, tabs.
class FlatItemControl : public FlatControl {
public:
    using FlatControl::FlatControl;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    [[nodiscard]] bool MayTakeHover() const override;
    [[nodiscard]] FrameSurface DrawingSurface() const override;

protected:
    // The item under the pointer, -1 when none.
    [[nodiscard]] virtual int ItemUnderPointer() const = 0;
    // The item the hover state was taken for (-1: none), kept from one drawing to the next.
    int hoveredItem_ = -1;
    // Forgets the hovered item when the control paints (toolbar, tab).
    bool forgetOnPaint_ = false;
};

class FlatHeader final : public FlatItemControl {
public:
    using FlatItemControl::FlatItemControl;
    void DrawFrame(HDC dc, const RECT& rect) override;

protected:
    [[nodiscard]] int ItemUnderPointer() const override;
};

class FlatToolbar final : public FlatItemControl {
public:
    explicit FlatToolbar(HWND window) : FlatItemControl(window) { forgetOnPaint_ = true; }
    void DrawFrame(HDC dc, const RECT& rect) override;

protected:
    [[nodiscard]] int ItemUnderPointer() const override;
};

class FlatTab final : public FlatItemControl {
public:
    explicit FlatTab(HWND window) : FlatItemControl(window) { forgetOnPaint_ = true; }
    void DrawFrame(HDC dc, const RECT& rect) override;

protected:
    [[nodiscard]] int ItemUnderPointer() const override;
};

} // namespace vk
