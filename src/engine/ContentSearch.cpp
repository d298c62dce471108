#include "engine/ContentSearch.h"

#include "engine/PatternMatcher.h"
#include "platform/TextDecoding.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vk {

void WrapContainingText(std::wstring& containingText) {
    if (containingText.empty() || containingText.front() != L'*') {
        containingText.insert(containingText.begin(), L'*');
    }
    if (containingText.back() != L'*') {
        containingText.push_back(L'*');
    }
}

bool FileContainsText(FileSystem& fileSystem, const std::wstring& path, std::wstring_view pattern) {
    ErrorCode error = kErrorSuccess;
    auto file = fileSystem.OpenExclusive(path, error);
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
    std::uint64_t consumed = 0;
    for (;;) {
        if (unicode) {
            DecodeUtf16Le(bytes.data(), count, text);
        } else {
            DecodeAnsi(bytes.data(), count, text);
        }
        const std::size_t nul = text.find(L'\0');
        const std::wstring_view chunk = std::wstring_view(text).substr(0, nul);
        if (MatchPattern(chunk, pattern, false)) {
            return true;
        }
        consumed += count;
        if (count == 0 || consumed >= length) {
            return false;
        }
        count = file->Read(bytes.data(), chunkSize);
    }
}

} // namespace vk
