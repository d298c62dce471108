#include "decor/win/EmbossedImage.h"

#include "decor/win/Gdi.h"

#include <cstdint>

namespace vk {
namespace {

constexpr int kSize = 16;
constexpr DWORD kDestAndNotSource = 0x00220326; // DSna

// Image drawn transparently on a plain background, as 32-bit pixels (top-down).
class Sample {
public:
    Sample(HDC reference, HIMAGELIST images, int index, COLORREF background) : memory_(reference) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, kSize, -kSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = gdi::Bitmap(CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!memory_ || !bitmap_ || !bits) {
            return;
        }
        gdi::Selection selected(memory_.Get(), bitmap_.Get());
        RECT all{0, 0, kSize, kSize};
        gdi::Brush brush(CreateSolidBrush(background));
        FillRect(memory_.Get(), &all, brush.Get());
        ImageList_Draw(images, index, memory_.Get(), 0, 0, ILD_TRANSPARENT);
        GdiFlush();
        pixels_ = static_cast<const std::uint32_t*>(bits);
    }
    [[nodiscard]] bool Ready() const { return pixels_ != nullptr; }
    [[nodiscard]] std::uint32_t At(int x, int y) const { return pixels_[y * kSize + x] & 0x00FFFFFFu; }

private:
    gdi::MemoryDc memory_;
    gdi::Bitmap bitmap_;
    const std::uint32_t* pixels_ = nullptr;
};

} // namespace

void DrawEmbossedImage(HDC target, HIMAGELIST images, int index, int x, int y) {
    // 1. The mask: black where the image shows, white elsewhere. A pixel shows when drawing the
    // image changes it on white or on black (so light and half-transparent pixels count too).
    const Sample onWhite(target, images, index, RGB(255, 255, 255));
    const Sample onBlack(target, images, index, RGB(0, 0, 0));
    if (!onWhite.Ready() || !onBlack.Ready()) {
        return;
    }
    gdi::MemoryDc maskDc(target);
    gdi::Bitmap mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
    if (!maskDc || !mask) {
        return;
    }
    gdi::Selection maskSelected(maskDc.Get(), mask.Get());
    PatBlt(maskDc.Get(), 0, 0, kSize, kSize, WHITENESS);
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            if (onWhite.At(column, row) != 0x00FFFFFFu || onBlack.At(column, row) != 0) {
                SetPixel(maskDc.Get(), column, row, RGB(0, 0, 0));
            }
        }
    }

    // 2. White where the image is, one pixel right and down; then black at the image's place.
    const COLORREF text = SetTextColor(target, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(target, RGB(255, 255, 255));
    BitBlt(target, x + 1, y + 1, kSize, kSize, maskDc.Get(), 0, 0, MERGEPAINT);
    BitBlt(target, x, y, kSize, kSize, maskDc.Get(), 0, 0, SRCAND);

    // 3. Grey where the image is, black elsewhere, ORed into the black silhouette.
    gdi::MemoryDc greyDc(target);
    gdi::Bitmap grey(CreateCompatibleBitmap(target, kSize, kSize));
    if (greyDc && grey) {
        gdi::Selection greySelected(greyDc.Get(), grey.Get());
        RECT all{0, 0, kSize, kSize};
        gdi::Brush brush(CreateSolidBrush(RGB(127, 127, 127)));
        FillRect(greyDc.Get(), &all, brush.Get());
        SetTextColor(greyDc.Get(), RGB(0, 0, 0));
        SetBkColor(greyDc.Get(), RGB(255, 255, 255));
        BitBlt(greyDc.Get(), 0, 0, kSize, kSize, maskDc.Get(), 0, 0, kDestAndNotSource);
        BitBlt(target, x, y, kSize, kSize, greyDc.Get(), 0, 0, SRCPAINT);
    }
    SetTextColor(target, text);
    SetBkColor(target, back);
}

} // namespace vk
