#include "engine/ContentPattern.h"

#include "platform/TextDecoding.h"

#include <array>
#include <string>

namespace vk {

namespace {

// The number of backslashes that stand right before position end.
std::size_t BackslashesBefore(const std::wstring& text, std::size_t end) {
    std::size_t count = 0;
    while (count < end && text[end - count - 1] == L'\\') {
        ++count;
    }
    return count;
}

std::vector<PatternPiece> PiecesOf(std::wstring_view containingText) {
    std::wstring wrapped(containingText);
    WrapContainingText(wrapped);
    // Wrapped, the pattern begins and ends with a star: no head and no tail, only the pieces
    // between (up to a star right after a star, which ends the match).
    return ShapeOfPattern(wrapped).middle;
}

} // namespace

void WrapContainingText(std::wstring& containingText) {
    if (containingText.empty() || containingText.front() != L'*') {
        containingText.insert(containingText.begin(), L'*');
    }
    // Backslashes pair up from the left: a run of them makes the character after it literal
    // exactly when its length is odd.
    const std::size_t size = containingText.size();
    if (containingText.back() == L'*' && BackslashesBefore(containingText, size - 1) % 2 == 0) {
        return;
    }
    if (BackslashesBefore(containingText, size) % 2 == 1) {
        containingText.push_back(L'\\'); // a lone backslash at the end is a literal one
    }
    containingText.push_back(L'*');
}

const ByteCodePage* SystemByteCodePage() {
    // The code page stays the same while the program runs.
    static const std::optional<ByteCodePage> codePage = []() -> std::optional<ByteCodePage> {
        std::array<wchar_t, 256> decoded = {};
        if (!AnsiByteTable(decoded)) {
            return std::nullopt;
        }
        return ByteCodePage::Make(decoded);
    }();
    return codePage ? &*codePage : nullptr;
}

ContentPattern::ContentPattern(std::wstring_view containingText)
    : ContentPattern(PiecesOf(containingText), SystemByteCodePage()) {}

ContentPattern::ContentPattern(std::wstring_view containingText, const ByteCodePage* codePage)
    : ContentPattern(PiecesOf(containingText), codePage) {}

ContentPattern::ContentPattern(const std::vector<PatternPiece>& pieces, const ByteCodePage* codePage)
    : wide_(pieces, WideAlphabet(false)) {
    if (codePage != nullptr) {
        bytes_.emplace(pieces, ByteAlphabet(*codePage, false));
    }
}

} // namespace vk
