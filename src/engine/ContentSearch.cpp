#include "engine/ContentSearch.h"

#include "engine/PatternMatcher.h"
#include "platform/TextDecoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

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

// The system's 8-bit code page as the matcher sees it, when 8-bit text can be matched byte by
// byte; otherwise it is converted to wide characters first. The code page stays the same while
// the program runs.
const ByteCodePage* SystemByteCodePage() {
    static const std::optional<ByteCodePage> codePage = []() -> std::optional<ByteCodePage> {
        std::array<wchar_t, 256> decoded = {};
        if (!AnsiByteTable(decoded)) {
            return std::nullopt;
        }
        return ByteCodePage::Make(decoded);
    }();
    return codePage ? &*codePage : nullptr;
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

bool FileContainsText(FileSystem& fileSystem, const std::wstring& path, std::wstring_view pattern,
                      const std::atomic<bool>& running) {
    ErrorCode error = kErrorSuccess;
    auto file = fileSystem.OpenForReading(path, error);
    if (!file) {
        return false;
    }
    // The whole 64-bit length counts, so that the content past 4 GiB is searched too.
    const std::uint64_t length = file->Length();
    const std::size_t chunkSize = static_cast<std::size_t>(std::min<std::uint64_t>(length, kContentChunkSize));

    // Only one content test runs at a time (under hitLock), but the buffers are per thread so
    // that the function stays safe on its own.
    thread_local std::vector<std::uint8_t> bytes;
    thread_local std::wstring text;
    bytes.resize(chunkSize);

    std::size_t count = chunkSize == 0 ? 0 : file->Read(bytes.data(), chunkSize);
    const bool unicode = IsTextUnicode(bytes.data(), count);
    // 8-bit text in a single-byte code page is matched as it is, which gives the same answers as
    // matching its conversion. Each chunk's text ends at its first NUL: the matcher cuts it there.
    const ByteCodePage* codePage = unicode ? nullptr : SystemByteCodePage();
    std::uint64_t consumed = 0;
    for (;;) {
        bool found = false;
        if (codePage != nullptr) {
            found = MatchPatternBytes(std::span<const std::uint8_t>(bytes.data(), count), pattern, *codePage, false);
        } else {
            if (unicode) {
                DecodeUtf16Le(bytes.data(), count, text);
            } else {
                DecodeAnsi(bytes.data(), count, text);
            }
            found = MatchPattern(text, pattern, false);
        }
        if (found) {
            return true;
        }
        consumed += count;
        // A large file must not hold a stopped search up: Stop ends the test between chunks.
        if (count == 0 || consumed >= length || !running) {
            return false;
        }
        count = file->Read(bytes.data(), chunkSize);
    }
}

} // namespace vk
