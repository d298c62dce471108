#include "decor/FlatGeometry.h"
#include "decor/win/FlatKinds.h"
#include "decor/win/FrameDrawing.h"

#include <tuple>

namespace vk {

LRESULT FlatCheckBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The button draws its box again at once for these.
    if (message == WM_SETTEXT || message == BM_SETCHECK || message == BM_SETSTATE) {
        return PassOnAndRedraw(message, wParam, lParam);
    }
    return FlatControl::HandleMessage(message, wParam, lParam);
}

RECT FlatCheckBox::BoxRect(const RECT& rect) const {
    const DWORD style = Style();
    BoxAlign align = BoxAlign::Centre;
    if ((style & BS_VCENTER) == BS_TOP) {
        align = BoxAlign::Top;
    } else if ((style & BS_VCENTER) == BS_BOTTOM) {
        align = BoxAlign::Bottom;
    }
    const DecorRect box =
        CheckBoxBox(rect.right - rect.left, rect.bottom - rect.top, align, (style & BS_LEFTTEXT) != 0);
    return {rect.left + box.left, rect.top + box.top, rect.left + box.right, rect.top + box.bottom};
}

void FlatCheckBox::DrawFrame(HDC dc, const RECT& rect) {
    if ((Style() & BS_PUSHLIKE) != 0) {
        const bool pressed = SendMessageW(window_, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
        DrawRings(dc, rect, PushButtonFrame(HotOrFocused(), false, pressed));
        return;
    }
    const bool indeterminate = SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_INDETERMINATE;
    DrawRings(dc, BoxRect(rect), CheckBoxFrame(HotOrFocused(), Disabled(), indeterminate));
}

void FlatRadioButton::DrawFrame(HDC dc, const RECT& rect) {
    if ((Style() & BS_PUSHLIKE) != 0) {
        FlatCheckBox::DrawFrame(dc, rect);
        return;
    }
    // Two circles, like the rings of a box: the upper-left half of each in the first colour,
    // the lower-right half in the second.
    RECT circle = BoxRect(rect);
    circle.right -= 1; // the system's circle is 12 pixels across
    circle.bottom -= 1;
    const Frame frame = RadioButtonFrame(HotOrFocused(), Disabled());
    for (int i = 0; i < frame.count; ++i) {
        const Ring& ring = frame.rings[static_cast<std::size_t>(i)];
        for (const auto& [colour, from, to] :
             {std::tuple{ring.topLeft, POINT{circle.right, circle.top}, POINT{circle.left, circle.bottom}},
              std::tuple{ring.bottomRight, POINT{circle.left, circle.bottom}, POINT{circle.right, circle.top}}}) {
            gdi::Pen pen(CreatePen(PS_SOLID, 1, SysColourValue(colour)));
            gdi::Selection selected(dc, pen.Get());
            Arc(dc, circle.left, circle.top, circle.right, circle.bottom, from.x, from.y, to.x, to.y);
        }
        InflateRect(&circle, -1, -1);
    }
}

} // namespace vk
