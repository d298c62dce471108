#pragma once
// A rectangle of the decoration's arithmetic, in pixels: left and top inside, right and bottom
// just outside (as Windows keeps rectangles).

namespace vk {

struct DecorRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    [[nodiscard]] int Width() const { return right - left; }
    [[nodiscard]] int Height() const { return bottom - top; }
    friend bool operator==(const DecorRect&, const DecorRect&) = default;
};

} // namespace vk
